// GDI drawing of the frequency field into the off-screen picture. The positions come from
// field_layout; every pen, brush and font lives for one render and is selected back out before
// it is deleted.
#include "graph/render.h"

#include "core/app_state.h"
#include "graph/field_layout.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

const COLORREF background_colour = RGB(255, 255, 255);
const COLORREF grid_colour = RGB(210, 210, 210); // the grid and the A-weighting curve
const COLORREF text_colour = RGB(0, 0, 0);

// Colours of curve c: point marks and connecting line, strong for the main set and pale for the
// compare set beneath it.
struct CurveColours {
    COLORREF mark;
    COLORREF line;
};
const CurveColours main_palette[curve_count] = {
    {RGB(0, 80, 0), RGB(0, 140, 0)},  // green
    {RGB(80, 0, 0), RGB(230, 0, 0)},  // red
    {RGB(0, 0, 80), RGB(0, 80, 200)}, // blue
};
const CurveColours compare_palette[curve_count] = {
    {RGB(150, 220, 150), RGB(140, 245, 140)}, // green
    {RGB(220, 150, 150), RGB(255, 140, 140)}, // red
    {RGB(150, 150, 220), RGB(140, 186, 255)}, // blue
};

const int mark_pen_width = 3; // widens the 2-pixel stroke of a mark into a small blob
const int line_pen_width = 2;
// A curve of up to this many points shows its marks only.
const int marks_only_count = 4;

void draw_text(HDC dc, int x, int y, const char* text) {
    TextOutA(dc, x, y, text, static_cast<int>(std::strlen(text)));
}

int text_width(HDC dc, const char* text) {
    SIZE extent = {};
    GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &extent);
    return extent.cx;
}

void fill_background(HDC dc) {
    HBRUSH brush = CreateSolidBrush(background_colour);
    FillRect(dc, &app.graph_rect, brush);
    DeleteObject(brush);
}

void draw_a_weighting_curve(HDC dc) {
    std::vector<FieldPoint> samples = a_weighting_curve();
    for (size_t i = 0; i < samples.size(); ++i) {
        if (i == 0) {
            MoveToEx(dc, samples[i].x, samples[i].y, nullptr);
        } else {
            LineTo(dc, samples[i].x, samples[i].y);
        }
    }
}

void draw_level_lines(HDC dc, int width, const FieldTextOffsets& offsets) {
    const int32_t* table = level_grid_table();
    for (int i = 0; i < level_grid_count; ++i) {
        int y = app.grid_y[i];
        MoveToEx(dc, 0, y, nullptr);
        LineTo(dc, width, y);
        char label[16];
        std::snprintf(label, sizeof label, "%d", table[i]);
        draw_text(dc, offsets.margin, y, label);
        draw_text(dc, width - offsets.right_inset, y, label);
    }
}

void draw_frequency_lines(HDC dc, int width, int height, const FieldTextOffsets& offsets) {
    for (int i = 0; i < frequency_grid_count; ++i) {
        // grid_x keeps the column modulo 2^16; the signed column tells lines left of the graph.
        int x = field_x_of_hz(frequency_grid_hz[i]);
        if (x < offsets.first_line_x) {
            continue;
        }
        MoveToEx(dc, x, 0, nullptr);
        LineTo(dc, x, height);
        char label[16];
        format_frequency_label(frequency_grid_hz[i], label, sizeof label);
        int label_x = frequency_label_x(x, text_width(dc, label), width, offsets);
        draw_text(dc, label_x, height - offsets.bottom_rise, label);
        draw_text(dc, label_x, offsets.margin, label);
    }
}

void draw_grid(HDC dc) {
    int width = app.graph_rect.right;
    int height = app.graph_rect.bottom;
    FieldTextOffsets offsets = field_text_offsets(app.label_font_height);
    HPEN pen = CreatePen(PS_SOLID, 0, grid_colour);
    HFONT font = create_field_font(app.label_font_height);
    HGDIOBJ old_pen = SelectObject(dc, pen);
    HGDIOBJ old_font = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, text_colour);

    if (app.a_weighting != 0) {
        draw_a_weighting_curve(dc);
    }
    draw_text(dc, offsets.margin, offsets.margin, "[dB]");
    draw_level_lines(dc, width, offsets);
    draw_text(dc, offsets.margin, height - offsets.bottom_rise, "[Hz]");
    draw_frequency_lines(dc, width, height, offsets);

    SelectObject(dc, old_font);
    SelectObject(dc, old_pen);
    DeleteObject(font);
    DeleteObject(pen);
}

} // namespace

HFONT create_field_font(int height) {
    return CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       VARIABLE_PITCH | FF_SWISS, nullptr);
}

void draw_curve_set(bool pale) {
    HDC dc = app.memory_dc;
    const CurveSet& set = pale ? app.compare_set : app.main_set;
    const CurveColours* palette = pale ? compare_palette : main_palette;
    for (int c = 0; c < curve_count; ++c) {
        int count = set.count[c];
        if (count == 0) {
            continue;
        }

        // Each mark is a 2-pixel vertical stroke that the wide pen turns into a blob.
        HPEN mark_pen = CreatePen(PS_SOLID, mark_pen_width, palette[c].mark);
        HGDIOBJ old_pen = SelectObject(dc, mark_pen);
        for (int i = 0; i < count; ++i) {
            FieldPoint point = curve_point_position(set, c, i);
            MoveToEx(dc, point.x, point.y, nullptr);
            LineTo(dc, point.x, point.y + 2);
        }
        SelectObject(dc, old_pen);
        DeleteObject(mark_pen);

        if (count <= marks_only_count) {
            continue;
        }
        // The points are held in falling frequency, so the line runs from right to left. Only
        // its first vertex lies at the top of its mark; the others lie at the bottom.
        HPEN line_pen = CreatePen(PS_SOLID, line_pen_width, palette[c].line);
        old_pen = SelectObject(dc, line_pen);
        for (int i = 0; i < count; ++i) {
            FieldPoint point = curve_point_position(set, c, i);
            if (i == 0) {
                MoveToEx(dc, point.x, point.y, nullptr);
            } else {
                LineTo(dc, point.x, point.y + 2);
            }
        }
        SelectObject(dc, old_pen);
        DeleteObject(line_pen);
    }
}

void render_graph() {
    lay_out_field();
    fill_background(app.memory_dc);
    draw_grid(app.memory_dc);
    // The main set lies on top of the compare set.
    draw_curve_set(true);
    draw_curve_set(false);

    HDC window_dc = GetDC(app.graph_window);
    BitBlt(window_dc, 0, 0, app.graph_rect.right, app.graph_rect.bottom, app.memory_dc, 0, 0,
           SRCCOPY);
    ReleaseDC(app.graph_window, window_dc);
}
