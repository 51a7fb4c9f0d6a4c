// The database's text format: which lines are titles, what a record holds, and that saving,
// loading and removing keep every byte they should.
#include "database/record_format.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

std::vector<std::string> titles_of(const std::string& text) {
    return list_titles(text.c_str(), text.size());
}

// Loads the record titled title into a set whose counts start at junk values.
bool load(const std::string& text, const std::string& title, CurveSet* set) {
    std::memset(set, 0, sizeof *set);
    for (int c = 0; c < curve_count; ++c) {
        set->count[c] = 77;
    }
    RecordSpan span;
    if (!find_record(text.c_str(), text.size(), title, &span)) {
        return false;
    }
    read_curves(text.c_str(), text.size(), span, set);
    return true;
}

std::vector<std::pair<int, int>> points_of(const CurveSet& set, int c) {
    std::vector<std::pair<int, int>> points;
    for (int i = 0; i < set.count[c]; ++i) {
        points.emplace_back(set.freq_hz[c][i], set.amplitude[c][i]);
    }
    return points;
}

void set_curve(CurveSet* set, int c, const std::vector<std::pair<int, int>>& points) {
    set->count[c] = static_cast<uint16_t>(points.size());
    for (size_t i = 0; i < points.size(); ++i) {
        set->freq_hz[c][i] = static_cast<uint16_t>(points[i].first);
        set->amplitude[c][i] = static_cast<uint16_t>(points[i].second);
    }
}

std::string curve_line(int c, int points, int first_frequency) {
    std::string line = std::to_string(c);
    for (int i = 0; i < points; ++i) {
        line += ";" + std::to_string(first_frequency - i) + "," + std::to_string(i + 1);
    }
    return line + ";\r\n";
}

} // namespace

TEST(RecordFormat, ListsTitlesNewestFirst) {
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::string> titles;
    };
    const Case cases[] = {
        {"empty file", "", {}},
        {"three records",
         "old\r\n0;1,2;\r\n\r\nmiddle\r\n1;3,4;\r\n\r\nnew\r\n2;5,6;\r\n\r\n",
         {"new", "middle", "old"}},
        {"empty lines between records are skipped",
         "\r\n\r\na\r\n0;1,2;\r\n\r\n\r\n\r\nb\r\n0;1,2;\r\n\r\n",
         {"b", "a"}},
        {"a lone line before an empty line is no title", "stray\r\n\r\na\r\n0;1,2;\r\n\r\n", {"a"}},
        {"empty lines at the start are no titles", "\r\n\r\n\r\na\r\n0;1,2;\r\n\r\n", {"a"}},
        {"what is left after deleting a record between two empty lines",
         "\r\nb\r\n0;1,2;\r\n\r\n",
         {"b"}},
        {"a record without its closing empty line is listed last",
         "a\r\n0;1,2;\r\n\r\nb\r\n0;1,2;\r\n",
         {"b", "a"}},
        {"a title line without a record after it", "a\r\n0;1,2;\r\n\r\nb\r\n", {"b", "a"}},
        {"text without any line end", "a\r\n0;1,2;\r\n\r\nb", {"a"}},
        {"lone CR and LF are no line ends", "a\rb\nc\r\n0;1,2;\r\n\r\n", {"a\rb\nc"}},
        {"the title line may look like numbers", "0;1,2;\r\n0;1,2;\r\n\r\n", {"0;1,2;"}},
        {"every curve line belongs to the record, whatever it says",
         "a\r\nb\r\nc\r\n\r\nd\r\n0;1,2;\r\n\r\n",
         {"d", "a"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.titles, titles_of(c.text)) << c.name;
    }
}

