// The caption tables hold exactly the program's texts, as Windows-1252 bytes, in the order the
// dialog receives them; the curves copied as text speak the same language.
#include "app/texts.h"

#include "app/curve_text.h"
#include "core/app_state.h"
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
    const CaptionRow menu_rows[menu_text_count] = {
        {menu_hearing_test, "Hearing test...", "Hörtest..."},
        {menu_copy_picture, "Copy picture", "Bild kopieren"},
        {menu_copy_curves, "Copy curves as text", "Kurven als Text kopieren"},
        {menu_copy_equalizer, "Copy curve as equalizer", "Kurve als Equalizer kopieren"},
    };
    for (int i = 0; i < menu_text_count; ++i) {
        EXPECT_EQ(menu_rows[i].control, english_texts.menu_entries[i].control);
        EXPECT_EQ(menu_rows[i].control, german_texts.menu_entries[i].control);
        EXPECT_EQ(windows_1252(menu_rows[i].english), english_texts.menu_entries[i].text);
        EXPECT_EQ(windows_1252(menu_rows[i].german), german_texts.menu_entries[i].text);
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

TEST(Texts, CurvesAsTextOneLinePerPointInTheLanguageWithTheUsersDecimalSeparator) {
    // Main set: green 1000 Hz at -20.50 dB and 100 Hz at -20.00 dB (-39.14 dB(A)), red empty,
    // blue silent at 500 Hz. Compare set: red 2000 Hz at full scale (-0.0003 dB, +1.20 dB(A)).
    CurveSet main_set = {};
    CurveSet compare_set = {};
    main_set.freq_hz[0][0] = 1000;
    main_set.amplitude[0][0] = 3093;
    main_set.freq_hz[0][1] = 100;
    main_set.amplitude[0][1] = 3277;
    main_set.count[0] = 2;
    main_set.freq_hz[2][0] = 500;
    main_set.count[2] = 1;
    compare_set.freq_hz[1][0] = 2000;
    compare_set.amplitude[1][0] = 32767;
    compare_set.count[1] = 1;
    struct Case {
        int language;
        const char* decimal;
        bool a_weighted;
        std::string text;
    };
    const Case cases[] = {
        {0, ".", true,
         "Set\tCurve\tFrequency [Hz]\tAmplitude\tLevel [dB]\tLevel [dB(A)]\r\n"
         "Main\tGreen\t1000\t3093\t-20.5\t-20.5\r\n"
         "Main\tGreen\t100\t3277\t-20.0\t-39.1\r\n"
         "Main\tBlue\t500\t0\t\t\r\n"
         "Compare\tRed\t2000\t32767\t0.0\t1.2\r\n"},
        {1, ",", false,
         "Satz\tKurve\tFrequenz [Hz]\tAmplitude\tPegel [dB]\r\n"
         "Haupt\tGrün\t1000\t3093\t-20,5\r\n"
         "Haupt\tGrün\t100\t3277\t-20,0\r\n"
         "Haupt\tBlau\t500\t0\t\r\n"
         "Vergleich\tRot\t2000\t32767\t0,0\r\n"},
        // The separator is the user's, not the language's: the Swiss write German with a point.
        {1, ".", true,
         "Satz\tKurve\tFrequenz [Hz]\tAmplitude\tPegel [dB]\tPegel [dB(A)]\r\n"
         "Haupt\tGrün\t1000\t3093\t-20.5\t-20.5\r\n"
         "Haupt\tGrün\t100\t3277\t-20.0\t-39.1\r\n"
         "Haupt\tBlau\t500\t0\t\t\r\n"
         "Vergleich\tRot\t2000\t32767\t0.0\t1.2\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("language " + std::to_string(c.language) + ", separator " + c.decimal +
                     (c.a_weighted ? ", dB(A)" : ""));
        EXPECT_EQ(c.text,
                  format_curve_text(main_set, compare_set, c.a_weighted, c.language, c.decimal));
        // Without points only the header is left.
        std::string header = c.text.substr(0, c.text.find("\r\n") + 2);
        EXPECT_EQ(header, format_curve_text({}, {}, c.a_weighted, c.language, c.decimal));
    }
}

TEST(Texts, CurveAsEqualizerRisingBandsWithCutsBelowTheHighestLevel) {
    // Blue, stored in no order as a file may hold it: 250 Hz at -30.00 dB, 4000 Hz at -20.00 dB
    // (the highest) with an older one at -50.31 dB behind it, 1000 Hz silent and at -39.99 dB
    // behind it, 500 Hz silent; cuts 10.00 and 19.99 dB. Green: one point. Red: silent and 0 Hz.
    const uint16_t points[][3] = {{2, 250, 1036},  {2, 4000, 3277}, {2, 1000, 0},
                                  {2, 1000, 328},  {2, 500, 0},     {2, 4000, 100},
                                  {0, 1000, 3093}, {1, 500, 0},     {1, 0, 3093}};
    CurveSet set = {};
    for (const auto& point : points) {
        set.freq_hz[point[0]][set.count[point[0]]] = point[1];
        set.amplitude[point[0]][set.count[point[0]]++] = point[2];
    }
    const struct {
        int curve;
        int language;
        const char* title;
        std::string text;
    } cases[] = {
        {2, 0, "Left ear",
         "# Blue curve of \"Left ear\"; gains in dB relative to the curve's highest level\r\n"
         "GraphicEQ: 250 -10.0; 1000 -20.0; 4000 0.0;\r\n"},
        // A point in German too; a line end in the title stays inside the comment.
        {2, 1, "Linkes\r\nOhr",
         "# Kurve Blau von \"Linkes  Ohr\"; Verstärkung in dB relativ zum höchsten Pegel der "
         "Kurve\r\nGraphicEQ: 250 -10.0; 1000 -20.0; 4000 0.0;\r\n"},
        {2, 0, "Right:\tafter\u2028the\u0085concert\x7f!",
         "# Blue curve of \"Right  after the concert !\"; gains in dB relative to the curve's "
         "highest level\r\nGraphicEQ: 250 -10.0; 1000 -20.0; 4000 0.0;\r\n"},
        {0, 0, "",
         "# Green curve of \"\"; gains in dB relative to the curve's highest level\r\n"
         "GraphicEQ: 1000 0.0;\r\n"},
        {0, 1, "Åsas Ohr · 3 kHz…",
         "# Kurve Grün von \"Åsas Ohr · 3 kHz…\"; Verstärkung in dB relativ zum höchsten Pegel "
         "der Kurve\r\nGraphicEQ: 1000 0.0;\r\n"},
        {1, 0, "Silent", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("curve " + std::to_string(c.curve));
        EXPECT_EQ(c.text, format_equalizer_text(set, c.curve, c.title, c.language));
    }
}
