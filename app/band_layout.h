// Where the controls of the band above the graph lie at a given client width: laid out as the
// template has them where the client is wide enough, closed up and narrowed where it is not.
#pragma once

#include "core/app_state.h"

// Lays the `count` controls of `template_controls` (in the template's order, at their template
// rectangles in client pixels, in a template `template_width` pixels wide) out into `laid_out`
// for a client area `client_width` pixels wide. Where the client is at least as wide as the
// template, every control keeps its template rectangle. Where it is narrower, the band gives up
// what it lacks in this order, each step only what is still missing:
//   1. the margin right of the band, down to the margin left of it;
//   2. the gaps between its columns (controls whose horizontal spans overlap stand in one
//      column), down to that margin, each in proportion to what it has above it;
//   3. the widths of the columns, each in proportion to its width; the controls of a column
//      narrow with it.
// A control keeps its row and height, and the columns their order.
void lay_out_band(const BandControl* template_controls, BandControl* laid_out, int count,
                  int32_t template_width, int32_t client_width);
