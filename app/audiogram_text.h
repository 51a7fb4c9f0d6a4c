// The audiogram window's words: the lines below the chart and the chart copied as text. The lines
// are in the program's code page (Windows-1252) with CR LF line ends, as the window shows them;
// the copied text is UTF-8, as every text the program puts on the clipboard.
#pragma once

#include "core/app_state.h"

#include <string>

// One line for each ear with hearing levels, right then left: its average of 500, 1000, 2000
// and 4000 Hz with its grade, or which of them it misses; then, where both averages are whole
// and differ by 15 dB or more, a line that says by how much and suggests an audiologist.
std::string format_ear_lines(const CurveSet& main_set, const CurveSet& reference, int language);

// A header line, then one line per frequency that a curve of the main set has a counted point
// at, rising, with the hearing levels of the right ear, the left ear and the green curve in
// tab-separated columns (empty where there is none); then the ear lines and, with a reference,
// "Reference: " and its title (UTF-8), whose control characters and line separators become
// blanks.
std::string format_audiogram_text(const CurveSet& main_set, const CurveSet& reference,
                                  const std::string& title, int language);
