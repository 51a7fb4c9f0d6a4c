// In-process test support for the main dialog.
#include "tests/windows/support/main_dialog_fixture.h"

#include "app/main_dialog.h"
#include "resources/resource_ids.h"

#include <cstring>

void pump_messages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

HWND open_main_dialog() {
    std::memset(&app, 0, sizeof app);
    app.instance = GetModuleHandleA(nullptr);
    HWND dialog = CreateDialogParamA(app.instance, MAKEINTRESOURCEA(main_dialog_template), nullptr,
                                     main_dialog_proc, 0);
    pump_messages();
    return dialog;
}

void set_client_size(HWND dialog, int width, int height) {
    RECT window = {};
    RECT client = {};
    GetWindowRect(dialog, &window);
    GetClientRect(dialog, &client);
    int frame_x = (window.right - window.left) - client.right;
    int frame_y = (window.bottom - window.top) - client.bottom;
    SetWindowPos(dialog, nullptr, 0, 0, width + frame_x, height + frame_y,
                 SWP_NOMOVE | SWP_NOZORDER);
    pump_messages();
}

DWORD gdi_object_count() {
    return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
}

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
