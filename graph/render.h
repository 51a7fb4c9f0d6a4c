// Rendering of the frequency field: the whole picture is drawn into memory_dc and copied to the
// graph window in one piece.
#pragma once

// Recomputes x_offset and the grid positions, then draws background, A-weighting curve, grid and
// labels, the compare set and the main set into memory_dc, and copies the picture to the graph
// window. Expects graph_rect to be current and memory_dc to hold a bitmap of its size.
void render_graph();

// Draws the three curves of compare_set in the pale palette (pale true) or of main_set in the
// strong palette: point marks, and a connecting line from the fifth point on.
void draw_curve_set(bool pale);
