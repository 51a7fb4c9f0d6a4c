// Curve points keep falling frequency order, newest first among equals, 100 at most.
#include "editing/curve_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

namespace {

std::vector<std::pair<int, int>> points(const CurveSet& set, int c) {
    std::vector<std::pair<int, int>> out;
    for (int i = 0; i < set.count[c]; ++i) {
        out.push_back({set.freq_hz[c][i], set.amplitude[c][i]});
    }
    return out;
}

} // namespace

TEST(CurveRules, InsertsInFallingOrderWithTheNewerOfEqualFrequenciesFirst) {
    CurveSet set = {};
    ASSERT_TRUE(insert_curve_point(&set, 1, 1000, 11));
    ASSERT_TRUE(insert_curve_point(&set, 1, 2000, 22));
    ASSERT_TRUE(insert_curve_point(&set, 1, 500, 5));
    EXPECT_EQ((std::vector<std::pair<int, int>>{{2000, 22}, {1000, 11}, {500, 5}}), points(set, 1));
    ASSERT_TRUE(insert_curve_point(&set, 1, 1000, 12));
    EXPECT_EQ((std::vector<std::pair<int, int>>{{2000, 22}, {1000, 12}, {1000, 11}, {500, 5}}),
              points(set, 1));
    // The other curves are untouched.
    EXPECT_EQ(0, set.count[0]);
    EXPECT_EQ(0, set.count[2]);
}

TEST(CurveRules, KeepsOrderAndEveryPointUnderRandomInsertions) {
    std::mt19937 random(7);
    for (int round = 0; round < 50; ++round) {
        CurveSet set = {};
        std::vector<int> inserted;
        for (int k = 0; k < 100; ++k) {
            int f = static_cast<int>(random() % 40) * 500; // many equal frequencies
            inserted.push_back(f);
            ASSERT_TRUE(
                insert_curve_point(&set, 2, static_cast<uint16_t>(f), static_cast<uint16_t>(k)));
        }
        ASSERT_EQ(100, set.count[2]);
        for (int i = 1; i < 100; ++i) {
            int before = set.freq_hz[2][i - 1], after = set.freq_hz[2][i];
            ASSERT_GE(before, after) << "round " << round << " index " << i;
            if (before == after) {
                // The amplitude records the insertion order: newer points come first.
                ASSERT_GT(set.amplitude[2][i - 1], set.amplitude[2][i]) << "round " << round;
            }
        }
        std::vector<int> stored(set.freq_hz[2], set.freq_hz[2] + 100);
        std::sort(inserted.begin(), inserted.end());
        std::sort(stored.begin(), stored.end());
        ASSERT_EQ(inserted, stored) << "round " << round;
    }
}

TEST(CurveRules, AFullCurveTakesNoMorePoints) {
    CurveSet set = {};
    for (int k = 0; k < 100; ++k) {
        ASSERT_TRUE(insert_curve_point(&set, 0, static_cast<uint16_t>(100 + k), 1));
    }
    CurveSet before = set;
    EXPECT_FALSE(insert_curve_point(&set, 0, 50000, 2));
    EXPECT_FALSE(insert_curve_point(&set, 0, 1, 2));
    EXPECT_EQ(0, std::memcmp(&before, &set, sizeof set));
}

TEST(CurveRules, DeletingMovesTheLaterPointsDown) {
    CurveSet set = {};
    for (int f : {400, 300, 200, 100}) {
        insert_curve_point(&set, 0, static_cast<uint16_t>(f), static_cast<uint16_t>(f / 10));
    }
    delete_curve_point(&set, 0, 1);
    EXPECT_EQ((std::vector<std::pair<int, int>>{{400, 40}, {200, 20}, {100, 10}}), points(set, 0));
    delete_curve_point(&set, 0, 2);
    EXPECT_EQ((std::vector<std::pair<int, int>>{{400, 40}, {200, 20}}), points(set, 0));
    delete_curve_point(&set, 0, 0);
    delete_curve_point(&set, 0, 0);
    EXPECT_EQ(0, set.count[0]);
    // Nothing to delete: an empty curve or an index past its points.
    delete_curve_point(&set, 0, 0);
    EXPECT_EQ(0, set.count[0]);
}
