// The hearing test window's words about the test: the progress line and the summary at the end,
// in the program's code page with CR LF line ends.
#pragma once

#include "core/hearing_test_state.h"

#include <string>

// "2000 Hz, 2 of 10" while the test runs, "Done." or "Stopped." after it, empty before Start.
std::string format_hearing_progress(const HearingTest& test, int language);

// Empty until a test has ended. Then the ear, each frequency tested with its threshold in dBFS,
// "no response" or "undetermined", the difference of the two thresholds at 1000 Hz, the false
// alarms, and the notes: answers that varied by 10 dB or more at 1000 Hz, a threshold at the
// quietest level (the volume is too high to measure), and the ear unreliable when more than a
// third of at least three silent presentations were answered. With a reference loaded, a last
// line points to the audiogram window.
std::string format_hearing_summary(const HearingTest& test, int language, bool reference_loaded);