TEST(RecordFormat, FindsOnlyTheRecordWhoseWholeTitleLineMatches) {
    // "ear" stands inside another title and "1000" inside a line of numbers.
    const std::string text = "left ear\r\n0;1000,5;\r\n\r\n"
                             "ear\r\n1;2000,6;\r\n\r\n"
                             "1000\r\n2;3000,7;\r\n\r\n"
                             "EAR\r\n0;4000,8;\r\n\r\n";
    struct Case {
        const char* title;
        int curve;
        int frequency;
    };
    const Case cases[] = {
        {"left ear", 0, 1000}, {"ear", 1, 2000}, {"1000", 2, 3000}, {"EAR", 0, 4000}};
    for (const Case& c : cases) {
        CurveSet set;
        ASSERT_TRUE(load(text, c.title, &set)) << c.title;
        EXPECT_EQ(1, set.count[c.curve]) << c.title;
        EXPECT_EQ(c.frequency, set.freq_hz[c.curve][0]) << c.title;

        RecordSpan span;
        ASSERT_TRUE(find_record(text.c_str(), text.size(), c.title, &span));
        std::string rest = remove_record(text.c_str(), text.size(), span);
        std::vector<std::string> left = titles_of(rest);
        EXPECT_EQ(3u, left.size()) << c.title;
        for (const std::string& title : left) {
            EXPECT_NE(c.title, title);
        }
    }
    CurveSet set;
    for (const char* absent : {"left", "ea", "Ear", "ear ", "", "0;1000,5;"}) {
        EXPECT_FALSE(load(text, absent, &set)) << absent;
    }
}

TEST(RecordFormat, TheFirstOfTwoEqualTitlesIsFound) {
    const std::string text = "a\r\n0;1,1;\r\n\r\na\r\n0;2,2;\r\n\r\n";
    CurveSet set;
    ASSERT_TRUE(load(text, "a", &set));
    EXPECT_EQ(1, set.freq_hz[0][0]);
}

TEST(RecordFormat, ReadsCurveLines) {
    struct Case {
        const char* name;
        std::string body; // the lines after the title line "t"
        std::vector<std::pair<int, int>> curves[3];
    };
    const Case cases[] = {
        {"curves 0 and 2 leave curve 1 empty",
         "0;4000,1500;1000,900;\r\n2;500,3000;\r\n\r\n",
         {{{4000, 1500}, {1000, 900}}, {}, {{500, 3000}}}},
        {"a later line with the same index replaces the earlier",
         "1;10,20;\r\n1;30,40;\r\n\r\n",
         {{}, {{30, 40}}, {}}},
        {"an index that is no digit counts as 0", "x;10,20;\r\n\r\n", {{{10, 20}}, {}, {}}},
        {"an index above 2 stops reading",
         "0;10,20;\r\n3;30,40;\r\n1;50,60;\r\n\r\n",
         {{{10, 20}}, {}, {}}},
        {"a second character other than ';' stops reading",
         "0;10,20;\r\n1,30,40;\r\n2;50,60;\r\n\r\n",
         {{{10, 20}}, {}, {}}},
        {"a point without ',' stops reading and keeps the points before",
         "0;10,20;\r\n1;30,40;50;\r\n2;5,6;\r\n\r\n",
         {{{10, 20}}, {{30, 40}}, {}}},
        {"a curve line without its last ';' reads on into the next line",
         "0;10,20\r\n1;30,40;\r\n\r\n",
         {{{10, 20}, {30, 40}}, {}, {}}},
        {"no ';' left stops reading", "0;10,20;\r\n1;30,40\r\n\r\n", {{{10, 20}}, {}, {}}},
        {"a line with no points empties its curve", "0;\r\n\r\n", {{}, {}, {}}},
        {"the record without its closing empty line", "2;7,8;\r\n", {{}, {}, {{7, 8}}}},
        {"the record ending in the middle of a line", "2;7,8;9,", {{}, {}, {{7, 8}}}},
        {"a record with nothing after its title", "", {{}, {}, {}}},
        {"numbers with blanks, signs and other characters",
         "0; 12,+34;-1,  -0;x,7y;\t5,\r\n6;\r\n\r\n",
         {{{12, 34}, {65535, 0}, {0, 7}, {5, 6}}, {}, {}}},
        {"numbers beyond 65535 keep their value modulo 65536",
         "0;65536,65535;70000,4294967303;123456789012345678901234567890,"
         "-123456789012345678901234567890;\r\n\r\n",
         {{{0, 65535}, {4464, 7}, {2770, 62766}}, {}, {}}},
        {"the next record is not read", "0;1,2;\r\n\r\nu\r\n1;3,4;\r\n\r\n", {{{1, 2}}, {}, {}}},
    };
    for (const Case& c : cases) {
        CurveSet set;
        ASSERT_TRUE(load("t\r\n" + c.body, "t", &set)) << c.name;
        for (int curve = 0; curve < curve_count; ++curve) {
            EXPECT_EQ(c.curves[curve], points_of(set, curve)) << c.name << ", curve " << curve;
        }
    }
}

