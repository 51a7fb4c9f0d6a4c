// Commands on whole curves, called by the main dialog for the colour, delete-curve and reset
// buttons.
#include "editing/curve_commands.h"

#include "app/main_dialog.h"

void select_curve(int curve) {
    app.current_curve = static_cast<int16_t>(curve);
}

void delete_current_curve(HWND dialog) {
    // Emptying keeps the old points in place; the count alone says what is valid.
    app.main_set.count[app.current_curve] = 0;
    request_refresh(dialog);
}
