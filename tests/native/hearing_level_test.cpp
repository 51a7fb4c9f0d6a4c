// Hearing levels of the main set against a reference set, each ear's average of 500, 1000, 2000
// and 4000 Hz with its grade, and the difference between the ears, for sets as the hearing test
// and the database file leave them; a known audiogram's fields, its pasted text and the reference
// made from it; the thresholds of people of an age and sex; the change since an earlier test and
// its criteria.
#include "hearing/hearing_level.h"

#include "graph/scales.h"
#include "hearing/age_norms.h"
#include "hearing/hearing_change.h"
#include "hearing/known_audiogram.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Point {
    int curve;
    uint16_t frequency;
    int32_t amplitude;
};

// A whole level in dBFS, stored as the hearing test stores a threshold.
int32_t grid(int32_t level_db) {
    return stored_amplitude(level_db);
}

// Curve `curve` at 500, 1000, 2000 and 4000 Hz, in falling frequency as curves are kept.
std::vector<Point> four(int curve, int32_t at_4000, int32_t at_2000, int32_t at_1000,
                        int32_t at_500) {
    return {{curve, 4000, at_4000},
            {curve, 2000, at_2000},
            {curve, 1000, at_1000},
            {curve, 500, at_500}};
}

std::vector<Point> operator+(std::vector<Point> a, const std::vector<Point>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

CurveSet set_of(const std::vector<Point>& points) {
    CurveSet set = {};
    for (const Point& p : points) {
        set.freq_hz[p.curve][set.count[p.curve]] = p.frequency;
        set.amplitude[p.curve][set.count[p.curve]++] = uint16_t(p.amplitude);
    }
    return set;
}

// Per curve with hearing levels: each point's "frequency=level" in rising frequency ("~" marks a
// point that does not count), then the average and its grade, or the frequencies it misses; then
// the difference between the ears where it counts; "no reference" first where the set is none.
std::string describe(const CurveSet& main_set, const CurveSet& reference) {
    std::string text;
    EarAverage ears[curve_count];
    for (int c = 0; c < curve_count; ++c) {
        ears[c] = ear_average(main_set, reference, c);
        if (!ears[c].has_levels) {
            continue;
        }
        text += (text.empty() ? "" : " | ") + std::to_string(c) + ":";
        for (const PointLevel& p : curve_hearing_levels(main_set, reference, c)) {
            text += " " + std::to_string(p.frequency_hz) + "=" + std::to_string(p.level_db) +
                    (p.counts ? "" : "~");
        }
        if (ears[c].missing_count == 0) {
            text += " avg=" + std::to_string(ears[c].average_db) +
                    " grade=" + std::to_string(grade_of(ears[c].average_db));
        }
        for (int k = 0; k < ears[c].missing_count; ++k) {
            text += (k == 0 ? " missing=" : ",") + std::to_string(ears[c].missing_hz[k]);
        }
    }
    int32_t difference = notable_ear_difference(ears[right_ear_curve], ears[left_ear_curve]);
    if (difference != 0) {
        text += " | diff=" + std::to_string(difference);
    }
    return has_reference(reference) ? text : "no reference" + text;
}

} // namespace

