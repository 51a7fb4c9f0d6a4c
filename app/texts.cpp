// Every non-ASCII letter is written as its Windows-1252 code ("\xe4" is a-umlaut), so the bytes do
// not depend on the encoding of this file; a literal is split where the next character would
// otherwise extend the escape ("Zur\xfc" "cksetzen": c is a hexadecimal digit).
#include "app/texts.h"

#include "resources/resource_ids.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <vector>

// The hint's four lines are separated by CR LF, with no line end after the last.
const LanguageTexts english_texts = {
    {
        {btn_pulse, "Pulse"},
        {btn_snap_hz, "Snap Hz"},
        {btn_snap_db, "Snap dB"},
        {btn_linear_db, "Linear dB"},
        {btn_heights, "Heights"},
        {btn_green, "Green"},
        {btn_red, "Red"},
        {btn_blue, "Blue"},
        {btn_delete_curve, "Delete current curve"},
        {btn_add_set, "Add set"},
        {btn_delete_set, "Delete set"},
        {btn_reset, "Reset"},
        {btn_compare, "Compare"},
        {usage_hint, "Mouse left = Tone\r\n"
                     "Mouse right = Tone + curve\r\n"
                     "Mouse middle = Delete dot\r\n"
                     "Drag = Level"},
        {btn_info, "Info and usage"},
    },
    "Delete record?",
    "Unsaved changes. Proceed?",
    {
        {menu_hearing_test, "Hearing test..."},
        {menu_copy_picture, "Copy picture"},
        {menu_copy_curves, "Copy curves as text"},
        {menu_copy_equalizer, "Copy curve as equalizer"},
    },
    {"Set\tCurve\tFrequency [Hz]\tAmplitude\tLevel [dB]", "Level [dB(A)]", "Main", "Compare"},
    "# %s curve of \"%s\"; gains in dB relative to the curve's highest level",
    {
        "Hearing test",
        {
            {hearing_instructions,
             "Wear headphones. Short pulsed tones play in one ear. Press Space or click \"I hear "
             "it\" whenever you hear one, however faint. Set a comfortable volume with the sample "
             "tone first. Levels are relative to full scale, not calibrated: this is no medical "
             "test."},
            {hearing_right_ear, "Right ear (red curve)"},
            {hearing_left_ear, "Left ear (blue curve)"},
            {hearing_replaces, "Start replaces this curve of the main window."},
            {hearing_highs, "Also 10, 12, 14 and 16 kHz"},
            {hearing_sample, "Sample tone"},
            {hearing_start, "Start"},
            {hearing_pause, "Pause"},
            {hearing_stop, "Stop"},
            {hearing_answer, "I hear it"},
        },
        "Continue",
        "%d Hz, %d of %d",
        "Done.",
        "Stopped.",
        "No sound output could be opened.",
        "%d Hz",
        "%d Hz (retest)",
        "%s: %d dBFS",
        "%s: no response",
        "%s: undetermined",
        "Retest at 1000 Hz: %d dB difference.",
        "False alarms: %d (%d of %d silent presentations answered).",
        "The answers at 1000 Hz varied by 10 dB or more: please test again.",
        "You heard the quietest level: lower the volume and test again.",
        "Unreliable: answers without a tone.",
    },
};

