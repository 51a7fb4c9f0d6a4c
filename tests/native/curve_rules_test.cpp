// Curve points keep falling frequency order, newest first among equals, 100 at most; the tone
// is recorded on the current curve, and the pointer reaches the first point near it.
#include "editing/curve_rules.h"

#include "graph/field_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
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

// An 800 x 400 field with the options of a fresh start.
void set_field(int32_t highs_zoom) {
    std::memset(&app, 0, sizeof app);
    app.graph_rect = {0, 0, 800, 400};
    app.highs_zoom = highs_zoom;
    app.snap_hz = 1;
    app.snap_db = 1;
    app.linear_db = 1;
    app.a_weighting = 1;
    lay_out_field();
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

TEST(CurveRules, InsertPointRecordsTheToneOnTheCurrentCurve) {
    struct Case {
        const char* name;
        uint16_t hz;
        double amplitude;
        int points_before; // all of higher frequency than the tone
        bool recorded;
        uint16_t stored_amplitude;
    };
    const Case cases[] = {
        {"ordinary tone", 1000, 462.8603, 2, true, 462},
        {"amplitude below 1", 1000, 0.99, 0, true, 0},
        {"loudest tone into the last place", 18100, 32767.0, 99, true, 32767},
        {"tone without a frequency", 0, 500.0, 3, false, 0},
        {"full curve", 1000, 500.0, 100, false, 0},
    };
    for (const Case& c : cases) {
        set_field(0);
        app.current_curve = 2;
        for (int k = 0; k < c.points_before; ++k) {
            insert_curve_point(&app.main_set, 2, static_cast<uint16_t>(30000 - k), 7);
        }
        insert_curve_point(&app.main_set, 1, 1000, 1);
        insert_curve_point(&app.compare_set, 2, 1000, 1);
        app.tone.frequency_hz = c.hz;
        app.tone.amplitude = c.amplitude;
        CurveSet before = app.main_set;
        CurveSet compare_before = app.compare_set;

        EXPECT_EQ(c.recorded, insert_point()) << c.name;
        if (c.recorded) {
            ASSERT_EQ(c.points_before + 1, app.main_set.count[2]) << c.name;
            EXPECT_EQ(c.hz, app.main_set.freq_hz[2][c.points_before]) << c.name;
            EXPECT_EQ(c.stored_amplitude, app.main_set.amplitude[2][c.points_before]) << c.name;
            before.freq_hz[2][c.points_before] = c.hz;
            before.amplitude[2][c.points_before] = c.stored_amplitude;
            before.count[2] = static_cast<uint16_t>(c.points_before + 1);
        }
        // Nothing else changes: the other points and curves, the compare set, the tone.
        EXPECT_EQ(0, std::memcmp(&before, &app.main_set, sizeof before)) << c.name;
        EXPECT_EQ(0, std::memcmp(&compare_before, &app.compare_set, sizeof before)) << c.name;
        EXPECT_EQ(c.hz, app.tone.frequency_hz) << c.name;
        EXPECT_EQ(c.amplitude, app.tone.amplitude) << c.name;
    }
}

TEST(CurveRules, APointIsInReachFiveColumnsAndFiveRowsEachWay) {
    set_field(0);
    app.current_curve = 1;
    insert_curve_point(&app.main_set, 1, 1000, 4096);
    FieldPoint point = curve_point_position(app.main_set, 1, 0);
    for (int dx = -7; dx <= 7; ++dx) {
        for (int dy = -7; dy <= 7; ++dy) {
            bool reach =
                dx > -point_reach && dx < point_reach && dy > -point_reach && dy < point_reach;
            EXPECT_EQ(reach ? 0 : -1, find_point_near(static_cast<uint16_t>(point.x + dx),
                                                      static_cast<uint16_t>(point.y + dy)))
                << "dx " << dx << ", dy " << dy;
        }
    }
    // Only the current curve of the main set is searched.
    auto column = static_cast<uint16_t>(point.x);
    auto row = static_cast<uint16_t>(point.y);
    insert_curve_point(&app.main_set, 0, 1000, 4096);
    insert_curve_point(&app.compare_set, 2, 1000, 4096);
    for (int16_t c : {0, 2}) {
        app.current_curve = c;
        EXPECT_EQ(c == 0 ? 0 : -1, find_point_near(column, row)) << "curve " << c;
    }
    EXPECT_FALSE(delete_point_near(column, row));
    EXPECT_EQ(1, app.compare_set.count[2]);
}

TEST(CurveRules, APointIsReachedWhereItIsShownAWeighted) {
    set_field(0);
    insert_curve_point(&app.main_set, 0, 50, 4096);
    FieldPoint shown = curve_point_position(app.main_set, 0, 0);
    auto column = static_cast<uint16_t>(shown.x);
    app.a_weighting = 0;
    auto unweighted_row = static_cast<uint16_t>(curve_point_position(app.main_set, 0, 0).y);
    ASSERT_GT(std::abs(shown.y - unweighted_row), 2 * point_reach);

    app.a_weighting = 1;
    EXPECT_EQ(0, find_point_near(column, static_cast<uint16_t>(shown.y)));
    EXPECT_EQ(-1, find_point_near(column, unweighted_row));
    app.a_weighting = 0;
    EXPECT_EQ(0, find_point_near(column, unweighted_row));
}

TEST(CurveRules, TheFirstOfTwoPointsInReachIsDeleted) {
    set_field(0);
    insert_curve_point(&app.main_set, 0, 1000, 4096);
    insert_curve_point(&app.main_set, 0, 1010, 4096);
    insert_curve_point(&app.main_set, 0, 10000, 4096);
    FieldPoint lower = curve_point_position(app.main_set, 0, 2);
    FieldPoint higher = curve_point_position(app.main_set, 0, 1);
    ASSERT_LT(higher.x - lower.x, point_reach);
    auto column = static_cast<uint16_t>(lower.x);
    auto row = static_cast<uint16_t>(lower.y);

    EXPECT_EQ(1, find_point_near(column, row));
    EXPECT_TRUE(delete_point_near(column, row));
    EXPECT_EQ((std::vector<std::pair<int, int>>{{10000, 4096}, {1000, 4096}}),
              points(app.main_set, 0));
    EXPECT_TRUE(delete_point_near(column, row));
    EXPECT_EQ((std::vector<std::pair<int, int>>{{10000, 4096}}), points(app.main_set, 0));
    EXPECT_FALSE(delete_point_near(column, row));
    EXPECT_EQ(1, app.main_set.count[0]);
}

TEST(CurveRules, PointsHiddenLeftOfTheZoomedFieldAreOutOfReachOfTheField) {
    set_field(1);
    int hidden = 0;
    for (uint16_t hz = 36; hz < 600; ++hz) {
        int32_t x = field_x_of_hz(hz);
        // Just left of the edge: a signed comparison would reach these from columns 0 to 4.
        if (x < -point_reach + 1 || x > -1) {
            continue;
        }
        ++hidden;
        app.main_set.count[0] = 0;
        insert_curve_point(&app.main_set, 0, hz, 4096);
        auto row = static_cast<uint16_t>(curve_point_position(app.main_set, 0, 0).y);
        for (int column = 0; column <= app.graph_rect.right; ++column) {
            ASSERT_EQ(-1, find_point_near(static_cast<uint16_t>(column), row))
                << hz << " Hz at column " << x << ", pointer column " << column;
        }
        // Its column taken as an unsigned number, where a pointer left of the dialog reads.
        EXPECT_EQ(0, find_point_near(static_cast<uint16_t>(x), row)) << hz << " Hz";
    }
    EXPECT_GT(hidden, 0);
}
