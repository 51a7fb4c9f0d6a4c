// Where things lie on the audiogram chart, as audiologists draw it: frequency across with the
// octaves evenly spaced from 125 Hz, values in dB down (hearing level from -10 dB HL at the top to
// 120 at the bottom, say), and one octave across as long as 20 dB down. Pure arithmetic; the
// window draws with it.
#pragma once

#include <cstdint>

const int32_t chart_lowest_hz = 125;
const int32_t chart_db_per_octave = 20; // one octave across is as long as this many dB down
const int chart_octaves = 6;            // 125 Hz to 8 kHz
const int chart_octaves_to_16k = 7;     // when a point lies above 8000 Hz

// What the chart spans: the values from top_db at its top edge down to bottom_db at its bottom
// edge, and the frequencies to 8 kHz or, with to_16k, to 16 kHz.
struct ChartSpan {
    int32_t top_db;
    int32_t bottom_db;
    bool to_16k;
};

// The chart inside a picture of width x height pixels: the plot's left and top edge, the pixels
// of one octave (and of 20 dB), the octaves across and the values down. Room is left around the
// plot for the labels in font_height pixels: the values at the left with their unit above them,
// unit_width pixels wide; the frequencies above; the zones' names, names_width pixels wide, at
// the right; and half a mark below.
struct ChartLayout {
    int32_t left;
    int32_t top;
    int32_t octave;
    int32_t octaves;
    int32_t font_height;
    int32_t top_db;
    int32_t bottom_db;
};
ChartLayout lay_out_chart(int32_t width, int32_t height, int32_t font_height, int32_t unit_width,
                          int32_t names_width, const ChartSpan& span);

// The plot's right and bottom edge.
int32_t chart_right(const ChartLayout& chart);
int32_t chart_bottom(const ChartLayout& chart);

// The column of a frequency and the row of a value; a value beyond the chart stands at its edge.
int32_t chart_x(const ChartLayout& chart, double frequency);
int32_t chart_y(const ChartLayout& chart, double value_db);

// The radius of a point's mark, in pixels.
int32_t chart_mark_radius(const ChartLayout& chart);
