// A watcher thread that finds the message box of the test's thread and presses a button on it.
#include "tests/windows/support/question_box.h"

namespace {

struct Search {
    DWORD thread;
    HWND box;
};

BOOL CALLBACK find_box(HWND window, LPARAM param) {
    Search* search = reinterpret_cast<Search*>(param);
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) == "#32770" && IsWindowVisible(window) &&
        GetWindowThreadProcessId(window, nullptr) == search->thread &&
        GetDlgItem(window, IDOK) != nullptr) {
        search->box = window;
        return FALSE;
    }
    return TRUE;
}

DWORD WINAPI watch(void* param) {
    QuestionWatch* w = static_cast<QuestionWatch*>(param);
    for (int tries = 0; tries < 1000 && w->stop == 0; ++tries) {
        Search search = {w->owner_thread, nullptr};
        EnumWindows(find_box, reinterpret_cast<LPARAM>(&search));
        if (search.box != nullptr) {
            char text[256] = {};
            HWND label = GetDlgItem(search.box, 0xFFFF); // the message box's text control
            GetWindowTextA(label, text, sizeof text);
            w->text = text;
            GetWindowTextA(search.box, text, sizeof text);
            w->caption = text;
            w->owner = GetWindow(search.box, GW_OWNER);
            w->has_ok_and_cancel = GetDlgItem(search.box, IDOK) != nullptr &&
                                   GetDlgItem(search.box, IDCANCEL) != nullptr &&
                                   GetDlgItem(search.box, IDYES) == nullptr;
            // The icon is a static with SS_ICON showing the system's IDI_QUESTION; Windows gives
            // it the id 20, Wine 1088.
            HWND icon = GetDlgItem(search.box, 0x0014);
            if (icon == nullptr) {
                icon = GetDlgItem(search.box, 1088);
            }
            HICON shown = icon != nullptr
                              ? reinterpret_cast<HICON>(SendMessageA(icon, STM_GETICON, 0, 0))
                              : nullptr;
            w->has_question_icon = shown != nullptr && shown == LoadIconA(nullptr, IDI_QUESTION);
            w->seen = true;
            PostMessageA(search.box, WM_COMMAND, MAKEWPARAM(w->button, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(search.box, w->button)));
            return 0;
        }
        Sleep(10);
    }
    return 0;
}

} // namespace

void watch_for_question(QuestionWatch* w, int button) {
    w->button = button;
    w->owner_thread = GetCurrentThreadId();
    w->seen = false;
    w->owner = nullptr;
    w->has_question_icon = false;
    w->has_ok_and_cancel = false;
    w->stop = 0;
    w->thread = CreateThread(nullptr, 0, watch, w, 0, nullptr);
}

bool finish_watch(QuestionWatch* w) {
    InterlockedExchange(&w->stop, 1);
    WaitForSingleObject(w->thread, 10000);
    CloseHandle(w->thread);
    return w->seen;
}
