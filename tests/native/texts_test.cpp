// The text table as data: both languages in every row, with the same printf conversions, one row
// per key; the dialog's own texts word for word; the curves copied as text in either language.
#include "app/texts.h"

#include "app/curve_text.h"
#include "core/app_state.h"
#include "resources/resource_ids.h"

#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

// The printf conversions of a text in their order, each with its flags, width, precision and
// length ("%d %s %.1f %% "); empty for a text that is no format.
std::string conversions(const char* text) {
    std::string found;
    for (const char* p = std::strchr(text, '%'); p != nullptr; p = std::strchr(p, '%')) {
        size_t length = 1 + std::strspn(p + 1, "-+ #0123456789.*hlLqjzt");
        length += p[length] != '\0' ? 1 : 0; // the conversion's letter
        found += std::string(p, length) + " ";
        p += length;
    }
    return found;
}

// The texts the dialog has always shown, word for word (written here in UTF-8): its captions in
// the order it receives them, then the two questions.
const TextRow fixed_texts[] = {
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
    {text_confirm_delete, "Delete record?", "Datensatz löschen?"},
    {text_confirm_discard, "Unsaved changes. Proceed?",
     "Änderungen nicht gespeichert. Fortfahren?"},
};

} // namespace

TEST(Texts, EveryRowHasBothLanguagesWithTheSameConversionsUnderAKeyOfItsOwn) {
    std::set<int> keys;
    for (int i = 0; i < text_row_count; ++i) {
        const TextRow& row = text_rows[i];
        ASSERT_TRUE(row.english != nullptr && row.german != nullptr) << "row " << i;
        SCOPED_TRACE("key " + std::to_string(row.key) + ", \"" + row.english + "\"");
        EXPECT_TRUE(row.english[0] != '\0' && row.german[0] != '\0') << "an empty text";
        EXPECT_EQ(conversions(row.english), conversions(row.german));
        EXPECT_TRUE(keys.insert(row.key).second) << "a second row of the key";
    }
    // Every key that the program reads has its row.
    std::vector<int> read(std::begin(main_caption_keys), std::end(main_caption_keys));
    read.insert(read.end(), std::begin(window_menu_keys), std::end(window_menu_keys));
    read.insert(read.end(), std::begin(hearing_caption_keys), std::end(hearing_caption_keys));
    read.insert(read.end(), std::begin(audiogram_caption_keys), std::end(audiogram_caption_keys));
    read.insert(read.end(), std::begin(known_caption_keys), std::end(known_caption_keys));
    for (int key = text_confirm_delete; key < text_key_end; ++key) {
        read.push_back(key);
    }
    for (int key : read) {
        EXPECT_EQ(1u, keys.count(key)) << "key " << key;
    }
}

// The bytes are Windows-1252: read back as UTF-8 they must give the letters written above.
TEST(Texts, TheDialogsCaptionsInOrderAndQuestionsWordForWordGermanOnlyForLanguageOne) {
    const size_t caption_count = std::size(main_caption_keys);
    ASSERT_EQ(caption_count + 2, std::size(fixed_texts));
    for (size_t i = 0; i < std::size(fixed_texts); ++i) {
        const TextRow& fixed = fixed_texts[i];
        SCOPED_TRACE("key " + std::to_string(fixed.key));
        if (i < caption_count) {
            EXPECT_EQ(fixed.key, main_caption_keys[i]) << "caption " << i;
        }
        EXPECT_EQ(fixed.german, utf8_of_windows_1252(text(fixed.key, 1)));
        for (int language : {0, 2, -1, 255}) {
            EXPECT_EQ(fixed.english, utf8_of_windows_1252(text(fixed.key, language))) << language;
        }
    }
    EXPECT_EQ(41u, std::strlen(text(text_confirm_discard, 1)));
    for (int language : {0, 1}) {
        EXPECT_LT(std::strlen(text(text_confirm_delete, language)), sizeof app.confirm_delete_text);
        EXPECT_LT(std::strlen(text(text_confirm_discard, language)),
                  sizeof app.confirm_discard_text);
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
    // Against a reference at amplitude 10 (-70.31 dB) the red ear has 65, 20, 0 and -6 dB HL at
    // 4000, 2000, 1000 and 500 Hz (half gains 32.5, 10, 0, 0), the blue ear 0 and -6 at 1000 and
    // 500 Hz: the red ear's highest gain sets the scale of both, held at a cut of 30 dB.
    const uint16_t compensated[][3] = {{1, 4000, 18426}, {1, 2000, 103}, {1, 1000, 10},
                                       {1, 500, 5},      {2, 1000, 10},  {2, 500, 5}};
    CurveSet set = {}, hearing = {}, reference = {};
    auto put = [](CurveSet* into, const uint16_t* point) {
        into->freq_hz[point[0]][into->count[point[0]]] = point[1];
        into->amplitude[point[0]][into->count[point[0]]++] = point[2];
    };
    for (const auto& point : points) {
        put(&set, point);
    }
    for (const auto& point : compensated) {
        put(&hearing, point);
        const uint16_t flat[] = {point[0], point[1], 10};
        put(&reference, flat);
    }
    const struct {
        int curve; // or, for the hearing levels, the ears compensated
        int language;
        const char* title;
        std::string text;
        bool compensated = false;
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
        {compensate_both, 0, "Me",
         "# Both ears of \"Me\" against the reference \"Normal\", half gain; gains in dB relative "
         "to the highest band of both; no band cut by more than 30 dB\r\nChannel: L\r\n"
         "GraphicEQ: 500 -30.0; 1000 -30.0;\r\nChannel: R\r\n"
         "GraphicEQ: 500 -30.0; 1000 -30.0; 2000 -22.5; 4000 0.0;\r\n",
         true},
        {compensate_right, 1, "Ich: rechts",
         "# Rechtes Ohr von \"Ich  rechts\" gegen die Referenz \"Normal\", halbe Verstärkung; "
         "Verstärkung in dB relativ zum höchsten Band; kein Band um mehr als 30 dB abgesenkt\r\n"
         "GraphicEQ: 500 -30.0; 1000 -30.0; 2000 -22.5; 4000 0.0;\r\n",
         true},
        {compensate_left, 0, "Me",
         "# Left ear of \"Me\" against the reference \"Normal\", half gain; gains in dB relative "
         "to the highest band\r\nGraphicEQ: 500 0.0; 1000 0.0;\r\n",
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("curve or ears " + std::to_string(c.curve));
        EXPECT_EQ(c.text, c.compensated ? format_compensation_text(hearing, reference, c.curve,
                                                                   c.title, "Normal", c.language)
                                        : format_equalizer_text(set, c.curve, c.title, c.language));
    }
    // Without a reference, no ear has a level to compensate.
    EXPECT_EQ("", format_compensation_text(hearing, {}, compensate_right, "Me", "", 0));
}
