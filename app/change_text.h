// The audiogram window's chart and words while it shows the change since an earlier test (the
// compare set): the chart, the lines below it and the chart copied as text. The lines are in the
// program's code page (Windows-1252) with CR LF line ends; the copied text is UTF-8.
#pragma once

#include "core/app_state.h"
#include "graph/audiogram_chart.h"

#include <string>

// The chart of the main set's change since the earlier test, from -20 dB (better) at the top to
// +60 (worse) at the bottom: the repeatability's zone from -10 to +10 dB with its name in
// `language`, and the curves as hearing level draws them (level_curves).
AudiogramChart change_chart(const CurveSet& main_set, const CurveSet& earlier, int language);

// One line for each ear with changes, right then left: that it changed by no more than the test's
// repeatability; or its average change at 2000, 3000 and 4000 Hz with a significant threshold
// shift named, or which of them it misses, followed by the criteria that hold. Then the advice
// where a criterion holds in either ear, and the note on an improvement. Without a change at any
// frequency, a line that says there is none to show; without an earlier test (a compare set with
// points), how to make the comparison.
std::string format_change_lines(const CurveSet& main_set, const CurveSet& earlier, int language);

// A header line that says the columns are changes, the table of changes (level_table), the lines,
// and, with an earlier test, "Earlier test: " and its title as title_line writes it.
std::string format_change_text(const CurveSet& main_set, const CurveSet& earlier,
                               const std::string& title, int language);
