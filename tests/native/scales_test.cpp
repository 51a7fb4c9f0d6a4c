// The scales of the frequency field: worked values, the Snap Hz bands, monotony and round trips,
// and degenerate arguments that must give the conversion rule's results without traps.
#include "graph/scales.h"

#include "core/app_state.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace {

const double infinity = std::numeric_limits<double>::infinity();

struct Options {
    int32_t snap_hz;
    int32_t snap_db;
    int32_t linear_db;
    int32_t a_weighting;
};

void set_options(const Options& options) {
    std::memset(&app, 0, sizeof app);
    app.snap_hz = options.snap_hz;
    app.snap_db = options.snap_db;
    app.linear_db = options.linear_db;
    app.a_weighting = options.a_weighting;
}

std::string describe(const Options& o) {
    return "snap_hz " + std::to_string(o.snap_hz) + " snap_db " + std::to_string(o.snap_db) +
           " linear_db " + std::to_string(o.linear_db) + " a_weighting " +
           std::to_string(o.a_weighting);
}

// Every combination of the four options.
std::vector<Options> all_options() {
    std::vector<Options> all;
    for (int bits = 0; bits < 16; ++bits) {
        all.push_back({bits & 1, (bits >> 1) & 1, (bits >> 2) & 1, (bits >> 3) & 1});
    }
    return all;
}

// A column of a wide axis whose unsnapped frequency is exactly `hz`: at this width one pixel
// spans well under one hertz up to the top of the axis.
const int32_t fine_width = 2000000;
int32_t column_of_raw_hz(int32_t hz) {
    return hz_to_x(hz, fine_width) + 1;
}

} // namespace

TEST(Scales, FrequencyWorkedExamples) {
    struct Case {
        const char* name;
        int32_t snap_hz;
        int32_t x;
        int32_t w;
        int32_t hz;
    };
    const Case cases[] = {
        {"middle of 800", 0, 400, 800, 816},
        {"middle of 800 snapped", 1, 400, 800, 800},
        {"left end", 0, 0, 800, 36},
        {"left end snapped", 1, 0, 800, 36},
        {"right end", 0, 800, 800, 18127},
        {"right end snapped", 1, 800, 800, 18100},
        {"zoomed left edge", 0, 600, 1400, 524},
        {"zoomed left edge snapped", 1, 600, 1400, 500},
        {"zoomed right edge", 0, 1400, 1400, 18127},
    };
    for (const Case& c : cases) {
        set_options({c.snap_hz, 0, 0, 0});
        EXPECT_EQ(c.hz, x_to_hz(c.x, c.w)) << c.name;
    }

    struct Back {
        int32_t hz;
        int32_t w;
        int32_t x;
    };
    const Back backs[] = {{1000, 800, 426}, {100, 800, 129},   {816, 800, 399},
                          {36, 800, -2},    {18127, 800, 799}, {524, 1400, 599}};
    for (int32_t snap = 0; snap <= 1; ++snap) {
        set_options({snap, 0, 0, 0});
        for (const Back& b : backs) {
            EXPECT_EQ(b.x, hz_to_x(b.hz, b.w)) << b.hz << " Hz on " << b.w << ", snap " << snap;
        }
    }
}

TEST(Scales, SnapHzRoundsToTheStepOfEachBand) {
    struct Case {
        int32_t raw;
        int32_t snapped;
    };
    const Case cases[] = {
        {1001, 1000}, {1049, 1000}, {1050, 1100}, {18127, 18100}, {9999, 10000}, {501, 500},
        {524, 500},   {525, 550},   {1000, 1000}, {975, 1000},    {201, 200},    {204, 200},
        {205, 210},   {500, 500},   {495, 500},   {51, 50},       {52, 50},      {53, 55},
        {200, 200},   {198, 200},   {36, 36},     {49, 49},       {50, 50},
    };
    for (const Case& c : cases) {
        int32_t x = column_of_raw_hz(c.raw);
        set_options({0, 0, 0, 0});
        ASSERT_EQ(c.raw, x_to_hz(x, fine_width)) << "no column gives " << c.raw << " Hz";
        set_options({1, 0, 0, 0});
        EXPECT_EQ(c.snapped, x_to_hz(x, fine_width)) << c.raw << " Hz";
    }
}

