// What every part of the program asks of the main dialog and its user: a refresh of the graph, a
// repaint from the off-screen picture, and the OK/Cancel questions.
#pragma once

#include "core/app_state.h"

#ifdef _WIN32
// Lays out and renders the graph anew: WM_SIZE with both parameters 0, sent to the dialog.
void request_refresh(HWND dialog);

// Copies the off-screen picture to the graph at once: WM_PAINT with both parameters 0.
void request_repaint(HWND dialog);

// Asks text in a box owned by the dialog, with the program's question caption, OK and Cancel and
// the question-mark icon. True only for OK; a box that cannot be shown counts as Cancel.
bool ask_ok_cancel(HWND dialog, const char* text);

// True when the caller may drop the current edits: nothing is unsaved, or the user agreed (which
// clears unsaved_changes). False when the user refused.
bool confirm_unsaved_changes(HWND dialog);
#endif
