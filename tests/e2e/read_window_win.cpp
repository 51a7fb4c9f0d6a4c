// Reads the running Sonabrill window from outside, as another process would, and prints what a
// test needs: the window, its controls with ids, classes, texts, check states and screen
// rectangles, the entries of its combo boxes and an open menu. One line per item, fields
// separated by tabs.
//
//   read_window_win.exe              prints everything
//   read_window_win.exe --wait N     waits up to N seconds for the window first
//   read_window_win.exe --clipboard  prints the clipboard's Unicode text and its ANSI text
#include "resources/resource_ids.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::string escaped(const char* text) {
    std::string out;
    for (const char* p = text; *p != '\0'; ++p) {
        switch (*p) {
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        case '\\': out += "\\\\"; break;
        default: out += *p;
        }
    }
    return out;
}

// Texts travel between processes as UTF-16; the program's own are Windows-1252.
std::string windows_1252(const wchar_t* wide) {
    int length = WideCharToMultiByte(1252, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(length > 0 ? length : 1), '\0');
    WideCharToMultiByte(1252, 0, wide, -1, &text[0], length, nullptr, nullptr);
    return text.c_str();
}

// A window's text as its own window procedure gives it (for a combo box with an edit field,
// the field's text).
std::string text_of(HWND window) {
    wchar_t wide[1024] = {};
    SendMessageW(window, WM_GETTEXT, sizeof wide / sizeof wide[0], reinterpret_cast<LPARAM>(wide));
    return windows_1252(wide);
}

void print_window(const char* kind, HWND window) {
    std::string text = text_of(window);
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    RECT r = {};
    GetWindowRect(window, &r);
    LONG style = GetWindowLongA(window, GWL_STYLE);
    LRESULT check = std::strcmp(name, "Button") == 0 ? SendMessageA(window, BM_GETCHECK, 0, 0) : -1;
    std::printf("%s\t%d\t%s\t%ld\t%ld\t%ld\t%ld\t%ld\t0x%08lx\t%s\n", kind, GetDlgCtrlID(window),
                name, static_cast<long>(check), r.left, r.top, r.right - r.left, r.bottom - r.top,
                static_cast<unsigned long>(style), escaped(text.c_str()).c_str());
}

void print_combo(HWND combo) {
    int id = GetDlgCtrlID(combo);
    LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    LRESULT selected = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    std::printf("combo\t%d\t%ld\t%ld\n", id, static_cast<long>(count), static_cast<long>(selected));
    // Where the opened list lies on the screen, to click an entry as a person would. The list
    // is a popup window of class ComboLBox belonging to the program's thread.
    LRESULT dropped = SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0);
    LRESULT item_height = SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0);
    DWORD thread = GetWindowThreadProcessId(combo, nullptr);
    HWND list = nullptr;
    while ((list = FindWindowExA(nullptr, list, "ComboLBox", nullptr)) != nullptr) {
        if (GetWindowThreadProcessId(list, nullptr) == thread && IsWindowVisible(list)) {
            break;
        }
    }
    RECT area = {};
    LRESULT top = 0;
    if (dropped && list != nullptr) {
        GetWindowRect(list, &area);
        top = SendMessageA(list, LB_GETTOPINDEX, 0, 0);
    }
    std::printf("dropdown\t%d\t%ld\t%ld\t%ld\t%ld\t%ld\t%ld\t%ld\n", id, static_cast<long>(dropped),
                area.left, area.top, area.right - area.left, area.bottom - area.top,
                static_cast<long>(item_height), static_cast<long>(top));
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, i, 0);
        std::wstring wide(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
        SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&wide[0]));
        std::printf("entry\t%d\t%ld\t%s\n", id, static_cast<long>(i),
                    escaped(windows_1252(wide.c_str()).c_str()).c_str());
    }
}

