// A window-procedure subclass that counts WM_SIZE messages with both parameters 0.
#include "tests/windows/support/refresh_count.h"

namespace {

WNDPROC dialog_window_proc = nullptr;
int requests = 0;

LRESULT CALLBACK counting_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_SIZE && wparam == 0 && lparam == 0) {
        ++requests;
    }
    return CallWindowProcA(dialog_window_proc, window, message, wparam, lparam);
}

} // namespace

void count_refreshes(HWND dialog) {
    requests = 0;
    if (dialog_window_proc == nullptr) {
        dialog_window_proc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(counting_proc)));
    }
}

int refresh_count() {
    return requests;
}

void stop_counting_refreshes(HWND dialog) {
    if (dialog_window_proc != nullptr) {
        SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(dialog_window_proc));
        dialog_window_proc = nullptr;
    }
}
