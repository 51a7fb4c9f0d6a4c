// Every non-ASCII letter is written as its Windows-1252 code ("\xe4" is a-umlaut), so the bytes do
// not depend on the encoding of this file; a literal is split where the next character would
// otherwise extend the escape ("Zur\xfc" "cksetzen": c is a hexadecimal digit).
#include "app/texts.h"

#include "resources/resource_ids.h"

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
        {menu_copy_picture, "Copy picture"},
        {menu_copy_curves, "Copy curves as text"},
    },
    {"Set\tCurve\tFrequency [Hz]\tAmplitude\tLevel [dB]", "Level [dB(A)]", "Main", "Compare"},
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
        {menu_copy_picture, "Bild kopieren"},
        {menu_copy_curves, "Kurven als Text kopieren"},
    },
    {"Satz\tKurve\tFrequenz [Hz]\tAmplitude\tPegel [dB]", "Pegel [dB(A)]", "Haupt", "Vergleich"},
};

const char* caption_of(const LanguageTexts& texts, int control) {
    for (const ControlText& caption : texts.captions) {
        if (caption.control == control) {
            return caption.text;
        }
    }
    return "";
}

const LanguageTexts& texts_for_language(int language) {
    return language == 1 ? german_texts : english_texts;
}
