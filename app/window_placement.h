// Where the main window starts: wholly inside the work area of the monitor it opens on, so that
// a template laid out for a large screen at 100 % still shows its caption buttons and its whole
// graph on a laptop's screen.
#pragma once

#include "core/app_state.h"

// The window rectangle `window` when it lies inside `work_area`. Otherwise the window moved as
// little as it must to lie inside, and shrunk to the work area's width or height where it is
// wider or higher. Both rectangles in the same pixels, right and bottom exclusive.
RECT fit_into_work_area(const RECT& window, const RECT& work_area);
