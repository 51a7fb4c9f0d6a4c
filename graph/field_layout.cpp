// Where things lie on the frequency field.
#include "graph/field_layout.h"

#include "core/truncate.h"
#include "graph/scales.h"

#include <algorithm>
#include <cstdio>

const uint16_t frequency_grid_hz[frequency_grid_count] = {
    50, 100, 200, 300, 500, 1000, 2000, 3000, 4000, 6000, 8000, 10000, 12000, 14000, 16000};

const int32_t level_grid_db[level_grid_count] = {-70, -60, -50, -45, -40, -35, -30,
                                                 -25, -20, -15, -12, -9,  -6,  -3};

const int32_t level_grid_db_linear[level_grid_count] = {-70, -65, -60, -55, -50, -45, -40,
                                                        -35, -30, -25, -20, -15, -10, -5};

namespace {

// The A-weighting curve is sampled about 30 times across the width, not at every column.
const int32_t a_weighting_samples = 30;

} // namespace

void lay_out_field() {
    int32_t width = app.graph_rect.right;
    int32_t height = app.graph_rect.bottom;
    // The zoom lays the axis out over 1.75 widths and cuts off its lower 3/7.
    app.x_offset = app.highs_zoom != 0 ? width * 3 / 4 : 0;
    for (int i = 0; i < frequency_grid_count; ++i) {
        app.grid_x[i] = static_cast<uint16_t>(field_x_of_hz(frequency_grid_hz[i]));
    }
    // The level lines are never A-weighted: they stay put when a_weighting changes.
    const int32_t* table = level_grid_table();
    for (int i = 0; i < level_grid_count; ++i) {
        int32_t amplitude = truncate_to_int(db_to_amplitude(table[i]));
        app.grid_y[i] = static_cast<uint16_t>(amplitude_to_y(amplitude, height));
    }
}

const int32_t* level_grid_table() {
    return app.linear_db != 0 ? level_grid_db_linear : level_grid_db;
}

int32_t field_x_of_hz(int32_t frequency) {
    int64_t x = static_cast<int64_t>(hz_to_x(frequency, app.graph_rect.right + app.x_offset)) -
                app.x_offset;
    return x < INT32_MIN ? INT32_MIN : static_cast<int32_t>(x);
}

FieldPoint curve_point_position(const CurveSet& set, int curve, int index) {
    int32_t frequency = set.freq_hz[curve][index];
    int32_t amplitude = display_amplitude(set.amplitude[curve][index], frequency);
    return {field_x_of_hz(frequency), amplitude_to_y(amplitude, app.graph_rect.bottom)};
}

std::vector<FieldPoint> a_weighting_curve() {
    int32_t width = app.graph_rect.right;
    int32_t step = width / a_weighting_samples;
    std::vector<FieldPoint> samples;
    if (step <= 0) {
        return samples;
    }
    for (int32_t x = step; x < width; x += step) {
        // The frequency of the column as the pointer would play it, snapped while snap_hz is on.
        uint16_t frequency = static_cast<uint16_t>(x_to_hz(x + app.x_offset, width + app.x_offset));
        // Above 32767 where the gain is positive: the curve then lies at or below the bottom.
        int32_t amplitude = truncate_to_int(db_to_amplitude(a_weighting_db(frequency)));
        samples.push_back({x, amplitude_to_y(amplitude, app.graph_rect.bottom)});
    }
    return samples;
}

FontHeights font_heights(int32_t dpi) {
    return {dpi * 15 / 96, dpi * 25 / 96};
}

FieldTextOffsets field_text_offsets(int32_t label_font_height) {
    auto grown = [label_font_height](int32_t pixels) { return pixels * label_font_height / 15; };
    return {grown(4), grown(16), grown(24), grown(30), label_font_height > 15 ? 1 : 0};
}

int32_t frequency_label_x(int32_t line_x, int32_t label_width, int32_t width,
                          const FieldTextOffsets& offsets) {
    if (!offsets.keeps_labels_inside) {
        return line_x + 2;
    }
    return std::min(line_x + 2, width - offsets.margin - label_width);
}

void format_frequency_label(uint16_t frequency, char* text, size_t size) {
    if (frequency >= 1000) {
        std::snprintf(text, size, "%dk", frequency / 1000);
    } else {
        std::snprintf(text, size, "%d", frequency);
    }
}
