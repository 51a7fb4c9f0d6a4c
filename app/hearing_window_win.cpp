// The hearing test window. It runs its own modal loop, so that Space answers whichever of its
// controls has the focus, at the moment the key goes down and once however long it is held; a
// click on "I hear it" answers as the button goes down. During the headphone check, Left, Both and
// Right (or the keys L, B and R) answer it, in place of "I hear it", and Space does nothing. The
// tone stream's notices come to this window and drive the test.
#include "app/hearing_window.h"

#include "app/hearing_summary.h"
#include "app/texts.h"
#include "audio/tone_stream.h"
#include "core/dialog_requests.h"
#include "editing/curve_rules.h"
#include "graph/render.h"
#include "hearing/hearing_level.h"
#include "hearing/test_session.h"
#include "resources/resource_ids.h"

#include <cstring>
#include <string>

namespace {

const int32_t right_ear = 2; // channel masks
const int32_t left_ear = 1;
const int32_t both_ears = 3;
const int red_curve = 1;
const int blue_curve = 2;
// The check's buttons and keys with the channels they answer.
struct CheckAnswer {
    int control;
    WPARAM key;
    int32_t channel_mask;
};
const CheckAnswer check_answers[] = {
    {hearing_check_left, 'L', left_ear},
    {hearing_check_both, 'B', both_ears},
    {hearing_check_right, 'R', right_ear},
};

// A text in the program's language.
const char* word(int key) {
    return text(key, app.language);
}

int ear_curve(int32_t channel_mask) {
    return channel_mask == left_ear ? blue_curve : red_curve;
}

bool checking() {
    return app.hearing.running && app.hearing.checking;
}

// The hearing test as the stream's block source; its context is the test.
void fill_test_block(void* context, int16_t* block) {
    fill_hearing_block(static_cast<HearingTest*>(context), block);
}

bool stream_is_ours() {
    return app.stream.wave_device != nullptr && app.stream.context == &app.hearing;
}

// Opens the stream for what the test has just been told to play; its clock starts with it. False
// when no sound output could be opened.
bool open_stream(HWND window, void (*begin)()) {
    if (stream_is_ours()) {
        begin();
        return true;
    }
    restart_hearing_clock(&app.hearing);
    begin();
    block_stream_open(window, fill_test_block, &app.hearing);
    return stream_is_ours();
}

void set_text(HWND window, int control, const std::string& text) {
    char shown[4096] = {};
    GetDlgItemTextA(window, control, shown, sizeof shown);
    if (text != shown) {
        SetDlgItemTextA(window, control, text.c_str());
    }
}

// Once the check has passed, each tested ear's curve holds every threshold found so far; the
// graph behind shows it. A check that fails or is stopped changes no curve.
void record_thresholds(HWND window) {
    const HearingTest& test = app.hearing;
    if (test.check_verdict != check_passed || test.decided_steps == app.hearing_recorded_steps) {
        return;
    }
    app.hearing_recorded_steps = test.decided_steps;
    CurveSet before = app.main_set;
    for (int k = 0; k < test.ear_count; ++k) {
        app.main_set.count[ear_curve(test.steps[k].channel_mask)] = 0;
    }
    for (int i = 0; i < test.step_count; ++i) {
        if (is_curve_threshold(test, i)) {
            insert_curve_point(&app.main_set, ear_curve(test.steps[i].channel_mask),
                               test.steps[i].frequency_hz,
                               stored_amplitude(test.steps[i].threshold_db));
        }
    }
    if (std::memcmp(&before, &app.main_set, sizeof before) != 0) {
        app.unsaved_changes = 1;
        request_refresh(GetWindow(window, GW_OWNER));
    }
}

// Buttons, captions, progress and summary as the test now stands.
void show_state(HWND window) {
    const HearingTest& test = app.hearing;
    bool idle = !test.running;
    CheckDlgButton(window, hearing_both_ears, test.channel_mask == both_ears);
    CheckDlgButton(window, hearing_right_ear, test.channel_mask == right_ear);
    CheckDlgButton(window, hearing_left_ear, test.channel_mask == left_ear);
    CheckDlgButton(window, hearing_quick, test.procedure == test_procedure_quick);
    CheckDlgButton(window, hearing_standard, test.procedure == test_procedure_standard);
    CheckDlgButton(window, hearing_highs, test.highs != 0);
    for (int control : {hearing_both_ears, hearing_right_ear, hearing_left_ear, hearing_quick,
                        hearing_standard, hearing_highs, hearing_sample, hearing_start}) {
        EnableWindow(GetDlgItem(window, control), idle);
    }
    // The check's buttons stand where "I hear it" stands during the test.
    for (const CheckAnswer& answer : check_answers) {
        ShowWindow(GetDlgItem(window, answer.control), checking() ? SW_SHOWNA : SW_HIDE);
        EnableWindow(GetDlgItem(window, answer.control), checking() && !test.paused);
    }
    ShowWindow(GetDlgItem(window, hearing_answer), checking() ? SW_HIDE : SW_SHOWNA);
    EnableWindow(GetDlgItem(window, hearing_pause), !idle);
    EnableWindow(GetDlgItem(window, hearing_stop), !idle);
    // A control that was just disabled (Start, once pressed) leaves the keys nowhere: they go to
    // "I hear it" instead.
    // During the check they go to its "Both" button, and "I hear it" takes them back after it.
    HWND focus = GetFocus();
    if (focus == nullptr || !IsWindowEnabled(focus) || !IsWindowVisible(focus)) {
        int control = checking() && !test.paused ? hearing_check_both : hearing_answer;
        SendMessageA(window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(window, control)),
                     TRUE);
    }
    set_text(window, hearing_pause, word(test.paused ? text_hearing_continue : hearing_pause));
    set_text(window, hearing_summary,
             format_hearing_summary(test, app.language, has_reference(app.compare_set)));
}

