// The audiogram window, opened from the window menu and modal to the main window: the main set's
// hearing levels against the compare set as audiologists chart them, each ear's average and
// grade, beside people of an age and sex, and copies of the chart as a picture, as text and as
// equalizer settings; or the change since an earlier test, the compare set, with its criteria.
#pragma once

#include "core/app_state.h"

#ifdef _WIN32
// Opens the window over the main dialog and returns once it has closed; meanwhile the main
// dialog takes no input. Does nothing while the window is open. Nothing it does changes the sets,
// the options or the unsaved-changes flag.
void run_audiogram(HWND dialog);

// Shows the chart, the lines below it and the equalizer copy's state anew, after the compare set
// changed while the window is open.
void show_audiogram_anew(HWND window);
#endif
