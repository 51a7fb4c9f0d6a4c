// The known audiogram's dialog, opened from the audiogram window: a clinic's audiogram typed in or
// pasted, copied as a half-gain equalizer, or made into a reference for these headphones together
// with the same person's thresholds in the main set.
#pragma once

#include "core/app_state.h"

#ifdef _WIN32
// Opens the dialog modal to the audiogram window and returns once it has closed. It works on the
// state record it is given: the fields it keeps typed while the program runs, the main set's
// thresholds, and the compare set that a reference it makes is loaded into (Compare on). The main
// set, the title field and the unsaved-changes flag stay as they are.
void run_known_audiogram(HWND audiogram_window, AppState* state);
#endif