void show_progress(HWND window) {
    record_thresholds(window);
    set_text(window, hearing_progress, format_hearing_progress(app.hearing, app.language));
    show_state(window);
}

void begin_sample() {
    play_sample_tone(&app.hearing, app.hearing.channel_mask);
}

void begin_test() {
    LARGE_INTEGER now = {};
    QueryPerformanceCounter(&now);
    start_hearing_test(&app.hearing, app.hearing.channel_mask, app.hearing.highs != 0,
                       app.hearing.procedure, uint64_t(now.QuadPart));
}

void on_start(HWND window) {
    // The curves are replaced once the check has passed.
    app.hearing_recorded_steps = -1;
    if (!open_stream(window, begin_test)) {
        stop_hearing_test(&app.hearing);
        app.hearing.step_count = 0; // nothing was tested: no summary
        show_state(window);
        set_text(window, hearing_progress, word(text_hearing_no_output));
        return;
    }
    show_progress(window);
}

void close_window(HWND window) {
    // The sound stops at once, mid-pulse if need be: the listener closed the window.
    stop_hearing_test(&app.hearing);
    if (stream_is_ours()) {
        tone_stream_close();
    }
    HWND owner = GetWindow(window, GW_OWNER);
    // Enabled before this window goes, so that the main window becomes the active one again.
    EnableWindow(owner, TRUE);
    DestroyWindow(window);
    DeleteObject(app.hearing_answer_font);
    app.hearing_answer_font = nullptr;
    app.hearing_window = nullptr;
}

void on_command(HWND window, int control) {
    HearingTest* test = &app.hearing;
    if (control == IDCANCEL) {
        close_window(window);
        return;
    }
    if (!test->running) {
        switch (control) {
        case hearing_both_ears: test->channel_mask = both_ears; break;
        case hearing_right_ear: test->channel_mask = right_ear; break;
        case hearing_left_ear: test->channel_mask = left_ear; break;
        case hearing_quick: test->procedure = test_procedure_quick; break;
        case hearing_standard: test->procedure = test_procedure_standard; break;
        case hearing_highs: test->highs = test->highs ? 0 : 1; break;
        case hearing_sample:
            if (!open_stream(window, begin_sample)) {
                set_text(window, hearing_progress, word(text_hearing_no_output));
            }
            break;
        case hearing_start: on_start(window); return;
        }
    } else {
        switch (control) {
        case hearing_pause:
            if (test->paused) {
                continue_hearing_test(test);
            } else {
                pause_hearing_test(test);
            }
            break;
        case hearing_stop: stop_hearing_test(test); break;
        }
        for (const CheckAnswer& answer : check_answers) {
            if (control == answer.control) {
                answer_channel_check(test, answer.channel_mask);
            }
        }
    }
    show_progress(window);
}

