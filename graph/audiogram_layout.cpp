// Where things lie on the audiogram chart.
#include "graph/audiogram_layout.h"

#include "core/truncate.h"

#include <algorithm>
#include <cmath>

namespace {

double clamped(double value, double low, double high) {
    return std::max(low, std::min(high, value));
}

} // namespace

ChartLayout lay_out_chart(int32_t width, int32_t height, int32_t font_height, int32_t unit_width,
                          int32_t names_width, const ChartSpan& span) {
    ChartLayout chart = {};
    chart.font_height = font_height;
    chart.octaves = span.to_16k ? chart_octaves_to_16k : chart_octaves;
    chart.top_db = span.top_db;
    chart.bottom_db = span.bottom_db;
    int32_t mark = font_height / 2;
    // The value labels ("-10", "120") take about three font heights across, and the first
    // frequency label ("125") reaches half its width left of the plot: that half and a gap keep
    // clear of the unit above the values.
    chart.left = std::max(font_height * 4, unit_width + font_height * 5 / 4);
    chart.top = font_height + mark;
    int32_t across = width - chart.left - std::max(mark, names_width);
    int32_t down = height - chart.top - mark;
    int32_t db_range = std::max(1, span.bottom_db - span.top_db);
    // The octave is whole pixels, so that an octave across and 20 dB down are the same length.
    chart.octave =
        std::max(0, std::min(across / chart.octaves, down * chart_db_per_octave / db_range));
    return chart;
}

int32_t chart_right(const ChartLayout& chart) {
    return chart.left + chart.octave * chart.octaves;
}

int32_t chart_bottom(const ChartLayout& chart) {
    return chart_y(chart, chart.bottom_db);
}

int32_t chart_x(const ChartLayout& chart, double frequency) {
    double octaves = frequency > 0 ? std::log2(frequency / chart_lowest_hz) : 0;
    return chart.left + truncate_to_int(clamped(octaves, 0, chart.octaves) * chart.octave);
}

int32_t chart_y(const ChartLayout& chart, double value_db) {
    double below_top = clamped(value_db, chart.top_db, chart.bottom_db) - chart.top_db;
    return chart.top + truncate_to_int(below_top * chart.octave / chart_db_per_octave);
}

int32_t chart_mark_radius(const ChartLayout& chart) {
    return std::max(3, chart.font_height / 3);
}