TEST(HearingLevel, LevelsAgainstTheReferenceAveragesGradesAndTheEarDifference) {
    // A reference ear at -70 dBFS (amplitude 10, -70.31 dB) at the four frequencies: a threshold
    // of -50 dBFS there is 20 dB HL.
    const std::vector<Point> flat_right = four(1, grid(-70), grid(-70), grid(-70), grid(-70));
    const std::vector<Point> flat_left = four(2, grid(-70), grid(-70), grid(-70), grid(-70));
    const std::vector<Point> flat = flat_right + flat_left;
    // Amplitude 1 (-90.31 dB): the quietest reference, for the grades from 80 dB HL.
    const std::vector<Point> quietest = four(1, 1, 1, 1, 1) + four(2, 1, 1, 1, 1);
    const struct {
        const char* what;
        std::vector<Point> reference;
        std::vector<Point> main_set;
        std::string expected;
    } cases[] = {
        {"exact at 1000 and 4000, half way in log frequency at 2000, nothing outside",
         {{1, 4000, grid(-60)}, {1, 1000, grid(-40)}},
         {{1, 8000, grid(-20)},
          {1, 4000, grid(-35)},
          {1, 2000, grid(-40)},
          {1, 1000, grid(-30)},
          {1, 500, grid(-30)}},
         "1: 1000=10 2000=10 4000=25 missing=500"},
        {"a silent or missing curve of its colour leaves the reference's green to stand in, which "
         "with one point gives a level at its frequency only",
         {{0, 1000, grid(-40)}, {1, 1000, 0}},
         {{0, 1000, grid(-40)}, {1, 2000, grid(-30)}, {1, 1000, grid(-30)}, {2, 1000, grid(-15)}},
         "0: 1000=0 missing=500,2000,4000 | 1: 1000=10 missing=500,2000,4000 | "
         "2: 1000=25 missing=500,2000,4000"},
        {"thresholds stored to the nearest amplitude: -80 and -79 dBFS (3 and 4), -76 and -75 (5 "
         "and 6) stay apart, each within the 1.6 dB that one step of amplitude 3 spans",
         {{1, 1000, grid(-79)}, {1, 500, grid(-80)}, {1, 250, grid(-76)}},
         {{1, 1000, grid(-72)}, {1, 500, grid(-72)}, {1, 250, grid(-75)}},
         "1: 250=2 500=9 1000=6 missing=2000,4000"},
        {"a reference of silent or 0 Hz points only is none: no level",
         {{0, 1000, 0}, {1, 0, grid(-40)}},
         {{1, 1000, grid(-30)}},
         "no reference"},
        {"silent or 0 Hz points have no level, nor has one outside the reference; of equal "
         "frequencies the first that is not silent counts, in the reference and in the average, "
         "while every point has its level; a curve loaded in no order is listed rising",
         {{1, 4000, grid(-70)},
          {1, 2000, grid(-70)},
          {1, 1000, 0},
          {1, 1000, grid(-70)},
          {1, 1000, grid(-40)},
          {1, 500, grid(-70)}},
         {{1, 2000, grid(-50)},
          {1, 1000, 0},
          {1, 1000, grid(-30)},
          {1, 4000, grid(-50)},
          {1, 8000, grid(-50)},
          {1, 1000, grid(-60)},
          {1, 500, grid(-50)},
          {1, 0, grid(-50)}},
         "1: 500=20 1000=40 1000=10~ 2000=20 4000=20 avg=25 grade=1"},
        {"on the 5 dB grid the levels are the thresholds' exact differences; averages round half "
         "away from zero",
         flat,
         four(1, grid(-40), grid(-35), grid(-40), grid(-35)) +
             four(2, grid(-70), grid(-65), grid(-70), grid(-65)),
         "1: 500=35 1000=30 2000=35 4000=30 avg=33 grade=1 | "
         "2: 500=5 1000=0 2000=5 4000=0 avg=3 grade=0 | diff=30"},
        {"below 0 dB HL", four(1, grid(-40), grid(-40), grid(-40), grid(-40)),
         four(1, grid(-40), grid(-45), grid(-40), grid(-45)),
         "1: 500=-5 1000=0 2000=-5 4000=0 avg=-3 grade=0"},
        {"grade edges 19 and 34, ears 15 dB apart", flat,
         four(1, grid(-55), grid(-50), grid(-50), grid(-50)) +
             four(2, grid(-40), grid(-35), grid(-35), grid(-35)),
         "1: 500=20 1000=20 2000=20 4000=15 avg=19 grade=0 | "
         "2: 500=35 1000=35 2000=35 4000=30 avg=34 grade=1 | diff=15"},
        {"grade edges 35 and 49, ears 14 dB apart", flat,
         four(1, grid(-35), grid(-35), grid(-35), grid(-35)) +
             four(2, grid(-25), grid(-20), grid(-20), grid(-20)),
         "1: 500=35 1000=35 2000=35 4000=35 avg=35 grade=2 | "
         "2: 500=50 1000=50 2000=50 4000=45 avg=49 grade=2"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.expected, describe(set_of(c.main_set), set_of(c.reference))) << c.what;
    }
    // Every grade's edges on the grades' own rule; two stored levels lie at most 90 dB apart
    // (amplitude 1 to full scale), so the upper edges cannot be reached through a set.
    const int32_t edges[][2] = {{-10, 0}, {19, 0}, {20, 1}, {34, 1}, {35, 2}, {49, 2}, {50, 3},
                                {64, 3},  {65, 4}, {79, 4}, {80, 5}, {94, 5}, {95, 6}};
    for (const auto& edge : edges) {
        EXPECT_EQ(edge[1], grade_of(edge[0])) << edge[0] << " dB HL";
    }
}

