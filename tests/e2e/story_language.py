"""The language follows the user's locale at start; the help window opens in that language; the
curves copied from the window menu speak it too, with the locale's decimal separator, and a curve
copied as equalizer settings names itself in it."""
import re

import resource_ids as ids
from harness import ProgramTest

# The captions by control: German, English, and those that stay in every language.
CAPTIONS = {
    ids.btn_pulse: ("Pulsieren", "Pulse"),
    ids.btn_snap_hz: ("Runde Hz", "Snap Hz"),
    ids.btn_snap_db: ("Runde dB", "Snap dB"),
    ids.btn_linear_db: ("dB linear", "Linear dB"),
    ids.btn_heights: ("H\u00f6hen", "Heights"),
    ids.btn_green: ("Gr\u00fcn", "Green"),
    ids.btn_red: ("Rot", "Red"),
    ids.btn_blue: ("Blau", "Blue"),
    ids.btn_delete_curve: ("Aktuelle Kurve l\u00f6schen", "Delete current curve"),
    ids.btn_add_set: ("Datensatz +", "Add set"),
    ids.btn_delete_set: ("Datensatz -", "Delete set"),
    ids.btn_reset: ("Zur\u00fccksetzen", "Reset"),
    ids.btn_compare: ("Vergleich", "Compare"),
    ids.btn_info: ("Info und Nutzung", "Info and usage"),
    ids.usage_hint: ("Maus links = Ton\r\nMaus rechts = Ton + Kurve\r\n"
                     "Maus Mitte = Punkt l\u00f6schen\r\nZiehen = Lautst\u00e4rke",
                     "Mouse left = Tone\r\nMouse right = Tone + curve\r\n"
                     "Mouse middle = Delete dot\r\nDrag = Level"),
}
GERMAN = {control: german for control, (german, _) in CAPTIONS.items()}
ENGLISH = {control: english for control, (_, english) in CAPTIONS.items()}
FIXED = {ids.btn_left: "L", ids.btn_both: "M", ids.btn_right: "R", ids.btn_a_weighting: "dB(A)"}
# The default options show as pressed: M, dB(A), both snaps, linear dB, green.
PRESSED = sorted([ids.btn_both, ids.btn_a_weighting, ids.btn_snap_hz, ids.btn_snap_db,
                  ids.btn_linear_db, ids.btn_green])
# A green curve at -20.5 and -20.0 dB and a silent blue point, whose levels stay empty cells.
EAR = b"Ear\r\n0;1000,3093;100,3277;\r\n2;500,0;\r\n\r\n"
COPIED_GERMAN = ("Satz\tKurve\tFrequenz [Hz]\tAmplitude\tPegel [dB]\tPegel [dB(A)]\r\n"
                 "Haupt\tGr\u00fcn\t1000\t3093\t-20,5\t-20,5\r\n"
                 "Haupt\tGr\u00fcn\t100\t3277\t-20,0\t-39,1\r\n"
                 "Haupt\tBlau\t500\t0\t\t\r\n")
COPIED_ENGLISH = ("Set\tCurve\tFrequency [Hz]\tAmplitude\tLevel [dB]\tLevel [dB(A)]\r\n"
                  "Main\tGreen\t1000\t3093\t-20.5\t-20.5\r\n"
                  "Main\tGreen\t100\t3277\t-20.0\t-39.1\r\n"
                  "Main\tBlue\t500\t0\t\t\r\n")


class LanguageCase:
    database = EAR
    title = "Ear"  # of the record the copies are made from
    captions = None
    copied = None  # the curves as the window menu copies them
    equalizer = None  # the green curve as the window menu copies it for an equalizer
    selected = None
    shot = None
    date_title = None  # the title field's date and time in the locale's short formats

    def test_captions_follow_the_locale_and_help_opens_in_it(self):
        w = self.program.inspect()
        for control_id, caption in {**self.captions, **FIXED}.items():
            self.assertEqual(caption, w.controls[control_id]["text"], "control %d" % control_id)
        self.assertEqual(self.selected, w.combos[ids.language_combo]["selected"])
        self.assertRegex(w.controls[ids.title_combo]["text"], self.date_title)
        checked = sorted(i for i, c in w.controls.items() if c["check"] == 1)
        self.assertEqual(PRESSED, checked)

        self.program.click_control(ids.btn_info)
        opened = self.program.wait_for_window(lambda n: hasattr(n, "info"), "the help window")
        width = opened.client["width"]
        self.assertEqual(opened.client["x"] + width * 2 // 3, opened.info["x"])
        self.assertEqual(width // 3, opened.info["width"])
        self.assertEqual(width * 2 // 3, opened.graph["width"])
        self.program.screenshot(self.shot)

        self.program.click_control(ids.btn_info)
        closed = self.program.wait_for_window(lambda n: not hasattr(n, "info"),
                                              "the help window to close")
        self.assertEqual(closed.client["width"], closed.graph["width"])

        # The copies from the window menu, chosen by keyboard.
        self.program.pick_entry(ids.title_combo, self.title)
        copies = [(ids.menu_copy_curves, self.copied)] + (
            [(ids.menu_copy_equalizer, self.equalizer)] if self.equalizer else [])
        for entry, text in copies:
            self.program.choose_menu_entry(entry, self.shot + "_window_menu")
            def copied():
                clipboard = self.program.clipboard()
                return clipboard if clipboard.get("unicode") == text else None
            clipboard = self.program.wait_for(copied, what="the copied text")
            self.assertEqual(text, clipboard["ansi"])
        self.assertEqual(0, self.program.close())


class German(LanguageCase, ProgramTest):
    locale = "de_DE.UTF-8"
    captions = GERMAN
    copied = COPIED_GERMAN
    # A title in the program's code page comes through whole, but for its ":".
    title = "Linkes Ohr: m\u00fcde"
    database = EAR.replace(b"Ear", title.encode("cp1252"))
    equalizer = ("# Kurve Gr\u00fcn von \"Linkes Ohr  m\u00fcde\"; Verst\u00e4rkung in dB relativ "
                 "zum h\u00f6chsten Pegel der Kurve\r\nGraphicEQ: 100 0.0; 1000 -0.5;\r\n")
    selected = 1
    shot = "help_german"
    # Day, month, year and hours, minutes without seconds, each followed by a blank.
    date_title = re.compile(r"^\d{1,2}\.\d{1,2}\.\d{4} \d{1,2}:\d{2} $")


class SwissGerman(German):
    locale = "de_CH.UTF-8"
    shot = "help_swiss_german"
    copied = COPIED_GERMAN.replace(",", ".")  # the Swiss write a decimal point


class English(LanguageCase, ProgramTest):
    locale = "en_US.UTF-8"
    captions = ENGLISH
    copied = COPIED_ENGLISH
    # -20.00 dB at 100 Hz is the highest level; 1000 Hz lies 0.50 dB below it.
    equalizer = ("# Green curve of \"Ear\"; gains in dB relative to the curve's highest level\r\n"
                 "GraphicEQ: 100 0.0; 1000 -0.5;\r\n")
    selected = 0
    shot = "help_english"
    date_title = re.compile(r"^\d{1,2}/\d{1,2}/\d{4} \d{1,2}:\d{2} [AP]M $")
