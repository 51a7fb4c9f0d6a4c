// The mouse handlers of the main dialog: thin glue between the messages, the pointer and curve
// rules, the tone stream and the off-screen picture.
#include "editing/mouse.h"

#include "audio/tone_stream.h"
#include "core/dialog_requests.h"
#include "editing/curve_rules.h"
#include "editing/pointer.h"
#include "graph/render.h"
#include "resources/resource_ids.h"

#include <string>

namespace {

const COLORREF readout_background = RGB(250, 250, 250);
const COLORREF readout_colour = RGB(0, 0, 0);
// The readout's top edge lies this many pixels above the loudest level line.
const int readout_rise = 24;
// The deletion test reads the pointer this many pixels left of its column.
const int deletion_shift = 2;

bool both_buttons(WPARAM flags) {
    return (flags & MK_LBUTTON) != 0 && (flags & MK_RBUTTON) != 0;
}

} // namespace

void on_mouse_move(HWND dialog, WPARAM flags, uint16_t x, uint16_t y) {
    std::string text;
    if (!take_pointer_move(x, y, flags != 0, &text)) {
        return;
    }
    draw_readout(text);
    // Sent rather than invalidated: the readout follows the pointer at once, not when the queue
    // next falls idle, and the paint only copies the picture.
    request_repaint(dialog);
}

void on_button_down(HWND dialog, WPARAM flags, uint16_t x) {
    // The flags include the button just pressed: both set means the other one holds the tone.
    if (both_buttons(flags) || (flags & MK_MBUTTON) != 0) {
        return;
    }
    // Right of the field (beside the help window) the axis has ended: no column there has a
    // frequency. Such a press plays nothing, and its release must record nothing either.
    if (x > app.graph_rect.right) {
        app.tone.frequency_hz = 0;
        return;
    }
    // A stream is still open only when its release went elsewhere (another window took the
    // capture); that tone ends here and the new one starts.
    tone_stream_close();
    app.tone.frequency_hz = column_frequency(x);
    SetCapture(dialog);
    tone_stream_open(dialog);
}

void on_button_up(HWND dialog, bool right_button, WPARAM flags) {
    // The flags no longer include the button just released: the other one still holds the tone.
    if ((flags & (right_button ? MK_LBUTTON : MK_RBUTTON)) != 0) {
        return;
    }
    ReleaseCapture();
    tone_stream_close();
    if (right_button && insert_point()) {
        request_refresh(dialog);
        app.unsaved_changes = 1;
    }
    app.tone.frequency_hz = 0;
    app.tone.amplitude = 0.0;
}

void on_middle_button_up(HWND dialog, WPARAM flags, uint16_t x, uint16_t y) {
    if (both_buttons(flags)) {
        return;
    }
    uint16_t column = static_cast<uint16_t>(x - deletion_shift);
    uint16_t row = static_cast<uint16_t>(y - app.top_band_height - band_gap);
    if (delete_point_near(column, row)) {
        request_refresh(dialog);
        app.unsaved_changes = 1;
    }
}

void draw_readout(const std::string& text) {
    HDC dc = app.memory_dc;
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, readout_background);
    SetTextColor(dc, readout_colour);
    HFONT font = create_field_font(app.status_font_height);
    HGDIOBJ old_font = SelectObject(dc, font);
    TextOutA(dc, app.graph_rect.right * 3 / 7, app.grid_y[level_grid_count - 1] - readout_rise,
             text.c_str(), static_cast<int>(text.size()));
    SelectObject(dc, old_font);
    DeleteObject(font);
}
