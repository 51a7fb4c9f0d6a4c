// The main dialog: initialisation, layout of the graph below the control band, painting from the
// off-screen picture, closing, and the dispatch of every message to its subsystem.
#include "app/main_dialog.h"

#include "app/band_layout.h"
#include "app/info_window.h"
#include "app/options.h"
#include "app/window_menu.h"
#include "app/window_placement.h"
#include "audio/tone_stream.h"
#include "core/dialog_requests.h"
#include "database/curve_database.h"
#include "database/database_path.h"
#include "editing/curve_commands.h"
#include "editing/mouse.h"
#include "graph/field_layout.h"
#include "graph/render.h"
#include "resources/resource_ids.h"

#include <string>

namespace {

int not_negative(int value) {
    return value < 0 ? 0 : value;
}

// The template's size suits a large screen at 100 %; at 150 % or on a small screen the window
// would reach past the screen's edge, caption buttons and all. It starts inside the work area of
// its monitor instead, shrunk to it where it is larger, and is left alone wherever it fits.
void fit_into_screen(HWND dialog) {
    RECT window = {};
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    if (!GetWindowRect(dialog, &window) ||
        !GetMonitorInfoA(MonitorFromWindow(dialog, MONITOR_DEFAULTTONEAREST), &monitor)) {
        return;
    }
    RECT fitted = fit_into_work_area(window, monitor.rcWork);
    if (!EqualRect(&fitted, &window)) {
        SetWindowPos(dialog, nullptr, fitted.left, fitted.top, fitted.right - fitted.left,
                     fitted.bottom - fitted.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

// A control's rectangle in the dialog's client pixels. A combo box's reaches down to the bottom
// of its opened list: that is the height SetWindowPos gives it.
RECT control_rect(HWND dialog, HWND control) {
    RECT rect = {};
    GetWindowRect(control, &rect);
    char kind[16] = {};
    GetClassNameA(control, kind, sizeof kind);
    if (lstrcmpiA(kind, "ComboBox") == 0) {
        SendMessageA(control, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&rect));
    }
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Records where the template puts the band's visible controls, and the template's width in
// pixels: the window may have been created narrower than the template, to fit the screen.
void record_band_template(HWND dialog) {
    RECT band = {0, 0, main_dialog_width, 0};
    MapDialogRect(dialog, &band);
    app.band_template_width = band.right;
    int count = 0;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr && count < band_control_count;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE) != 0) {
            app.band_template[count++] = {GetDlgCtrlID(child), control_rect(dialog, child)};
        }
    }
}

// Places the band's controls for the client width; a control already in its place is left alone.
// A moved control is drawn anew: copied from its old place, the legend kept stale text.
void lay_out_band_controls(HWND dialog, int client_width) {
    BandControl laid_out[band_control_count];
    lay_out_band(app.band_template, laid_out, band_control_count, app.band_template_width,
                 client_width);
    for (const BandControl& control : laid_out) {
        HWND window = GetDlgItem(dialog, control.id);
        RECT now = control_rect(dialog, window);
        const RECT& r = control.rect;
        if (now.left != r.left || now.right != r.right) {
            SetWindowPos(window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                         SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
        }
    }
}

void on_init_dialog(HWND dialog) {
    record_band_template(dialog);
    // Before the graph exists, so that the size message this may send lays nothing out: the
    // first layout below is made for the client size that results.
    fit_into_screen(dialog);

    HICON icon = LoadIconA(app.instance, "ICON1");
    SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));

    // The invisible probe is 40 dialog units high; its height in pixels is the control band's.
    RECT probe = {};
    GetClientRect(GetDlgItem(dialog, band_probe), &probe);
    app.top_band_height = static_cast<uint16_t>(probe.bottom);

    // A static without SS_NOTIFY lets the mouse through, so the dialog gets the graph's input.
    app.graph_window = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_SUNKEN, 0, 0, 0,
                                       0, dialog, nullptr, app.instance, nullptr);
    app.memory_dc = CreateCompatibleDC(nullptr);
    app.graph_dc = GetDC(app.graph_window);

    for (int c = 0; c < curve_count; ++c) {
        app.main_set.count[c] = 0;
    }
    app.tone.channel_mask = 3;
    app.current_curve = 0;
    app.info_window = nullptr;
    app.compare_mode = 0;
    app.pulse_mode = 0;
    app.highs_zoom = 0;
    app.snap_hz = 1;
    app.snap_db = 1;
    app.linear_db = 1;
    app.a_weighting = 1;
    app.unsaved_changes = 0;

    // Every German locale, whatever the country, has the primary language 7 in its low bits.
    app.language = (GetUserDefaultLCID() & 0xFF) == LANG_GERMAN ? 1 : 0;

    HDC screen = GetDC(dialog);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(dialog, screen);
    FontHeights heights = font_heights(dpi);
    app.label_font_height = heights.label;
    app.status_font_height = heights.readout;

    sync_option_buttons(dialog);

    // The module path may be longer than the database path can hold; then there is no database
    // path at all rather than a shortened one that names another file.
    std::string program_path(32768, '\0');
    DWORD length =
        GetModuleFileNameA(nullptr, &program_path[0], static_cast<DWORD>(program_path.size()));
    program_path.resize(length < program_path.size() ? length : 0);
    make_database_path(program_path.c_str(), app.database_path, sizeof app.database_path);

    SendDlgItemMessageA(dialog, title_combo, CB_LIMITTEXT, 40, 0);
    load_title_list(dialog);
    set_date_title(dialog);

    SendDlgItemMessageA(dialog, language_combo, CB_RESETCONTENT, 0, 0);
    SendDlgItemMessageA(dialog, language_combo, CB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>("English"));
    SendDlgItemMessageA(dialog, language_combo, CB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>("Deutsch"));
    SendDlgItemMessageA(dialog, language_combo, CB_SETCURSEL, app.language, 0);
    add_window_menu_entries(dialog);
    apply_language_texts(dialog);

    refresh_view(dialog);
}

