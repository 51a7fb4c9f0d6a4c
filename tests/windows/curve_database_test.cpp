// The curve database in the running dialog: the file beside the exe, the title list, saving,
// loading, deleting after the question, and what a locked or unreplaceable file does.
#include "tests/windows/support/main_dialog_fixture.h"
#include "tests/windows/support/question_box.h"
#include "tests/windows/support/refresh_count.h"

#include "database/curve_database.h"
#include "resources/resource_ids.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string module_path() {
    std::string path(32768, '\0');
    path.resize(GetModuleFileNameA(nullptr, &path[0], static_cast<DWORD>(path.size())));
    return path;
}

// The database of this test exe: the exe's own path with ".txt" for ".exe".
std::string database_file() {
    std::string path = module_path();
    return path.substr(0, path.size() - 4) + ".txt";
}

std::string folder_of(const std::string& path) {
    return path.substr(0, path.find_last_of("\\/") + 1);
}

std::string read_file(const std::string& path) {
    std::string bytes;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return "(missing)";
    }
    char chunk[4096];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        bytes.append(chunk, got);
    }
    std::fclose(file);
    return bytes;
}

void write_file(const std::string& path, const std::string& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(nullptr, file);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

// Files in the database's folder whose names start with the database's name, other than the
// database itself: the leftovers of a replacement.
std::vector<std::string> leftovers() {
    std::string database = database_file();
    std::string name = database.substr(folder_of(database).size());
    std::vector<std::string> found;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((database + "*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) {
        return found;
    }
    do {
        if (_stricmp(entry.cFileName, name.c_str()) != 0) {
            found.push_back(entry.cFileName);
        }
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return found;
}

std::vector<std::string> listed(HWND dialog) {
    std::vector<std::string> titles;
    HWND combo = GetDlgItem(dialog, title_combo);
    LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char text[256] = {};
        SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        titles.push_back(text);
    }
    return titles;
}

std::string title_field(HWND dialog) {
    char text[256] = {};
    GetDlgItemTextA(dialog, title_combo, text, sizeof text);
    return text;
}

void set_title_field(HWND dialog, const std::string& title) {
    SetDlgItemTextA(dialog, title_combo, title.c_str());
}

void click(HWND dialog, int id) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
    pump_messages();
}

void set_curve(CurveSet* set, int c, const std::vector<std::pair<int, int>>& points) {
    set->count[c] = static_cast<uint16_t>(points.size());
    for (size_t i = 0; i < points.size(); ++i) {
        set->freq_hz[c][i] = static_cast<uint16_t>(points[i].first);
        set->amplitude[c][i] = static_cast<uint16_t>(points[i].second);
    }
}

std::vector<std::pair<int, int>> points_of(const CurveSet& set, int c) {
    std::vector<std::pair<int, int>> points;
    for (int i = 0; i < set.count[c]; ++i) {
        points.emplace_back(set.freq_hz[c][i], set.amplitude[c][i]);
    }
    return points;
}

// A date title looks like the user's date, a blank, the time without seconds, and a blank.
bool looks_like_date_title(const std::string& title) {
    return title.size() > 8 && title.back() == ' ' && title.find(' ') < title.size() - 1 &&
           title.find_first_of("0123456789") == 0;
}

const std::string three_records = "old\r\n0;4000,1500;1000,900;\r\n\r\n"
                                  "middle\r\n1;2000,700;\r\n2;300,20;\r\n\r\n"
                                  "new\r\n2;500,3000;\r\n\r\n";

class CurveDatabaseTest : public MainDialogTest {
  protected:
    void SetUp() override {
        DeleteFileA(database_file().c_str());
        MainDialogTest::SetUp();
    }
    void TearDown() override {
        stop_counting_refreshes(dialog);
        MainDialogTest::TearDown();
        DeleteFileA(database_file().c_str());
    }
    // Opens the dialog anew, so that its initialisation reads the file as it is now.
    void reopen() {
        app.unsaved_changes = 0;
        SendMessageA(dialog, WM_CLOSE, 0, 0);
        DestroyWindow(dialog);
        pump_messages();
        dialog = open_main_dialog();
    }
    // Picks entry index of the title list as the user does, which notifies the dialog.
    void pick(int index, WORD notification = CBN_SELCHANGE) {
        HWND combo = GetDlgItem(dialog, title_combo);
        SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(title_combo, notification),
                     reinterpret_cast<LPARAM>(combo));
        pump_messages();
    }
    // The delete command, answered with button; returns what the question box showed.
    QuestionWatch delete_answering(int button) {
        QuestionWatch watch;
        watch_for_question(&watch, button);
        click(dialog, btn_delete_set);
        EXPECT_TRUE(finish_watch(&watch)) << "no question was asked";
        return watch;
    }
};

} // namespace

