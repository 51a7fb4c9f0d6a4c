// The window menu's own entries.
#include "app/window_menu.h"

#include "app/audiogram_window.h"
#include "app/copy.h"
#include "app/curve_text.h"
#include "app/hearing_window.h"
#include "app/texts.h"
#include "resources/resource_ids.h"

void add_window_menu_entries(HWND dialog) {
    HMENU menu = GetSystemMenu(dialog, FALSE);
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    for (int entry : window_menu_keys) {
        // The copies stand apart from the hearing test, at the menu's end.
        if (entry == menu_copy_picture) {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        }
        AppendMenuA(menu, MF_STRING, entry, text(entry, app.language));
    }
}

void enable_window_menu_entries(HMENU menu) {
    bool usable = has_equalizer_bands(app.main_set, app.current_curve);
    EnableMenuItem(menu, menu_copy_equalizer, MF_BYCOMMAND | (usable ? MF_ENABLED : MF_GRAYED));
}

void on_window_menu_command(HWND dialog, WPARAM command) {
    switch (command) {
    case menu_hearing_test: run_hearing_test(dialog); break;
    case menu_audiogram: run_audiogram(dialog); break;
    case menu_copy_picture: copy_picture(dialog); break;
    case menu_copy_curves: copy_curves_as_text(dialog); break;
    case menu_copy_equalizer: copy_curve_as_equalizer(dialog); break;
    }
}
