// The hearing test window, opened from the window menu and modal to the main window: the
// listener chooses an ear, plays the sample tone, starts, pauses and stops the test and answers
// with Space or the "I hear it" button; the thresholds go into the ear's curve as they are found.
#pragma once

#include "core/app_state.h"

#ifdef _WIN32
// Opens the window over the main dialog and returns once it has closed; meanwhile the main
// dialog takes no input. Does nothing while the window is open.
void run_hearing_test(HWND dialog);
#endif
