// The program's entries at the end of the window (system) menu: the hearing test and the copies.
#pragma once

#include "core/app_state.h"

#ifdef _WIN32
// Appends a separator, "Hearing test...", a separator and the entries "Copy picture", "Copy
// curves as text" and "Copy curve as equalizer" (in the current language) to the end of the
// dialog's window menu.
void add_window_menu_entries(HWND dialog);

// Greys "Copy curve as equalizer" in the window menu while the current curve has no point that
// the equalizer text would hold; called as the menu opens.
void enable_window_menu_entries(HMENU menu);

// Carries out a window-menu command (wparam without its low four bits) if it is one of the
// entries above; every other command is left to the platform's default handling.
void on_window_menu_command(HWND dialog, WPARAM command);
#endif
