// The user interface's texts in English and German: Windows-1252 bytes, the same on every
// platform, so that the tables can be checked where they are built.
#pragma once

#include <string>

// One caption and the control that shows it.
struct ControlText {
    int control;
    const char* text;
};

// The controls whose captions depend on the language.
const int control_text_count = 15;
// The program's own entries of the window menu, in their menu order: the hearing test, then the
// copy entries.
const int menu_text_count = 4;
// The hearing test window's controls whose captions depend on the language.
const int hearing_text_count = 10;

// The words of the curves copied as text: the header line (without its line end), the header of
// the dB(A) column that follows it while A-weighting is on, and the names of the two sets. The
// curves are named by the captions of their colour buttons.
struct CurveTextWords {
    const char* header;
    const char* weighted_header;
    const char* main_set;
    const char* compare_set;
};

// The hearing test window's words. The formats are printf formats.
struct HearingTexts {
    const char* caption; // the window's title
    ControlText controls[hearing_text_count];
    const char* continue_caption; // the pause button while paused
    const char* progress;         // the frequency, its number and the number of frequencies
    const char* done;
    const char* stopped;
    const char* no_output; // when no sound output could be opened
    // The summary: a frequency's name (its hertz; for the retest with a mark), what it gave.
    const char* frequency;
    const char* retest_frequency;
    const char* threshold; // the name and the level in dBFS
    const char* no_response;
    const char* undetermined;
    const char* retest_difference; // in dB
    const char* false_alarms;      // all of them; answered and all silent presentations
    const char* varied;
    const char* floor;
    const char* unreliable;
};

struct LanguageTexts {
    ControlText captions[control_text_count];  // in the order the dialog receives them
    const char* confirm_delete;                // asked before a record is deleted
    const char* confirm_discard;               // asked before unsaved edits are dropped
    ControlText menu_entries[menu_text_count]; // by window-menu command
    CurveTextWords curve_text;
    // The comment that opens a curve copied as equalizer settings, a printf format that takes
    // the curve's colour (its button's caption) and the title, in this order. It holds no ":",
    // which some equalizers read as the start of their settings wherever it stands.
    const char* equalizer_comment;
    HearingTexts hearing;
};

extern const LanguageTexts english_texts;
extern const LanguageTexts german_texts;

// The caption of a control of the main dialog or of the hearing test window in these texts;
// empty for a control without one.
const char* caption_of(const LanguageTexts& texts, int control);

// A printf format filled in, whatever its length.
std::string formatted(const char* format, ...);

// German for language 1; English for 0 and for any other value.
const LanguageTexts& texts_for_language(int language);

// Text of the program's code page, Windows-1252, as UTF-8. A byte that the code page leaves
// undefined stands for the control character of the same number, as the platform converts it.
std::string utf8_of_windows_1252(const char* text);
