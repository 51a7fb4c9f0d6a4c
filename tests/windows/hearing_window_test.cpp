// The hearing test window in the running program, its sound on ALSA's null device: a listener
// who answers the headphone check with its keys (Space first, which the check ignores) and every
// tone from -33 dBFS up, driven from a timer inside the window's own loop.
#include "tests/windows/support/main_dialog_fixture.h"

#include "hearing/hearing_level.h"
#include "resources/resource_ids.h"

namespace {

struct Listener {
    int stage;
    int false_alarms_before_start;
    int ticks;
};
Listener listener;

void press_space(HWND window) {
    PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0x00390001);
    PostMessageA(window, WM_KEYUP, VK_SPACE, 0xC0390001);
}

void press_key(HWND window, WPARAM key) {
    PostMessageA(window, WM_KEYDOWN, key, 0x00000001);
    PostMessageA(window, WM_KEYUP, key, 0xC0000001);
}

void click(HWND window, int control) {
    PostMessageA(GetDlgItem(window, control), BM_CLICK, 0, 0);
}

// Space before Start, then the right ear, the standard procedure and Start; each check tone that
// sounds answered with Space, then with its key; every tone at -33 dBFS or louder answered (a
// posted key is handled before the next tick); Stop once the first frequency has its threshold;
// then the window's close button, also when 100 s have passed.
void CALLBACK act(HWND, UINT, UINT_PTR, DWORD) {
    HWND window = app.hearing_window;
    const HearingTest& test = app.hearing;
    const Presentation& p = test.presentation;
    if (window == nullptr) {
        return;
    }
    if (++listener.ticks > 20000) {
        listener.stage = 3;
    }
    switch (listener.stage) {
    case 0: press_space(window); break;
    case 1:
        listener.false_alarms_before_start = test.false_alarms + test.step_count;
        click(window, hearing_right_ear);
        click(window, hearing_standard);
        click(window, hearing_start);
        break;
    case 2:
        if (p.kind == presentation_check && !p.decided && p.onset < test.played_frames) {
            press_space(window);
            press_key(window, p.channel_mask == 3 ? 'B' : p.channel_mask == 1 ? 'L' : 'R');
            return;
        }
        if (p.kind == presentation_tone && !p.decided && p.level_db >= -33 &&
            p.onset < test.played_frames) {
            press_space(window);
        }
        if (test.decided_steps == 0) {
            return;
        }
        click(window, hearing_stop);
        break;
    case 3: PostMessageA(window, WM_CLOSE, 0, 0); break;
    }
    ++listener.stage;
}

TEST_F(MainDialogTest, HearingTestIgnoresSpaceBeforeStartAndStopKeepsTheThresholds) {
    app.tone.channel_mask = 1;
    app.pulse_mode = 1;
    app.current_curve = 2;
    app.main_set.count[1] = 1; // the red curve, which the right ear's test replaces
    app.main_set.freq_hz[1][0] = 500;
    app.main_set.count[2] = 1; // the blue one, which stays
    app.main_set.freq_hz[2][0] = 700;
    app.main_set.amplitude[2][0] = 77;
    listener = {};
    UINT_PTR timer = SetTimer(nullptr, 0, 5, act);
    SendMessageA(dialog, WM_SYSCOMMAND, menu_hearing_test, 0);
    KillTimer(nullptr, timer);

    EXPECT_EQ(0, listener.false_alarms_before_start) << "Space before Start";
    EXPECT_EQ(check_passed, app.hearing.check_verdict);
    EXPECT_EQ(0, app.hearing.false_alarms) << "Space during the check";
    EXPECT_EQ(nullptr, app.hearing_window);
    EXPECT_EQ(nullptr, app.stream.wave_device) << "closing stops the sound";
    EXPECT_EQ(1, app.hearing.decided_steps) << "stopped after 1000 Hz";
    ASSERT_EQ(1, app.main_set.count[1]);
    EXPECT_EQ(1000, app.main_set.freq_hz[1][0]);
    EXPECT_EQ(stored_amplitude(-30), app.main_set.amplitude[1][0]);
    EXPECT_EQ(1, app.unsaved_changes);
    ASSERT_EQ(1, app.main_set.count[2]);
    EXPECT_EQ(77, app.main_set.amplitude[2][0]);
    EXPECT_EQ(1, app.tone.channel_mask);
    EXPECT_EQ(1, app.pulse_mode);
    EXPECT_EQ(2, app.current_curve);
    EXPECT_TRUE(IsWindowEnabled(dialog));
}

} // namespace
