// The tone and the readout from pointer moves: the accepted area, the frequency held by keys,
// the A-weighted level control with its clamp, and the readout line.
#include "editing/pointer.h"

#include "core/app_state.h"
#include "graph/scales.h"
#include "resources/resource_ids.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

namespace {

const uint16_t band = 60; // control band height of these tests
const int32_t width = 800;
const int32_t height = 400;

// An 800 x 400 field below a 60-pixel band, with the options of a fresh start.
void set_field(int32_t highs_zoom) {
    std::memset(&app, 0, sizeof app);
    app.graph_rect = {0, 0, width, height};
    app.top_band_height = band;
    app.highs_zoom = highs_zoom;
    app.x_offset = highs_zoom != 0 ? width * 3 / 4 : 0;
    app.snap_hz = 1;
    app.snap_db = 1;
    app.linear_db = 1;
    app.a_weighting = 0;
}

// The dialog row of field row r.
uint16_t row_y(int r) {
    return static_cast<uint16_t>(band + band_gap + r);
}

// The first column that plays the frequency hz.
uint16_t column_of(uint16_t hz) {
    for (uint16_t x = 0; x <= width; ++x) {
        if (column_frequency(x) == hz) {
            return x;
        }
    }
    ADD_FAILURE() << "no column plays " << hz << " Hz";
    return 0;
}

} // namespace

TEST(Pointer, MovesAreTakenOnlyOverTheField) {
    struct Case {
        const char* name;
        uint16_t x;
        uint16_t y;
        bool taken;
    };
    const Case cases[] = {
        {"control band", 400, 30, false},
        {"field row 3", 400, row_y(3), false},
        {"field row 4", 400, row_y(4), true},
        {"last field row", 400, row_y(height - 1), true},
        {"below the field", 400, row_y(height), false},
        {"left edge", 0, 200, true},
        {"right edge", width, 200, true},
        {"right of the field", width + 1, 200, false},
        {"left of the dialog", 65535, 200, false},
        {"above the dialog", 400, 65535, false},
    };
    for (const Case& c : cases) {
        set_field(0);
        app.tone.frequency_hz = 1234;
        app.tone.amplitude = 777.0;
        std::string readout = "old";
        EXPECT_EQ(c.taken, take_pointer_move(c.x, c.y, false, &readout)) << c.name;
        if (!c.taken) {
            EXPECT_EQ(1234, app.tone.frequency_hz) << c.name;
            EXPECT_EQ(777.0, app.tone.amplitude) << c.name;
            EXPECT_EQ("old", readout) << c.name;
            continue;
        }
        double amplitude = y_to_amplitude(c.y - band - band_gap, height);
        EXPECT_EQ(amplitude, app.tone.amplitude) << c.name;
        EXPECT_EQ(x_to_hz(c.x, width), app.tone.frequency_hz) << c.name;
        EXPECT_EQ(readout_text(app.tone.frequency_hz, amplitude_to_db(amplitude), false), readout)
            << c.name;
    }
}

TEST(Pointer, ColumnsCountOnTheWholeAxisUnderTheZoom) {
    struct Case {
        int32_t highs_zoom;
        uint16_t x;
        uint16_t hz; // with snap_hz off
    };
    const Case cases[] = {{0, 0, 36}, {0, 400, 816}, {0, 800, 18127}, {1, 0, 524}, {1, 800, 18127}};
    for (const Case& c : cases) {
        set_field(c.highs_zoom);
        app.snap_hz = 0;
        EXPECT_EQ(c.hz, column_frequency(c.x)) << "zoom " << c.highs_zoom << ", x " << c.x;
    }
}

TEST(Pointer, HeldKeysKeepTheFrequencyWhileTheLevelFollows) {
    set_field(0);
    std::string readout;
    ASSERT_TRUE(take_pointer_move(400, row_y(200), false, &readout));
    EXPECT_EQ(800, app.tone.frequency_hz);
    ASSERT_TRUE(take_pointer_move(700, row_y(300), true, &readout));
    EXPECT_EQ(800, app.tone.frequency_hz);
    EXPECT_EQ(y_to_amplitude(300, height), app.tone.amplitude);
    EXPECT_EQ(0u, readout.find("     800 Hz / ")) << readout;
    ASSERT_TRUE(take_pointer_move(700, row_y(300), false, &readout));
    EXPECT_EQ(x_to_hz(700, width), app.tone.frequency_hz);
}

TEST(Pointer, AWeightedRowsPlayThePhysicalAmplitude) {
    struct Case {
        const char* name;
        uint16_t hz; // 0: a move with a key held right after a release
        int row;
        bool clamped;
        double louder_db; // the tone against the level the readout shows
    };
    const Case cases[] = {
        {"50 Hz", 50, 200, false, 30.266},
        {"100 Hz", 100, 100, false, 19.139},
        {"1000 Hz", 1000, 200, false, 0.0},
        {"2500 Hz, where the gain is positive", 2500, 200, false, -1.27},
        {"50 Hz near full scale", 50, 380, true, 0.0},
        {"no frequency yet", 0, 200, false, 0.0},
    };
    for (const Case& c : cases) {
        set_field(0);
        app.a_weighting = 1;
        uint16_t x = c.hz != 0 ? column_of(c.hz) : 400;
        std::string readout;
        ASSERT_TRUE(take_pointer_move(x, row_y(c.row), c.hz == 0, &readout)) << c.name;
        ASSERT_EQ(c.hz, app.tone.frequency_hz) << c.name;
        double level = amplitude_to_db(y_to_amplitude(c.row, height));
        EXPECT_EQ(readout_text(c.hz, level, true), readout) << c.name;
        if (c.clamped) {
            EXPECT_EQ(32767.0, app.tone.amplitude) << c.name;
        } else {
            EXPECT_NEAR(c.louder_db, amplitude_to_db(app.tone.amplitude) - level, 0.01) << c.name;
        }
    }
}

TEST(Pointer, ReadoutLine) {
    struct Case {
        int32_t hz;
        double level_db;
        bool a_weighted;
        const char* text;
    };
    const Case cases[] = {
        {1000, -40.0, false, "     1000 Hz / -40.0 dB       "},
        {816, -36.8643, true, "     816 Hz / -36.9 dB(A)       "},
        {18100, -0.000265, false, "     18100 Hz / -0.0 dB       "},
        {36, -74.648, true, "     36 Hz / -74.6 dB(A)       "},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.text, readout_text(c.hz, c.level_db, c.a_weighted)) << c.text;
    }
    EXPECT_EQ(30u, readout_text(1000, -40.0, false).size());
}
