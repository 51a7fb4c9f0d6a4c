// The requests every part of the program makes of the main dialog, and its two questions.
#include "core/dialog_requests.h"

#include "resources/resource_ids.h"

void request_refresh(HWND dialog) {
    SendMessageA(dialog, WM_SIZE, 0, 0);
}

void request_repaint(HWND dialog) {
    SendMessageA(dialog, WM_PAINT, 0, 0);
}

bool ask_ok_cancel(HWND dialog, const char* text) {
    return MessageBoxA(dialog, text, question_caption, MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}

bool confirm_unsaved_changes(HWND dialog) {
    if (app.unsaved_changes == 0) {
        return true;
    }
    if (!ask_ok_cancel(dialog, app.confirm_discard_text)) {
        return false;
    }
    app.unsaved_changes = 0;
    return true;
}