BOOL CALLBACK print_child(HWND child, LPARAM dialog) {
    if (GetParent(child) != reinterpret_cast<HWND>(dialog)) {
        return TRUE; // the edit field inside a combo box
    }
    print_window("control", child);
    char name[64] = {};
    GetClassNameA(child, name, sizeof name);
    if (GetDlgCtrlID(child) == 0 && std::strcmp(name, "Static") == 0) {
        // The graph: where its picture starts on the screen, inside the sunken border.
        RECT client = {};
        GetClientRect(child, &client);
        POINT origin = {0, 0};
        ClientToScreen(child, &origin);
        std::printf("graph_client\t%ld\t%ld\t%ld\t%ld\n", origin.x, origin.y, client.right,
                    client.bottom);
    }
    if (std::strcmp(name, "ComboBox") == 0) {
        print_combo(child);
    }
    return TRUE;
}

// The text another program put on the clipboard, in both forms it may hold.
int print_clipboard() {
    if (!OpenClipboard(nullptr)) {
        std::printf("clipboard_busy\n");
        return 1;
    }
    HANDLE unicode = GetClipboardData(CF_UNICODETEXT);
    if (unicode != nullptr) {
        std::string text = windows_1252(static_cast<const wchar_t*>(GlobalLock(unicode)));
        GlobalUnlock(unicode);
        std::printf("unicode\t%s\n", escaped(text.c_str()).c_str());
    }
    HANDLE ansi = GetClipboardData(CF_TEXT);
    if (ansi != nullptr) {
        std::printf("ansi\t%s\n", escaped(static_cast<const char*>(GlobalLock(ansi))).c_str());
        GlobalUnlock(ansi);
    }
    CloseClipboard();
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "--clipboard") == 0) {
        return print_clipboard();
    }
    int wait_seconds = 0;
    if (argc >= 3 && std::strcmp(argv[1], "--wait") == 0) {
        wait_seconds = std::atoi(argv[2]);
    }
    HWND dialog = nullptr;
    for (int tries = 0; tries <= wait_seconds * 10; ++tries) {
        dialog = FindWindowA("#32770", dialog_caption);
        if (dialog != nullptr) {
            break;
        }
        Sleep(100);
    }
    if (dialog == nullptr) {
        std::printf("missing\n");
        return 1;
    }
    print_window("dialog", dialog);
    RECT client = {};
    GetClientRect(dialog, &client);
    POINT origin = {0, 0};
    ClientToScreen(dialog, &origin);
    std::printf("client\t%ld\t%ld\t%ld\t%ld\n", origin.x, origin.y, client.right, client.bottom);
    std::printf("caption\t%d\t%d\n", GetSystemMetrics(SM_CYCAPTION), GetSystemMetrics(SM_CXSIZE));
    // Where the keyboard input of the program's thread goes now.
    GUITHREADINFO thread_info = {};
    thread_info.cbSize = sizeof thread_info;
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &thread_info);
    HWND focus = thread_info.hwndFocus;
    std::printf("focus\t%d\t%d\n", focus != nullptr && (focus == dialog || IsChild(dialog, focus)),
                focus != nullptr ? GetDlgCtrlID(focus) : -1);
    EnumChildWindows(dialog, print_child, reinterpret_cast<LPARAM>(dialog));
    // An open menu (the window menu, say): a popup of class #32768 on the screen.
    HWND menu = FindWindowA("#32768", nullptr);
    if (menu != nullptr && IsWindowVisible(menu)) {
        RECT r = {};
        GetWindowRect(menu, &r);
        std::printf("menu\t%ld\t%ld\t%ld\t%ld\n", r.left, r.top, r.right - r.left,
                    r.bottom - r.top);
    }
    // A question box of the program, if one is open.
    HWND box = FindWindowA("#32770", question_caption);
    if (box != nullptr) {
        print_window("question", box);
        for (HWND item = GetWindow(box, GW_CHILD); item != nullptr;
             item = GetWindow(item, GW_HWNDNEXT)) {
            print_window("question_item", item);
        }
    }
    return 0;
}
