// The curves as text for the clipboard: one tab-separated line per point, so that they paste
// into a spreadsheet as columns.
#pragma once

#include "core/app_state.h"

#include <string>

// A header line, then one line per point of the main set and then of the compare set, curve by
// curve in button order and each curve in its stored order; every line ends in CR LF. Columns:
// set, curve colour (as its button is named), frequency in Hz, stored amplitude, level in dB
// relative to full scale and, while a_weighted, the A-weighted level that the graph shows. The
// levels have one decimal written with `decimal` as the separator; a level that is not finite
// (amplitude 0, or the weighting of 0 Hz) is left as an empty cell. The words are those of
// `language` (German for 1, else English); the result is Windows-1252 bytes.
std::string format_curve_text(const CurveSet& main_set, const CurveSet& compare_set,
                              bool a_weighted, int language, const std::string& decimal);