void on_paint() {
    // Painting only copies the finished picture; it never renders. The graph's own update region
    // is empty when the paint was sent for the readout, so it is invalidated whole first: the
    // paint context then covers the whole graph.
    InvalidateRect(app.graph_window, nullptr, TRUE);
    PAINTSTRUCT paint;
    HDC target = BeginPaint(app.graph_window, &paint);
    BitBlt(target, 0, 0, app.graph_rect.right, app.graph_rect.bottom, app.memory_dc, 0, 0, SRCCOPY);
    EndPaint(app.graph_window, &paint);
}

// Returns TRUE when the dialog was ended; FALSE when the user kept unsaved edits.
INT_PTR on_close(HWND dialog) {
    if (!confirm_unsaved_changes(dialog)) {
        return FALSE;
    }
    HBITMAP picture = static_cast<HBITMAP>(SelectObject(app.memory_dc, app.stock_bitmap));
    DeleteObject(picture);
    app.stock_bitmap = nullptr;
    ReleaseDC(app.graph_window, app.graph_dc);
    app.graph_dc = nullptr;
    DeleteDC(app.memory_dc);
    app.memory_dc = nullptr;
    EndDialog(dialog, 0);
    return TRUE;
}

void on_command(HWND dialog, WORD id, WORD notification) {
    switch (id) {
    case btn_left:
    case btn_both:
    case btn_right:
    case btn_pulse:
    case btn_a_weighting:
    case btn_snap_hz:
    case btn_snap_db:
    case btn_linear_db:
    case btn_heights:
    case btn_compare: on_option_command(dialog, id); break;
    case btn_green: select_curve(0); break;
    case btn_red: select_curve(1); break;
    case btn_blue: select_curve(2); break;
    case btn_delete_curve: delete_current_curve(dialog); break;
    case btn_reset: reset_curves(dialog); break;
    case btn_add_set: add_set(dialog); break;
    case btn_delete_set: delete_set(dialog); break;
    case title_combo:
        if (notification == CBN_SELCHANGE && confirm_unsaved_changes(dialog)) {
            load_set(dialog);
            request_refresh(dialog);
        }
        break;
    case btn_info: toggle_info_window(dialog); break;
    case language_combo:
        if (notification == CBN_SELCHANGE) {
            on_language_selected(dialog);
        }
        break;
    }
    // Whatever the command, every check box shows its field again.
    sync_option_buttons(dialog);
}

} // namespace

INT_PTR run_application(HINSTANCE instance) {
    app.instance = instance;
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(main_dialog_template), nullptr,
                           main_dialog_proc, 0);
}

void refresh_view(HWND dialog) {
    // A size message can arrive while the dialog is being created, before the graph exists.
    if (app.graph_window == nullptr) {
        return;
    }
    RECT client = {};
    GetClientRect(dialog, &client);
    lay_out_band_controls(dialog, client.right);
    int top = client.top + app.top_band_height + band_gap;
    int height = not_negative(client.bottom - app.top_band_height - band_gap);
    int width = client.right;
    if (app.info_window != nullptr) {
        SetWindowPos(app.info_window, HWND_TOP, width * 2 / 3, top, width / 3, height, 0);
        width = width * 2 / 3;
    }
    SetWindowPos(app.graph_window, HWND_TOP, client.left, top, not_negative(width), height, 0);
    GetClientRect(app.graph_window, &app.graph_rect);

    // Swap in a fresh bitmap of the graph's size. On the first pass there is nothing to put back
    // yet; afterwards stock_bitmap is the memory context's own bitmap.
    if (app.stock_bitmap != nullptr) {
        HBITMAP previous = static_cast<HBITMAP>(SelectObject(app.memory_dc, app.stock_bitmap));
        DeleteObject(previous);
    }
    HBITMAP picture =
        CreateCompatibleBitmap(app.graph_dc, app.graph_rect.right, app.graph_rect.bottom);
    HBITMAP deselected = static_cast<HBITMAP>(SelectObject(app.memory_dc, picture));
    if (deselected != nullptr) {
        app.stock_bitmap = deselected;
    } else {
        // Nothing could be selected: keep the context's own bitmap and drop the new one.
        DeleteObject(picture);
    }
    render_graph();
}

INT_PTR CALLBACK main_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG: on_init_dialog(dialog); break;
    case WM_SIZE: refresh_view(dialog); break;
    case WM_PAINT: on_paint(); break;
    case WM_CLOSE: return on_close(dialog);
    // The low four bits of a system command are the platform's own.
    case WM_SYSCOMMAND: on_window_menu_command(dialog, wparam & 0xFFF0); break;
    // The high word of lparam is TRUE for the window menu.
    case WM_INITMENUPOPUP:
        if (HIWORD(lparam)) {
            enable_window_menu_entries(reinterpret_cast<HMENU>(wparam));
        }
        break;
    case WM_COMMAND: on_command(dialog, LOWORD(wparam), HIWORD(wparam)); break;
    case WM_MOUSEMOVE: on_mouse_move(dialog, wparam, LOWORD(lparam), HIWORD(lparam)); break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: on_button_down(dialog, wparam, LOWORD(lparam)); break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP: on_button_up(dialog, message == WM_RBUTTONUP, wparam); break;
    case WM_MBUTTONUP: on_middle_button_up(dialog, wparam, LOWORD(lparam), HIWORD(lparam)); break;
    case MM_WOM_DONE: tone_stream_refill(reinterpret_cast<WAVEHDR*>(lparam)); break;
    }
    return FALSE;
}
