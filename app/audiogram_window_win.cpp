// The audiogram window: the chart drawn with GDI from the hearing levels and the chart's
// geometry, the lines below it, and the copies. The chart is drawn whole into an off-screen
// bitmap for every paint and every copied picture; nothing of it is kept between messages.
#include "app/audiogram_window.h"

#include "app/audiogram_text.h"
#include "app/copy.h"
#include "app/curve_text.h"
#include "app/texts.h"
#include "app/window_placement.h"
#include "graph/audiogram_layout.h"
#include "graph/render.h"
#include "hearing/hearing_level.h"
#include "resources/resource_ids.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

const COLORREF background_colour = RGB(255, 255, 255);
const COLORREF octave_colour = RGB(170, 170, 170);
const COLORREF half_octave_colour = RGB(218, 218, 218); // 750, 1500, 3000, 6000 and 12000 Hz
const COLORREF level_colour = RGB(200, 200, 200);
const COLORREF text_colour = RGB(0, 0, 0);
const COLORREF grade_text_colour = RGB(110, 110, 110);
// The grades' zones, the chart's shaded areas, from normal at the top to complete at the bottom:
// light enough that the grid and the marks stand out on each.
const COLORREF zone_colours[grade_count] = {
    RGB(236, 248, 236), RGB(250, 250, 226), RGB(252, 242, 224), RGB(252, 232, 218),
    RGB(250, 224, 224), RGB(242, 224, 238), RGB(232, 228, 244)};
// The curves as the hearing test records them: green, red for the right ear, blue for the left.
const COLORREF curve_colours[curve_count] = {RGB(0, 140, 0), RGB(230, 0, 0), RGB(0, 80, 200)};
const int curve_pen_width = 2;
const int level_label_step_db = 10;

// Controls placed below the chart, which keep their distance from the window's bottom edge when
// it has to be shrunk to fit the screen; those of them that span the window stretch with it.
const int below_chart[] = {audiogram_lines,      audiogram_reference,      audiogram_note,
                           audiogram_ear_choice, audiogram_copy_equalizer, audiogram_copy_picture,
                           audiogram_copy_text,  audiogram_close};

const char* word(int key) {
    return text(key, app.language);
}

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

// The grades' zones, each with its name right of the chart.
void draw_zones(HDC dc, const ChartLayout& chart) {
    int right = chart_right(chart);
    SetTextColor(dc, grade_text_colour);
    for (int g = 0; g < grade_count; ++g) {
        int top = g == 0 ? chart.top : chart_y(chart, grade_floor_db[g]);
        int bottom =
            g + 1 < grade_count ? chart_y(chart, grade_floor_db[g + 1]) : chart_bottom(chart);
        fill(dc, chart.left, top, right, bottom, zone_colours[g]);
        draw_text(dc, right + chart.font_height / 4, (top + bottom - chart.font_height) / 2,
                  word(text_zone_normal + g), TA_LEFT | TA_TOP);
    }
    SetTextColor(dc, text_colour);
}

// The room the grades' names take right of the chart, in the font selected into dc.
int names_width(HDC dc) {
    int widest = 0;
    for (int g = 0; g < grade_count; ++g) {
        const char* name = word(text_zone_normal + g);
        SIZE extent = {};
        GetTextExtentPoint32A(dc, name, static_cast<int>(std::strlen(name)), &extent);
        widest = extent.cx > widest ? extent.cx : widest;
    }
    return widest + app.label_font_height / 2;
}

void draw_grid(HDC dc, const ChartLayout& chart) {
    int right = chart_right(chart);
    int bottom = chart_bottom(chart);
    HPEN faint = CreatePen(PS_SOLID, 0, half_octave_colour);
    HGDIOBJ old_pen = SelectObject(dc, faint);
    for (int octave = 0; octave + 1 <= chart.octaves; ++octave) {
        int x = chart_x(chart, chart_lowest_hz * 1.5 * (1 << octave));
        if (octave >= 2) { // 750 Hz and up
            line(dc, x, chart.top, x, bottom);
        }
    }
    HPEN levels = CreatePen(PS_SOLID, 0, level_colour);
    SelectObject(dc, levels);
    for (int db = chart_top_db; db <= chart_bottom_db; db += level_label_step_db) {
        int y = chart_y(chart, db);
        line(dc, chart.left, y, right, y);
        draw_text(dc, chart.left - chart.font_height / 3, y - chart.font_height / 2,
                  std::to_string(db), TA_RIGHT | TA_TOP);
    }
    HPEN octaves = CreatePen(PS_SOLID, 0, octave_colour);
    SelectObject(dc, octaves);
    for (int octave = 0; octave <= chart.octaves; ++octave) {
        int frequency = chart_lowest_hz << octave;
        int x = chart_x(chart, frequency);
        line(dc, x, chart.top, x, bottom);
        std::string label =
            frequency >= 1000 ? std::to_string(frequency / 1000) + "k" : std::to_string(frequency);
        draw_text(dc, x, chart.top - chart.font_height - chart.font_height / 4, label,
                  TA_CENTER | TA_TOP);
    }
    line(dc, chart.left, chart.top, chart.left, bottom);
    line(dc, right, chart.top, right, bottom);
    draw_text(dc, 0, 0, "dB HL", TA_LEFT | TA_TOP);
    SelectObject(dc, old_pen);
    DeleteObject(octaves);
    DeleteObject(levels);
    DeleteObject(faint);
}

