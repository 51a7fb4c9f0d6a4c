// The main dialog's identifiers, its captions, its width and the one measure of its layout that
// the template does not hold. Plain #defines, so that the resource script, the program and the
// tests (the end-to-end harness reads this file as well) share one definition of each.
#pragma once

#define main_dialog_template 100
// The template's client width in dialog units; the control band above the graph spans it.
#define main_dialog_width 800
#define dialog_caption "Sonabrill Audiogram"
// Every question box the program shows has this caption.
#define question_caption "Sonabrill"

// Controls of the main dialog, in their order in the template.
#define btn_left 201
#define btn_both 202
#define btn_right 203
#define btn_pulse 204
#define btn_a_weighting 205
#define band_probe 251
#define btn_snap_hz 211
#define btn_snap_db 212
#define btn_linear_db 213
#define btn_heights 214
#define btn_green 221
#define btn_red 222
#define btn_blue 223
#define btn_delete_curve 225
#define title_combo 301
#define btn_add_set 226
#define btn_delete_set 227
#define btn_compare 224
#define btn_reset 228
#define btn_info 229
#define language_combo 302
#define usage_hint 252

// Pixels between the bottom of the control band and the graph below it.
#define band_gap 6

// Entries the program adds to the end of the window (system) menu. Windows keeps the low four
// bits of a system command for itself, so each id is a multiple of 16, and the ids stay below
// the platform's own commands (0xF000 and up).
#define menu_hearing_test 0x00F0
#define menu_copy_picture 0x0100
#define menu_copy_curves 0x0110
#define menu_copy_equalizer 0x0120
#define menu_audiogram 0x0130
// The program's entries in their menu order, the last entry of the menu last: the hearing test
// and the audiogram, then the copies. The program appends them in this order, and the stories
// reach an entry by this order.
#define window_menu_order                                                                          \
    menu_hearing_test, menu_audiogram, menu_copy_picture, menu_copy_curves, menu_copy_equalizer

// The hearing test window and its controls.
#define hearing_dialog_template 110
#define hearing_instructions 401
#define hearing_right_ear 402
#define hearing_left_ear 403
#define hearing_replaces 404
#define hearing_highs 405
#define hearing_sample 406
#define hearing_start 407
#define hearing_pause 408
#define hearing_stop 409
#define hearing_answer 410
#define hearing_progress 411
#define hearing_summary 412
#define hearing_quick 413
#define hearing_standard 414
#define hearing_both_ears 415
// The headphone check's answers.
#define hearing_check_left 416
#define hearing_check_both 417
#define hearing_check_right 418

// The audiogram window and its controls.
#define audiogram_dialog_template 120
#define audiogram_chart 501
#define audiogram_lines 502
#define audiogram_reference 503
#define audiogram_note 504
#define audiogram_ear_choice 505
#define audiogram_copy_equalizer 506
#define audiogram_copy_picture 507
#define audiogram_copy_text 508
#define audiogram_close 509
#define audiogram_known 510
// What the chart shows (hearing level or the change since an earlier test), and the age and sex
// of the people whose hearing it is set beside.
#define audiogram_mode_choice 511
#define audiogram_age_label 512
#define audiogram_age_field 513
#define audiogram_age_range 514
#define audiogram_sex_label 515
#define audiogram_sex_choice 516

// The known audiogram's dialog and its controls. The level fields of a column and the frequencies'
// labels have consecutive ids, from the first row (125 Hz) down.
#define known_dialog_template 130
#define known_instructions 601
#define known_right_header 602
#define known_left_header 603
#define known_title_label 604
#define known_title 605
#define known_paste 606
#define known_ear_choice 607
#define known_copy_equalizer 608
#define known_make_reference 609
#define known_close 610
#define known_message 611
#define known_frequency_label 620
#define known_right_field 640
#define known_left_field 660