namespace {

// What the last of the texts pasted in turn took and the grid's filled rows ("500:20/25"); then
// the first field that is no level, or the reference's curves ("1: 2000=33", amplitudes) and what
// it left out ("R750 none").
std::string describe_known(const std::vector<const char*>& pasted, const CurveSet& main_set) {
    KnownAudiogramFields fields = {};
    PastedRows rows = {};
    for (const char* text : pasted) {
        rows = paste_known_levels(text, &fields);
    }
    std::string text = "taken=" + std::to_string(rows.taken);
    for (const std::string& frequency : rows.not_taken) {
        text += " not=" + frequency;
    }
    for (int row = 0; row < known_frequency_count; ++row) {
        if (fields.levels[row][0][0] != '\0' || fields.levels[row][1][0] != '\0') {
            text += " " + std::to_string(known_frequencies_hz[row]) + ":" + fields.levels[row][0] +
                    "/" + fields.levels[row][1];
        }
    }
    KnownLevels levels;
    int bad_row = -1, bad_ear = -1;
    if (!read_known_levels(fields, &levels, &bad_row, &bad_ear)) {
        return text + " | bad=" + std::to_string(known_frequencies_hz[bad_row]) + "RL"[bad_ear];
    }
    KnownReference reference = make_known_reference(levels, main_set);
    text += " |";
    for (int c = 0; c < curve_count; ++c) {
        for (int i = 0; i < reference.set.count[c]; ++i) {
            text += (i == 0 ? " " + std::to_string(c) + ":" : "") + " " +
                    std::to_string(reference.set.freq_hz[c][i]) + "=" +
                    std::to_string(reference.set.amplitude[c][i]);
        }
    }
    const char* reasons[] = {"none", "quiet", "loud"};
    for (const LeftOut& out : reference.left_out) {
        text += std::string(" ") + "RL"[out.ear] + std::to_string(out.frequency_hz) + " " +
                reasons[out.reason];
    }
    return text;
}

} // namespace

TEST(HearingLevel, KnownAudiogramFieldsPastedTextAndTheReferenceMadeFromIt) {
    const struct {
        const char* what;
        std::vector<const char*> pasted;
        std::vector<Point> thresholds;
        std::string expected;
    } cases[] = {
        {"a level is a whole number from -10 to 120, a sign allowed; a level that no amplitude "
         "can hold as a reference is left out",
         {"125\t+5\t-0\n250\t-10\n500\t120\n"},
         {{1, 500, grid(-5)}, {1, 250, grid(-70)}, {1, 125, grid(-50)}, {2, 125, grid(-50)}},
         "taken=3 125:+5/-0 250:-10/ 500:120/ | 1: 250=32 125=58 2: 125=104 R500 quiet"},
        {"not a level", {"500\t12.5"}, {}, "taken=1 500:12.5/ | bad=500R"},
        {"not a level", {"500\t130"}, {}, "taken=1 500:130/ | bad=500R"},
        {"not a level", {"500\t-20"}, {}, "taken=1 500:-20/ | bad=500R"},
        {"not a level", {"500\t4O"}, {}, "taken=1 500:4O/ | bad=500R"},
        {"the first field that is no level: the right ear's column before the left's",
         {"125\t\tx\n8000\t5 5\n"},
         {},
         "taken=2 125:/x 8000:5 5/ | bad=8000R"},
        {"a frequency without a threshold, one below the quietest amplitude, one above the "
         "loudest; of duplicates the first that is not silent counts",
         {"750\t10\n2000\t20\n8000\t60\n500\t\t-10\n"},
         {{1, 8000, grid(-40)},
          {1, 2000, 0},
          {1, 2000, grid(-40)},
          {1, 2000, grid(-30)},
          {2, 500, grid(-5)}},
         "taken=4 500:/-10 750:10/ 2000:20/ 8000:60/ | 1: 2000=33 R750 none R8000 quiet L500 "
         "loud"},
        {"the audiogram window's copied text: tabs, CR LF, words skipped, 12000 not taken, the "
         "grid's other rows emptied",
         {"125\t7",
          "Frequency [Hz]\tRight ear [dB HL]\tLeft ear [dB HL]\tGreen [dB HL]\r\n"
          "250\t10\t\t\r\n1000\t25\t30\t\r\n12000\t40\t\t\r\nReference: 1.2.2023 14:05\r\n"},
         {{1, 1000, grid(-40)}, {2, 1000, grid(-40)}},
         "taken=2 not=12000 250:10/ 1000:25/30 | 1: 1000=18 2: 1000=10 R250 none"},
        {"semicolons, commas, blanks, LF; the first row of a frequency counts; a long cell is cut",
         {"500;20;25\n750, 30 ,35\n 2000  40 +45\n2000\t1\t1\n1000 5 5 words\nNot 3000\n"
          "4000\t123456789012345678\t\n"},
         {},
         "taken=5 500:20/25 750:30/35 1000:5/5 2000:40/+45 4000:123456789012.../ | bad=4000R"},
        {"no row the grid takes: the grid stays",
         {"125\t7", "Right ear\r\n12000 5 5\r\n"},
         {},
         "taken=0 not=12000 125:7/ | R125 none"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.expected, describe_known(c.pasted, set_of(c.thresholds))) << c.what;
    }
    // The round trip: a threshold of the test read against the reference made from it and a
    // typed level gives that level back, exactly where the reference lies at -60 dBFS or above,
    // within 1 dB down to -80; a reference level is left out only where no amplitude holds it.
    for (int32_t threshold = test_level_floor_db; threshold <= test_level_ceiling_db; ++threshold) {
        for (int32_t typed = known_lowest_db; typed <= known_highest_db; ++typed) {
            CurveSet main_set = set_of({{1, 1000, grid(threshold)}});
            KnownLevels levels;
            levels.ears[known_right_ear].push_back({4, 1000, typed, true});
            KnownReference reference = make_known_reference(levels, main_set);
            double reference_db = amplitude_to_db(grid(threshold)) - typed;
            std::vector<PointLevel> read = curve_hearing_levels(main_set, reference.set, 1);
            SCOPED_TRACE(std::to_string(threshold) + " dBFS, " + std::to_string(typed) + " dB HL");
            // Amplitude 1 is -90.31 dBFS, full scale 0: about these edges rounding decides.
            if (reference_db < -90.32 || reference_db >= 0) {
                EXPECT_EQ(0u, read.size());
            } else if (reference_db > -90.3 && reference_db < -0.001) {
                ASSERT_EQ(1u, read.size());
                if (reference_db >= -80) {
                    EXPECT_LE(std::abs(read[0].level_db - typed), reference_db >= -60 ? 0 : 1);
                }
            }
        }
    }
}

