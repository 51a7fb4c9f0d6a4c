// GDI drawing of the audiogram chart from its description. Every pen, brush and font lives for
// one drawing and is selected back out before it is deleted.
#include "graph/audiogram_chart.h"

#include "graph/audiogram_layout.h"
#include "graph/render.h"

#include <vector>

namespace {

const COLORREF background_colour = RGB(255, 255, 255);
const COLORREF octave_colour = RGB(170, 170, 170);
const COLORREF half_octave_colour = RGB(218, 218, 218); // 750, 1500, 3000, 6000 and 12000 Hz
const COLORREF level_colour = RGB(200, 200, 200);
const COLORREF text_colour = RGB(0, 0, 0);
const COLORREF zone_name_colour = RGB(110, 110, 110);
const int curve_pen_width = 2;
const int level_label_step_db = 10;

void draw_text(HDC dc, int x, int y, const std::string& text, UINT align) {
    SetTextAlign(dc, align);
    TextOutA(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

void fill(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
    RECT rect = {left, top, right, bottom};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

void line(HDC dc, int x0, int y0, int x1, int y1) {
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
}

// The zones, each with its name.
void draw_zones(HDC dc, const ChartLayout& layout, const AudiogramChart& chart) {
    int right = chart_right(layout);
    SetTextColor(dc, zone_name_colour);
    for (const ChartZone& zone : chart.zones) {
        int top = chart_y(layout, zone.top_db);
        int bottom = chart_y(layout, zone.bottom_db);
        fill(dc, layout.left, top, right, bottom, zone.colour);
        if (zone.name_inside) {
            draw_text(dc, layout.left + layout.font_height / 4, top + layout.font_height / 8,
                      zone.name, TA_LEFT | TA_TOP);
        } else {
            draw_text(dc, right + layout.font_height / 4, (top + bottom - layout.font_height) / 2,
                      zone.name, TA_LEFT | TA_TOP);
        }
    }
    SetTextColor(dc, text_colour);
}

// The room the zones' names take right of the chart, in the font selected into dc.
int names_width(HDC dc, const AudiogramChart& chart, int font_height) {
    int widest = 0;
    for (const ChartZone& zone : chart.zones) {
        if (zone.name_inside) {
            continue;
        }
        SIZE extent = {};
        GetTextExtentPoint32A(dc, zone.name.c_str(), static_cast<int>(zone.name.size()), &extent);
        widest = extent.cx > widest ? extent.cx : widest;
    }
    return widest + font_height / 2;
}

void draw_grid(HDC dc, const ChartLayout& layout, const AudiogramChart& chart) {
    int right = chart_right(layout);
    int bottom = chart_bottom(layout);
    HPEN faint = CreatePen(PS_SOLID, 0, half_octave_colour);
    HGDIOBJ old_pen = SelectObject(dc, faint);
    for (int octave = 0; octave + 1 <= layout.octaves; ++octave) {
        int x = chart_x(layout, chart_lowest_hz * 1.5 * (1 << octave));
        if (octave >= 2) { // 750 Hz and up
            line(dc, x, layout.top, x, bottom);
        }
    }
    HPEN levels = CreatePen(PS_SOLID, 0, level_colour);
    SelectObject(dc, levels);
    for (int db = layout.top_db; db <= layout.bottom_db; db += level_label_step_db) {
        int y = chart_y(layout, db);
        line(dc, layout.left, y, right, y);
        draw_text(dc, layout.left - layout.font_height / 3, y - layout.font_height / 2,
                  std::to_string(db), TA_RIGHT | TA_TOP);
    }
    HPEN octaves = CreatePen(PS_SOLID, 0, octave_colour);
    SelectObject(dc, octaves);
    for (int octave = 0; octave <= layout.octaves; ++octave) {
        int frequency = chart_lowest_hz << octave;
        int x = chart_x(layout, frequency);
        line(dc, x, layout.top, x, bottom);
        std::string label =
            frequency >= 1000 ? std::to_string(frequency / 1000) + "k" : std::to_string(frequency);
        draw_text(dc, x, layout.top - layout.font_height - layout.font_height / 4, label,
                  TA_CENTER | TA_TOP);
    }
    line(dc, layout.left, layout.top, layout.left, bottom);
    line(dc, right, layout.top, right, bottom);
    draw_text(dc, 0, 0, chart.unit, TA_LEFT | TA_TOP);
    SelectObject(dc, old_pen);
    DeleteObject(octaves);
    DeleteObject(levels);
    DeleteObject(faint);
}

// Each range zone as the polygon along its top edge and back along its bottom edge.
void draw_range_zones(HDC dc, const ChartLayout& layout, const AudiogramChart& chart) {
    HGDIOBJ old_pen = SelectObject(dc, GetStockObject(NULL_PEN));
    for (const ChartRangeZone& zone : chart.range_zones) {
        std::vector<POINT> outline;
        for (const ChartPoint& at : zone.top) {
            outline.push_back({chart_x(layout, at.frequency_hz), chart_y(layout, at.value_db)});
        }
        for (size_t k = zone.bottom.size(); k-- > 0;) {
            const ChartPoint& at = zone.bottom[k];
            outline.push_back({chart_x(layout, at.frequency_hz), chart_y(layout, at.value_db)});
        }
        HBRUSH brush = CreateSolidBrush(zone.colour);
        HGDIOBJ old_brush = SelectObject(dc, brush);
        Polygon(dc, outline.data(), static_cast<int>(outline.size()));
        SelectObject(dc, old_brush);
        DeleteObject(brush);
    }
    SelectObject(dc, old_pen);
}

void draw_joined(HDC dc, const ChartLayout& layout, const std::vector<ChartPoint>& points) {
    for (size_t k = 0; k < points.size(); ++k) {
        int x = chart_x(layout, points[k].frequency_hz);
        int y = chart_y(layout, points[k].value_db);
        if (k == 0) {
            MoveToEx(dc, x, y, nullptr);
        } else {
            LineTo(dc, x, y);
        }
    }
}

void draw_dashed_lines(HDC dc, const ChartLayout& layout, const AudiogramChart& chart) {
    for (const ChartDashedLine& dashed : chart.dashed_lines) {
        LOGBRUSH colour = {BS_SOLID, dashed.colour, 0};
        HPEN pen = ExtCreatePen(PS_GEOMETRIC | PS_DASH | PS_ENDCAP_FLAT, curve_pen_width, &colour,
                                0, nullptr);
        HGDIOBJ old_pen = SelectObject(dc, pen);
        draw_joined(dc, layout, dashed.points);
        SelectObject(dc, old_pen);
        DeleteObject(pen);
    }
}

// A point's mark: a circle for the right ear, a cross for the left and a square for green.
void draw_mark(HDC dc, int curve, int x, int y, int r) {
    switch (curve) {
    case 1: Ellipse(dc, x - r, y - r, x + r + 1, y + r + 1); break;
    case 2:
        line(dc, x - r, y - r, x + r + 1, y + r + 1);
        line(dc, x - r, y + r, x + r + 1, y - r - 1);
        break;
    default: Rectangle(dc, x - r, y - r, x + r + 1, y + r + 1);
    }
}

void draw_curve(HDC dc, const ChartLayout& layout, const ChartCurve& curve) {
    HPEN pen = CreatePen(PS_SOLID, curve_pen_width, chart_curve_colours[curve.curve]);
    HGDIOBJ old_pen = SelectObject(dc, pen);
    HGDIOBJ old_brush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    draw_joined(dc, layout, curve.joined);
    int radius = chart_mark_radius(layout);
    for (const ChartPoint& mark : curve.marks) {
        draw_mark(dc, curve.curve, chart_x(layout, mark.frequency_hz),
                  chart_y(layout, mark.value_db), radius);
    }
    SelectObject(dc, old_brush);
    SelectObject(dc, old_pen);
    DeleteObject(pen);
}

} // namespace

void draw_audiogram_chart(HDC dc, int width, int height, int font_height,
                          const AudiogramChart& chart) {
    fill(dc, 0, 0, width, height, background_colour);
    HFONT font = create_field_font(font_height);
    HGDIOBJ old_font = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, text_colour);
    SIZE unit = {};
    GetTextExtentPoint32A(dc, chart.unit.c_str(), static_cast<int>(chart.unit.size()), &unit);
    ChartLayout layout = lay_out_chart(width, height, font_height, unit.cx,
                                       names_width(dc, chart, font_height), chart.span);
    draw_zones(dc, layout, chart);
    draw_range_zones(dc, layout, chart);
    draw_grid(dc, layout, chart);
    draw_dashed_lines(dc, layout, chart);
    for (const ChartCurve& curve : chart.curves) {
        draw_curve(dc, layout, curve);
    }
    SetTextAlign(dc, TA_LEFT | TA_TOP);
    SelectObject(dc, old_font);
    DeleteObject(font);
}