TEST(Scales, FrequencyScaleRisesAndSnapsOnTheBandGrid) {
    const int32_t widths[] = {1, 29, 30, 600, 800, 1400, 1920, 3360};
    for (int32_t snap = 0; snap <= 1; ++snap) {
        for (int32_t w : widths) {
            SCOPED_TRACE("width " + std::to_string(w) + " snap " + std::to_string(snap));
            int32_t previous = 0;
            for (int32_t x = 0; x <= w; ++x) {
                set_options({0, 0, 0, 0});
                int32_t raw = x_to_hz(x, w);
                set_options({snap, 0, 0, 0});
                int32_t hz = x_to_hz(x, w);
                ASSERT_GE(hz, previous) << "x " << x;
                ASSERT_GE(hz, 36) << "x " << x;
                ASSERT_LE(hz, 18127) << "x " << x;
                previous = hz;
                if (snap == 0 || raw <= 50) {
                    ASSERT_EQ(raw, hz) << "x " << x;
                    continue;
                }
                int32_t step = raw > 1000 ? 100 : raw > 500 ? 50 : raw > 200 ? 10 : 5;
                ASSERT_EQ(0, hz % step) << "x " << x << ", " << raw << " Hz";
                ASSERT_LE(std::abs(hz - raw), step / 2) << "x " << x << ", " << raw << " Hz";
            }
        }
    }
}

TEST(Scales, HzToXUndoesXToHz) {
    set_options({0, 0, 0, 0});
    const int32_t widths[] = {30, 187, 600, 800, 1400, 1920, 3360};
    for (int32_t w : widths) {
        SCOPED_TRACE("width " + std::to_string(w));
        for (int32_t x = 0; x <= w; ++x) {
            int32_t hz = x_to_hz(x, w);
            int32_t back = hz_to_x(hz, w);
            // Whole hertz: where one hertz spans several columns, the frequency's first column.
            double columns_per_hz = w / (6.2 * hz);
            int32_t slack = 1 + static_cast<int32_t>(columns_per_hz);
            ASSERT_LE(back, x) << "x " << x << ", " << hz << " Hz";
            ASSERT_GE(back, x - slack) << "x " << x << ", " << hz << " Hz";
            if (columns_per_hz < 1.0) {
                ASSERT_GE(back, x - 1) << "x " << x << ", " << hz << " Hz";
            }
        }
        for (int32_t hz = 37; hz <= 18127; ++hz) {
            int32_t there = hz_to_x(hz, w);
            int32_t again = x_to_hz(there, w);
            double hz_per_column = 6.2 * hz / w;
            ASSERT_LE(again, hz) << hz << " Hz";
            ASSERT_GE(again, hz - 1 - hz_per_column) << hz << " Hz";
        }
    }
}

TEST(Scales, DecibelWorkedExamples) {
    set_options({0, 0, 0, 0});
    EXPECT_NEAR(-0.000265, amplitude_to_db(32767), 5e-7);
    EXPECT_NEAR(-90.309, amplitude_to_db(1), 5e-4);
    EXPECT_DOUBLE_EQ(0.0, amplitude_to_db(32768));
    EXPECT_EQ(-infinity, amplitude_to_db(0));
    EXPECT_NEAR(10.362, db_to_amplitude(-70), 5e-4);
    EXPECT_DOUBLE_EQ(32768.0, db_to_amplitude(0));
    EXPECT_EQ(0.0, db_to_amplitude(-infinity));
    for (double level = -100.0; level <= 0.0; level += 0.25) {
        EXPECT_NEAR(level, amplitude_to_db(db_to_amplitude(level)), 1e-9) << level << " dB";
    }
}

TEST(Scales, LevelWorkedExamples) {
    struct Case {
        const char* name;
        Options options;
        int32_t y;
        double amplitude;
    };
    const Case cases[] = {
        {"cube half", {0, 0, 0, 0}, 200, 4096.0},
        {"cube half snapped", {0, 1, 0, 0}, 200, 4125.2468},
        {"linear half", {0, 0, 1, 0}, 200, 470.1508},
        {"linear half snapped", {0, 1, 1, 0}, 200, 462.8603},
        {"cube bottom", {0, 0, 0, 0}, 400, 32767.0},
        {"cube bottom snapped", {0, 1, 0, 0}, 400, 32767.0},
        {"linear bottom", {0, 0, 1, 0}, 400, 32767.0},
        {"linear bottom snapped", {0, 1, 1, 0}, 400, 32767.0},
        {"cube top", {0, 0, 0, 0}, 0, 0.0},
        {"linear top", {0, 0, 1, 0}, 0, 32768.0 / 5400.0},
    };
    for (const Case& c : cases) {
        set_options(c.options);
        EXPECT_NEAR(c.amplitude, y_to_amplitude(c.y, 400), 5e-5) << c.name;
    }
    set_options({0, 1, 0, 0});
    EXPECT_NEAR(-18.0, amplitude_to_db(y_to_amplitude(200, 400)), 1e-9);
    set_options({0, 1, 1, 0});
    EXPECT_NEAR(-37.0, amplitude_to_db(y_to_amplitude(200, 400)), 1e-9);

    struct Row {
        const char* name;
        int32_t linear_db;
        int32_t amplitude;
        int32_t y;
    };
    const Row rows[] = {
        {"cube 4096", 0, 4096, 200},     {"cube 32767", 0, 32767, 399},
        {"linear 32767", 1, 32767, 395}, {"linear 6", 1, 6, 0},
        {"linear 462", 1, 462, 199},     {"cube 0", 0, 0, 0},
        {"linear 0", 1, 0, INT32_MIN},   {"cube 32768", 0, 32768, 400},
    };
    for (const Row& r : rows) {
        set_options({0, 0, r.linear_db, 0});
        EXPECT_EQ(r.y, amplitude_to_y(r.amplitude, 400)) << r.name;
    }
}

