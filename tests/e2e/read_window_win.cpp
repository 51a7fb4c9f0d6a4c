// Reads the running Sonabrill window from outside, as another process would, and prints what a
// test needs: the window, its controls with ids, classes, texts, check states and screen
// rectangles, the entries of its combo boxes, an open menu, question box, hearing test or audiogram
// window and the dialog that one owns.
// One line per item: its kind, then its fields as name=value, separated by tabs. A text value
// stands in double quotes, escaped
// (\r, \n, \t, \\) so that no tab or line end is inside it; every other value is a whole number.
// The names are defined here only: the harness reads whatever fields a line has.
//
//   read_window_win.exe              prints everything
//   read_window_win.exe --wait N     waits up to N seconds for the window first
//   read_window_win.exe --clipboard  prints the clipboard's Unicode text and its ANSI text
#include "resources/resource_ids.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string>

namespace {

struct Field {
    const char* name;
    std::string value;
};

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

Field number(const char* name, long long value) {
    return {name, std::to_string(value)};
}

Field text(const char* name, const std::string& value) {
    return {name, "\"" + escaped(value.c_str()) + "\""};
}

void print_item(const char* kind, std::initializer_list<Field> fields) {
    std::string line = kind;
    for (const Field& field : fields) {
        line += std::string("\t") + field.name + "=" + field.value;
    }
    std::printf("%s\n", line.c_str());
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
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    RECT r = {};
    GetWindowRect(window, &r);
    LONG style = GetWindowLongA(window, GWL_STYLE);
    LRESULT check = std::strcmp(name, "Button") == 0 ? SendMessageA(window, BM_GETCHECK, 0, 0) : -1;
    print_item(kind,
               {number("id", GetDlgCtrlID(window)), text("class", name),
                number("check", static_cast<long>(check)), number("x", r.left), number("y", r.top),
                number("width", r.right - r.left), number("height", r.bottom - r.top),
                number("style", static_cast<long long>(static_cast<DWORD>(style))),
                text("text", text_of(window))});
}

void print_combo(HWND combo) {
    int id = GetDlgCtrlID(combo);
    LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    LRESULT selected = SendMessageA(combo, CB_GETCURSEL, 0, 0);
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
    print_item("combo", {number("id", id), number("count", static_cast<long>(count)),
                         number("selected", static_cast<long>(selected)),
                         number("dropped", static_cast<long>(dropped)), number("list_x", area.left),
                         number("list_y", area.top), number("list_width", area.right - area.left),
                         number("list_height", area.bottom - area.top),
                         number("item_height", static_cast<long>(item_height)),
                         number("top_index", static_cast<long>(top))});
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, i, 0);
        std::wstring wide(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
        SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&wide[0]));
        print_item("entry", {number("combo", id), number("index", static_cast<long>(i)),
                             text("text", windows_1252(wide.c_str()))});
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
        print_item("graph_client",
                   {number("x", origin.x), number("y", origin.y), number("width", client.right),
                    number("height", client.bottom)});
    }
    if (std::strcmp(name, "ComboBox") == 0) {
        print_combo(child);
    }
    return TRUE;
}

// The text another program put on the clipboard, in both forms it may hold.
int print_clipboard() {
    if (!OpenClipboard(nullptr)) {
        print_item("clipboard_busy", {});
        return 1;
    }
    HANDLE unicode = GetClipboardData(CF_UNICODETEXT);
    if (unicode != nullptr) {
        print_item("unicode",
                   {text("text", windows_1252(static_cast<const wchar_t*>(GlobalLock(unicode))))});
    }
    HANDLE ansi = GetClipboardData(CF_TEXT);
    if (ansi != nullptr) {
        print_item("ansi", {text("text", static_cast<const char*>(GlobalLock(ansi)))});
        GlobalUnlock(ansi);
    }
    CloseClipboard();
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    // Rectangles in the screen's own pixels, as the program (which is DPI aware) sees them, also
    // on a screen of more than 96 dots per inch.
    SetProcessDPIAware();
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
        print_item("missing", {});
        return 1;
    }
    print_window("dialog", dialog);
    RECT client = {};
    GetClientRect(dialog, &client);
    POINT origin = {0, 0};
    ClientToScreen(dialog, &origin);
    print_item("client", {number("x", origin.x), number("y", origin.y),
                          number("width", client.right), number("height", client.bottom)});
    print_item("caption", {number("height", GetSystemMetrics(SM_CYCAPTION)),
                           number("button", GetSystemMetrics(SM_CXSIZE))});
    // Where the keyboard input of the program's thread goes now.
    GUITHREADINFO thread_info = {};
    thread_info.cbSize = sizeof thread_info;
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &thread_info);
    HWND focus = thread_info.hwndFocus;
    print_item("focus",
               {number("inside", focus != nullptr && (focus == dialog || IsChild(dialog, focus))),
                number("id", focus != nullptr ? GetDlgCtrlID(focus) : -1)});
    EnumChildWindows(dialog, print_child, reinterpret_cast<LPARAM>(dialog));
    // An open menu (the window menu, say): a popup of class #32768 on the screen.
    HWND menu = FindWindowA("#32768", nullptr);
    if (menu != nullptr && IsWindowVisible(menu)) {
        RECT r = {};
        GetWindowRect(menu, &r);
        print_item("menu", {number("x", r.left), number("y", r.top),
                            number("width", r.right - r.left), number("height", r.bottom - r.top)});
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
    // The hearing test or audiogram window, if one is open: the other dialog the main window owns;
    // and the dialog that window owns in turn.
    HWND owner = dialog;
    for (const char* kind : {"test", "modal"}) {
        HWND owned = nullptr;
        for (HWND w = FindWindowExA(nullptr, nullptr, "#32770", nullptr); w != nullptr;
             w = FindWindowExA(nullptr, w, "#32770", nullptr)) {
            if (w != box && GetWindow(w, GW_OWNER) == owner) {
                owned = w;
                print_window(kind, w);
                for (HWND item = GetWindow(w, GW_CHILD); item != nullptr;
                     item = GetWindow(item, GW_HWNDNEXT)) {
                    print_window((std::string(kind) + "_item").c_str(), item);
                }
            }
        }
        if (owned == nullptr) {
            break;
        }
        owner = owned;
    }
    return 0;
}
