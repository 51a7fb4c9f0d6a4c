// Counts the refresh requests that reach the main dialog: the size message with both parameters
// 0 that every subsystem sends after it changed what the graph shows.
#pragma once

#include <windows.h>

// Starts counting from 0; the dialog's messages still reach its own procedure.
void count_refreshes(HWND dialog);

// Requests counted since count_refreshes.
int refresh_count();

// Puts the dialog's own window procedure back.
void stop_counting_refreshes(HWND dialog);