TEST(Scales, SnapDbRoundsToTheNearestWholeDecibel) {
    // Rows whose unsnapped level lies just above or below a half decibel.
    struct Case {
        double level;
        double snapped;
    };
    const Case cases[] = {{-17.4999, -17.0}, {-17.5001, -18.0}, {-3.4999, -3.0},
                          {-3.5001, -4.0},   {-60.4, -60.0},    {-60.6, -61.0}};
    for (const Case& c : cases) {
        // Under the cube law the level of row y is 60·log10(y/h); pick h and y to hit it.
        const int32_t h = 1000000000;
        int32_t y = static_cast<int32_t>(std::ceil(h * std::pow(10.0, c.level / 60.0)));
        set_options({0, 0, 0, 0});
        ASSERT_NEAR(c.level, amplitude_to_db(y_to_amplitude(y, h)), 1e-6) << c.level;
        set_options({0, 1, 0, 0});
        EXPECT_NEAR(c.snapped, amplitude_to_db(y_to_amplitude(y, h)), 1e-9) << c.level;
    }
}

TEST(Scales, LevelScaleRisesAndRoundTrips) {
    const int32_t heights[] = {1, 14, 400, 1000};
    for (const Options& options : all_options()) {
        set_options(options);
        for (int32_t h : heights) {
            SCOPED_TRACE(describe(options) + ", height " + std::to_string(h));
            double previous = -1.0;
            for (int32_t y = 0; y <= h; ++y) {
                double amplitude = y_to_amplitude(y, h);
                ASSERT_GE(amplitude, previous) << "y " << y;
                ASSERT_LE(amplitude, 32767.0) << "y " << y;
                previous = amplitude;
                // A point keeps the truncated amplitude; where amplitudes are coarse enough that
                // truncation moves less than a row, it is drawn on its row or the one above.
                if (options.snap_db == 0 && amplitude >= 200.0 && amplitude < 32767.0) {
                    int32_t back = amplitude_to_y(static_cast<int32_t>(amplitude), h);
                    ASSERT_LE(back, y) << "y " << y;
                    ASSERT_GE(back, y - 1) << "y " << y;
                }
            }
            int32_t previous_y = INT32_MIN;
            for (int32_t a = 0; a <= 40000; a += 7) {
                int32_t y = amplitude_to_y(a, h);
                ASSERT_GE(y, previous_y) << "amplitude " << a;
                previous_y = y;
            }
        }
    }
}

TEST(Scales, AWeightingWorkedExamples) {
    set_options({0, 0, 0, 1});
    struct Case {
        int32_t hz;
        double db;
        double tolerance;
    };
    const Case cases[] = {
        {1000, 0.00065, 5e-6}, {100, -19.139, 5e-4},  {50, -30.266, 5e-4},
        {10000, -2.492, 5e-4}, {16000, -6.706, 5e-4}, {2512, 1.271, 5e-4},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(c.db, a_weighting_db(c.hz), c.tolerance) << c.hz << " Hz";
    }
    // The gain is positive exactly from 1000 to 6091 Hz and peaks near 2512 Hz.
    for (int32_t hz = 1; hz <= 30000; ++hz) {
        double gain = a_weighting_db(hz);
        ASSERT_EQ(hz >= 1000 && hz <= 6091, gain > 0.0) << hz << " Hz";
        ASSERT_LT(gain, 1.2711) << hz << " Hz";
    }
    // Beyond 46340 Hz f·f no longer fits 32 bits; the gain goes on falling smoothly.
    EXPECT_GT(a_weighting_db(46340), a_weighting_db(46341));
    EXPECT_NEAR(a_weighting_db(46341), a_weighting_db(46340), 0.01);
    EXPECT_LT(a_weighting_db(INT32_MAX), -100.0);
}