TEST_F(CurveDatabaseTest, ReadsTheFileBesideTheProgramAtStartNewestFirst) {
    EXPECT_EQ(database_file(), app.database_path);
    EXPECT_EQ(std::vector<std::string>{}, listed(dialog)) << "no file yet";

    write_file(database_file(), three_records);
    reopen();
    EXPECT_EQ((std::vector<std::string>{"new", "middle", "old"}), listed(dialog));
    EXPECT_TRUE(looks_like_date_title(title_field(dialog))) << '"' << title_field(dialog) << '"';
    EXPECT_EQ(three_records, read_file(database_file())) << "reading changes nothing";
}

TEST_F(CurveDatabaseTest, DateTitleFollowsTheUsersLocale) {
    // The formats of the locales this runs under: German day.month.year with a 24-hour clock
    // (Windows pads day and month to two digits, Wine does not), US English month/day/year with
    // a 12-hour clock. Other locales are only checked for the title's shape.
    LANGID language = LANGIDFROMLCID(GetUserDefaultLCID());
    SYSTEMTIME before;
    GetLocalTime(&before);
    set_date_title(dialog);
    SYSTEMTIME after;
    GetLocalTime(&after);
    std::string title = title_field(dialog);
    EXPECT_TRUE(looks_like_date_title(title)) << '"' << title << '"';

    std::vector<std::string> expected;
    for (const SYSTEMTIME& t : {before, after}) {
        char text[64];
        if (PRIMARYLANGID(language) == LANG_GERMAN) {
            std::snprintf(text, sizeof text, "%02d.%02d.%04d %02d:%02d ", t.wDay, t.wMonth, t.wYear,
                          t.wHour, t.wMinute);
            expected.push_back(text);
            std::snprintf(text, sizeof text, "%d.%d.%04d %02d:%02d ", t.wDay, t.wMonth, t.wYear,
                          t.wHour, t.wMinute);
        } else if (language == MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)) {
            int hour = t.wHour % 12 == 0 ? 12 : t.wHour % 12;
            std::snprintf(text, sizeof text, "%d/%d/%04d %d:%02d %s ", t.wMonth, t.wDay, t.wYear,
                          hour, t.wMinute, t.wHour < 12 ? "AM" : "PM");
        } else {
            GTEST_SKIP() << "no expected date format for language " << std::hex << language;
        }
        expected.push_back(text);
    }
    bool matches = false;
    for (const std::string& e : expected) {
        matches = matches || title == e;
    }
    EXPECT_TRUE(matches) << "language " << std::hex << language << ": \"" << title
                         << "\", expected like \"" << expected[0] << '"';
}

TEST_F(CurveDatabaseTest, SavingAppendsRecordsWithBarsForRepeatedTitles) {
    set_curve(&app.main_set, 0, {{4000, 1500}, {1000, 900}});
    set_curve(&app.main_set, 2, {{500, 3000}});
    struct Step {
        const char* typed;
        const char* stored;
    };
    // Three saves under one title, then one that differs only in letter case.
    const Step steps[] = {{"ear", "ear"}, {"ear", "ear|"}, {"ear", "ear||"}, {"EaR", "EaR|||"}};
    std::string file;
    std::vector<std::string> titles;
    for (const Step& step : steps) {
        set_title_field(dialog, step.typed);
        app.unsaved_changes = 1;
        click(dialog, btn_add_set);
        file += std::string(step.stored) + "\r\n0;4000,1500;1000,900;\r\n2;500,3000;\r\n\r\n";
        titles.insert(titles.begin(), step.stored);
        EXPECT_EQ(file, read_file(database_file())) << step.stored;
        EXPECT_EQ(titles, listed(dialog)) << step.stored;
        EXPECT_TRUE(looks_like_date_title(title_field(dialog))) << step.stored;
        EXPECT_EQ(0, app.unsaved_changes) << step.stored;
    }
}

TEST_F(CurveDatabaseTest, SavingKeepsEveryPointWithFrequencyAndLevel) {
    // Point 0 of the green curve has no level and point 1 of the red one no frequency: only
    // those points are left out. The blue curve has nothing else and is not saved.
    set_curve(&app.main_set, 0, {{4000, 0}, {2000, 700}, {1000, 900}});
    set_curve(&app.main_set, 1, {{3000, 5}, {0, 6}, {100, 7}});
    set_curve(&app.main_set, 2, {{0, 30}});
    set_title_field(dialog, "zeros");
    click(dialog, btn_add_set);
    EXPECT_EQ("zeros\r\n0;2000,700;1000,900;\r\n1;3000,5;100,7;\r\n\r\n",
              read_file(database_file()));
}

