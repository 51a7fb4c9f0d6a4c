// The known audiogram's dialog: the grid and the title kept in the state record it is given, the
// paste, the equalizer of the typed levels, and the reference made from them. Each command ends by
// saying in the dialog's line what it did or why it did nothing; the one failure it reports of
// its own is a database file that cannot be written.
#include "app/known_audiogram.h"

#include "app/audiogram_text.h"
#include "app/audiogram_window.h"
#include "app/copy.h"
#include "app/curve_text.h"
#include "app/options.h"
#include "app/texts.h"
#include "core/dialog_requests.h"
#include "database/curve_database.h"
#include "hearing/known_audiogram.h"
#include "resources/resource_ids.h"

#include <cstdio>
#include <string>

namespace {

const int first_field[known_ear_count] = {known_right_field, known_left_field};
const int ear_names[known_ear_count] = {text_right_ear, text_left_ear};

AppState* state_of(HWND window) {
    return reinterpret_cast<AppState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

const char* word(HWND window, int key) {
    return text(key, state_of(window)->language);
}

void say(HWND window, const std::string& line) {
    SetDlgItemTextA(window, known_message, line.c_str());
}

void focus(HWND window, int control) {
    SendMessageA(window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(window, control)),
                 TRUE);
}

void show_fields(HWND window) {
    const KnownAudiogramFields& fields = state_of(window)->known_audiogram;
    for (int row = 0; row < known_frequency_count; ++row) {
        for (int ear = 0; ear < known_ear_count; ++ear) {
            SetDlgItemTextA(window, first_field[ear] + row, fields.levels[row][ear]);
        }
    }
    SetDlgItemTextA(window, known_title, fields.title);
}

// What is typed stays in the state record, so that the dialog opens with it again.
void keep_field(HWND window, int control) {
    KnownAudiogramFields& fields = state_of(window)->known_audiogram;
    for (int ear = 0; ear < known_ear_count; ++ear) {
        int row = control - first_field[ear];
        if (row >= 0 && row < known_frequency_count) {
            GetDlgItemTextA(window, control, fields.levels[row][ear], known_field_size);
        }
    }
    if (control == known_title) {
        GetDlgItemTextA(window, known_title, fields.title, known_title_size);
    }
}

// The levels typed. False when there are none to use: a field holds no level (it is named, and
// the focus goes to it) or every field is empty.
bool typed_levels(HWND window, KnownLevels* levels) {
    int row = 0;
    int ear = 0;
    if (!read_known_levels(state_of(window)->known_audiogram, levels, &row, &ear)) {
        say(window, formatted(word(window, text_known_not_a_level), known_frequencies_hz[row],
                              word(window, ear_names[ear])));
        focus(window, first_field[ear] + row);
        return false;
    }
    if (levels->ears[known_right_ear].empty() && levels->ears[known_left_ear].empty()) {
        say(window, word(window, text_known_nothing));
        return false;
    }
    return true;
}

void paste(HWND window) {
    std::string text;
    if (!clipboard_text(window, &text) || text.empty()) {
        say(window, word(window, text_known_no_text));
        return;
    }
    PastedRows pasted = paste_known_levels(text, &state_of(window)->known_audiogram);
    if (pasted.taken == 0) {
        say(window, word(window, text_known_no_rows));
        return;
    }
    show_fields(window);
    say(window, format_pasted_line(pasted, state_of(window)->language));
}

void copy_equalizer(HWND window) {
    KnownLevels levels;
    if (!typed_levels(window, &levels)) {
        return;
    }
    LRESULT chosen = SendDlgItemMessageA(window, known_ear_choice, CB_GETCURSEL, 0, 0);
    const AppState& state = *state_of(window);
    std::string text =
        format_known_compensation_text(levels, chosen == CB_ERR ? compensate_both : int(chosen),
                                       utf8_of_ansi(state.known_audiogram.title), state.language);
    if (text.empty()) {
        say(window, word(window, text_known_ear_empty));
        return;
    }
    put_text_on_clipboard(window, text);
    say(window, word(window, text_known_copied));
}

// Appends the reference to the database and loads it as the compare set, with Compare on; the
// audiogram window and the main window show it at once.
void make_reference(HWND window) {
    KnownLevels levels;
    if (!typed_levels(window, &levels)) {
        return;
    }
    AppState* state = state_of(window);
    std::string title = state->known_audiogram.title;
    if (title.find_first_not_of(' ') == std::string::npos) {
        say(window, word(window, text_known_no_title));
        focus(window, known_title);
        return;
    }
    KnownReference reference = make_known_reference(levels, state->main_set);
    std::string lines = format_reference_lines(reference, levels, state->language);
    if (reference.held[known_right_ear] + reference.held[known_left_ear] == 0) {
        say(window, word(window, text_known_unusable) + std::string("\r\n") + lines);
        return;
    }
    HWND audiogram = GetWindow(window, GW_OWNER);
    HWND main_dialog = GetWindow(audiogram, GW_OWNER);
    std::string stored;
    if (!add_record(main_dialog, title, reference.set, &stored)) {
        say(window, word(window, text_known_not_saved));
        return;
    }
    state->compare_set = reference.set;
    std::snprintf(state->compare_title, sizeof state->compare_title, "%s", stored.c_str());
    state->compare_mode = 1;
    sync_option_buttons(main_dialog);
    request_refresh(main_dialog);
    show_audiogram_anew(audiogram);
    say(window, formatted(word(window, text_known_saved), stored.c_str()) + "\r\n" + lines);
}

void on_init(HWND window, AppState* state) {
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    SetWindowTextA(window, word(window, text_known_caption));
    for (int control : known_caption_keys) {
        SetDlgItemTextA(window, control, word(window, control));
    }
    SetDlgItemTextA(window, known_right_header, word(window, text_right_ear));
    SetDlgItemTextA(window, known_left_header, word(window, text_left_ear));
    SetDlgItemTextA(window, known_copy_equalizer, word(window, audiogram_copy_equalizer));
    SetDlgItemTextA(window, known_close, word(window, audiogram_close));
    // In the order of CompensatedEars.
    for (int ears : {text_both_ears, text_right_ear, text_left_ear}) {
        SendDlgItemMessageA(window, known_ear_choice, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(word(window, ears)));
    }
    SendDlgItemMessageA(window, known_ear_choice, CB_SETCURSEL, compensate_both, 0);
    for (int row = 0; row < known_frequency_count; ++row) {
        SetDlgItemTextA(
            window, known_frequency_label + row,
            formatted(word(window, text_hearing_frequency), known_frequencies_hz[row]).c_str());
        for (int ear = 0; ear < known_ear_count; ++ear) {
            SendDlgItemMessageA(window, first_field[ear] + row, EM_LIMITTEXT, known_field_size - 1,
                                0);
        }
    }
    SendDlgItemMessageA(window, known_title, EM_LIMITTEXT, known_title_size - 1, 0);
    KnownAudiogramFields& fields = state->known_audiogram;
    if (fields.title_given == 0) {
        std::snprintf(fields.title, sizeof fields.title, "%s%s",
                      word(window, text_known_title_start), date_title().c_str());
        fields.title_given = 1;
    }
    show_fields(window);
}

INT_PTR CALLBACK known_dialog_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG: on_init(window, reinterpret_cast<AppState*>(lparam)); return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wparam)) {
        case known_paste: paste(window); break;
        case known_copy_equalizer: copy_equalizer(window); break;
        case known_make_reference: make_reference(window); break;
        case known_close:
        case IDCANCEL: EndDialog(window, 0); break;
        default:
            if (HIWORD(wparam) == EN_CHANGE) {
                keep_field(window, LOWORD(wparam));
            }
        }
        break;
    case WM_CLOSE: EndDialog(window, 0); break;
    }
    return FALSE;
}

} // namespace

void run_known_audiogram(HWND audiogram_window, AppState* state) {
    DialogBoxParamA(state->instance, MAKEINTRESOURCEA(known_dialog_template), audiogram_window,
                    known_dialog_proc, reinterpret_cast<LPARAM>(state));
}
