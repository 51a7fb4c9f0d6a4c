// The audiogram window's chart and words: what the chart shows, the lines below it and the chart
// copied as text. The lines are in the program's code page (Windows-1252) with CR LF line ends, as
// the window shows them; the copied text is UTF-8, as every text the program puts on the
// clipboard.
#pragma once

#include "core/app_state.h"
#include "graph/audiogram_chart.h"

#include <string>

// The chart of the main set's hearing levels against the reference: the grades' zones with their
// names in `language`, and each curve's marks at every point with a level and its line through the
// points that count; green first and the right ear last, on top, as it is the first in an
// audiologist's eye. To 16 kHz when a level lies above 8000 Hz.
AudiogramChart hearing_level_chart(const CurveSet& main_set, const CurveSet& reference,
                                   int language);

// One line for each ear with hearing levels, right then left: its average of 500, 1000, 2000
// and 4000 Hz with its grade, or which of them it misses; then, where both averages are whole
// and differ by 15 dB or more, a line that says by how much and suggests an audiologist.
std::string format_ear_lines(const CurveSet& main_set, const CurveSet& reference, int language);

// A header line, then one line per frequency that a curve of the main set has a counted point
// at, rising, with the hearing levels of the right ear, the left ear and the green curve in
// tab-separated columns (empty where there is none); then the ear lines and, with a reference,
// "Reference: " and its title (UTF-8) as one_line_title keeps it: its ":" stay.
std::string format_audiogram_text(const CurveSet& main_set, const CurveSet& reference,
                                  const std::string& title, int language);
