// The option buttons, the language list and the unsaved-changes question, on the real dialog.
#include "tests/windows/support/main_dialog_fixture.h"
#include "tests/windows/support/question_box.h"

#include "app/main_dialog.h"
#include "app/options.h"
#include "app/texts.h"
#include "core/dialog_requests.h"
#include "resources/resource_ids.h"

#include <string>
#include <vector>

namespace {

void command(HWND dialog, int control, int notification = BN_CLICKED) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(control, notification),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, control)));
}

void select_language(HWND dialog, int index) {
    SendDlgItemMessageA(dialog, language_combo, CB_SETCURSEL, index, 0);
    command(dialog, language_combo, CBN_SELCHANGE);
}

// The off-screen picture: every refresh swaps in a fresh bitmap.
HGDIOBJ picture() {
    return GetCurrentObject(app.memory_dc, OBJ_BITMAP);
}

std::string caption_of(HWND dialog, int control) {
    char text[256] = {};
    GetDlgItemTextA(dialog, control, text, sizeof text);
    return text;
}

// Everything an option command could touch, by name, to see that it touched only its own field.
struct Snapshot {
    std::vector<std::string> names;
    std::vector<long> values;
};

Snapshot snapshot() {
    Snapshot s;
    auto add = [&s](const char* name, long value) {
        s.names.push_back(name);
        s.values.push_back(value);
    };
    add("channel_mask", app.tone.channel_mask);
    add("pulse_mode", app.pulse_mode);
    add("a_weighting", app.a_weighting);
    add("snap_hz", app.snap_hz);
    add("snap_db", app.snap_db);
    add("linear_db", app.linear_db);
    add("highs_zoom", app.highs_zoom);
    add("compare_mode", app.compare_mode);
    add("current_curve", app.current_curve);
    add("language", app.language);
    add("unsaved_changes", app.unsaved_changes);
    add("main_set points", app.main_set.count[0] + app.main_set.count[1] + app.main_set.count[2]);
    add("tone playing", app.stream.wave_device != nullptr);
    return s;
}

// Names the fields in which two snapshots differ.
std::string changes(const Snapshot& before, const Snapshot& after) {
    std::string changed;
    for (size_t i = 0; i < before.values.size(); ++i) {
        if (before.values[i] != after.values[i]) {
            changed += (changed.empty() ? "" : " ") + before.names[i];
        }
    }
    return changed;
}

// Every check box must show the field it stands for.
void expect_checks_show_state(HWND dialog) {
    struct Check {
        int control;
        bool on;
    };
    const Check checks[] = {
        {btn_left, app.tone.channel_mask == 1},  {btn_both, app.tone.channel_mask == 3},
        {btn_right, app.tone.channel_mask == 2}, {btn_pulse, app.pulse_mode != 0},
        {btn_a_weighting, app.a_weighting != 0}, {btn_heights, app.highs_zoom != 0},
        {btn_snap_hz, app.snap_hz != 0},         {btn_snap_db, app.snap_db != 0},
        {btn_linear_db, app.linear_db != 0},     {btn_green, app.current_curve == 0},
        {btn_red, app.current_curve == 1},       {btn_blue, app.current_curve == 2},
        {btn_compare, app.compare_mode != 0},
    };
    for (const Check& check : checks) {
        EXPECT_EQ(check.on ? BST_CHECKED : BST_UNCHECKED, IsDlgButtonChecked(dialog, check.control))
            << "check box " << check.control;
    }
}

void expect_captions(HWND dialog, int language) {
    for (int control : main_caption_keys) {
        EXPECT_EQ(text(control, language), caption_of(dialog, control)) << "control " << control;
    }
    HMENU window_menu = GetSystemMenu(dialog, FALSE);
    for (int entry : window_menu_keys) {
        char shown[64] = {};
        GetMenuStringA(window_menu, entry, shown, sizeof shown, MF_BYCOMMAND);
        EXPECT_STREQ(text(entry, language), shown) << "window menu entry " << entry;
    }
    EXPECT_STREQ(text(text_confirm_delete, language), app.confirm_delete_text);
    EXPECT_STREQ(text(text_confirm_discard, language), app.confirm_discard_text);
}

} // namespace

TEST_F(MainDialogTest, StartsWithTheDefaultsCheckedAndTheLocalesTexts) {
    EXPECT_EQ((GetUserDefaultLCID() & 0xFF) == LANG_GERMAN ? 1 : 0, app.language);
    expect_checks_show_state(dialog);
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(dialog, btn_both));
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(dialog, btn_a_weighting));
    EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(dialog, btn_heights));
    expect_captions(dialog, app.language);
}

