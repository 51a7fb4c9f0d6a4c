// Where the grid, the A-weighting curve and the curve points lie on the field, for the graph
// sizes and options a render meets.
#include "graph/field_layout.h"

#include "graph/audiogram_layout.h"
#include "graph/scales.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

void set_field(int32_t width, int32_t height, int32_t highs_zoom, int32_t linear_db) {
    std::memset(&app, 0, sizeof app);
    app.graph_rect = {0, 0, width, height};
    app.highs_zoom = highs_zoom;
    app.linear_db = linear_db;
    app.snap_hz = 1;
    app.snap_db = 1;
    app.a_weighting = 1;
}

std::vector<int> columns() {
    std::vector<int> found;
    for (int i = 0; i < frequency_grid_count; ++i) {
        found.push_back(static_cast<int16_t>(app.grid_x[i]));
    }
    return found;
}

std::vector<int> rows() {
    return std::vector<int>(app.grid_y, app.grid_y + level_grid_count);
}

} // namespace

TEST(FieldLayout, GridOfAnEightHundredByFourHundredField) {
    set_field(800, 400, 0, 0);
    lay_out_field();
    EXPECT_EQ(0, app.x_offset);
    EXPECT_EQ((std::vector<int>{39, 129, 218, 270, 336, 426, 515, 567, 605, 657, 694, 723, 746, 766,
                                783}),
              columns());
    EXPECT_EQ((std::vector<int>{26, 39, 58, 71, 86, 104, 126, 153, 185, 224, 252, 283, 317, 356}),
              rows());

    set_field(800, 400, 0, 1);
    lay_out_field();
    EXPECT_EQ((std::vector<int>{22, 49, 76, 103, 130, 156, 183, 209, 236, 262, 289, 315, 342, 368}),
              rows());
}

TEST(FieldLayout, ZoomHidesTheLowerThreeSeventhsOfTheAxis) {
    set_field(800, 400, 1, 0);
    lay_out_field();
    EXPECT_EQ(600, app.x_offset);
    std::vector<int> found = columns();
    const int upper[] = {145, 302, 393, 458, 550, 615, 665, 706, 741, 771};
    for (int i = 0; i < 5; ++i) {
        EXPECT_LT(found[i], 0) << frequency_grid_hz[i] << " Hz";
        EXPECT_EQ(found[i], field_x_of_hz(frequency_grid_hz[i])) << frequency_grid_hz[i] << " Hz";
    }
    for (int i = 5; i < frequency_grid_count; ++i) {
        EXPECT_EQ(upper[i - 5], found[i]) << frequency_grid_hz[i] << " Hz";
    }

    // At any width the visible part spans about 524 Hz to 18.1 kHz.
    const int32_t widths[] = {100, 599, 800, 1920, 3001};
    for (int32_t width : widths) {
        set_field(width, 400, 1, 0);
        app.snap_hz = 0;
        lay_out_field();
        EXPECT_EQ(width * 3 / 4, app.x_offset) << "width " << width;
        int32_t left = x_to_hz(app.x_offset, width + app.x_offset);
        EXPECT_NEAR(524, left, 2) << "width " << width;
        EXPECT_EQ(18127, x_to_hz(width + app.x_offset, width + app.x_offset)) << "width " << width;
        EXPECT_LT(field_x_of_hz(500), 0) << "width " << width;
        EXPECT_GE(field_x_of_hz(1000), 0) << "width " << width;
    }
}

TEST(FieldLayout, GridLinesRunInOrderAtEverySize) {
    const int32_t sizes[][2] = {{187, 50}, {600, 300}, {801, 401}, {1920, 1000}, {3000, 40}};
    for (const auto& size : sizes) {
        for (int32_t zoom = 0; zoom <= 1; ++zoom) {
            for (int32_t linear_db = 0; linear_db <= 1; ++linear_db) {
                set_field(size[0], size[1], zoom, linear_db);
                lay_out_field();
                SCOPED_TRACE(std::to_string(size[0]) + "x" + std::to_string(size[1]) + " zoom " +
                             std::to_string(zoom) + " linear_db " + std::to_string(linear_db));
                std::vector<int> x = columns();
                std::vector<int> y = rows();
                for (int i = 1; i < frequency_grid_count; ++i) {
                    EXPECT_LT(x[i - 1], x[i]) << "frequency line " << i;
                }
                EXPECT_LT(x.back(), size[0]);
                for (int i = 1; i < level_grid_count; ++i) {
                    EXPECT_LE(y[i - 1], y[i]) << "level line " << i;
                }
                EXPECT_GE(y.front(), 0);
                EXPECT_LT(y.back(), size[1]);
            }
        }
    }
}