// The unsaved-changes flag is cleared only when nothing is left that a close could lose: the
// record was written, or there was no curve to save.
TEST_F(CurveDatabaseTest, SavingClearsTheFlagOnlyWhenTheSetIsInTheFileOrHasNoCurve) {
    const std::string folder = "(a folder)";
    struct Case {
        const char* name;
        std::string before; // the file before the save; empty: none, folder: a folder
        std::string title;
        std::vector<std::pair<int, int>> green;
        std::string after;
        int flag;
    };
    const Case cases[] = {
        {"empty title", "", "", {{1000, 10}}, "", 1},
        {"no points", "", "ear", {}, "", 0},
        {"only points without level", "", "ear", {{1000, 0}, {500, 0}}, "", 0},
        {"a title set longer than the field takes is cut after 49 characters",
         "",
         std::string(60, 't'),
         {{1000, 10}},
         std::string(49, 't') + "\r\n0;1000,10;\r\n\r\n",
         0},
        {"a file with LF line ends gets the line ends it lacks",
         "a\n0;1,2;\n",
         "ear",
         {{1000, 10}},
         "a\n0;1,2;\n\r\n\r\near\r\n0;1000,10;\r\n\r\n",
         0},
        {"a folder where the file should be", folder, "ear", {{1000, 10}}, folder, 1},
    };
    for (const Case& c : cases) {
        DeleteFileA(database_file().c_str());
        if (c.before == folder) {
            ASSERT_TRUE(CreateDirectoryA(database_file().c_str(), nullptr)) << c.name;
        } else if (!c.before.empty()) {
            write_file(database_file(), c.before);
        }
        set_curve(&app.main_set, 0, c.green);
        set_title_field(dialog, c.title);
        app.unsaved_changes = 1;
        click(dialog, btn_add_set);
        if (c.before == folder) {
            RemoveDirectoryA(database_file().c_str());
        } else {
            EXPECT_EQ(c.after, read_file(database_file())) << c.name << ": the file is created";
        }
        EXPECT_EQ(c.flag, app.unsaved_changes) << c.name;
        if (c.after == c.before) {
            EXPECT_EQ(c.title, title_field(dialog)) << c.name << ": the field stays";
        }
    }
}

TEST_F(CurveDatabaseTest, LoadsTheSelectedRecordIntoTheMainOrTheCompareSet) {
    write_file(database_file(), three_records);
    load_title_list(dialog);
    set_curve(&app.main_set, 0, {{50, 5}});
    set_curve(&app.main_set, 1, {{60, 6}});
    HWND combo = GetDlgItem(dialog, title_combo);

    // The list shows "new", "middle", "old": index 1 is the record with curves 1 and 2.
    SendMessageA(combo, CB_SETCURSEL, 1, 0);
    app.unsaved_changes = 1;
    load_set(dialog);
    EXPECT_EQ((std::vector<std::pair<int, int>>{}), points_of(app.main_set, 0));
    EXPECT_EQ((std::vector<std::pair<int, int>>{{2000, 700}}), points_of(app.main_set, 1));
    EXPECT_EQ((std::vector<std::pair<int, int>>{{300, 20}}), points_of(app.main_set, 2));
    EXPECT_EQ(1, app.unsaved_changes) << "loading never touches the flag";

    app.compare_mode = 1;
    SendMessageA(combo, CB_SETCURSEL, 2, 0);
    load_set(dialog);
    EXPECT_EQ((std::vector<std::pair<int, int>>{{4000, 1500}, {1000, 900}}),
              points_of(app.compare_set, 0));
    EXPECT_EQ(0, app.compare_set.count[1]);
    EXPECT_EQ(0, app.compare_set.count[2]);
    EXPECT_EQ((std::vector<std::pair<int, int>>{{2000, 700}}), points_of(app.main_set, 1))
        << "the main set stays";

    // Without a selection nothing changes.
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    load_set(dialog);
    EXPECT_EQ(2, app.compare_set.count[0]);
}