const LanguageTexts german_texts = {
    {
        {btn_pulse, "Pulsieren"},
        {btn_snap_hz, "Runde Hz"},
        {btn_snap_db, "Runde dB"},
        {btn_linear_db, "dB linear"},
        {btn_heights, "H\xf6hen"},
        {btn_green, "Gr\xfcn"},
        {btn_red, "Rot"},
        {btn_blue, "Blau"},
        {btn_delete_curve, "Aktuelle Kurve l\xf6schen"},
        {btn_add_set, "Datensatz +"},
        {btn_delete_set, "Datensatz -"},
        {btn_reset, "Zur\xfc"
                    "cksetzen"},
        {btn_compare, "Vergleich"},
        {usage_hint, "Maus links = Ton\r\n"
                     "Maus rechts = Ton + Kurve\r\n"
                     "Maus Mitte = Punkt l\xf6schen\r\n"
                     "Ziehen = Lautst\xe4rke"},
        {btn_info, "Info und Nutzung"},
    },
    "Datensatz l\xf6schen?",
    "\xc4nderungen nicht gespeichert. Fortfahren?",
    {
        {menu_hearing_test, "H\xf6rtest..."},
        {menu_copy_picture, "Bild kopieren"},
        {menu_copy_curves, "Kurven als Text kopieren"},
        {menu_copy_equalizer, "Kurve als Equalizer kopieren"},
    },
    {"Satz\tKurve\tFrequenz [Hz]\tAmplitude\tPegel [dB]", "Pegel [dB(A)]", "Haupt", "Vergleich"},
    "# Kurve %s von \"%s\"; Verst\xe4rkung in dB relativ zum h\xf6"
    "chsten Pegel der Kurve",
    {
        "H\xf6rtest",
        {
            {hearing_instructions,
             "Setzen Sie Kopfh\xf6rer auf. Kurze gepulste T\xf6ne erklingen auf einem Ohr. "
             "Dr\xfc"
             "cken Sie die Leertaste oder klicken Sie \"Ich h\xf6re den Ton\", sobald Sie einen "
             "h\xf6ren, so leise er auch ist. Stellen Sie zuerst mit dem Probeton eine angenehme "
             "Lautst\xe4rke ein. Die Pegel beziehen sich auf die Vollaussteuerung und sind nicht "
             "kalibriert: Dies ist kein medizinischer Test."},
            {hearing_right_ear, "Rechtes Ohr (rote Kurve)"},
            {hearing_left_ear, "Linkes Ohr (blaue Kurve)"},
            {hearing_replaces, "Start ersetzt diese Kurve im Hauptfenster."},
            {hearing_highs, "Auch 10, 12, 14 und 16 kHz"},
            {hearing_sample, "Probeton"},
            {hearing_start, "Start"},
            {hearing_pause, "Pause"},
            {hearing_stop, "Stopp"},
            {hearing_answer, "Ich h\xf6re den Ton"},
        },
        "Weiter",
        "%d Hz, %d von %d",
        "Fertig.",
        "Gestoppt.",
        "Keine Tonausgabe lie\xdf sich \xf6"
        "ffnen.",
        "%d Hz",
        "%d Hz (Wiederholung)",
        "%s: %d dBFS",
        "%s: keine Reaktion",
        "%s: unbestimmt",
        "Wiederholung bei 1000 Hz: %d dB Unterschied.",
        "Fehlalarme: %d (%d von %d stillen Darbietungen beantwortet).",
        "Die Antworten bei 1000 Hz schwankten um 10 dB oder mehr: bitte erneut testen.",
        "Sie h\xf6rten die leiseste Stufe: Lautst\xe4rke senken und erneut testen.",
        "Unzuverl\xe4ssig: Antworten ohne Ton.",
    },
};

namespace {

// The caption of control in a table of count captions; null when it has none there.
const char* find_caption(const ControlText* table, int count, int control) {
    for (int i = 0; i < count; ++i) {
        if (table[i].control == control) {
            return table[i].text;
        }
    }
    return nullptr;
}

} // namespace

const char* caption_of(const LanguageTexts& texts, int control) {
    const char* caption = find_caption(texts.captions, control_text_count, control);
    if (caption == nullptr) {
        caption = find_caption(texts.hearing.controls, hearing_text_count, control);
    }
    return caption != nullptr ? caption : "";
}

std::string formatted(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    va_list again;
    va_copy(again, arguments);
    int length = std::vsnprintf(nullptr, 0, format, arguments);
    std::vector<char> text(static_cast<size_t>(length > 0 ? length : 0) + 1);
    std::vsnprintf(text.data(), text.size(), format, again);
    va_end(again);
    va_end(arguments);
    return text.data();
}

const LanguageTexts& texts_for_language(int language) {
    return language == 1 ? german_texts : english_texts;
}

std::string utf8_of_windows_1252(const char* text) {
    // The letters of 0x80 to 0x9F; the other bytes above 0x7F are the Latin-1 letters of the
    // same number, and the five holes (0 here) map to the control characters 0x81, 0x8D ...
    static const uint16_t letters_80_to_9f[32] = {
        0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    std::string utf8;
    for (const char* p = text; *p != '\0'; ++p) {
        unsigned int code = static_cast<unsigned char>(*p);
        if (code >= 0x80 && code <= 0x9F && letters_80_to_9f[code - 0x80] != 0) {
            code = letters_80_to_9f[code - 0x80];
        }
        if (code < 0x80) {
            utf8 += static_cast<char>(code);
        } else if (code < 0x800) {
            utf8 += static_cast<char>(0xC0 | (code >> 6));
            utf8 += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            utf8 += static_cast<char>(0xE0 | (code >> 12));
            utf8 += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return utf8;
}