TEST(HearingLevel, AgeNormsAtTheStandardsCheckValuesAndEdgesNotGivenAsTheMean) {
    // 10th percentile, median and 90th percentile at 500, 1000, 2000, 4000 and 8000 Hz, as the
    // standard's formulas give them to one decimal.
    const struct {
        AgeGroup group;
        double levels[15]; // at each frequency, the three
    } checks[] = {
        {{60, sex_male},
         {-2.3, 6.0, 16.3, -1.0, 7.8, 20.9, 2.1, 12.5, 30.1, 6.9, 20.2, 43.6, 12.5, 30.4, 60.3}},
        {{60, sex_female},
         {-0.3, 6.5, 15.7, 0.7, 7.9, 19.3, 1.8, 10.6, 22.9, 3.6, 15.3, 31.7, 6.9, 23.0, 45.2}},
        {{40, sex_male},
         {-4.6, 1.2, 6.5, -4.2, 1.6, 7.8, -3.3, 2.6, 10.6, -2.1, 4.5, 15.4, -1.6, 6.8, 22.1}},
        {{80, sex_female},
         {6.7, 18.6, 33.0, 10.8, 23.6, 41.3, 17.0, 31.5, 46.4, 26.8, 43.2, 62.2, 42.8, 59.5, 79.9}},
    };
    const double z[3] = {-norm_z_90, 0, norm_z_90};
    for (const auto& check : checks) {
        for (int f = 0; f < 5; ++f) {
            int32_t frequency = int32_t(500) << f;
            SCOPED_TRACE("age " + std::to_string(check.group.age) + ", sex " +
                         std::to_string(check.group.sex) + ", " + std::to_string(frequency) +
                         " Hz");
            ThresholdNorm norm = {};
            ASSERT_TRUE(threshold_norm(check.group, frequency, &norm));
            for (int p = 0; p < 3; ++p) {
                EXPECT_NEAR(check.levels[f * 3 + p], norm_level(norm, z[p]), 0.05 + 1e-9) << p;
            }
        }
    }
    // At every age, sex and frequency: 18 is the reference age (median 0 dB HL); not given is the
    // mean of women and men at every percentile; a level at the 10th, the median and the 90th
    // percentile lies there, and levels far out are held at 1 and 99; no norm outside 18 to 80 or
    // off the eleven frequencies.
    for (int32_t age = 17; age <= 81; ++age) {
        for (int k = 0; k < norm_frequency_count; ++k) {
            int32_t frequency = norm_frequency(k);
            SCOPED_TRACE("age " + std::to_string(age) + ", " + std::to_string(frequency) + " Hz");
            ThresholdNorm sexes[3] = {};
            bool has = threshold_norm({age, sex_not_given}, frequency, &sexes[0]) &&
                       threshold_norm({age, sex_female}, frequency, &sexes[1]) &&
                       threshold_norm({age, sex_male}, frequency, &sexes[2]);
            ASSERT_EQ(age >= 18 && age <= 80, has);
            EXPECT_FALSE(threshold_norm({age, sex_male}, frequency + 1, &sexes[2]));
            if (!has) {
                continue;
            }
            EXPECT_EQ(age == 18, sexes[0].median_db == 0);
            for (double zp : z) {
                EXPECT_NEAR((norm_level(sexes[1], zp) + norm_level(sexes[2], zp)) / 2,
                            norm_level(sexes[0], zp), 1e-9);
            }
            for (const ThresholdNorm& norm : sexes) {
                EXPECT_EQ(10, norm_percentile(norm, norm_level(norm, -norm_z_90)));
                EXPECT_EQ(50, norm_percentile(norm, norm.median_db));
                EXPECT_EQ(90, norm_percentile(norm, norm_level(norm, norm_z_90)));
                EXPECT_EQ(1, norm_percentile(norm, norm.median_db - 100));
                EXPECT_EQ(99, norm_percentile(norm, norm.median_db + 100));
            }
        }
    }
    const struct {
        const char* typed;
        int32_t age; // 0: no age
    } ages[] = {{"17", 0},  {"81", 0},  {"abc", 0},   {"55.5", 0}, {"", 0},
                {"5 5", 0}, {"18", 18}, {" 80 ", 80}, {"55", 55}};
    for (const auto& typed : ages) {
        int32_t age = 0;
        read_age(typed.typed, &age);
        EXPECT_EQ(typed.age, age) << "\"" << typed.typed << "\"";
    }
}

