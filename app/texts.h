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
// The program's own entries of the window menu, in their menu order.
const int menu_text_count = 3;

// The words of the curves copied as text: the header line (without its line end), the header of
// the dB(A) column that follows it while A-weighting is on, and the names of the two sets. The
// curves are named by the captions of their colour buttons.
struct CurveTextWords {
    const char* header;
    const char* weighted_header;
    const char* main_set;
    const char* compare_set;
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
};

extern const LanguageTexts english_texts;
extern const LanguageTexts german_texts;

// The caption of a control in these texts; empty for a control without one.
const char* caption_of(const LanguageTexts& texts, int control);

// German for language 1; English for 0 and for any other value.
const LanguageTexts& texts_for_language(int language);

// Text of the program's code page, Windows-1252, as UTF-8. A byte that the code page leaves
// undefined stands for the control character of the same number, as the platform converts it.
std::string utf8_of_windows_1252(const char* text);
