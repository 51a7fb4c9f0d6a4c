// Identifiers of the main dialog's template, its controls and the icon.
#pragma once

const int main_dialog_template = 100;

// Controls of the main dialog, in their order in the template.
enum ControlId {
    btn_left = 201,
    btn_both = 202,
    btn_right = 203,
    btn_pulse = 204,
    btn_a_weighting = 205,
    band_probe = 251,
    btn_snap_hz = 211,
    btn_snap_db = 212,
    btn_linear_db = 213,
    btn_heights = 214,
    btn_green = 221,
    btn_red = 222,
    btn_blue = 223,
    btn_delete_curve = 225,
    title_combo = 301,
    btn_add_set = 226,
    btn_delete_set = 227,
    btn_compare = 224,
    btn_reset = 228,
    btn_info = 229,
    language_combo = 302,
    usage_hint = 252,
};

// Entries the program adds to the end of the window (system) menu. Windows keeps the low four
// bits of a system command for itself, so each id is a multiple of 16, and the ids stay below
// the platform's own commands (0xF000 and up).
enum WindowMenuId {
    menu_copy_picture = 0x0100,
    menu_copy_curves = 0x0110,
};
