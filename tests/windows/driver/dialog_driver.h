// Drives the real main dialog inside a test or benchmark process: created from template 100 as
// a modeless dialog (so the caller keeps control), with a clean state record.
#pragma once

#include "core/app_state.h"

// Handles every message waiting for this thread's windows.
void pump_messages();

// Resets the state record to its process-start value and opens the main dialog; the dialog has
// run its initialisation when this returns.
HWND open_main_dialog();

// Resizes the dialog so that its client area is width x height pixels.
void set_client_size(HWND dialog, int width, int height);

// Resizes the dialog so that the graph's client area is width x height pixels: the graph sits
// below the control band and its gap, and its sunken edge takes pixels of its own.
void set_graph_size(HWND dialog, int width, int height);

// The number of GDI objects this process holds now.
DWORD gdi_object_count();