TEST(HearingLevel, ChangeSinceAnEarlierTestAtTheCriteriasEdges) {
    // The earlier test at -40 dBFS from 500 to 8000 Hz; each case's right ear then lies the
    // change given above it (a whole dB apart: -31 dBFS is 9 dB poorer).
    std::vector<Point> earlier;
    for (uint16_t f : {8000, 6000, 4000, 3000, 2000, 1000, 500}) {
        earlier.push_back({1, f, grid(-40)});
    }
    const struct {
        const char* what;
        std::vector<std::pair<uint16_t, int32_t>> changes; // frequency and change in dB
        std::string expected;
    } cases[] = {
        {"an average of 9 (9, 9, 10) is no shift; 10 at one frequency and -10 are repeatable",
         {{500, -10}, {1000, 0}, {2000, 9}, {3000, 9}, {4000, 10}},
         "shift=9 within"},
        {"an average of 10 (10, 10, 9) is a shift, and 10 at two adjacent frequencies counts",
         {{1000, 0}, {2000, 10}, {3000, 10}, {4000, 9}},
         "shift=10 significant 10@2000 10@3000"},
        {"19 against 20 at one frequency; adjacent in the ear's own list (no 3000 or 6000)",
         {{1000, 19}, {2000, 5}, {4000, 20}, {8000, 10}},
         "missing=3000 20@4000 10@4000 10@8000"},
        {"better by 15 but not by 14: the note; beyond 10 either way is not repeatable",
         {{500, -15}, {1000, -14}, {2000, 0}, {3000, 0}, {4000, 0}},
         "shift=0 improved"},
    };
    for (const auto& c : cases) {
        std::vector<Point> main_set;
        for (auto it = c.changes.rbegin(); it != c.changes.rend(); ++it) {
            main_set.push_back({1, it->first, grid(-40 + it->second)});
        }
        EarChange change =
            ear_change(curve_hearing_levels(set_of(main_set), set_of(earlier), right_ear_curve));
        std::string text = change.shift.missing_count == 0
                               ? "shift=" + std::to_string(change.shift.average_db)
                               : "missing=" + std::to_string(change.shift.missing_hz[0]);
        text += change.significant_shift ? " significant" : "";
        for (uint16_t f : change.by_one_hz) {
            text += " 20@" + std::to_string(f);
        }
        for (uint16_t f : change.by_adjacent_hz) {
            text += " 10@" + std::to_string(f);
        }
        text += std::string(change.within_repeatability ? " within" : "") +
                (change.improved ? " improved" : "");
        EXPECT_EQ(c.expected, text) << c.what;
        EXPECT_EQ(c.expected.find("@") != std::string::npos ||
                      c.expected.find("significant") != std::string::npos,
                  change_matters(change))
            << c.what;
    }
}
