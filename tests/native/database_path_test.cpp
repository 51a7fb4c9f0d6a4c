// The database file's name follows the program's: its own file, never the program itself.
#include "database/database_path.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(DatabasePath, NamesTheFileAfterTheProgram) {
    struct Case {
        const char* program;
        const char* database;
    };
    const Case cases[] = {
        {"C:\\Tools\\tone.exe", "C:\\Tools\\tone.txt"},
        {"C:\\Tools\\Sonabrill.EXE", "C:\\Tools\\Sonabrill.txt"},
        {"C:\\Tools\\tone.v2.exe", "C:\\Tools\\tone.v2.txt"},
        // No '.' in the file name: the extension is added, folder dots are left alone.
        {"C:\\Tools\\tone", "C:\\Tools\\tone.txt"},
        {"C:\\My.Tools\\tone", "C:\\My.Tools\\tone.txt"},
        {"C:/My.Tools/tone", "C:/My.Tools/tone.txt"},
        {"C:tone", "C:tone.txt"},
        {"C:\\Tools\\tone.", "C:\\Tools\\tone.txt"},
        // A program that itself ends in ".txt" must not become its own database.
        {"C:\\Tools\\tone.txt", "C:\\Tools\\tone.txt.txt"},
        {"C:\\Tools\\tone.TXT", "C:\\Tools\\tone.TXT.txt"},
    };
    for (const Case& c : cases) {
        char path[400];
        EXPECT_TRUE(make_database_path(c.program, path, sizeof path)) << c.program;
        EXPECT_STREQ(c.database, path) << c.program;
    }
}

TEST(DatabasePath, GivesNoPathRatherThanAShortenedOne) {
    char path[400];
    // A folder of 392 characters: "\ab.txt" makes 399 characters, the most that fit.
    std::string folder = "C:\\" + std::string(389, 'f');
    std::string fits = folder + "\\ab.exe";
    std::string too_long = folder + "\\abc.exe";
    EXPECT_TRUE(make_database_path(fits.c_str(), path, sizeof path));
    EXPECT_EQ(399u, std::string(path).size());
    EXPECT_EQ(folder + "\\ab.txt", path);

    std::memset(path, 'x', sizeof path);
    EXPECT_FALSE(make_database_path(too_long.c_str(), path, sizeof path));
    EXPECT_STREQ("", path);

    // A program path that could not be read names no file at all, not ".txt" in some folder.
    std::memset(path, 'x', sizeof path);
    EXPECT_FALSE(make_database_path("", path, sizeof path));
    EXPECT_STREQ("", path);

    // The ".txt.txt" fallback may not fit where the plain replacement would.
    std::string text_program = folder + "\\ab.txt";
    EXPECT_FALSE(make_database_path(text_program.c_str(), path, sizeof path));
    EXPECT_STREQ("", path);
}
