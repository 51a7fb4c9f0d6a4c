// Every non-ASCII letter is written as its Windows-1252 code ("\xe4" is a-umlaut), so the bytes do
// not depend on the encoding of this file; a literal is split where the next character would
// otherwise extend the escape ("Zur\xfc" "cksetzen": c is a hexadecimal digit).
#include "app/texts.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <vector>

// One row per text: its key, its English, its German. The hint's four lines are separated by
// CR LF, with no line end after the last.
const TextRow text_rows[] = {
    // The main dialog, in the order of main_caption_keys.
    {btn_pulse, "Pulse", "Pulsieren"},
    {btn_snap_hz, "Snap Hz", "Runde Hz"},
    {btn_snap_db, "Snap dB", "Runde dB"},
    {btn_linear_db, "Linear dB", "dB linear"},
    {btn_heights, "Heights", "H\xf6hen"},
    {btn_green, "Green", "Gr\xfcn"},
    {btn_red, "Red", "Rot"},
    {btn_blue, "Blue", "Blau"},
    {btn_delete_curve, "Delete current curve", "Aktuelle Kurve l\xf6schen"},
    {btn_add_set, "Add set", "Datensatz +"},
    {btn_delete_set, "Delete set", "Datensatz -"},
    {btn_reset, "Reset",
     "Zur\xfc"
     "cksetzen"},
    {btn_compare, "Compare", "Vergleich"},
    {usage_hint,
     "Mouse left = Tone\r\n"
     "Mouse right = Tone + curve\r\n"
     "Mouse middle = Delete dot\r\n"
     "Drag = Level",
     "Maus links = Ton\r\n"
     "Maus rechts = Ton + Kurve\r\n"
     "Maus Mitte = Punkt l\xf6schen\r\n"
     "Ziehen = Lautst\xe4rke"},
    {btn_info, "Info and usage", "Info und Nutzung"},
    {text_confirm_delete, "Delete record?", "Datensatz l\xf6schen?"},
    {text_confirm_discard, "Unsaved changes. Proceed?",
     "\xc4nderungen nicht gespeichert. Fortfahren?"},

    // The window menu.
    {menu_hearing_test, "Hearing test...", "H\xf6rtest..."},
    {menu_copy_picture, "Copy picture", "Bild kopieren"},
    {menu_copy_curves, "Copy curves as text", "Kurven als Text kopieren"},
    {menu_copy_equalizer, "Copy curve as equalizer", "Kurve als Equalizer kopieren"},

    // The curves copied as text and as equalizer settings.
    {text_curve_header, "Set\tCurve\tFrequency [Hz]\tAmplitude\tLevel [dB]",
     "Satz\tKurve\tFrequenz [Hz]\tAmplitude\tPegel [dB]"},
    {text_curve_weighted_header, "Level [dB(A)]", "Pegel [dB(A)]"},
    {text_main_set, "Main", "Haupt"},
    {text_compare_set, "Compare", "Vergleich"},
    {text_equalizer_comment,
     "# %s curve of \"%s\"; gains in dB relative to the curve's highest level",
     "# Kurve %s von \"%s\"; Verst\xe4rkung in dB relativ zum h\xf6"
     "chsten Pegel der Kurve"},

    // The hearing test window.
    {text_hearing_caption, "Hearing test", "H\xf6rtest"},
    {hearing_instructions,
     "Wear headphones. First, three tones ask where you hear them: click Left, Both or Right, or "
     "press L, B or R. Then press Space or click \"I hear it\" whenever you hear a tone, however "
     "faint. Set a comfortable volume with the sample tone first. Levels are relative to full "
     "scale, not calibrated: this is no medical test.",
     "Setzen Sie Kopfh\xf6rer auf. Zuerst fragen drei T\xf6ne, wo Sie sie h\xf6ren: Klicken "
     "Sie Links, Beide oder Rechts oder dr\xfc"
     "cken Sie L, B oder R. Dann dr\xfc"
     "cken Sie die Leertaste oder klicken \"Ich h\xf6re den Ton\", sobald Sie einen Ton "
     "h\xf6ren, so leise er auch ist. Stellen Sie zuerst mit dem Probeton eine angenehme "
     "Lautst\xe4rke ein. Die Pegel sind nicht kalibriert: Dies ist kein medizinischer Test."},
    {hearing_both_ears, "Both ears", "Beide Ohren"},
    {hearing_right_ear, "Right ear (red curve)", "Rechtes Ohr (rote Kurve)"},
    {hearing_left_ear, "Left ear (blue curve)", "Linkes Ohr (blaue Kurve)"},
    {hearing_replaces, "Start replaces the curve of each ear tested in the main window.",
     "Start ersetzt die Kurve jedes getesteten Ohrs im Hauptfenster."},
    {hearing_quick, "Quick (about 4 minutes an ear)", "Schnell (etwa 4 Minuten pro Ohr)"},
    {hearing_standard, "Standard (about 7 minutes an ear)", "Standard (etwa 7 Minuten pro Ohr)"},
    {hearing_highs, "Also 10, 12, 14 and 16 kHz", "Auch 10, 12, 14 und 16 kHz"},
    {hearing_sample, "Sample tone", "Probeton"},
    {hearing_start, "Start", "Start"},
    {hearing_pause, "Pause", "Pause"},
    {hearing_stop, "Stop", "Stopp"},
    {hearing_answer, "I hear it", "Ich h\xf6re den Ton"},
    {hearing_check_left, "Left", "Links"},
    {hearing_check_both, "Both", "Beide"},
    {hearing_check_right, "Right", "Rechts"},
    {text_hearing_continue, "Continue", "Weiter"},
    {text_hearing_progress, "%d Hz, %d of %d", "%d Hz, %d von %d"},
    {text_hearing_done, "Done.", "Fertig."},
    {text_hearing_stopped, "Stopped.", "Gestoppt."},
    {text_hearing_no_output, "No sound output could be opened.",
     "Keine Tonausgabe lie\xdf sich \xf6"
     "ffnen."},
    {text_hearing_checking, "Headphone check: tone %d of %d. Where did it play?",
     "Kopfh\xf6rerpr\xfc"
     "fung: Ton %d von %d. Wo erklang er?"},
    {text_hearing_check_failed, "Headphone check failed.",
     "Kopfh\xf6rerpr\xfc"
     "fung nicht bestanden."},
    {text_hearing_check_swapped,
     "The sides are swapped: the headphones may be on the wrong way round. Check them and press "
     "Start again.",
     "Die Seiten sind vertauscht: Der Kopfh\xf6rer sitzt vielleicht falsch herum. Pr\xfc"
     "fen Sie ihn und dr\xfc"
     "cken Sie erneut auf Start."},
    {text_hearing_check_mono,
     "A tone for one ear reached both: the sound may be mono, or a balance setting moves it. "
     "Check the sound settings and press Start again.",
     "Ein Ton f\xfcr ein Ohr war auf beiden zu h\xf6ren: Der Ton ist vielleicht mono, oder die "
     "Balance verschiebt ihn. Pr\xfc"
     "fen Sie die Toneinstellungen und dr\xfc"
     "cken Sie erneut auf Start."},
    {text_hearing_check_mismatch,
     "An answer did not match where the tone played. Press Start to check again.",
     "Eine Antwort passte nicht zu der Seite, auf der der Ton spielte. Dr\xfc"
     "cken Sie erneut auf Start, um noch einmal zu pr\xfc"
     "fen."},
    {text_hearing_check_unheard,
     "No tone of the check was answered: the sound may be off or too quiet. Set the volume with "
     "the sample tone and press Start again.",
     "Kein Ton der Pr\xfc"
     "fung wurde beantwortet: Der Ton ist vielleicht aus oder zu leise. Stellen Sie die "
     "Lautst\xe4rke mit dem Probeton ein und dr\xfc"
     "cken Sie erneut auf Start."},
    {text_hearing_check_silent_ear,
     "%s: no tone of the headphone check was heard there. If that ear hears, check the headphones.",
     "%s: Dort war kein Ton der Kopfh\xf6rerpr\xfc"
     "fung zu h\xf6ren. Wenn dieses Ohr h\xf6rt, pr\xfc"
     "fen Sie den Kopfh\xf6rer."},
    {text_hearing_frequency, "%d Hz", "%d Hz"},
    {text_hearing_retest_frequency, "%d Hz (retest)", "%d Hz (Wiederholung)"},
    {text_hearing_threshold, "%s: %d dBFS", "%s: %d dBFS"},
    {text_hearing_no_response, "%s: no response", "%s: keine Reaktion"},
    {text_hearing_undetermined, "%s: undetermined", "%s: unbestimmt"},
    {text_hearing_retest_difference, "Retest at 1000 Hz: %d dB difference.",
     "Wiederholung bei 1000 Hz: %d dB Unterschied."},
    {text_hearing_false_alarms, "False alarms: %d (%d of %d silent presentations answered).",
     "Fehlalarme: %d (%d von %d stillen Darbietungen beantwortet)."},
    {text_hearing_varied, "The answers at 1000 Hz varied by 10 dB or more: please test again.",
     "Die Antworten bei 1000 Hz schwankten um 10 dB oder mehr: bitte erneut testen."},
    {text_hearing_floor, "You heard the quietest level: lower the volume and test again.",
     "Sie h\xf6rten die leiseste Stufe: Lautst\xe4rke senken und erneut testen."},
    {text_hearing_unreliable, "Unreliable: answers without a tone.",
     "Unzuverl\xe4ssig: Antworten ohne Ton."},
    {text_hearing_contradicting,
     "Unreliable: the answers contradict each other (tones missed well above a tone heard).",
     "Unzuverl\xe4ssig: Die Antworten widersprechen sich (T\xf6ne weit \xfc"
     "ber einem geh\xf6rten nicht geh\xf6rt)."},

    // The audiogram window, its menu entry and its copies.
    {menu_audiogram, "Audiogram...", "Audiogramm..."},
    {text_hearing_audiogram,
     "A reference is loaded: the window menu's \"Audiogram...\" shows these thresholds as hearing "
     "level.",
     "Eine Referenz ist geladen: \"Audiogramm...\" im Fenstermen\xfc zeigt diese Schwellen als "
     "H\xf6rpegel."},
    {text_audiogram_caption, "Audiogram", "Audiogramm"},
    {audiogram_copy_picture, "Copy picture", "Bild kopieren"},
    {audiogram_copy_text, "Copy as text", "Als Text kopieren"},
    {audiogram_copy_equalizer, "Copy as equalizer", "Als Equalizer kopieren"},
    {audiogram_close, "Close",
     "Schlie\xdf"
     "en"},
    {audiogram_known, "&Known audiogram...", "&Bekanntes Audiogramm..."},
    {text_right_ear, "Right ear", "Rechtes Ohr"},
    {text_left_ear, "Left ear", "Linkes Ohr"},
    {text_both_ears, "Both ears (Equalizer APO)", "Beide Ohren (Equalizer APO)"},
    {text_audiogram_average, "%s: average of 500, 1000, 2000 and 4000 Hz: %d dB HL, %s",
     "%s: Mittelwert von 500, 1000, 2000 und 4000 Hz: %d dB HL, %s"},
    {text_audiogram_missing,
     "%s: average of 500, 1000, 2000 and 4000 Hz: no hearing level at %s Hz",
     "%s: Mittelwert von 500, 1000, 2000 und 4000 Hz: kein H\xf6rpegel bei %s Hz"},
    {text_and, " and ", " und "},
    {text_audiogram_difference,
     "The ears' averages differ by %d dB: have this looked at by an audiologist.",
     "Die Mittelwerte der Ohren unterscheiden sich um %d dB: lassen Sie das von einem HNO-Arzt "
     "oder Audiologen pr\xfc"
     "fen."},
    {text_audiogram_reference, "Reference: %s", "Referenz: %s"},
    {text_audiogram_note,
     "Levels in dB HL relative to the reference listener's thresholds, measured with the same "
     "headphones at the same volume. This is no medical test.",
     "Pegel in dB HL relativ zu den H\xf6rschwellen der Referenzperson, gemessen mit denselben "
     "Kopfh\xf6rern bei derselben Lautst\xe4rke. Dies ist kein medizinischer Test."},
    {text_audiogram_how_to,
     "No reference is loaded. To make one, a listener with normal hearing (young, with no known "
     "hearing problem) takes the hearing test with the same headphones at the same volume; then "
     "Add set. Load it with Compare on, and open this window again.",
     "Keine Referenz geladen. F\xfcr eine macht eine Person mit normalem Geh\xf6r (jung, ohne "
     "bekannte H\xf6rprobleme) den H\xf6rtest mit denselben Kopfh\xf6rern bei derselben "
     "Lautst\xe4rke; dann Datensatz +. Laden Sie ihn mit Vergleich und \xf6"
     "ffnen Sie dieses Fenster erneut."},
    {text_audiogram_header, "Frequency [Hz]\tRight ear [dB HL]\tLeft ear [dB HL]\tGreen [dB HL]",
     "Frequenz [Hz]\tRechtes Ohr [dB HL]\tLinkes Ohr [dB HL]\tGr\xfcn [dB HL]"},
    {text_compensation_ear,
     "# %s of \"%s\" against the reference \"%s\", half gain; gains in dB relative to the "
     "highest band",
     "# %s von \"%s\" gegen die Referenz \"%s\", halbe Verst\xe4rkung; Verst\xe4rkung in dB "
     "relativ zum h\xf6"
     "chsten Band"},
    {text_compensation_both,
     "# Both ears of \"%s\" against the reference \"%s\", half gain; gains in dB relative to "
     "the highest band of both",
     "# Beide Ohren von \"%s\" gegen die Referenz \"%s\", halbe Verst\xe4rkung; Verst\xe4rkung "
     "in dB relativ zum h\xf6"
     "chsten Band beider"},
    {text_compensation_limited, "; no band cut by more than 30 dB",
     "; kein Band um mehr als 30 dB abgesenkt"},
    {text_grade_normal, "normal hearing", "normales Geh\xf6r"},
    {text_grade_normal + 1, "mild hearing loss", "leichter H\xf6rverlust"},
    {text_grade_normal + 2, "moderate hearing loss", "m\xe4\xdfiger H\xf6rverlust"},
    {text_grade_normal + 3, "moderately severe hearing loss", "m\xe4\xdfig schwerer H\xf6rverlust"},
    {text_grade_normal + 4, "severe hearing loss", "schwerer H\xf6rverlust"},
    {text_grade_normal + 5, "profound hearing loss", "hochgradiger H\xf6rverlust"},
    {text_grade_normal + 6, "complete hearing loss", "vollst\xe4ndiger H\xf6rverlust"},
    {text_zone_normal, "normal", "normal"},
    {text_zone_normal + 1, "mild", "leicht"},
    {text_zone_normal + 2, "moderate", "m\xe4\xdfig"},
    {text_zone_normal + 3, "moderately severe", "m\xe4\xdfig schwer"},
    {text_zone_normal + 4, "severe", "schwer"},
    {text_zone_normal + 5, "profound", "hochgradig"},
    {text_zone_normal + 6, "complete", "vollst\xe4ndig"},

    // The known audiogram's dialog.
    {text_known_caption, "Known audiogram", "Bekanntes Audiogramm"},
    {known_instructions,
     "Type the levels of an audiogram from a clinic in dB HL, from -10 to 120, or paste its "
     "table; leave a field empty where nothing was measured. Copy as equalizer needs nothing "
     "else. For Make reference, the main set holds your own thresholds from the hearing test with "
     "these headphones: red for the right ear, blue for the left.",
     "Geben Sie die Pegel eines Audiogramms aus einer Klinik in dB HL ein, von -10 bis 120, oder "
     "f\xfcgen Sie seine Tabelle ein; lassen Sie ein Feld leer, wo nichts gemessen wurde. Als "
     "Equalizer kopieren braucht nichts weiter. F\xfcr Referenz erstellen h\xe4lt der Hauptsatz "
     "Ihre eigenen Schwellen aus dem H\xf6rtest mit diesen Kopfh\xf6rern: rot f\xfcr das rechte "
     "Ohr, blau f\xfcr das linke."},
    {known_title_label, "Title of the reference:", "Titel der Referenz:"},
    {known_paste, "&Paste", "&Einf\xfcgen"},
    {known_make_reference, "&Make reference", "&Referenz erstellen"},
    {text_known_title_start, "Reference ", "Referenz "},
    {text_known_compensation_ear,
     "# %s of the known audiogram \"%s\", half gain; gains in dB relative to the highest band",
     "# %s des bekannten Audiogramms \"%s\", halbe Verst\xe4rkung; Verst\xe4rkung in dB relativ "
     "zum h\xf6"
     "chsten Band"},
    {text_known_compensation_both,
     "# Both ears of the known audiogram \"%s\", half gain; gains in dB relative to the highest "
     "band of both",
     "# Beide Ohren des bekannten Audiogramms \"%s\", halbe Verst\xe4rkung; Verst\xe4rkung in dB "
     "relativ zum h\xf6"
     "chsten Band beider"},
    {text_known_not_a_level,
     "%d Hz, %s: not a level. A field takes a whole number of dB HL from -10 to 120, or nothing "
     "where no level was measured.",
     "%d Hz, %s: kein Pegel. Ein Feld nimmt eine ganze Zahl von dB HL von -10 bis 120 auf, oder "
     "nichts, wo kein Pegel gemessen wurde."},
    {text_known_nothing, "No level is typed: there is nothing to use.",
     "Kein Pegel eingegeben: Es gibt nichts zu verwenden."},
    {text_known_ear_empty, "The ear chosen has no level typed; for both ears, each needs one.",
     "F\xfcr das gew\xe4hlte Ohr ist kein Pegel eingegeben; f\xfcr beide Ohren braucht jedes "
     "einen."},
    {text_known_copied, "Copied as equalizer settings.", "Als Equalizer-Einstellungen kopiert."},
    {text_known_no_title, "Type a title for the reference.",
     "Geben Sie einen Titel f\xfcr die Referenz ein."},
    {text_known_unusable,
     "No frequency can be used: the main set has no threshold of the ear at a typed frequency, "
     "or no level can be stored there. Nothing was saved.",
     "Keine Frequenz ist verwendbar: Der Hauptsatz hat bei keiner eingegebenen Frequenz eine "
     "Schwelle des Ohrs, oder dort l\xe4sst sich kein Pegel speichern. Nichts wurde gespeichert."},
    {text_known_not_saved, "The reference could not be saved: the database file cannot be written.",
     "Die Referenz konnte nicht gespeichert werden: Die Datenbankdatei l\xe4sst sich nicht "
     "schreiben."},
    {text_known_saved, "Saved as \"%s\" and loaded as the reference, with Compare on.",
     "Als \"%s\" gespeichert und mit Vergleich als Referenz geladen."},
    {text_known_held, "%s: %d frequencies in the reference", "%s: %d Frequenzen in der Referenz"},
    {text_known_left_out, "; left out: ", "; ausgelassen: "},
    {text_known_no_threshold, "no threshold at %s Hz", "keine Schwelle bei %s Hz"},
    {text_known_too_quiet, "below the quietest level that can be stored at %s Hz",
     "unter dem leisesten speicherbaren Pegel bei %s Hz"},
    {text_known_too_loud, "above the loudest level that can be stored at %s Hz",
     "\xfc"
     "ber dem lautesten speicherbaren Pegel bei %s Hz"},
    {text_known_no_text, "The clipboard holds no text: the grid stays as it was.",
     "Die Zwischenablage enth\xe4lt keinen Text: Die Tabelle bleibt, wie sie war."},
    {text_known_no_rows,
     "The clipboard's text has no line of a frequency of the grid: the grid stays as it was.",
     "Der Text der Zwischenablage hat keine Zeile einer Frequenz der Tabelle: Die Tabelle bleibt, "
     "wie sie war."},
    {text_known_pasted, "Pasted: %d rows.", "Eingef\xfcgt: %d Zeilen."},
    {text_known_not_taken, " Not taken: %s Hz.",
     " Nicht \xfc"
     "bernommen: %s Hz."},

    // What the audiogram window shows.
    {text_show_hearing_level, "Hearing level", "H\xf6rpegel"},
    {text_show_change, "Change since an earlier test",
     "Ver\xe4nderung seit einem fr\xfc"
     "heren Test"},

    // Hearing level beside people of the same age and sex.
    {audiogram_age_label, "Age", "Alter"},
    {audiogram_age_range, "whole years from %d to %d", "ganze Jahre von %d bis %d"},
    {audiogram_sex_label, "Sex", "Geschlecht"},
    {text_sex_not_given, "Not given", "Keine Angabe"},
    {text_sex_female, "Female", "Weiblich"},
    {text_sex_male, "Male", "M\xe4nnlich"},
    {text_group_people, "people of %d", "Menschen von %d Jahren"},
    {text_group_women, "women of %d", "Frauen von %d Jahren"},
    {text_group_men, "men of %d", "M\xe4nnern von %d Jahren"},
    {text_age_within, "%s: within the range of 8 in 10 %s at every frequency tested.",
     "%s: im Bereich von 8 von 10 %s bei jeder getesteten Frequenz."},
    {text_age_poorer, "poorer than 9 in 10 %s at %s Hz", "schlechter als 9 von 10 %s bei %s Hz"},
    {text_age_better, "better than 9 in 10 %s at %s Hz", "besser als 9 von 10 %s bei %s Hz"},
    {text_age_less_certain, "Above %d the standard is less certain from %d Hz up.",
     "\xdc"
     "ber %d ist die Norm ab %d Hz weniger sicher."},
    {text_age_header,
     "10th percentile of %s [dB HL]\tMedian of %s [dB HL]\t90th percentile of %s [dB HL]",
     "10. Perzentil von %s [dB HL]\tMedian von %s [dB HL]\t90. Perzentil von %s [dB HL]"},
    {text_age_percentile_header, "%s: percentile among %s", "%s: Perzentil unter %s"},

    // The change since an earlier test.
    {text_change_unit, "Change [dB]", "Ver\xe4nderung [dB]"},
    {text_zone_repeatability, "repeatability", "Wiederholgenauigkeit"},
    {text_change_average, "%s: average change at %s Hz: %+d dB",
     "%s: mittlere Ver\xe4nderung bei %s Hz: %+d dB"},
    {text_change_missing, "%s: average change at %s Hz: no value at %s Hz",
     "%s: mittlere Ver\xe4nderung bei %s Hz: kein Wert bei %s Hz"},
    {text_change_significant, ": a significant threshold shift",
     ": eine signifikante Verschiebung der H\xf6rschwelle"},
    {text_change_criteria, " Changed %s.", " Ver\xe4nderung %s."},
    {text_change_by_one, "by %d dB or more at: %s Hz", "um %d dB oder mehr bei: %s Hz"},
    {text_change_by_adjacent, "by %d dB or more at two adjacent frequencies: %s Hz",
     "um %d dB oder mehr bei zwei benachbarten Frequenzen: %s Hz"},
    {text_change_none, "%s: no change beyond the test's repeatability.",
     "%s: keine Ver\xe4nderung \xfc"
     "ber die Wiederholgenauigkeit des Tests hinaus."},
    {text_change_advice,
     "Have this looked at by an audiologist soon. A sudden loss of hearing in one ear is urgent: "
     "see a doctor the same day.",
     "Lassen Sie das bald von einem HNO-Arzt oder Audiologen pr\xfc"
     "fen. Ein pl\xf6tzlicher H\xf6rverlust auf einem Ohr ist ein Notfall: gehen Sie noch am "
     "selben Tag zum Arzt."},
    {text_change_improved,
     "Better by %d dB or more at some frequency: that usually means practice with the test, or a "
     "different volume or headphones.",
     "Um %d dB oder mehr besser bei einer Frequenz: das bedeutet meist \xdc"
     "bung mit dem Test oder eine andere Lautst\xe4rke oder andere Kopfh\xf6rer."},
    {text_change_no_common,
     "No change to show: this test and the earlier one have no frequency in common within each "
     "other's range.",
     "Keine Ver\xe4nderung zu zeigen: dieser Test und der fr\xfc"
     "here haben keine Frequenz gemeinsam, die im Bereich des anderen liegt."},
    {text_change_earlier, "Earlier test: %s",
     "Fr\xfc"
     "herer Test: %s"},
    {text_change_note,
     "Changes in dB against the earlier test: they hold only with the same headphones at the same "
     "volume. This is no medical test.",
     "Ver\xe4nderungen in dB gegen\xfc"
     "ber dem fr\xfc"
     "heren Test: Sie gelten nur mit denselben Kopfh\xf6rern bei derselben Lautst\xe4rke. Dies "
     "ist kein medizinischer Test."},
    {text_change_how_to,
     "No earlier test is loaded. To see the change since one, switch on Compare and select the "
     "earlier test, switch Compare off and select or take the new test; then open this window "
     "again.",
     "Kein fr\xfc"
     "herer Test geladen. F\xfcr die Ver\xe4nderung seitdem schalten Sie Vergleich ein und "
     "w\xe4hlen den fr\xfc"
     "heren Test, schalten Vergleich aus und w\xe4hlen oder machen den neuen Test; dann "
     "\xf6"
     "ffnen Sie dieses Fenster erneut."},
    {text_change_header,
     "Frequency [Hz]\tRight ear change [dB]\tLeft ear change [dB]\tGreen change [dB]",
     "Frequenz [Hz]\tRechtes Ohr Ver\xe4nderung [dB]\tLinkes Ohr Ver\xe4nderung [dB]\tGr\xfcn "
     "Ver\xe4nderung [dB]"},
};

const int text_row_count = sizeof text_rows / sizeof text_rows[0];

const char* text(int key, int language) {
    for (const TextRow& row : text_rows) {
        if (row.key == key) {
            return language == 1 ? row.german : row.english;
        }
    }
    return "";
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
