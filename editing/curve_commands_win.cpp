// Commands on whole curves, called by the main dialog for the colour, delete-curve and reset
// buttons.
#include "editing/curve_commands.h"

#include "core/dialog_requests.h"
#include "database/curve_database.h"

void select_curve(int curve) {
    app.current_curve = static_cast<int16_t>(curve);
}

void delete_current_curve(HWND dialog) {
    // Emptying keeps the old points in place; the count alone says what is valid.
    app.main_set.count[app.current_curve] = 0;
    request_refresh(dialog);
}

void reset_curves(HWND dialog) {
    if (!confirm_unsaved_changes(dialog)) {
        return;
    }
    for (int c = 0; c < curve_count; ++c) {
        app.main_set.count[c] = 0;
        app.compare_set.count[c] = 0;
    }
    app.compare_title[0] = '\0';
    set_date_title(dialog);
    request_refresh(dialog);
}