void on_init(HWND window) {
    SetWindowTextA(window, word(text_hearing_caption));
    for (int control : hearing_caption_keys) {
        SetDlgItemTextA(window, control, word(control));
    }
    app.hearing_answer_font = create_field_font(app.status_font_height);
    for (int control :
         {hearing_answer, hearing_check_left, hearing_check_both, hearing_check_right}) {
        SendDlgItemMessageA(window, control, WM_SETFONT,
                            reinterpret_cast<WPARAM>(app.hearing_answer_font), FALSE);
    }
    show_state(window);
    SetFocus(GetDlgItem(window, hearing_answer));
}

// The block the device handed back moves the test on; once nothing is left to play, the stream
// closes.
void on_block_played(HWND window, WAVEHDR* header) {
    tone_stream_refill(header);
    if (stream_is_ours() && hearing_sound_over(app.hearing)) {
        tone_stream_close();
    }
    show_progress(window);
}

INT_PTR CALLBACK hearing_dialog_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG: on_init(window); break;
    case WM_COMMAND: on_command(window, LOWORD(wparam)); break;
    case MM_WOM_DONE: on_block_played(window, reinterpret_cast<WAVEHDR*>(lparam)); break;
    case WM_CLOSE: close_window(window); break;
    }
    return FALSE;
}

// Space and a press of "I hear it" answer; the key itself reaches no control, so that it never
// presses the button that has the focus. True when the message was taken.
bool take_answer(HWND window, const MSG& message) {
    if (message.hwnd != window && !IsChild(window, message.hwnd)) {
        return false;
    }
    bool space = message.wParam == VK_SPACE;
    // Bit 30 is set on the repeats of a held key.
    bool first = (message.lParam & (1 << 30)) == 0;
    const CheckAnswer* key = nullptr;
    for (const CheckAnswer& answer : check_answers) {
        // The key's virtual-key code is its capital; its character may be small.
        WPARAM small = message.message == WM_CHAR ? answer.key - 'A' + 'a' : answer.key;
        if (checking() && (message.wParam == answer.key || message.wParam == small)) {
            key = &answer;
        }
    }
    switch (message.message) {
    case WM_KEYDOWN:
        if (space && first) {
            answer_hearing_test(&app.hearing);
            show_progress(window);
        }
        if (key != nullptr && first) {
            answer_channel_check(&app.hearing, key->channel_mask);
            show_progress(window);
        }
        return space || key != nullptr;
    case WM_KEYUP:
    case WM_CHAR: return space || key != nullptr;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (message.hwnd == GetDlgItem(window, hearing_answer)) {
            answer_hearing_test(&app.hearing);
            show_progress(window);
        }
        return false;
    }
    return false;
}

} // namespace

void run_hearing_test(HWND dialog) {
    if (app.hearing_window != nullptr) {
        return;
    }
    std::memset(&app.hearing, 0, sizeof app.hearing);
    app.hearing.channel_mask = both_ears;
    app.hearing.procedure = test_procedure_quick;
    app.hearing_recorded_steps = 0;
    app.hearing_window = CreateDialogParamA(app.instance, MAKEINTRESOURCEA(hearing_dialog_template),
                                            dialog, hearing_dialog_proc, 0);
    if (app.hearing_window == nullptr) {
        return;
    }
    EnableWindow(dialog, FALSE);
    MSG message;
    while (app.hearing_window != nullptr) {
        BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got <= 0) {
            // A quit message ends every loop: it is handed on to the main dialog's.
            if (got == 0) {
                PostQuitMessage(int(message.wParam));
            }
            close_window(app.hearing_window);
            break;
        }
        if (!take_answer(app.hearing_window, message) &&
            !IsDialogMessageA(app.hearing_window, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}
