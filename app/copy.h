// Copying results out through the window menu: the picture of the frequency field and the
// curves as text, put on the clipboard.
#pragma once

#include "core/app_state.h"

#ifdef _WIN32
// Appends a separator and the entries "Copy picture", "Copy curves as text" and "Copy curve as
// equalizer" (in the current language) to the end of the dialog's window menu.
void add_copy_entries(HWND dialog);

// Greys "Copy curve as equalizer" in the window menu while the current curve has no point that
// the equalizer text would hold; called as the menu opens.
void enable_copy_entries(HMENU menu);

// Carries out a window-menu command (wparam without its low four bits) if it is one of the
// entries above; every other command is left to the platform's default handling.
void copy_from_window_menu(HWND dialog, WPARAM command);

// Puts the frequency field on the clipboard as a device-independent bitmap (CF_DIB): the picture
// of a fresh refresh, so without the pointer readout, at the graph's size.
void copy_picture(HWND dialog);

// Puts the points of both sets on the clipboard as tab-separated lines, as Unicode text and as
// text in the ANSI code page, with the user's decimal separator.
void copy_curves_as_text(HWND dialog);

// Puts the current curve of the main set on the clipboard as the settings of a graphic equalizer,
// under a comment naming it and the title field's text; nothing when it has no usable point.
void copy_curve_as_equalizer(HWND dialog);
#endif