TEST(RecordFormat, TakesAtMostOneHundredPointsPerLine) {
    for (int points : {99, 100, 101, 250}) {
        std::string text = "t\r\n" + curve_line(0, points, 20000) + curve_line(1, 3, 500) +
                           curve_line(2, 100, 9000) + "\r\n";
        CurveSet set;
        ASSERT_TRUE(load(text, "t", &set));
        int expected = points < curve_capacity ? points : curve_capacity;
        ASSERT_EQ(expected, set.count[0]) << points << " points";
        EXPECT_EQ(20000 - (expected - 1), set.freq_hz[0][expected - 1]) << points << " points";
        EXPECT_EQ(3, set.count[1]) << "the line after " << points << " points";
        EXPECT_EQ(500, set.freq_hz[1][0]) << "the line after " << points << " points";
        EXPECT_EQ(100, set.count[2]) << "the last line after " << points << " points";
    }
}

TEST(RecordFormat, ReadsNumbersAsStored) {
    struct Case {
        const char* text;
        uint16_t value;
    };
    const Case cases[] = {
        {"0", 0},
        {"32767", 32767},
        {"65535", 65535},
        {"65536", 0},
        {"65537", 1},
        {"-1", 65535},
        {"+7", 7},
        {" \t 12", 12},
        {"12 3", 12},
        {"", 0},
        {"-", 0},
        {"x5", 0},
        {"--5", 0},
        {"- 5", 0},
        {"007", 7},
        {"4294967296", 0},
        // 10^38 is a multiple of 2^16, so 10^38 - 1 leaves 65535.
        {"99999999999999999999999999999999999999", 65535},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.value, read_stored_number(c.text, std::strlen(c.text))) << '"' << c.text << '"';
    }
    // The length bounds the number, not a terminator.
    EXPECT_EQ(12, read_stored_number("12345", 2));
}

TEST(RecordFormat, StoredTitleAppendsBarsForListedTitles) {
    struct Case {
        const char* name;
        std::string field;
        std::vector<std::string> listed;
        std::string stored;
    };
    const Case cases[] = {
        {"new title", "ear", {"nose"}, "ear"},
        {"first save", "ear", {}, "ear"},
        {"second save", "ear", {"ear"}, "ear|"},
        {"third save", "ear", {"ear|", "ear"}, "ear||"},
        {"letter case is ignored", "Ear", {"ear||", "EAR|", "ear"}, "Ear|||"},
        {"Windows-1252 letters too", "\xC4rger \x8A", {"\xE4RGER \x9A"}, "\xC4rger \x8A|"},
        {"other bytes stay apart", "a\xD7", {"a\xF7"}, "a\xD7"},
        {"a gap in the bars", "ear", {"ear||"}, "ear"},
        {"empty field", "", {""}, ""},
        {"the field is cut after 49 characters", std::string(60, 'x'), {}, std::string(49, 'x')},
        {"the cut title is compared",
         std::string(60, 'x'),
         {std::string(49, 'x')},
         std::string(49, 'x') + "|"},
        {"a title is one line", "ear\r\nnose", {"ear"}, "ear|"},
        {"a title of nothing but a line end", "\nx", {}, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.stored, stored_title(c.field, c.listed)) << c.name;
    }
    // Many saves under one title: the bars grow without limit.
    std::vector<std::string> listed;
    for (int i = 0; i < 300; ++i) {
        listed.push_back(stored_title("ear", listed));
    }
    EXPECT_EQ("ear" + std::string(299, '|'), listed.back());
}