TEST_F(CurveDatabaseTest, DeletesTheTitledRecordOnlyAfterOk) {
    write_file(database_file(), three_records);
    load_title_list(dialog);
    set_title_field(dialog, "middle");

    QuestionWatch cancelled = delete_answering(IDCANCEL);
    EXPECT_STRNE("", app.confirm_delete_text);
    EXPECT_EQ(app.confirm_delete_text, cancelled.text);
    EXPECT_EQ(question_caption, cancelled.caption);
    EXPECT_EQ(dialog, cancelled.owner);
    EXPECT_TRUE(cancelled.has_question_icon);
    EXPECT_TRUE(cancelled.has_ok_and_cancel);
    EXPECT_EQ(three_records, read_file(database_file())) << "Cancel";
    EXPECT_EQ("middle", title_field(dialog)) << "Cancel";

    delete_answering(IDOK);
    EXPECT_EQ("old\r\n0;4000,1500;1000,900;\r\n\r\nnew\r\n2;500,3000;\r\n\r\n",
              read_file(database_file()));
    EXPECT_EQ((std::vector<std::string>{"new", "old"}), listed(dialog));
    EXPECT_TRUE(looks_like_date_title(title_field(dialog)));
    EXPECT_EQ(std::vector<std::string>{}, leftovers());
}

TEST_F(CurveDatabaseTest, DeletesOnlyAWholeTitleLine) {
    struct Case {
        const char* name;
        std::string file;
        std::string title;
        std::string rest;
        std::vector<std::string> left; // the list afterwards
    };
    const std::string inner = "ear\r\n0;1000,5;\r\n\r\nleft ear\r\n1;2000,6;\r\n\r\n"
                              "1000\r\n2;3000,7;\r\n\r\n";
    const Case cases[] = {
        {"the only record", "only\r\n0;1,2;\r\n\r\n", "only", "", {}},
        {"a title inside another title",
         inner,
         "ear",
         "left ear\r\n1;2000,6;\r\n\r\n1000\r\n2;3000,7;\r\n\r\n",
         {"1000", "left ear"}},
        {"a title inside a line of numbers",
         inner,
         "1000",
         "ear\r\n0;1000,5;\r\n\r\nleft ear\r\n1;2000,6;\r\n\r\n",
         {"left ear", "ear"}},
        {"a part of a title", inner, "left", inner, {"1000", "left ear", "ear"}},
        {"other letter case", inner, "EAR", inner, {"1000", "left ear", "ear"}},
        {"a record without its closing empty line",
         "a\r\n0;1,2;\r\n\r\nb\r\n0;1,2;\r\n",
         "b",
         "a\r\n0;1,2;\r\n\r\nb\r\n0;1,2;\r\n",
         {"b", "a"}},
    };
    for (const Case& c : cases) {
        write_file(database_file(), c.file);
        load_title_list(dialog);
        set_title_field(dialog, c.title);
        delete_answering(IDOK);
        EXPECT_EQ(c.rest, read_file(database_file())) << c.name;
        if (c.rest == c.file) {
            EXPECT_EQ(c.title, title_field(dialog)) << c.name << ": nothing changes";
        } else {
            EXPECT_TRUE(looks_like_date_title(title_field(dialog))) << c.name;
        }
        EXPECT_EQ(c.left, listed(dialog)) << c.name;
        EXPECT_EQ(std::vector<std::string>{}, leftovers()) << c.name;
    }
}

TEST_F(CurveDatabaseTest, AFileHeldOpenByAnotherHandleMakesEveryOperationFailQuietly) {
    write_file(database_file(), three_records);
    load_title_list(dialog);
    HANDLE holder = CreateFileA(database_file().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, holder);
    // An entry that the file does not hold shows whether the list was rebuilt.
    HWND combo = GetDlgItem(dialog, title_combo);
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("shown"));
    load_title_list(dialog);
    EXPECT_EQ((std::vector<std::string>{"new", "middle", "old", "shown"}), listed(dialog))
        << "the list stays";

    set_curve(&app.main_set, 0, {{50, 5}});
    SendMessageA(combo, CB_SETCURSEL, 1, 0);
    load_set(dialog);
    EXPECT_EQ((std::vector<std::pair<int, int>>{{50, 5}}), points_of(app.main_set, 0))
        << "loading changes nothing";
    EXPECT_EQ(0, app.main_set.count[1]) << "loading changes nothing";

    set_curve(&app.main_set, 0, {{1000, 10}});
    set_title_field(dialog, "locked");
    app.unsaved_changes = 1;
    click(dialog, btn_add_set);
    EXPECT_EQ(1, app.unsaved_changes) << "nothing was saved";
    EXPECT_EQ("locked", title_field(dialog));

    set_title_field(dialog, "middle");
    delete_answering(IDOK);
    EXPECT_EQ("middle", title_field(dialog));

    CloseHandle(holder);
    EXPECT_EQ(three_records, read_file(database_file())) << "nothing is lost";
    EXPECT_EQ(std::vector<std::string>{}, leftovers());
}

