// The help window: a version-1 rich-edit control ("RichEdit" from riched32.dll, loaded on first
// use and kept loaded) that shows the help header and the body of the language current when it
// opens. refresh_view places it while it is open.
#include "app/info_window.h"

#include "app/help_texts.h"
#include "core/dialog_requests.h"

#include <richedit.h>

#include <cstdio>

namespace {

const int info_text_size = 10000;
const int info_margin = 12; // pixels, left and right

void open_info_window(HWND dialog) {
    // Without the library the class does not exist and the window stays null.
    app.info_window =
        CreateWindowExA(WS_EX_STATICEDGE, "RichEdit", "",
                        WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY, 0, 0, 0, 0,
                        dialog, nullptr, app.instance, nullptr);
    if (app.info_window == nullptr) {
        return;
    }
    // The control reads a text that begins with "{\rtf" as RTF.
    char text[info_text_size];
    std::snprintf(text, sizeof text, "%s%s", info_header,
                  app.language == 1 ? info_text_german : info_text_english);
    SetWindowTextA(app.info_window, text);
    SendMessageA(app.info_window, EM_SETSEL, static_cast<WPARAM>(-1), 0);
    SendMessageA(app.info_window, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
                 MAKELPARAM(info_margin, info_margin));
    SendMessageA(app.info_window, EM_SETBKGNDCOLOR, 0, RGB(250, 250, 250));
}

} // namespace

void toggle_info_window(HWND dialog) {
    if (app.richedit_module == nullptr) {
        app.richedit_module = LoadLibraryA("riched32.dll");
    }
    if (app.info_window != nullptr) {
        DestroyWindow(app.info_window);
        app.info_window = nullptr;
    } else {
        open_info_window(dialog);
    }
    request_refresh(dialog);
}
