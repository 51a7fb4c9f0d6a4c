// Options and language: the option commands of the control band, the check states that show
// them, and the captions in the current language.
#pragma once

#include "core/app_state.h"

#ifdef _WIN32
// Sets the option of a channel, pulse, dB(A), snap, linear-dB, heights or compare button; only
// the options that change the picture (dB(A), linear dB, heights) request a refresh.
void on_option_command(HWND dialog, int control);

// Takes the language from the entry now selected in the language list and shows its texts.
void on_language_selected(HWND dialog);

// Makes every check box show the state of its field; the boxes never change by themselves.
void sync_option_buttons(HWND dialog);

// Sets the captions and the window menu's own entries in the current language and copies its two
// questions into the state record.
void apply_language_texts(HWND dialog);
#endif
