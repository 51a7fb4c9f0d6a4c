// Hearing levels of the main set against a reference set, each ear's average of 500, 1000, 2000
// and 4000 Hz with its grade, and the difference between the ears, for sets as the hearing test
// and the database file leave them.
#include "hearing/hearing_level.h"

#include <gtest/gtest.h>

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