TEST(Scales, DisplayAmplitudeIsWeightedOnlyWhileAWeightingIsOn) {
    struct Case {
        const char* name;
        int32_t a_weighting;
        int32_t amplitude;
        int32_t hz;
        int32_t shown;
    };
    const Case cases[] = {
        {"100 Hz weighted", 1, 4096, 100, 452},
        {"1000 Hz weighted", 1, 4096, 1000, 4096},
        {"2500 Hz weighted, beyond full scale", 1, 32767, 2500, 37930},
        {"zero weighted", 1, 0, 1000, 0},
        {"zero at 0 Hz weighted", 1, 0, 0, 0},
        {"0 Hz weighted", 1, 4096, 0, 0},
        {"100 Hz plain", 0, 4096, 100, 4096},
        {"2500 Hz plain", 0, 32767, 2500, 32767},
        {"zero plain", 0, 0, 50, 0},
    };
    for (const Case& c : cases) {
        set_options({0, 0, 0, c.a_weighting});
        EXPECT_EQ(c.shown, display_amplitude(c.amplitude, c.hz)) << c.name;
    }
}

TEST(Scales, DegenerateArgumentsFollowTheConversionRule) {
    for (const Options& options : all_options()) {
        set_options(options);
        SCOPED_TRACE(describe(options));
        // Zero width: 0/0 and x/0 give no frequency and no column.
        EXPECT_EQ(INT32_MIN, x_to_hz(0, 0));
        EXPECT_EQ(INT32_MIN, x_to_hz(5, 0));
        EXPECT_EQ(0, x_to_hz(-5, 0));
        EXPECT_EQ(0, hz_to_x(1000, 0));
        // Zero and negative frequencies, and columns far beyond the axis.
        EXPECT_EQ(INT32_MIN, hz_to_x(0, 800));
        EXPECT_EQ(INT32_MIN, hz_to_x(-1000, 800));
        EXPECT_EQ(INT32_MIN, hz_to_x(INT32_MAX, INT32_MAX));
        EXPECT_EQ(INT32_MIN, x_to_hz(INT32_MAX, 1));
        EXPECT_EQ(0, x_to_hz(INT32_MIN, 1));
        EXPECT_EQ(-infinity, a_weighting_db(0));
        EXPECT_DOUBLE_EQ(a_weighting_db(1000), a_weighting_db(-1000));
        // Zero height: every row clamps to full scale.
        EXPECT_EQ(32767.0, y_to_amplitude(0, 0));
        EXPECT_EQ(32767.0, y_to_amplitude(10, 0));
        EXPECT_EQ(32767.0, y_to_amplitude(INT32_MAX, 1));
        // Zero and negative amplitudes.
        EXPECT_EQ(options.linear_db != 0 ? INT32_MIN : 0, amplitude_to_y(0, 400));
        EXPECT_EQ(INT32_MIN, amplitude_to_y(-5, 400));
        EXPECT_EQ(options.linear_db != 0 ? INT32_MIN : 0, amplitude_to_y(0, 0));
        EXPECT_EQ(0, amplitude_to_y(4096, 0));
        EXPECT_EQ(INT32_MIN, amplitude_to_y(INT32_MAX, INT32_MAX));
        EXPECT_EQ(0, display_amplitude(0, 0));
        EXPECT_EQ(options.a_weighting != 0 ? 0 : 40000, display_amplitude(40000, 0));
        EXPECT_EQ(options.a_weighting != 0 ? INT32_MIN : -5, display_amplitude(-5, 1000));
    }
}

TEST(Scales, SnappingNearTheTopOfTheInt32RangeDoesNotOverflow) {
    // A column whose unsnapped frequency lies within 50 Hz of INT32_MAX: the rounding sum leaves
    // the int32 range, the rounded frequency does not.
    const int32_t w = 700000000;
    set_options({0, 0, 0, 0});
    int32_t x = hz_to_x(INT32_MAX - 30, w) + 1;
    int32_t raw = x_to_hz(x, w);
    ASSERT_GT(raw, INT32_MAX - 50);
    set_options({1, 0, 0, 0});
    EXPECT_EQ(2147483600, x_to_hz(x, w));
}
