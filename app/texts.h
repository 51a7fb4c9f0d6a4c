// The user interface's texts: one table of rows, each holding a text's key with its English and
// its German side by side. Windows-1252 bytes, the same on every platform, so that the table can
// be checked where it is built.
#pragma once

#include "resources/resource_ids.h"

#include <string>

// The keys of the texts that are no control's caption; a caption is keyed by its control's id.
// They start above every control and menu id, so that the two kinds of key never meet.
enum TextKey {
    text_confirm_delete = 1000, // asked before a record is deleted
    text_confirm_discard,       // asked before unsaved edits are dropped
    // The curves copied as text: the header line (without its line end), the header of the dB(A)
    // column that follows it while A-weighting is on, and the names of the two sets. The curves
    // are named by the captions of their colour buttons.
    text_curve_header,
    text_curve_weighted_header,
    text_main_set,
    text_compare_set,
    // The comment that opens a curve copied as equalizer settings, a printf format that takes the
    // curve's colour (its button's caption) and the title, in this order. It holds no ":", which
    // some equalizers read as the start of their settings wherever it stands.
    text_equalizer_comment,
    // The hearing test window's title, its pause button while paused, and its words about the
    // test. The formats are printf formats.
    text_hearing_caption,
    text_hearing_continue,
    text_hearing_progress, // the frequency, its number and the number of frequencies
    text_hearing_done,
    text_hearing_stopped,
    text_hearing_no_output, // when no sound output could be opened
    // The headphone check: its progress (the tone's number and the number of tones), and what
    // went wrong: the sides swapped, a one-ear tone heard in both, any other mismatch, no tone
    // heard; and the summary's line on an ear that heard no tone of it (the ear's name).
    text_hearing_checking,
    text_hearing_check_failed,
    text_hearing_check_swapped,
    text_hearing_check_mono,
    text_hearing_check_mismatch,
    text_hearing_check_unheard,
    text_hearing_check_silent_ear,
    // The summary: a frequency's name (its hertz; for the retest with a mark), what it gave.
    text_hearing_frequency,
    text_hearing_retest_frequency,
    text_hearing_threshold, // the name and the level in dBFS
    text_hearing_no_response,
    text_hearing_undetermined,
    text_hearing_retest_difference, // in dB
    text_hearing_false_alarms,      // all of them; answered and all silent presentations
    text_hearing_varied,
    text_hearing_floor,
    text_hearing_unreliable,
    text_hearing_contradicting, // an ear's answers contradict each other
    // The hearing test summary's last line while a reference is loaded.
    text_hearing_audiogram,
    // The audiogram window: its title, the ears, the lines below the chart (printf formats: the
    // ear, its average and its grade's words; the ear and the frequencies it misses; the ears'
    // difference; the reference's title), the copied text's header line, and the half-gain
    // equalizer's comments (the ear, the title and the reference's title; both ears: the titles)
    // with the words added where a cut was held at its limit.
    text_audiogram_caption,
    text_right_ear,
    text_left_ear,
    text_both_ears,
    text_audiogram_average,
    text_audiogram_missing,
    text_and, // before the last of the missing frequencies
    text_audiogram_difference,
    text_audiogram_reference,
    text_audiogram_note,
    text_audiogram_how_to,
    text_audiogram_header,
    text_compensation_ear,
    text_compensation_both,
    text_compensation_limited,
    // The grades' words in the lines, from normal to complete, then their zones' names on the
    // chart.
    text_grade_normal,
    text_zone_normal = text_grade_normal + 7,
    text_zone_last = text_zone_normal + 6,
    // The known audiogram's dialog: its title, the words its reference's title starts with, and
    // the equalizer's comments (the ear and the title; both ears: the title). Then the line that
    // says what its last command did, printf formats: a field's frequency and ear; the title
    // stored; an ear and the frequencies its reference holds, then those left out for each
    // reason; the rows pasted, the frequencies not taken.
    text_known_caption,
    text_known_title_start,
    text_known_compensation_ear,
    text_known_compensation_both,
    text_known_not_a_level,
    text_known_nothing,
    text_known_ear_empty,
    text_known_copied,
    text_known_no_title,
    text_known_unusable,
    text_known_not_saved,
    text_known_saved,
    text_known_held,
    text_known_left_out,
    text_known_no_threshold,
    text_known_too_quiet,
    text_known_too_loud,
    text_known_no_text,
    text_known_no_rows,
    text_known_pasted,
    text_known_not_taken,
    // What the audiogram window shows, in the order of its choice.
    text_show_hearing_level,
    text_show_change,
    // Hearing level beside people of an age and sex: the sexes in the order of the choice (not
    // given, female, male), the groups (a printf format of the age) in the same order, the lines
    // (the ear and the group; poorer and better take the group and the frequencies), the line
    // below them above the age where the standard's high frequencies are less certain (the age and
    // the frequency), and the copied columns' headers (the group; the ear and the group).
    text_sex_not_given,
    text_sex_female,
    text_sex_male,
    text_group_people,
    text_group_women,
    text_group_men,
    text_age_within,
    text_age_poorer,
    text_age_better,
    text_age_less_certain,
    text_age_header,
    text_age_percentile_header,
    // The change since an earlier test: the chart's unit and its zone, the lines (the ear, the
    // frequencies of the average and its value or those it misses; the words of a significant
    // shift; the criteria that hold, each with its dB and frequencies; no change; the advice; the
    // improvement in dB; no frequency in common), the earlier test's title, the note, the how-to
    // and the copied text's header line.
    text_change_unit,
    text_zone_repeatability,
    text_change_average,
    text_change_missing,
    text_change_significant,
    text_change_criteria,
    text_change_by_one,
    text_change_by_adjacent,
    text_change_none,
    text_change_advice,
    text_change_improved,
    text_change_no_common,
    text_change_earlier,
    text_change_note,
    text_change_how_to,
    text_change_header,
    text_key_end // after the last named key
};

