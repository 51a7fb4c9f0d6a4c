// The option buttons and the language list. Every check box is non-automatic: a click only sends
// a command, and the state shown always comes from AppState.
#include "app/options.h"

#include "app/texts.h"
#include "core/dialog_requests.h"
#include "resources/resource_ids.h"

#include <cstdio>

namespace {

void toggle(int32_t* option) {
    *option = *option != 0 ? 0 : 1;
}

void show_check(HWND dialog, int control, bool on) {
    CheckDlgButton(dialog, control, on ? BST_CHECKED : BST_UNCHECKED);
}

} // namespace

void on_option_command(HWND dialog, int control) {
    switch (control) {
    case btn_left: app.tone.channel_mask = 1; break;
    case btn_both: app.tone.channel_mask = 3; break;
    case btn_right: app.tone.channel_mask = 2; break;
    case btn_pulse: toggle(&app.pulse_mode); break;
    case btn_snap_hz: toggle(&app.snap_hz); break;
    case btn_snap_db: toggle(&app.snap_db); break;
    case btn_compare: toggle(&app.compare_mode); break;
    // These three change the picture.
    case btn_a_weighting:
        toggle(&app.a_weighting);
        request_refresh(dialog);
        break;
    case btn_linear_db:
        toggle(&app.linear_db);
        request_refresh(dialog);
        break;
    case btn_heights:
        toggle(&app.highs_zoom);
        request_refresh(dialog);
        break;
    }
}

void on_language_selected(HWND dialog) {
    LRESULT selected = SendDlgItemMessageA(dialog, language_combo, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR) {
        return;
    }
    app.language = static_cast<int32_t>(selected);
    apply_language_texts(dialog);
}

void sync_option_buttons(HWND dialog) {
    show_check(dialog, btn_left, app.tone.channel_mask == 1);
    show_check(dialog, btn_both, app.tone.channel_mask == 3);
    show_check(dialog, btn_right, app.tone.channel_mask == 2);
    show_check(dialog, btn_pulse, app.pulse_mode != 0);
    show_check(dialog, btn_a_weighting, app.a_weighting != 0);
    show_check(dialog, btn_heights, app.highs_zoom != 0);
    show_check(dialog, btn_snap_hz, app.snap_hz != 0);
    show_check(dialog, btn_snap_db, app.snap_db != 0);
    show_check(dialog, btn_linear_db, app.linear_db != 0);
    show_check(dialog, btn_green, app.current_curve == 0);
    show_check(dialog, btn_red, app.current_curve == 1);
    show_check(dialog, btn_blue, app.current_curve == 2);
    show_check(dialog, btn_compare, app.compare_mode != 0);
}

void apply_language_texts(HWND dialog) {
    for (int control : main_caption_keys) {
        SetDlgItemTextA(dialog, control, text(control, app.language));
    }
    HMENU window_menu = GetSystemMenu(dialog, FALSE);
    for (int entry : window_menu_keys) {
        ModifyMenuA(window_menu, entry, MF_BYCOMMAND | MF_STRING, entry, text(entry, app.language));
    }
    std::snprintf(app.confirm_delete_text, sizeof app.confirm_delete_text, "%s",
                  text(text_confirm_delete, app.language));
    std::snprintf(app.confirm_discard_text, sizeof app.confirm_discard_text, "%s",
                  text(text_confirm_discard, app.language));
}
