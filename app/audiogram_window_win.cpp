// The audiogram window: the choices of what it shows, the chart, the lines below it, and the
// copies. The chart is drawn whole from its description into an off-screen bitmap for every paint
// and every copied picture; nothing of it is kept between messages.
#include "app/audiogram_window.h"

#include "app/audiogram_text.h"
#include "app/change_text.h"
#include "app/copy.h"
#include "app/curve_text.h"
#include "app/known_audiogram.h"
#include "app/texts.h"
#include "app/window_placement.h"
#include "graph/audiogram_chart.h"
#include "hearing/age_norms.h"
#include "hearing/hearing_level.h"
#include "resources/resource_ids.h"

#include <initializer_list>
#include <string>

namespace {

// Controls placed below the chart, which keep their distance from the window's bottom edge when
// it has to be shrunk to fit the screen; those of them that span the window stretch with it.
const int below_chart[] = {audiogram_lines,      audiogram_reference,      audiogram_note,
                           audiogram_ear_choice, audiogram_copy_equalizer, audiogram_copy_picture,
                           audiogram_copy_text,  audiogram_known,          audiogram_close};

// The controls of the comparison with people of an age and sex, greyed while the window shows the
// change.
const int group_controls[] = {audiogram_age_label, audiogram_age_field, audiogram_sex_label,
                              audiogram_sex_choice};

const char* word(int key) {
    return text(key, app.language);
}

bool showing_change() {
    return app.audiogram_shows == shows_change;
}

// The group the age field and the sex choice give; no group (age 0) while the age is not a whole
// number from 18 to 80.
AgeGroup chosen_group() {
    AgeGroup group = {0, app.audiogram_sex};
    read_age(app.audiogram_age, &group.age);
    return group;
}

AudiogramChart shown_chart() {
    if (showing_change()) {
        return change_chart(app.main_set, app.compare_set, app.language);
    }
    return hearing_level_chart(app.main_set, app.compare_set, chosen_group(), app.language);
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
    draw_audiogram_chart(dc, client.right, client.bottom, app.label_font_height, shown_chart());
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
    std::string title = utf8_of_ansi(app.compare_title);
    put_text_on_clipboard(
        window, showing_change()
                    ? format_change_text(app.main_set, app.compare_set, title, app.language)
                    : format_audiogram_text(app.main_set, app.compare_set, title, chosen_group(),
                                            decimal_separator(), app.language));
}

int chosen_ears(HWND window) {
    LRESULT chosen = SendDlgItemMessageA(window, audiogram_ear_choice, CB_GETCURSEL, 0, 0);
    return chosen == CB_ERR ? compensate_both : static_cast<int>(chosen);
}

// "Copy as equalizer" is greyed while the ears chosen have no hearing level, and with the ears'
// choice while the window shows the change.
void enable_equalizer_copy(HWND window) {
    EnableWindow(GetDlgItem(window, audiogram_ear_choice), !showing_change());
    EnableWindow(GetDlgItem(window, audiogram_copy_equalizer),
                 !showing_change() &&
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
    bool compared = has_reference(app.compare_set);
    std::string lines =
        showing_change() ? format_change_lines(app.main_set, app.compare_set, app.language)
        : compared ? format_ear_lines(app.main_set, app.compare_set, chosen_group(), app.language)
                   : word(text_audiogram_how_to);
    SetDlgItemTextA(window, audiogram_lines, lines.c_str());
    int title = showing_change() ? text_change_earlier : text_audiogram_reference;
    int note = showing_change() ? text_change_note : text_audiogram_note;
    SetDlgItemTextA(window, audiogram_reference,
                    compared ? formatted(word(title), app.compare_title).c_str() : "");
    SetDlgItemTextA(window, audiogram_note, compared ? word(note) : "");
}

// Everything that follows from the window's choices: the chart, the lines, the age's accepted
// range beside the field while what it holds is no age, and what is greyed.
void show_choices(HWND window) {
    InvalidateRect(GetDlgItem(window, audiogram_chart), nullptr, FALSE);
    show_lines(window);
    bool no_age = app.audiogram_age[0] != '\0' && chosen_group().age == 0;
    SetDlgItemTextA(
        window, audiogram_age_range,
        no_age && !showing_change()
            ? formatted(word(audiogram_age_range), norm_youngest_age, norm_oldest_age).c_str()
            : "");
    for (int control : group_controls) {
        EnableWindow(GetDlgItem(window, control), !showing_change());
    }
    enable_equalizer_copy(window);
}

void fill_choice(HWND window, int control, std::initializer_list<int> keys, int chosen) {
    for (int key : keys) {
        SendDlgItemMessageA(window, control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(word(key)));
    }
    SendDlgItemMessageA(window, control, CB_SETCURSEL, chosen, 0);
}

void on_choice(HWND window, int control, int32_t* chosen) {
    LRESULT selected = SendDlgItemMessageA(window, control, CB_GETCURSEL, 0, 0);
    *chosen = selected == CB_ERR ? 0 : static_cast<int32_t>(selected);
    show_choices(window);
}

void on_age_typed(HWND window) {
    GetDlgItemTextA(window, audiogram_age_field, app.audiogram_age, sizeof app.audiogram_age);
    show_choices(window);
}

void on_init(HWND window) {
    app.audiogram_window = window;
    SetWindowTextA(window, word(text_audiogram_caption));
    for (int control : audiogram_caption_keys) {
        SetDlgItemTextA(window, control, word(control));
    }
    // In the orders of CompensatedEars, AudiogramShows and NormSex.
    fill_choice(window, audiogram_ear_choice, {text_both_ears, text_right_ear, text_left_ear},
                compensate_both);
    fill_choice(window, audiogram_mode_choice, {text_show_hearing_level, text_show_change},
                app.audiogram_shows);
    fill_choice(window, audiogram_sex_choice, {text_sex_not_given, text_sex_female, text_sex_male},
                app.audiogram_sex);
    SendDlgItemMessageA(window, audiogram_age_field, EM_LIMITTEXT, sizeof app.audiogram_age - 1, 0);
    SetDlgItemTextA(window, audiogram_age_field, app.audiogram_age);
    fit_into_screen(window);
    show_choices(window);
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
        case audiogram_known: run_known_audiogram(window, &app); break;
        case audiogram_ear_choice:
            if (HIWORD(wparam) == CBN_SELCHANGE) {
                enable_equalizer_copy(window);
            }
            break;
        case audiogram_mode_choice:
            if (HIWORD(wparam) == CBN_SELCHANGE) {
                on_choice(window, audiogram_mode_choice, &app.audiogram_shows);
            }
            break;
        case audiogram_sex_choice:
            if (HIWORD(wparam) == CBN_SELCHANGE) {
                on_choice(window, audiogram_sex_choice, &app.audiogram_sex);
            }
            break;
        case audiogram_age_field:
            if (HIWORD(wparam) == EN_CHANGE) {
                on_age_typed(window);
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

void show_audiogram_anew(HWND window) {
    show_choices(window);
}

void run_audiogram(HWND dialog) {
    if (app.audiogram_window != nullptr) {
        return;
    }
    DialogBoxParamA(app.instance, MAKEINTRESOURCEA(audiogram_dialog_template), dialog,
                    audiogram_dialog_proc, 0);
    app.audiogram_window = nullptr;
}