TEST(RecordFormat, SavesEveryPointWithFrequencyAndLevel) {
    struct Case {
        const char* name;
        std::vector<std::pair<int, int>> curves[3];
        std::string record; // empty: nothing to save
    };
    const Case cases[] = {
        {"three curves",
         {{{4000, 1500}, {1000, 900}}, {{800, 1}}, {{65535, 32767}}},
         "t\r\n0;4000,1500;1000,900;\r\n1;800,1;\r\n2;65535,32767;\r\n\r\n"},
        {"curves 0 and 2 only",
         {{{500, 3000}}, {}, {{250, 1200}}},
         "t\r\n0;500,3000;\r\n2;250,1200;\r\n\r\n"},
        {"no points", {{}, {}, {}}, ""},
        {"point 0 without level: the points after it are saved",
         {{{4000, 0}, {1000, 900}}, {}, {}},
         "t\r\n0;1000,900;\r\n\r\n"},
        {"point 0 without frequency: the points after it are saved",
         {{{0, 10}, {1000, 900}}, {}, {}},
         "t\r\n0;1000,900;\r\n\r\n"},
        {"point k without level: only that point is left out",
         {{{4000, 1}, {2000, 0}, {1000, 3}}, {}, {}},
         "t\r\n0;4000,1;1000,3;\r\n\r\n"},
        {"a curve of zero points only is not saved",
         {{{0, 5}, {6, 0}}, {{0, 0}}, {{10, 20}}},
         "t\r\n2;10,20;\r\n\r\n"},
        {"only zero points: nothing to save", {{{0, 5}}, {{6, 0}}, {}}, ""},
    };
    for (const Case& c : cases) {
        CurveSet set = {};
        for (int curve = 0; curve < curve_count; ++curve) {
            set_curve(&set, curve, c.curves[curve]);
        }
        EXPECT_EQ(c.record, format_record("t", set)) << c.name;
        bool any = curve_has_points(set, 0) || curve_has_points(set, 1) || curve_has_points(set, 2);
        EXPECT_EQ(!c.record.empty(), any) << c.name;
    }
}

TEST(RecordFormat, SavesNothingWithoutTitleAndNeverABrokenTitleLine) {
    CurveSet set = {};
    set_curve(&set, 0, {{100, 200}});
    EXPECT_EQ("", format_record("", set));
    EXPECT_EQ("", format_record("\r\nx", set));
    EXPECT_EQ("a\r\n0;100,200;\r\n\r\n", format_record("a\rb", set));
}

TEST(RecordFormat, RemovesOnlyTheRecord) {
    struct Case {
        const char* name;
        std::string text;
        std::string title;
        std::string rest;
    };
    const Case cases[] = {
        {"the only record", "a\r\n0;1,2;\r\n\r\n", "a", ""},
        {"the middle record keeps the empty lines around it",
         "a\r\n0;1,2;\r\n\r\n\r\nb\r\n0;1,2;\r\n\r\n\r\nc\r\n0;1,2;\r\n\r\n", "b",
         "a\r\n0;1,2;\r\n\r\n\r\n\r\nc\r\n0;1,2;\r\n\r\n"},
        {"text before the first record stays", "junk\r\n\r\na\r\n0;1,2;\r\n\r\ntail", "a",
         "junk\r\n\r\ntail"},
        {"a record without its closing empty line is not removed",
         "a\r\n0;1,2;\r\n\r\nb\r\n0;1,2;\r\n", "b", "a\r\n0;1,2;\r\n\r\nb\r\n0;1,2;\r\n"},
    };
    for (const Case& c : cases) {
        RecordSpan span;
        ASSERT_TRUE(find_record(c.text.c_str(), c.text.size(), c.title, &span)) << c.name;
        EXPECT_EQ(c.rest, remove_record(c.text.c_str(), c.text.size(), span)) << c.name;
    }
}

