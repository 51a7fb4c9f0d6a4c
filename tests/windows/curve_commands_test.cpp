// The commands on whole curves in the running dialog: choosing the current curve, emptying it,
// and resetting everything after the unsaved-changes question.
#include "tests/windows/support/main_dialog_fixture.h"
#include "tests/windows/support/question_box.h"
#include "tests/windows/support/refresh_count.h"

#include "resources/resource_ids.h"

#include <cstring>
#include <string>

namespace {

void click(HWND dialog, int id) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
    pump_messages();
}

// Three curves of distinct points in both sets.
void fill_curves() {
    for (CurveSet* set : {&app.main_set, &app.compare_set}) {
        for (int c = 0; c < curve_count; ++c) {
            set->count[c] = static_cast<uint16_t>(c + 2);
            for (int i = 0; i < set->count[c]; ++i) {
                set->freq_hz[c][i] = static_cast<uint16_t>(10000 - 1000 * i - c);
                set->amplitude[c][i] = static_cast<uint16_t>(100 * (i + 1) + c);
            }
        }
    }
}

std::string title_field(HWND dialog) {
    char text[256] = {};
    GetDlgItemTextA(dialog, title_combo, text, sizeof text);
    return text;
}

int total_points(const CurveSet& set) {
    return set.count[0] + set.count[1] + set.count[2];
}

class CurveCommandsTest : public MainDialogTest {
  protected:
    void SetUp() override {
        MainDialogTest::SetUp();
        count_refreshes(dialog);
    }
    void TearDown() override {
        stop_counting_refreshes(dialog);
        MainDialogTest::TearDown();
    }
};

} // namespace

TEST_F(CurveCommandsTest, ColourButtonsChooseTheCurrentCurveWithoutRedrawing) {
    struct Step {
        int button;
        int curve;
    };
    // Each colour, one chosen twice, and back to green.
    const Step steps[] = {{btn_red, 1}, {btn_blue, 2}, {btn_blue, 2}, {btn_green, 0}};
    const int colour_buttons[] = {btn_green, btn_red, btn_blue};
    for (const Step& step : steps) {
        click(dialog, step.button);
        EXPECT_EQ(step.curve, app.current_curve) << "button " << step.button;
        for (int c = 0; c < curve_count; ++c) {
            EXPECT_EQ(c == step.curve ? BST_CHECKED : BST_UNCHECKED,
                      IsDlgButtonChecked(dialog, colour_buttons[c]))
                << "button " << step.button << ", colour " << c;
        }
    }
    EXPECT_EQ(0, refresh_count());
}

TEST_F(CurveCommandsTest, DeleteCurrentCurveEmptiesOnlyThatCurveAndKeepsTheFlag) {
    int refreshes = 0;
    for (int unsaved : {0, 1}) {
        for (int current = 0; current < curve_count; ++current) {
            fill_curves();
            CurveSet before = app.main_set;
            CurveSet compare_before = app.compare_set;
            app.current_curve = static_cast<int16_t>(current);
            app.unsaved_changes = unsaved;
            click(dialog, btn_delete_curve);
            for (int c = 0; c < curve_count; ++c) {
                EXPECT_EQ(c == current ? 0 : before.count[c], app.main_set.count[c])
                    << "current " << current << ", curve " << c;
            }
            // The points stay in place behind the count.
            EXPECT_EQ(0, std::memcmp(before.freq_hz, app.main_set.freq_hz, sizeof before.freq_hz));
            EXPECT_EQ(0, std::memcmp(&compare_before, &app.compare_set, sizeof compare_before));
            EXPECT_EQ(current, app.current_curve);
            EXPECT_EQ(unsaved, app.unsaved_changes) << "current " << current;
            EXPECT_EQ(++refreshes, refresh_count()) << "current " << current;
        }
    }
    // An empty curve is only redrawn.
    click(dialog, btn_delete_curve);
    EXPECT_EQ(0, app.main_set.count[app.current_curve]);
    EXPECT_EQ(++refreshes, refresh_count());
}

TEST_F(CurveCommandsTest, ResetWithoutUnsavedEditsEmptiesEverythingWithoutAsking) {
    fill_curves();
    app.current_curve = 2;
    app.compare_mode = 0;
    SetDlgItemTextA(dialog, title_combo, "mine");
    QuestionWatch none;
    watch_for_question(&none, IDCANCEL);
    click(dialog, btn_reset);
    EXPECT_FALSE(finish_watch(&none)) << "a question without unsaved edits";
    EXPECT_EQ(0, total_points(app.main_set));
    EXPECT_EQ(0, total_points(app.compare_set)) << "the compare set goes, Compare off or not";
    EXPECT_NE("mine", title_field(dialog));
    EXPECT_EQ(' ', title_field(dialog).back()) << "a date title ends in a blank";
    EXPECT_EQ(2, app.current_curve);
    EXPECT_EQ(0, app.compare_mode);
    EXPECT_EQ(1, refresh_count());
}

TEST_F(CurveCommandsTest, ResetWithUnsavedEditsAsksFirst) {
    struct Case {
        int answer;
        bool resets;
    };
    const Case cases[] = {{IDCANCEL, false}, {IDOK, true}};
    int refreshes = 0;
    for (const Case& c : cases) {
        fill_curves();
        app.compare_mode = 1;
        app.unsaved_changes = 1;
        SetDlgItemTextA(dialog, title_combo, "mine");
        QuestionWatch watch;
        watch_for_question(&watch, c.answer);
        click(dialog, btn_reset);
        ASSERT_TRUE(finish_watch(&watch)) << "answer " << c.answer;
        EXPECT_EQ(app.confirm_discard_text, watch.text);
        EXPECT_EQ(question_caption, watch.caption);
        EXPECT_TRUE(watch.has_ok_and_cancel);
        EXPECT_EQ(c.resets ? 0 : 9, total_points(app.main_set)) << "answer " << c.answer;
        EXPECT_EQ(c.resets ? 0 : 9, total_points(app.compare_set)) << "answer " << c.answer;
        EXPECT_EQ(c.resets ? 0 : 1, app.unsaved_changes) << "answer " << c.answer;
        EXPECT_EQ(c.resets, title_field(dialog) != "mine") << "answer " << c.answer;
        EXPECT_EQ(c.resets ? ++refreshes : refreshes, refresh_count()) << "answer " << c.answer;
        EXPECT_EQ(1, app.compare_mode);
    }
}
