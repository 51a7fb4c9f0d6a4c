// The main dialog: process start, the dialog procedure and the refresh of the graph area.
#pragma once

#include "core/app_state.h"

#ifdef _WIN32
// Stores the instance and runs the modal main dialog; returns the dialog's result (0 after a
// normal close), which becomes the exit code.
INT_PTR run_application(HINSTANCE instance);

// Every message of the main dialog enters here and is handed to the subsystem that owns it.
// Returns FALSE for every message except a close the user confirmed.
INT_PTR CALLBACK main_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

// Lays out the graph (and the help window while it is open), replaces the off-screen bitmap at
// the graph's size and renders the graph into it. Others request it with WM_SIZE, both 0.
void refresh_view(HWND dialog);
#endif