TEST_F(CurveDatabaseTest, ADeleteThatCannotReplaceTheFileLeavesItWhole) {
    write_file(database_file(), three_records);
    load_title_list(dialog);
    std::string temporary = database_file() + "." + std::to_string(GetCurrentProcessId()) + ".tmp";

    // A handle without data access (as a program that only looks at the file's attributes
    // holds it) lets the file be read and the new copy be written, but the database cannot be
    // replaced while it is open.
    HANDLE watcher = CreateFileA(database_file().c_str(), 0, 0, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, watcher);
    set_title_field(dialog, "middle");
    delete_answering(IDOK);
    CloseHandle(watcher);
    EXPECT_EQ(three_records, read_file(database_file())) << "database held open";
    EXPECT_EQ(std::vector<std::string>{}, leftovers()) << "database held open";
    EXPECT_EQ("middle", title_field(dialog)) << "database held open";
    EXPECT_EQ((std::vector<std::string>{"new", "middle", "old"}), listed(dialog));

    // The new copy cannot even be created where a folder takes its name.
    ASSERT_TRUE(CreateDirectoryA(temporary.c_str(), nullptr));
    delete_answering(IDOK);
    RemoveDirectoryA(temporary.c_str());
    EXPECT_EQ(three_records, read_file(database_file())) << "no temporary file";
    EXPECT_EQ(std::vector<std::string>{}, leftovers()) << "no temporary file";

    // Once nothing is in the way, the same delete goes through.
    delete_answering(IDOK);
    EXPECT_EQ((std::vector<std::string>{"new", "old"}), listed(dialog));
}

TEST_F(CurveDatabaseTest, PickingATitleAsksAboutUnsavedEditsThenLoadsAndRedraws) {
    write_file(database_file(), three_records);
    load_title_list(dialog);
    count_refreshes(dialog);
    using Points = std::vector<std::pair<int, int>>;

    // Nothing unsaved: no question; the record replaces the whole main set.
    set_curve(&app.main_set, 0, {{50, 5}});
    QuestionWatch none;
    watch_for_question(&none, IDCANCEL);
    pick(0);
    EXPECT_FALSE(finish_watch(&none)) << "a question without unsaved edits";
    EXPECT_EQ(Points{}, points_of(app.main_set, 0));
    EXPECT_EQ((Points{{500, 3000}}), points_of(app.main_set, 2));
    EXPECT_EQ(1, refresh_count());

    // Unsaved edits and Cancel: nothing is loaded or redrawn, the list shows the picked entry.
    app.unsaved_changes = 1;
    QuestionWatch cancelled;
    watch_for_question(&cancelled, IDCANCEL);
    pick(2);
    ASSERT_TRUE(finish_watch(&cancelled));
    EXPECT_STRNE("", app.confirm_discard_text);
    EXPECT_EQ(app.confirm_discard_text, cancelled.text);
    EXPECT_EQ(dialog, cancelled.owner);
    EXPECT_EQ((Points{{500, 3000}}), points_of(app.main_set, 2));
    EXPECT_EQ(1, app.unsaved_changes);
    EXPECT_EQ(1, refresh_count());
    EXPECT_EQ(2, SendDlgItemMessageA(dialog, title_combo, CB_GETCURSEL, 0, 0));

    // With Compare on the question is asked all the same; OK loads into the compare set only.
    app.compare_mode = 1;
    QuestionWatch agreed;
    watch_for_question(&agreed, IDOK);
    pick(2);
    ASSERT_TRUE(finish_watch(&agreed));
    EXPECT_EQ((Points{{4000, 1500}, {1000, 900}}), points_of(app.compare_set, 0));
    EXPECT_EQ((Points{{500, 3000}}), points_of(app.main_set, 2)) << "the main set stays";
    EXPECT_EQ(0, app.unsaved_changes);
    EXPECT_EQ(2, refresh_count());

    // Typing in the field is no selection.
    pick(1, CBN_EDITCHANGE);
    EXPECT_EQ((Points{{4000, 1500}, {1000, 900}}), points_of(app.compare_set, 0));
    EXPECT_EQ(2, refresh_count());

    // A file that cannot be read loads nothing, and the graph is redrawn all the same.
    HANDLE holder = CreateFileA(database_file().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    pick(1);
    CloseHandle(holder);
    EXPECT_EQ((Points{{4000, 1500}, {1000, 900}}), points_of(app.compare_set, 0));
    EXPECT_EQ(3, refresh_count());
}
