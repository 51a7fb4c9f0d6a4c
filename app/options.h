// Options and language: the option commands of the control band, the check states that show
// them, the captions in the current language and the unsaved-changes question.
#pragma once

#include "app/app_state.h"

#ifdef _WIN32
// Sets the option of command 201-205, 211-214 or 224 from its button; only the options that
// change the picture (205, 213, 214) request a refresh.
void on_option_command(HWND dialog, int control);

// Takes the language from the entry now selected in the language list and shows its texts.
void on_language_selected(HWND dialog);

// Makes every check box show the state of its field; the boxes never change by themselves.
void sync_option_buttons(HWND dialog);

// Sets the captions and the window menu's own entries in the current language and copies its two
// questions into the state record.
void apply_language_texts(HWND dialog);

// True when the caller may drop the current edits: nothing is unsaved, or the user agreed (which
// clears unsaved_changes). False when the user refused.
bool confirm_unsaved_changes(HWND dialog);
#endif
