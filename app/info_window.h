// The help window: a read-only rich-text window in the right third below the control band.
#pragma once

#include "core/app_state.h"

#ifdef _WIN32
// Opens the help window in the current language, or closes it when it is open; either way the
// dialog is refreshed, which places the window and narrows or widens the graph.
void toggle_info_window(HWND dialog);
#endif
