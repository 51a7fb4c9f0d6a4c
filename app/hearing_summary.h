// The hearing test window's words about the test: the progress line and the summary at the end,
// in the program's code page with CR LF line ends.
#pragma once

#include "core/hearing_test_state.h"

#include <string>

// The check's tone while it plays, "2000 Hz, 2 of 10" while the test runs, "Done.", "Stopped." or
// the check failed after it, empty before Start.
std::string format_hearing_progress(const HearingTest& test, int language);

// Empty until a test has ended after its headphone check, and the check's words on what went wrong
// when it failed. Otherwise, ear by ear, each frequency tested with its threshold in dBFS, "no
// response" or "undetermined", the difference of the two thresholds at 1000 Hz, the note when they
// varied by 10 dB or more and the ear unreliable by answers that contradict each other; then the
// false alarms, and the notes: a threshold at the quietest level (the volume is too high to
// measure) and the test unreliable by answers without a tone. With a reference loaded, a last line
// points to the audiogram window.
std::string format_hearing_summary(const HearingTest& test, int language, bool reference_loaded);
