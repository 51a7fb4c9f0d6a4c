// In-process test support for the main dialog.
#include "tests/windows/support/main_dialog_fixture.h"

void MainDialogTest::SetUp() {
    dialog = open_main_dialog();
    ASSERT_NE(nullptr, dialog);
}

void MainDialogTest::TearDown() {
    if (dialog != nullptr && IsWindow(dialog)) {
        // Close without the unsaved-changes question, then destroy the modeless window.
        app.unsaved_changes = 0;
        if (app.memory_dc != nullptr) {
            SendMessageA(dialog, WM_CLOSE, 0, 0);
        }
        DestroyWindow(dialog);
        pump_messages();
    }
}
