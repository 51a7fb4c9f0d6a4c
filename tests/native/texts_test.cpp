// The caption tables hold exactly the program's texts, as Windows-1252 bytes, in the order the
// dialog receives them.
#include "app/texts.h"

#include "app/app_state.h"
#include "resources/resource_ids.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// The expected texts below are written as readable UTF-8; the program must hold the single
// Windows-1252 byte of each letter. All letters used lie in Latin-1, where the two agree.
std::string windows_1252(const std::string& utf8) {
    std::string bytes;
    for (size_t i = 0; i < utf8.size(); ++i) {
        unsigned char lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            bytes += static_cast<char>(lead);
            continue;
        }
        EXPECT_EQ(0xC0, lead & 0xE0) << "letter outside Latin-1 in " << utf8;
        unsigned char trail = static_cast<unsigned char>(utf8[++i]);
        bytes += static_cast<char>(((lead & 0x1F) << 6) | (trail & 0x3F));
    }
    return bytes;
}

struct CaptionRow {
    int control;
    const char* english;
    const char* german;
};

const CaptionRow caption_rows[] = {
    {btn_pulse, "Pulse", "Pulsieren"},
    {btn_snap_hz, "Snap Hz", "Runde Hz"},
    {btn_snap_db, "Snap dB", "Runde dB"},
    {btn_linear_db, "Linear dB", "dB linear"},
    {btn_heights, "Heights", "Höhen"},
    {btn_green, "Green", "Grün"},
    {btn_red, "Red", "Rot"},
    {btn_blue, "Blue", "Blau"},
    {btn_delete_curve, "Delete current curve", "Aktuelle Kurve löschen"},
    {btn_add_set, "Add set", "Datensatz +"},
    {btn_delete_set, "Delete set", "Datensatz -"},
    {btn_reset, "Reset", "Zurücksetzen"},
    {btn_compare, "Compare", "Vergleich"},
    {usage_hint,
     "Mouse left = Tone\r\nMouse right = Tone + curve\r\nMouse middle = Delete dot\r\nDrag = Level",
     "Maus links = Ton\r\nMaus rechts = Ton + Kurve\r\nMaus Mitte = Punkt löschen\r\n"
     "Ziehen = Lautstärke"},
    {btn_info, "Info and usage", "Info und Nutzung"},
};

} // namespace

TEST(Texts, CaptionTablesHoldEveryTextInOrderByteForByte) {
    static_assert(sizeof caption_rows / sizeof caption_rows[0] == control_text_count,
                  "one row per caption");
    for (int i = 0; i < control_text_count; ++i) {
        const CaptionRow& row = caption_rows[i];
        SCOPED_TRACE("caption " + std::to_string(i) + " of control " + std::to_string(row.control));
        EXPECT_EQ(row.control, english_texts.captions[i].control);
        EXPECT_EQ(row.control, german_texts.captions[i].control);
        EXPECT_EQ(windows_1252(row.english), english_texts.captions[i].text);
        EXPECT_EQ(windows_1252(row.german), german_texts.captions[i].text);
    }
}

TEST(Texts, QuestionsAreExactAndFitTheirBuffers) {
    EXPECT_STREQ("Delete record?", english_texts.confirm_delete);
    EXPECT_STREQ("Unsaved changes. Proceed?", english_texts.confirm_discard);
    EXPECT_EQ(windows_1252("Datensatz löschen?"), german_texts.confirm_delete);
    EXPECT_EQ(windows_1252("Änderungen nicht gespeichert. Fortfahren?"),
              german_texts.confirm_discard);
    EXPECT_EQ(41u, std::strlen(german_texts.confirm_discard));
    for (const LanguageTexts* texts : {&english_texts, &german_texts}) {
        EXPECT_LT(std::strlen(texts->confirm_delete), sizeof app.confirm_delete_text);
        EXPECT_LT(std::strlen(texts->confirm_discard), sizeof app.confirm_discard_text);
    }
}

TEST(Texts, LanguageOneIsGermanAndEveryOtherValueEnglish) {
    EXPECT_EQ(&german_texts, &texts_for_language(1));
    for (int language : {0, 2, -1, 255}) {
        EXPECT_EQ(&english_texts, &texts_for_language(language)) << "language " << language;
    }
}
