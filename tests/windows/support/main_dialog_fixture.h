// In-process test support: the real main dialog, created from template 100 in the test's own
// process (modeless, so the test keeps control), with a clean state record.
#pragma once

#include "core/app_state.h"
#include "tests/windows/driver/dialog_driver.h"

#include <gtest/gtest.h>

// Opens the main dialog for each test and destroys it afterwards, the close path included when
// the test did not close it already.
class MainDialogTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    HWND dialog = nullptr;
};
