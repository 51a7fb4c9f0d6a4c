// What the audiogram chart shows, as a plain description that its window computes: what it spans,
// shaded zones with their names, the marks of the curves' points and the lines joining them, on
// the chart's geometry (audiogram_layout). The drawing knows nothing of hearing levels or grades.
#pragma once

#include "core/app_state.h"
#include "graph/audiogram_layout.h"

#include <cstdint>
#include <string>
#include <vector>

// A Windows RGB value (0x00BBGGRR), written as its three parts.
constexpr uint32_t chart_rgb(uint32_t red, uint32_t green, uint32_t blue) {
    return red | green << 8 | blue << 16;
}

// The curves' colours as the hearing test records them: green, red for the right ear, blue for
// the left.
inline constexpr uint32_t chart_curve_colours[curve_count] = {
    chart_rgb(0, 140, 0), chart_rgb(230, 0, 0), chart_rgb(0, 80, 200)};

// A place on the chart: a frequency across and a value in dB down.
struct ChartPoint {
    double frequency_hz;
    double value_db;
};

// A shaded area across the whole chart between two values, its name right of the chart or, for a
// zone around which the marks gather at every frequency, inside the plot at its top left.
struct ChartZone {
    double top_db;
    double bottom_db;
    uint32_t colour;
    std::string name; // in the program's code page
    bool name_inside;
};

// The points of curve `curve` (0 green, 1 red, 2 blue): every point's mark (a square, a circle, a
// cross), and the line that joins those of `joined` from first to last.
struct ChartCurve {
    int curve;
    std::vector<ChartPoint> joined;
    std::vector<ChartPoint> marks;
};

// A shaded area like a zone whose edges follow values from frequency to frequency, joined by
// straight lines: a range at each frequency (a group's thresholds from one percentile to
// another). Both edges run through the same frequencies, rising.
struct ChartRangeZone {
    std::vector<ChartPoint> top;
    std::vector<ChartPoint> bottom;
    uint32_t colour;
};

// A dashed line through its points, from first to last.
struct ChartDashedLine {
    std::vector<ChartPoint> points;
    uint32_t colour;
};

struct AudiogramChart {
    std::string unit; // written above the values at the left
    ChartSpan span;
    std::vector<ChartZone> zones;
    std::vector<ChartRangeZone> range_zones;   // over the zones, under the grid
    std::vector<ChartDashedLine> dashed_lines; // over the grid, under the curves
    std::vector<ChartCurve> curves;            // drawn in this order, the last on top
};

#ifdef _WIN32
// Draws the chart into dc, a picture of width x height pixels, with its labels font_height pixels
// tall: the background, the zones and their names, the range zones, the grid with its labels and
// unit, the dashed lines, then each curve's line and marks.
void draw_audiogram_chart(HDC dc, int width, int height, int font_height,
                          const AudiogramChart& chart);
#endif