TEST(FieldLayout, FiftyHertzLineCrossesTheThresholdBetween600And800) {
    const int32_t first_frequency_line_x = field_text_offsets(15).first_line_x;
    set_field(600, 400, 0, 0);
    lay_out_field();
    EXPECT_EQ(29, app.grid_x[0]);
    EXPECT_LT(app.grid_x[0], first_frequency_line_x);
    set_field(800, 400, 0, 0);
    lay_out_field();
    EXPECT_GE(app.grid_x[0], first_frequency_line_x);
    // The 100 Hz line goes the same way below about 187 pixels.
    set_field(185, 400, 0, 0);
    lay_out_field();
    EXPECT_LT(app.grid_x[1], first_frequency_line_x);
    set_field(187, 400, 0, 0);
    lay_out_field();
    EXPECT_GE(app.grid_x[1], first_frequency_line_x);
}

TEST(FieldLayout, AnEmptyFieldHasAGridOfZeros) {
    set_field(0, 0, 1, 1);
    lay_out_field();
    EXPECT_EQ(0, app.x_offset);
    EXPECT_EQ(std::vector<int>(frequency_grid_count, 0), columns());
    EXPECT_EQ(std::vector<int>(level_grid_count, 0), rows());
    EXPECT_TRUE(a_weighting_curve().empty());
}

TEST(FieldLayout, AWeightingCurveSamples) {
    struct Sample {
        int32_t x;
        int32_t y;
    };
    struct Case {
        const char* name;
        int32_t zoom;
        int32_t linear_db;
        int32_t snap_hz;
        Sample first;
        Sample at_100_hz_or_fifth;
        Sample last;
    };
    // The samples of an 800 x 400 field lie every 26 columns, from 26 to 780.
    const Case cases[] = {
        {"cube law", 0, 0, 1, {26, 116}, {130, 191}, {780, 313}},
        {"linear-dB law", 0, 1, 1, {26, 224}, {130, 293}, {780, 361}},
        {"zoom", 1, 0, 1, {26, 368}, {130, 397}, {780, 304}},
        {"cube law unsnapped", 0, 0, 0, {26, 116}, {130, 191}, {780, 313}},
    };
    for (const Case& c : cases) {
        set_field(800, 400, c.zoom, c.linear_db);
        app.snap_hz = c.snap_hz;
        lay_out_field();
        std::vector<FieldPoint> samples = a_weighting_curve();
        ASSERT_EQ(30u, samples.size()) << c.name;
        for (size_t i = 0; i < samples.size(); ++i) {
            EXPECT_EQ(26 * static_cast<int32_t>(i + 1), samples[i].x) << c.name << " sample " << i;
        }
        EXPECT_EQ(c.first.y, samples[0].y) << c.name;
        EXPECT_EQ(c.at_100_hz_or_fifth.y, samples[4].y) << c.name;
        EXPECT_EQ(c.last.y, samples[29].y) << c.name;
    }

    // On the cube-law axis a tone at 0 dB shows on or below the bottom edge exactly where the
    // gain is positive.
    set_field(1920, 1000, 0, 0);
    app.snap_hz = 0;
    lay_out_field();
    for (const FieldPoint& sample : a_weighting_curve()) {
        int32_t hz = x_to_hz(sample.x, 1920);
        EXPECT_EQ(hz >= 1000 && hz <= 6091, sample.y >= 1000) << hz << " Hz";
    }
}

TEST(FieldLayout, AWeightingCurveNeedsThirtyColumns) {
    const int32_t widths[] = {-5, 0, 1, 29};
    for (int32_t width : widths) {
        set_field(width, 400, 0, 0);
        lay_out_field();
        EXPECT_TRUE(a_weighting_curve().empty()) << "width " << width;
    }
    set_field(30, 400, 0, 0);
    lay_out_field();
    std::vector<FieldPoint> samples = a_weighting_curve();
    ASSERT_EQ(29u, samples.size());
    EXPECT_EQ(1, samples.front().x);
    EXPECT_EQ(29, samples.back().x);
    set_field(61, 400, 1, 0);
    lay_out_field();
    samples = a_weighting_curve();
    ASSERT_EQ(30u, samples.size());
    EXPECT_EQ(60, samples.back().x);
}