TEST_F(MainDialogTest, EachOptionCommandSetsItsFieldAndOnlyPictureOptionsRedraw) {
    struct Case {
        int control;
        const char* field;
        int32_t* option; // toggled; null for the channel buttons
        int channel_mask;
        bool redraws;
    };
    const Case cases[] = {
        {btn_left, "channel_mask", nullptr, 1, false},
        {btn_both, "channel_mask", nullptr, 3, false},
        {btn_right, "channel_mask", nullptr, 2, false},
        {btn_pulse, "pulse_mode", &app.pulse_mode, 0, false},
        {btn_a_weighting, "a_weighting", &app.a_weighting, 0, true},
        {btn_snap_hz, "snap_hz", &app.snap_hz, 0, false},
        {btn_snap_db, "snap_db", &app.snap_db, 0, false},
        {btn_linear_db, "linear_db", &app.linear_db, 0, true},
        {btn_heights, "highs_zoom", &app.highs_zoom, 0, true},
        {btn_compare, "compare_mode", &app.compare_mode, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("command " + std::to_string(c.control));
        if (c.option == nullptr) {
            // Start from another channel, so the click has something to change.
            app.tone.channel_mask = static_cast<int16_t>(c.channel_mask == 1 ? 2 : 1);
            sync_option_buttons(dialog);
        }
        const Snapshot before = snapshot();
        const int32_t old_value = c.option != nullptr ? *c.option : 0;
        HGDIOBJ old_picture = picture();

        command(dialog, c.control);
        EXPECT_EQ(c.field, changes(before, snapshot()));
        if (c.option != nullptr) {
            EXPECT_EQ(old_value == 0 ? 1 : 0, *c.option);
        } else {
            EXPECT_EQ(c.channel_mask, app.tone.channel_mask);
        }
        EXPECT_EQ(c.redraws, picture() != old_picture);
        EXPECT_EQ(BST_CHECKED == IsDlgButtonChecked(dialog, c.control),
                  c.option == nullptr || old_value == 0);
        expect_checks_show_state(dialog);

        // A second click toggles back; a channel button that is on stays on.
        old_picture = picture();
        command(dialog, c.control);
        if (c.option != nullptr) {
            EXPECT_EQ("", changes(before, snapshot()));
        } else {
            EXPECT_EQ(c.channel_mask, app.tone.channel_mask);
            EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(dialog, c.control));
        }
        EXPECT_EQ(c.redraws, picture() != old_picture);
        expect_checks_show_state(dialog);
    }
}

TEST_F(MainDialogTest, AClickOnTheButtonItselfGoesThroughTheState) {
    // The buttons are not automatic: the click only sends the command, the program checks them.
    HWND pulse = GetDlgItem(dialog, btn_pulse);
    SendMessageA(pulse, BM_CLICK, 0, 0);
    pump_messages();
    EXPECT_EQ(1, app.pulse_mode);
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(dialog, btn_pulse));
    SendMessageA(pulse, BM_CLICK, 0, 0);
    pump_messages();
    EXPECT_EQ(0, app.pulse_mode);
    EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(dialog, btn_pulse));

    HWND both = GetDlgItem(dialog, btn_both);
    SendMessageA(both, BM_CLICK, 0, 0);
    pump_messages();
    EXPECT_EQ(3, app.tone.channel_mask);
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(dialog, btn_both));
}

TEST_F(MainDialogTest, ACommandWithoutAHandlerStillResyncsEveryCheckBox) {
    struct Case {
        const char* name;
        int control;
        int notification;
    };
    const Case cases[] = {
        {"Enter", IDOK, BN_CLICKED},
        {"Escape", IDCANCEL, BN_CLICKED},
        {"unknown id", 999, 0},
        {"language list opened", language_combo, CBN_DROPDOWN},
        {"title typed", title_combo, CBN_EDITCHANGE},
    };
    // A state far from the defaults, with the colour buttons' field too.
    app.tone.channel_mask = 2;
    app.pulse_mode = 1;
    app.a_weighting = 0;
    app.highs_zoom = 1;
    app.snap_hz = 0;
    app.compare_mode = 1;
    app.current_curve = 2;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int scrambled[] = {btn_left,        btn_both,    btn_right,   btn_pulse,
                                 btn_a_weighting, btn_heights, btn_snap_hz, btn_snap_db,
                                 btn_linear_db,   btn_green,   btn_red,     btn_blue,
                                 btn_compare};
        for (int control : scrambled) {
            CheckDlgButton(dialog, control,
                           IsDlgButtonChecked(dialog, control) ? BST_UNCHECKED : BST_CHECKED);
        }
        const Snapshot before = snapshot();
        command(dialog, c.control, c.notification);
        EXPECT_EQ("", changes(before, snapshot()));
        expect_checks_show_state(dialog);
    }
}

