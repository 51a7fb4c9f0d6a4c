// The curves as text for the clipboard: as tab-separated lines that paste into a spreadsheet as
// columns, and one curve as the settings of a graphic equalizer. Both texts are UTF-8, whatever
// code page the program's own words are kept in, so that a decimal separator or a title from the
// user's side comes through whole.
#pragma once

#include "core/app_state.h"
#include "hearing/compensation.h"
#include "hearing/known_audiogram.h"

#include <string>

// A header line, then one line per point of the main set and then of the compare set, curve by
// curve in button order and each curve in its stored order; every line ends in CR LF. Columns:
// set, curve colour (as its button is named), frequency in Hz, stored amplitude, level in dB
// relative to full scale and, while a_weighted, the A-weighted level that the graph shows. The
// levels have one decimal written with `decimal` (UTF-8) as the separator; a level that is not
// finite (amplitude 0, or the weighting of 0 Hz) is left as an empty cell. The words are those of
// `language` (German for 1, else English).
std::string format_curve_text(const CurveSet& main_set, const CurveSet& compare_set,
                              bool a_weighted, int language, const std::string& decimal);

// A value with one decimal and `decimal` (UTF-8) as the separator, never "-0.0". A value that is
// not finite (the level of a silent point, say) is an empty cell: "-inf" in a spreadsheet cell
// could neither be summed nor charted.
std::string decimal_cell(double value, const std::string& decimal);

// Curve `curve` of a set as the lines of a graphic equalizer's configuration, each ending in
// CR LF: a "# " comment in `language` naming the curve's colour and `title` (UTF-8), and
// "GraphicEQ:" with a " frequency gain;" band per point, in rising frequency. A band's gain is
// the point's level in dB less the highest level of the curve: 0.0 where the ear heard worst and
// a cut everywhere else, so that no equalizer plays anything louder than the original. Gains have
// one decimal and always a point. The comment holds no ":" and no line end: those of the title
// become blanks, as do its other control characters and line or paragraph separators. Points of
// 0 Hz or amplitude 0 are left out, and of the others with the same frequency the one stored
// first (the newest recorded) is used. Empty when no point is left.
std::string format_equalizer_text(const CurveSet& set, int curve, const std::string& title,
                                  int language);

// Whether curve `curve` of a set has a point that format_equalizer_text would write.
bool has_equalizer_bands(const CurveSet& set, int curve);

// The title (UTF-8) with a blank for every character that would let it out of its line: a
// control character (C0, DEL and C1, which holds NEL) and the line and paragraph separators
// U+2028 and U+2029.
std::string one_line_title(const std::string& title);

// one_line_title, and ":" a blank too: some equalizers take it for the start of their settings
// wherever it stands in a comment.
std::string comment_title(const std::string& title);

// Whether the ears chosen (CompensatedEars) have a hearing level against the reference (for both
// ears, each ear).
bool has_compensation(const CurveSet& main_set, const CurveSet& reference, int ears);

// The ears' hearing levels against the reference as equalizer settings by the half-gain rule
// (compensate_set), each line ending in CR LF. A "# " comment in `language` names the ear (or
// both), `title` and `reference_title` (UTF-8, treated as comment_title treats them) and says where
// the limit held; then for one ear a "GraphicEQ:" line as format_equalizer_text writes it, for both
// ears "Channel: L" and the left ear's line, then "Channel: R" and the right ear's. Empty when
// has_compensation is false.
std::string format_compensation_text(const CurveSet& main_set, const CurveSet& reference, int ears,
                                     const std::string& title, const std::string& reference_title,
                                     int language);

// The typed levels of a known audiogram as equalizer settings by the same half-gain rule and in
// the same lines, under a comment that names the ear (or both) and the audiogram's title. Empty
// while an ear chosen (for both ears, either ear) has no level.
std::string format_known_compensation_text(const KnownLevels& levels, int ears,
                                           const std::string& title, int language);
