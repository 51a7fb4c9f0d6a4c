// Copying results out through the window menu: the picture of the frequency field and the
// curves as text, put on the clipboard; and text read back from it.
#pragma once

#include "core/app_state.h"

#ifdef _WIN32
#include <string>

// Puts a bitmap that no device context holds on the clipboard as a device-independent bitmap
// (CF_DIB) of width x height pixels.
void copy_bitmap(HWND owner, HBITMAP bitmap, int width, int height);

// Puts UTF-8 text on the clipboard as Unicode and, for programs that read only that, in the ANSI
// code page, where a character the code page lacks becomes "?".
void put_text_on_clipboard(HWND owner, const std::string& utf8);

// The clipboard's text in the ANSI code page, however long; false when it holds no text or
// another program holds the clipboard.
bool clipboard_text(HWND owner, std::string* ansi);

// The main dialog's title field's text, as UTF-8.
std::string title_text(HWND dialog);

// The user's decimal separator ("," in a German locale), as UTF-8.
std::string decimal_separator();

// Text of the ANSI code page (a title as the database file holds it) as UTF-8.
std::string utf8_of_ansi(const char* text);

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
