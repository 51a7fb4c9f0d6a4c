// The user interface's texts in English and German: Windows-1252 bytes, the same on every
// platform, so that the tables can be checked where they are built.
#pragma once

// One caption and the control that shows it.
struct ControlText {
    int control;
    const char* text;
};

// The controls whose captions depend on the language.
const int control_text_count = 15;

struct LanguageTexts {
    ControlText captions[control_text_count]; // in the order the dialog receives them
    const char* confirm_delete;               // asked before a record is deleted
    const char* confirm_discard;              // asked before unsaved edits are dropped
};

extern const LanguageTexts english_texts;
extern const LanguageTexts german_texts;

// German for language 1; English for 0 and for any other value.
const LanguageTexts& texts_for_language(int language);
