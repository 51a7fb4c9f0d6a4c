// The audiogram window's chart and words: what the chart shows, the lines below it, the chart
// copied as text, and the known audiogram dialog's lines on what it did. The lines are in the
// program's code page (Windows-1252) with CR LF line ends, as the windows show them; the copied
// text is UTF-8, as every text the program puts on the clipboard.
#pragma once

#include "core/app_state.h"
#include "graph/audiogram_chart.h"
#include "hearing/known_audiogram.h"

#include <string>
#include <vector>

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

// Items in a sentence: commas between them, the language's "and" before the last ("500, 2000 and
// 4000").
std::string listed(const std::vector<std::string>& items, int language);

// The known audiogram's lines on the reference made from it, in the program's code page, each
// ending in CR LF: for each ear with typed levels how many frequencies the reference holds, and
// the typed frequencies left out, grouped by why.
std::string format_reference_lines(const KnownReference& reference, const KnownLevels& levels,
                                   int language);

// The known audiogram's line on a paste that took rows: how many, and the frequencies not taken
// (with "..." where more were left unnamed).
std::string format_pasted_line(const PastedRows& pasted, int language);
