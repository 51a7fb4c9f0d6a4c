// The audiogram window's chart and words while it shows hearing level: what the chart shows, the
// lines below it and the chart copied as text, with the comparison with people of an age and sex;
// the pieces that the change since an earlier test shares with them; and the known audiogram
// dialog's lines on what it did. The lines are in the program's code page (Windows-1252) with
// CR LF line ends, as the windows show them; the copied text is UTF-8, as every text the program
// puts on the clipboard.
#pragma once

#include "core/app_state.h"
#include "graph/audiogram_chart.h"
#include "hearing/age_norms.h"
#include "hearing/known_audiogram.h"

#include <string>
#include <vector>

// What the audiogram window shows, in the order of its choice.
enum AudiogramShows { shows_hearing_level = 0, shows_change };

// The chart of the main set's hearing levels against the reference, from -10 dB HL to 120: the
// grades' zones with their names in `language`; with a group (an age), its range from the 10th to
// the 90th percentile as a grey range zone and its median as a dark grey dashed line, at the
// norms' eleven frequencies; and the curves (level_curves). To 16 kHz when a level lies above
// 8000 Hz.
AudiogramChart hearing_level_chart(const CurveSet& main_set, const CurveSet& reference,
                                   const AgeGroup& group, int language);

// One line for each ear with hearing levels, right then left: its average of 500, 1000, 2000
// and 4000 Hz with its grade, or which of them it misses; then, where both averages are whole
// and differ by 15 dB or more, a line that says by how much and suggests an audiologist. With a
// group, then one line for each ear with a level at a norm's frequency: within the range of 8 in
// 10 of the group at every one, or where it is poorer than 9 in 10 (above the 90th percentile)
// and where better (below the 10th); above 70 years a line below them says that the standard is
// less certain at the high frequencies.
std::string format_ear_lines(const CurveSet& main_set, const CurveSet& reference,
                             const AgeGroup& group, int language);

// A header line, then the table (level_table), then the ear lines and, with a reference,
// "Reference: " and its title (UTF-8) as title_line writes it. With a group, five columns follow
// the green curve's, headed with the group: its 10th percentile, median and 90th percentile in
// dB HL with one decimal and `decimal` (UTF-8) as the separator, then the right and the left
// ear's percentile there (norm_percentile); empty at a frequency that is not one of the norms'.
std::string format_audiogram_text(const CurveSet& main_set, const CurveSet& reference,
                                  const std::string& title, const AgeGroup& group,
                                  const std::string& decimal, int language);

// The pieces the change shares. The curves of the main set read against `reference` as the chart
// draws them: each curve's marks at every point with a level and its line through the points
// that count; green first and the right ear last, on top, as it is the first in an
// audiologist's eye.
std::vector<ChartCurve> level_curves(const CurveSet& main_set, const CurveSet& reference);

// The copied table: one line per frequency that a curve of the main set has a counted point at,
// rising, with the levels against `reference` of the right ear, the left ear and the green curve
// in tab-separated columns (empty where there is none), and with a group its five columns.
std::string level_table(const CurveSet& main_set, const CurveSet& reference, const AgeGroup& group,
                        const std::string& decimal);

// Items in a sentence: commas between them, the language's "and" before the last ("500, 2000 and
// 4000"); frequencies as such items.
std::string listed(const std::vector<std::string>& items, int language);
std::string frequency_list(const std::vector<uint16_t>& frequencies, int language);

// The line of a printf format (key) that names a set by its title (UTF-8), for the copied text:
// the title as one_line_title keeps it: its ":" stay.
std::string title_line(int key, const std::string& title, int language);

// The known audiogram's lines on the reference made from it, in the program's code page, each
// ending in CR LF: for each ear with typed levels how many frequencies the reference holds, and
// the typed frequencies left out, grouped by why.
std::string format_reference_lines(const KnownReference& reference, const KnownLevels& levels,
                                   int language);

// The known audiogram's line on a paste that took rows: how many, and the frequencies not taken
// (with "..." where more were left unnamed).
std::string format_pasted_line(const PastedRows& pasted, int language);
