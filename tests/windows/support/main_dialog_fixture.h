// In-process test support: the real main dialog, created from template 100 in the test's own
// process (modeless, so the test keeps control), with a clean state record.
#pragma once

#include "app/app_state.h"

#include <gtest/gtest.h>

// Handles every message waiting for this thread's windows.
void pump_messages();

// Resets the state record to its process-start value and opens the main dialog; the dialog has
// run its initialisation when this returns.
HWND open_main_dialog();

// Resizes the dialog so that its client area is width x height pixels.
void set_client_size(HWND dialog, int width, int height);

// The number of GDI objects this process holds now.
DWORD gdi_object_count();

// Opens the main dialog for each test and destroys it afterwards, the close path included when
// the test did not close it already.
class MainDialogTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    HWND dialog = nullptr;
};