struct TextRow {
    int key; // a control id or a TextKey
    const char* english;
    const char* german;
};

extern const TextRow text_rows[];
extern const int text_row_count;

// The text of a key, German for language 1 and English for 0 and any other value; empty for a
// key without a row.
const char* text(int key, int language);

// The main dialog's captions that depend on the language, in the order the dialog receives them.
inline constexpr int main_caption_keys[] = {
    btn_pulse,      btn_snap_hz, btn_snap_db, btn_linear_db,    btn_heights,
    btn_green,      btn_red,     btn_blue,    btn_delete_curve, btn_add_set,
    btn_delete_set, btn_reset,   btn_compare, usage_hint,       btn_info};
// The program's own entries of the window menu, in their menu order.
inline constexpr int window_menu_keys[] = {window_menu_order};
// The hearing test window's controls whose captions depend on the language.
inline constexpr int hearing_caption_keys[] = {
    hearing_instructions, hearing_both_ears,  hearing_right_ear,  hearing_left_ear,
    hearing_replaces,     hearing_quick,      hearing_standard,   hearing_highs,
    hearing_sample,       hearing_start,      hearing_pause,      hearing_stop,
    hearing_answer,       hearing_check_left, hearing_check_both, hearing_check_right};

// The audiogram window's controls whose captions depend on the language.
inline constexpr int audiogram_caption_keys[] = {
    audiogram_copy_equalizer, audiogram_copy_picture, audiogram_copy_text, audiogram_known,
    audiogram_close,          audiogram_age_label,    audiogram_sex_label};

// The known audiogram's controls with captions of their own; its ear choice, copy and close
// buttons and its columns take the audiogram window's words.
inline constexpr int known_caption_keys[] = {known_instructions, known_title_label, known_paste,
                                             known_make_reference};

// A printf format filled in, whatever its length.
std::string formatted(const char* format, ...);

// Text of the program's code page, Windows-1252, as UTF-8. A byte that the code page leaves
// undefined stands for the control character of the same number, as the platform converts it.
std::string utf8_of_windows_1252(const char* text);
