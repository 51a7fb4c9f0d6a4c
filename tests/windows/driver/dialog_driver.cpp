// Opening, sizing and pumping the main dialog from a test or benchmark process.
#include "tests/windows/driver/dialog_driver.h"

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

void set_graph_size(HWND dialog, int width, int height) {
    RECT outer = {};
    RECT inner = {};
    GetWindowRect(app.graph_window, &outer);
    GetClientRect(app.graph_window, &inner);
    int edge_x = (outer.right - outer.left) - inner.right;
    int edge_y = (outer.bottom - outer.top) - inner.bottom;
    set_client_size(dialog, width + edge_x, height + app.top_band_height + band_gap + edge_y);
}

DWORD gdi_object_count() {
    return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
}
