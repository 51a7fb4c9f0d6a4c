// Where things lie on the frequency field: the zoom offset, the grid tables and positions, the
// samples of the A-weighting curve and the positions of curve points. Pure arithmetic on the
// state record; render_win.cpp draws with it.
#pragma once

#include "core/app_state.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// Frequencies of the vertical grid lines, in hertz.
extern const uint16_t frequency_grid_hz[frequency_grid_count];
// Decibel values of the horizontal grid lines, top to bottom: for the cube-law level axis and
// for the linear-dB level axis.
extern const int32_t level_grid_db[level_grid_count];
extern const int32_t level_grid_db_linear[level_grid_count];

// A position on the field in pixels; either coordinate may lie outside the graph.
struct FieldPoint {
    int32_t x;
    int32_t y;
};

// Recomputes x_offset, grid_x and grid_y from graph_rect, highs_zoom and linear_db. grid_x
// holds the columns modulo 2^16: under the zoom the lines below 1 kHz lie left of the graph.
void lay_out_field();

// The decibel values of the level lines for the level law now chosen.
const int32_t* level_grid_table();

// The field column of a frequency: its place on the whole axis of graph width + x_offset pixels,
// less the x_offset pixels hidden at the left. A column beyond the int32 range (a point of 0 Hz)
// becomes INT32_MIN, far left of the graph.
int32_t field_x_of_hz(int32_t frequency);

// Where point `index` of curve `curve` of a set is drawn, A-weighted while a_weighting is on.
FieldPoint curve_point_position(const CurveSet& set, int curve, int index);

// The A-weighting curve sampled every width/30 columns, from width/30 up to the last multiple
// below the width: where a tone at 0 dB shows on the A-weighted level axis. A graph narrower
// than 30 pixels has no samples.
std::vector<FieldPoint> a_weighting_curve();

// Text heights in pixels on a screen of dpi dots per inch vertically: 15 for the labels and 25
// for the readout at 96 dpi, scaled with the remainder dropped (18 and 31 at 120 dpi).
struct FontHeights {
    int32_t label;
    int32_t readout;
};
FontHeights font_heights(int32_t dpi);

// Where the labels lie from the graph's edges, in pixels. Each grows with the label font from its
// size at 15 pixels (96 dpi), the remainder dropped, so that no label reaches past an edge.
struct FieldTextOffsets {
    int32_t margin;       // the top row and the left-hand labels from the top and left edge: 4
    int32_t bottom_rise;  // the bottom row's top above the bottom edge: 16
    int32_t right_inset;  // the right-hand level labels' left end from the right edge: 24
    int32_t first_line_x; // frequency lines left of this column are not drawn, nor their
                          // labels, which would run into the level labels at the left: 30
    // 0 for 15-pixel labels, which stand exactly where they always stood; 1 for larger ones, whose
    // frequency labels are kept from reaching past the right edge.
    int32_t keeps_labels_inside;
};
FieldTextOffsets field_text_offsets(int32_t label_font_height);

// Where a frequency label of `label_width` pixels starts: 2 pixels right of its line at `line_x`,
// or, with labels larger than at 96 dpi, where it would reach past the right edge of a graph
// `width` pixels wide, further left, so that it ends the margin short of that edge.
int32_t frequency_label_x(int32_t line_x, int32_t label_width, int32_t width,
                          const FieldTextOffsets& offsets);

// The label of a frequency line: "50" to "500", then "1k" to "16k".
void format_frequency_label(uint16_t frequency, char* text, size_t size);