// A point's mark: a circle for the right ear, a cross for the left and a square for green.
void draw_mark(HDC dc, int curve, int x, int y, int r) {
    switch (curve) {
    case right_ear_curve: Ellipse(dc, x - r, y - r, x + r + 1, y + r + 1); break;
    case left_ear_curve:
        line(dc, x - r, y - r, x + r + 1, y + r + 1);
        line(dc, x - r, y + r, x + r + 1, y - r - 1);
        break;
    default: Rectangle(dc, x - r, y - r, x + r + 1, y + r + 1);
    }
}

// Every point with a hearing level gets its mark; the points that count, one per frequency, are
// joined in rising frequency.
void draw_curve(HDC dc, const ChartLayout& chart, int curve) {
    std::vector<PointLevel> levels = curve_hearing_levels(app.main_set, app.compare_set, curve);
    HPEN pen = CreatePen(PS_SOLID, curve_pen_width, curve_colours[curve]);
    HGDIOBJ old_pen = SelectObject(dc, pen);
    HGDIOBJ old_brush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    bool first = true;
    for (const PointLevel& point : levels) {
        if (!point.counts) {
            continue;
        }
        int x = chart_x(chart, point.frequency_hz);
        int y = chart_y(chart, point.level_db);
        if (first) {
            MoveToEx(dc, x, y, nullptr);
        } else {
            LineTo(dc, x, y);
        }
        first = false;
    }
    int radius = chart_mark_radius(chart);
    for (const PointLevel& point : levels) {
        draw_mark(dc, curve, chart_x(chart, point.frequency_hz), chart_y(chart, point.level_db),
                  radius);
    }
    SelectObject(dc, old_brush);
    SelectObject(dc, old_pen);
    DeleteObject(pen);
}

void draw_chart(HDC dc, int width, int height) {
    fill(dc, 0, 0, width, height, background_colour);
    HFONT font = create_field_font(app.label_font_height);
    HGDIOBJ old_font = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, text_colour);
    ChartLayout chart = lay_out_chart(width, height, app.label_font_height, names_width(dc),
                                      has_level_above_8k(app.main_set, app.compare_set));
    draw_zones(dc, chart);
    draw_grid(dc, chart);
    // The right ear on top, as it is the first in an audiologist's eye.
    for (int curve : {green_curve, left_ear_curve, right_ear_curve}) {
        draw_curve(dc, chart, curve);
    }
    SetTextAlign(dc, TA_LEFT | TA_TOP);
    SelectObject(dc, old_font);
    DeleteObject(font);
}

// The chart drawn into a new bitmap of the chart control's size; the caller deletes it.
HBITMAP chart_picture(HWND window, SIZE* size) {
    HWND control = GetDlgItem(window, audiogram_chart);
    RECT client = {};
    GetClientRect(control, &client);
    *size = {client.right, client.bottom};
    HDC window_dc = GetDC(control);
    HDC dc = CreateCompatibleDC(window_dc);
    HBITMAP picture = CreateCompatibleBitmap(window_dc, client.right, client.bottom);
    ReleaseDC(control, window_dc);
    HGDIOBJ old_bitmap = SelectObject(dc, picture);
    draw_chart(dc, client.right, client.bottom);
    SelectObject(dc, old_bitmap);
    DeleteDC(dc);
    return picture;
}

void paint_chart(const DRAWITEMSTRUCT& item) {
    SIZE size = {};
    HBITMAP picture = chart_picture(GetParent(item.hwndItem), &size);
    HDC dc = CreateCompatibleDC(item.hDC);
    HGDIOBJ old_bitmap = SelectObject(dc, picture);
    BitBlt(item.hDC, 0, 0, size.cx, size.cy, dc, 0, 0, SRCCOPY);
    SelectObject(dc, old_bitmap);
    DeleteDC(dc);
    DeleteObject(picture);
}

void copy_chart_picture(HWND window) {
    SIZE size = {};
    HBITMAP picture = chart_picture(window, &size);
    copy_bitmap(window, picture, size.cx, size.cy);
    DeleteObject(picture);
}

void copy_chart_text(HWND window) {
    put_text_on_clipboard(window,
                          format_audiogram_text(app.main_set, app.compare_set,
                                                utf8_of_ansi(app.compare_title), app.language));
}

