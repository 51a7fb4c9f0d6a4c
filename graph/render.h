// Rendering of the frequency field: the whole picture is drawn into memory_dc and copied to the
// graph window in one piece.
#pragma once

#include "core/app_state.h"

// Recomputes x_offset and the grid positions, then draws background, A-weighting curve, grid and
// labels, the compare set and the main set into memory_dc, and copies the picture to the graph
// window. Expects graph_rect to be current and memory_dc to hold a bitmap of its size.
void render_graph();

// Draws the three curves of compare_set in the pale palette (pale true) or of main_set in the
// strong palette: point marks, and a connecting line from the fifth point on.
void draw_curve_set(bool pale);

#ifdef _WIN32
// The font of the texts on the field, the grid labels and the readout, height pixels tall:
// variable pitch, Swiss family and no face name, so that the font mapper picks a sans-serif face.
HFONT create_field_font(int height);
#endif