TEST_F(MainDialogTest, SwitchingTheLanguageSetsEveryCaptionAndKeepsTheFixedOnes) {
    select_language(dialog, 0);
    EXPECT_EQ(0, app.language);
    expect_captions(dialog, 0);

    HGDIOBJ old_picture = picture();
    select_language(dialog, 1);
    EXPECT_EQ(1, app.language);
    expect_captions(dialog, 1);
    EXPECT_EQ("Pulsieren", caption_of(dialog, btn_pulse));
    EXPECT_EQ("\xc4nderungen nicht gespeichert. Fortfahren?",
              std::string(app.confirm_discard_text));
    const std::pair<int, const char*> fixed[] = {
        {btn_left, "L"}, {btn_both, "M"}, {btn_right, "R"}, {btn_a_weighting, "dB(A)"}};
    for (const auto& control : fixed) {
        EXPECT_EQ(control.second, caption_of(dialog, control.first));
    }
    // The graph's labels speak no language: no redraw.
    EXPECT_EQ(old_picture, picture());
    EXPECT_EQ(2, SendDlgItemMessageA(dialog, language_combo, CB_GETCOUNT, 0, 0));
    expect_checks_show_state(dialog);

    // Only a change of selection switches; merely opening the list does not.
    SendDlgItemMessageA(dialog, language_combo, CB_SETCURSEL, 0, 0);
    command(dialog, language_combo, CBN_DROPDOWN);
    EXPECT_EQ(1, app.language);
    EXPECT_EQ("Pulsieren", caption_of(dialog, btn_pulse));

    select_language(dialog, 0);
    EXPECT_EQ(0, app.language);
    expect_captions(dialog, 0);
}

TEST_F(MainDialogTest, NothingUnsavedMeansNoQuestion) {
    // Were a box shown, the watcher would answer Cancel and the call would refuse.
    QuestionWatch watch;
    watch_for_question(&watch, IDCANCEL);
    EXPECT_TRUE(confirm_unsaved_changes(dialog));
    EXPECT_FALSE(finish_watch(&watch));
    EXPECT_EQ(0, app.unsaved_changes);
}

TEST_F(MainDialogTest, UnsavedChangesAskTheQuestionInTheCurrentLanguage) {
    struct Case {
        int language;
        int button;
        bool proceeds;
        const char* question;
    };
    const Case cases[] = {
        {0, IDCANCEL, false, "Unsaved changes. Proceed?"},
        {0, IDOK, true, "Unsaved changes. Proceed?"},
        {1, IDCANCEL, false, "\xc4nderungen nicht gespeichert. Fortfahren?"},
        {1, IDOK, true, "\xc4nderungen nicht gespeichert. Fortfahren?"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.question) + (c.button == IDOK ? " OK" : " Cancel"));
        select_language(dialog, c.language);
        app.unsaved_changes = 1;
        QuestionWatch watch;
        watch_for_question(&watch, c.button);
        EXPECT_EQ(c.proceeds, confirm_unsaved_changes(dialog));
        ASSERT_TRUE(finish_watch(&watch));
        EXPECT_EQ(c.question, watch.text);
        EXPECT_EQ(question_caption, watch.caption);
        EXPECT_EQ(dialog, watch.owner);
        EXPECT_TRUE(watch.has_ok_and_cancel);
        EXPECT_TRUE(watch.has_question_icon);
        EXPECT_EQ(c.proceeds ? 0 : 1, app.unsaved_changes);
    }
}

TEST_F(MainDialogTest, CloseWithUnsavedEditsAsksAndCancelKeepsEverything) {
    select_language(dialog, 0);
    app.unsaved_changes = 1;
    HGDIOBJ old_picture = picture();
    HDC memory = app.memory_dc;

    QuestionWatch watch;
    watch_for_question(&watch, IDCANCEL);
    EXPECT_EQ(FALSE, main_dialog_proc(dialog, WM_CLOSE, 0, 0));
    ASSERT_TRUE(finish_watch(&watch));
    EXPECT_EQ("Unsaved changes. Proceed?", watch.text);
    pump_messages();
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(memory, app.memory_dc);
    EXPECT_EQ(old_picture, picture());
    EXPECT_EQ(OBJ_BITMAP, GetObjectType(old_picture));
    EXPECT_EQ(1, app.unsaved_changes);

    watch_for_question(&watch, IDOK);
    EXPECT_EQ(TRUE, main_dialog_proc(dialog, WM_CLOSE, 0, 0));
    ASSERT_TRUE(finish_watch(&watch));
    EXPECT_EQ(nullptr, app.memory_dc);
    EXPECT_EQ(0u, GetObjectType(old_picture));
}