TEST(FieldLayout, CurvePointsFollowZoomLawAndWeighting) {
    CurveSet set = {};
    set.freq_hz[1][0] = 1000;
    set.amplitude[1][0] = 4096;
    set.freq_hz[1][1] = 100;
    set.amplitude[1][1] = 4096;
    set.freq_hz[1][2] = 0; // recorded before any move reached the field
    set.amplitude[1][2] = 0;
    set.count[1] = 3;
    struct Case {
        const char* name;
        int32_t zoom;
        int32_t linear_db;
        int32_t a_weighting;
        int index;
        FieldPoint at;
    };
    const Case cases[] = {
        {"1 kHz cube", 0, 0, 1, 0, {426, 200}},
        {"100 Hz cube weighted", 0, 0, 1, 1, {129, 95}},
        {"100 Hz cube plain", 0, 0, 0, 1, {129, 200}},
        {"100 Hz linear plain", 0, 1, 0, 1, {129, 299}},
        {"1 kHz zoomed", 1, 0, 0, 0, {145, 200}},
        {"100 Hz zoomed", 1, 0, 0, 1, {-375, 200}},
        {"0 Hz, silent, cube law", 0, 0, 1, 2, {INT32_MIN, 0}},
        {"0 Hz, silent, linear-dB law, zoomed", 1, 1, 1, 2, {INT32_MIN, INT32_MIN}},
    };
    for (const Case& c : cases) {
        set_field(800, 400, c.zoom, c.linear_db);
        app.a_weighting = c.a_weighting;
        lay_out_field();
        FieldPoint at = curve_point_position(set, 1, c.index);
        EXPECT_EQ(c.at.x, at.x) << c.name;
        EXPECT_EQ(c.at.y, at.y) << c.name;
    }
}

TEST(FieldLayout, FontHeightsAndTextOffsetsFollowTheScreensResolution) {
    const struct {
        int32_t dpi, label, readout, margin, bottom_rise, right_inset, first_line_x;
    } cases[] = {{96, 15, 25, 4, 16, 24, 30},
                 {120, 18, 31, 4, 19, 28, 36},
                 {144, 22, 37, 5, 23, 35, 44},
                 {192, 30, 50, 8, 32, 48, 60}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.label, font_heights(c.dpi).label) << c.dpi << " dpi";
        EXPECT_EQ(c.readout, font_heights(c.dpi).readout) << c.dpi << " dpi";
        FieldTextOffsets o = field_text_offsets(c.label);
        EXPECT_EQ((std::vector<int32_t>{c.margin, c.bottom_rise, c.right_inset, c.first_line_x}),
                  (std::vector<int32_t>{o.margin, o.bottom_rise, o.right_inset, o.first_line_x}))
            << c.dpi << " dpi";
        EXPECT_EQ(402, frequency_label_x(400, 2 * c.label, 800, o)) << c.dpi << " dpi";
        // At 96 dpi a label stands where it always stood, even where it is cut.
        int32_t kept_inside = c.dpi == 96 ? 792 : 800 - c.margin - 2 * c.label;
        EXPECT_EQ(kept_inside, frequency_label_x(790, 2 * c.label, 800, o)) << c.dpi << " dpi";
        // The audiogram at this font, of hearing level and of change: every octave across as
        // long as 20 dB down, at a size where the width or the height decides; values beyond
        // the chart at its edge; a unit wider than the values' labels moves the plot right.
        for (ChartSpan span : {ChartSpan{-10, 120, false}, ChartSpan{-20, 60, true}}) {
            bool to_16k = span.to_16k;
            for (int32_t height : {300, 900}) {
                ChartLayout chart =
                    lay_out_chart(700, height, c.label, 2 * c.label, 4 * c.label, span);
                SCOPED_TRACE(std::to_string(c.dpi) + " dpi, height " + std::to_string(height) +
                             (to_16k ? ", to 16k" : ""));
                // The first frequency label reaches less than a font height left of the plot.
                EXPECT_GT(lay_out_chart(700, height, c.label, 4 * c.label, 0, span).left,
                          5 * c.label);
                EXPECT_GT(chart.octave, c.label);
                for (double f = 125; f < (to_16k ? 16000 : 8000); f *= 2) {
                    EXPECT_EQ(chart_y(chart, 10) - chart_y(chart, -10),
                              chart_x(chart, 2 * f) - chart_x(chart, f))
                        << f << " Hz";
                }
                EXPECT_EQ(chart_right(chart), chart_x(chart, to_16k ? 16000 : 8000));
                EXPECT_EQ(chart_right(chart), chart_x(chart, 18000));
                EXPECT_EQ(chart.left, chart_x(chart, 100));
                EXPECT_EQ(chart.top, chart_y(chart, span.top_db - 10));
                EXPECT_EQ(chart_bottom(chart), chart_y(chart, span.bottom_db + 10));
                EXPECT_LE(chart_right(chart) + 4 * c.label, 700);
                EXPECT_LE(chart_bottom(chart) + chart_mark_radius(chart), height);
            }
        }
    }
}

TEST(FieldLayout, FrequencyLabels) {
    const char* expected[frequency_grid_count] = {"50", "100", "200", "300", "500",
                                                  "1k", "2k",  "3k",  "4k",  "6k",
                                                  "8k", "10k", "12k", "14k", "16k"};
    for (int i = 0; i < frequency_grid_count; ++i) {
        char label[8];
        format_frequency_label(frequency_grid_hz[i], label, sizeof label);
        EXPECT_STREQ(expected[i], label);
    }
    char label[8];
    format_frequency_label(1999, label, sizeof label);
    EXPECT_STREQ("1k", label);
    format_frequency_label(999, label, sizeof label);
    EXPECT_STREQ("999", label);
}
