// The watcher answers a real message box with the button it was given and reports what it saw.
#include "tests/windows/support/question_box.h"

#include "resources/resource_ids.h"

#include <gtest/gtest.h>

TEST(QuestionBox, AnswersWithTheChosenButtonAndReadsTheBox) {
    for (int button : {IDOK, IDCANCEL}) {
        QuestionWatch watch;
        watch_for_question(&watch, button);
        int answer =
            MessageBoxA(nullptr, "Proceed?", question_caption, MB_OKCANCEL | MB_ICONQUESTION);
        ASSERT_TRUE(finish_watch(&watch));
        EXPECT_EQ(button, answer);
        EXPECT_EQ("Proceed?", watch.text);
        EXPECT_EQ(question_caption, watch.caption);
        EXPECT_TRUE(watch.has_ok_and_cancel);
        EXPECT_TRUE(watch.has_question_icon);
    }
}

TEST(QuestionBox, TellsAnOtherIconApart) {
    QuestionWatch watch;
    watch_for_question(&watch, IDOK);
    MessageBoxA(nullptr, "Note", question_caption, MB_OKCANCEL | MB_ICONWARNING);
    ASSERT_TRUE(finish_watch(&watch));
    EXPECT_FALSE(watch.has_question_icon);
}
