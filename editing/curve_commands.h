// Commands on whole curves: choosing the curve the mouse edits, and emptying curves.
#pragma once

#include "core/app_state.h"

#ifdef _WIN32
// Makes curve 0 (green), 1 (red) or 2 (blue) the one that points are added to and deleted from.
// Nothing is redrawn: only the colour buttons show which curve is current.
void select_curve(int curve);

// Empties the current curve of the main set and redraws. The unsaved-changes flag stays as it
// was.
void delete_current_curve(HWND dialog);

// After the unsaved-changes question, empties all curves of the main and the compare set and the
// compare set's title, puts
// a fresh date title into the title field and redraws. Cancel changes nothing.
void reset_curves(HWND dialog);
#endif