TEST(RecordFormat, ANewRecordStandsOnItsOwnWhateverTheFileEndsWith) {
    CurveSet set = {};
    set_curve(&set, 0, {{1000, 900}});
    const std::string record = format_record("new", set);
    struct Case {
        const char* name;
        std::string file;
        std::string separator;
        std::vector<std::string> titles; // after the new record is appended
    };
    const Case cases[] = {
        {"an empty file", "", "", {"new"}},
        {"a file the program wrote", "a\r\n0;1,2;\r\n\r\n", "", {"new", "a"}},
        {"a last record without its closing line", "a\r\n0;1,2;\r\n", "\r\n", {"new", "a"}},
        {"LF line ends", "a\n0;1,2;\n\n", "\r\n\r\n", {"new"}},
        {"stray text without a line end", "a\r\n0;1,2;\r\n\r\nnote", "\r\n\r\n", {"new", "a"}},
        {"a lone CR at the end", "a\r\n0;1,2;\r\n\r", "\r\n\r\n", {"new", "a"}},
    };
    for (const Case& c : cases) {
        // The program reads only the file's last four bytes.
        std::string tail = c.file.substr(c.file.size() < 4 ? 0 : c.file.size() - 4);
        std::string separator = record_separator(tail.data(), tail.size());
        EXPECT_EQ(c.separator, separator) << c.name;
        std::string saved = c.file + separator + record;
        EXPECT_EQ(c.titles, titles_of(saved)) << c.name;
        CurveSet loaded;
        ASSERT_TRUE(load(saved, "new", &loaded)) << c.name;
        EXPECT_EQ((std::vector<std::pair<int, int>>{{1000, 900}}), points_of(loaded, 0)) << c.name;
    }
}

TEST(RecordFormat, RandomSetsSurviveSavingAndLoading) {
    std::mt19937 random(20230127);
    std::string file;
    std::vector<CurveSet> saved;
    std::vector<std::string> titles;
    for (int round = 0; round < 300; ++round) {
        CurveSet set = {};
        for (int c = 0; c < curve_count; ++c) {
            set.count[c] = static_cast<uint16_t>(random() % (curve_capacity + 1));
            for (int i = 0; i < set.count[c]; ++i) {
                // Zero points now and then, and values across the whole 16-bit range.
                set.freq_hz[c][i] = random() % 20 == 0 ? 0 : static_cast<uint16_t>(random());
                set.amplitude[c][i] = random() % 20 == 0 ? 0 : static_cast<uint16_t>(random());
            }
        }
        std::string title = stored_title("set " + std::to_string(random() % 50), titles);
        std::string record = format_record(title, set);
        if (record.empty()) {
            continue;
        }
        file += record;
        titles.insert(titles.begin(), title);
        saved.push_back(set);
    }
    ASSERT_EQ(titles, titles_of(file));
    for (size_t r = 0; r < saved.size(); ++r) {
        const std::string& title = titles[titles.size() - 1 - r];
        CurveSet loaded;
        ASSERT_TRUE(load(file, title, &loaded)) << title;
        for (int c = 0; c < curve_count; ++c) {
            std::vector<std::pair<int, int>> expected;
            for (const auto& point : points_of(saved[r], c)) {
                if (point.first != 0 && point.second != 0) {
                    expected.push_back(point);
                }
            }
            EXPECT_EQ(expected, points_of(loaded, c)) << title << ", curve " << c;
        }
    }
}