int chosen_ears(HWND window) {
    LRESULT chosen = SendDlgItemMessageA(window, audiogram_ear_choice, CB_GETCURSEL, 0, 0);
    return chosen == CB_ERR ? compensate_both : static_cast<int>(chosen);
}

// "Copy as equalizer" is greyed while the ears chosen have no hearing level.
void enable_equalizer_copy(HWND window) {
    EnableWindow(GetDlgItem(window, audiogram_copy_equalizer),
                 has_compensation(app.main_set, app.compare_set, chosen_ears(window)));
}

void copy_compensation(HWND window) {
    std::string text = format_compensation_text(app.main_set, app.compare_set, chosen_ears(window),
                                                title_text(GetWindow(window, GW_OWNER)),
                                                utf8_of_ansi(app.compare_title), app.language);
    if (!text.empty()) {
        put_text_on_clipboard(window, text);
    }
}

RECT rect_in(HWND window, int control) {
    RECT rect = {};
    GetWindowRect(GetDlgItem(window, control), &rect);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void move(HWND window, int control, const RECT& r) {
    SetWindowPos(GetDlgItem(window, control), nullptr, r.left, r.top, r.right - r.left,
                 r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

// At 150 or 200 % the template can be taller or wider than the screen: the window is shrunk into
// the work area, the chart gives up what is missing, and the controls below it keep their
// distance from the bottom edge.
void fit_into_screen(HWND window) {
    RECT before = {};
    RECT outer = {};
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    GetClientRect(window, &before);
    if (!GetWindowRect(window, &outer) ||
        !GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) {
        return;
    }
    RECT fitted = fit_into_work_area(outer, monitor.rcWork);
    if (EqualRect(&fitted, &outer)) {
        return;
    }
    SetWindowPos(window, nullptr, fitted.left, fitted.top, fitted.right - fitted.left,
                 fitted.bottom - fitted.top, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT after = {};
    GetClientRect(window, &after);
    int shrunk_x = before.right - after.right;
    int shrunk_y = before.bottom - after.bottom;
    RECT chart = rect_in(window, audiogram_chart);
    int full_width = chart.right - chart.left;
    chart.right -= shrunk_x;
    chart.bottom -= shrunk_y;
    move(window, audiogram_chart, chart);
    for (int control : below_chart) {
        RECT r = rect_in(window, control);
        OffsetRect(&r, 0, -shrunk_y);
        if (r.right - r.left == full_width) {
            r.right -= shrunk_x;
        } else if (control == audiogram_close) {
            OffsetRect(&r, -shrunk_x, 0);
        }
        move(window, control, r);
    }
}

void show_lines(HWND window) {
    if (!has_reference(app.compare_set)) {
        SetDlgItemTextA(window, audiogram_lines, word(text_audiogram_how_to));
        return;
    }
    SetDlgItemTextA(window, audiogram_lines,
                    format_ear_lines(app.main_set, app.compare_set, app.language).c_str());
    SetDlgItemTextA(window, audiogram_reference,
                    formatted(word(text_audiogram_reference), app.compare_title).c_str());
    SetDlgItemTextA(window, audiogram_note, word(text_audiogram_note));
}

void on_init(HWND window) {
    app.audiogram_window = window;
    SetWindowTextA(window, word(text_audiogram_caption));
    for (int control : audiogram_caption_keys) {
        SetDlgItemTextA(window, control, word(control));
    }
    // In the order of CompensatedEars.
    for (int ears : {text_both_ears, text_right_ear, text_left_ear}) {
        SendDlgItemMessageA(window, audiogram_ear_choice, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(word(ears)));
    }
    SendDlgItemMessageA(window, audiogram_ear_choice, CB_SETCURSEL, compensate_both, 0);
    fit_into_screen(window);
    show_lines(window);
    enable_equalizer_copy(window);
}

INT_PTR CALLBACK audiogram_dialog_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG: on_init(window); return TRUE;
    case WM_DRAWITEM: paint_chart(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam)); return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wparam)) {
        case audiogram_copy_picture: copy_chart_picture(window); break;
        case audiogram_copy_text: copy_chart_text(window); break;
        case audiogram_copy_equalizer: copy_compensation(window); break;
        case audiogram_ear_choice:
            if (HIWORD(wparam) == CBN_SELCHANGE) {
                enable_equalizer_copy(window);
            }
            break;
        case audiogram_close:
        case IDCANCEL: EndDialog(window, 0); break;
        }
        break;
    case WM_CLOSE: EndDialog(window, 0); break;
    }
    return FALSE;
}

} // namespace

void run_audiogram(HWND dialog) {
    if (app.audiogram_window != nullptr) {
        return;
    }
    DialogBoxParamA(app.instance, MAKEINTRESOURCEA(audiogram_dialog_template), dialog,
                    audiogram_dialog_proc, 0);
    app.audiogram_window = nullptr;
}
