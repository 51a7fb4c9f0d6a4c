"""The language follows the user's locale at start; the help window opens in that language; the
curves copied from the window menu speak it too, with the locale's decimal separator."""
import re

from harness import ProgramTest, wait_for

GERMAN = {204: "Pulsieren", 211: "Runde Hz", 212: "Runde dB", 213: "dB linear",
          214: "H\u00f6hen", 221: "Gr\u00fcn", 222: "Rot", 223: "Blau",
          225: "Aktuelle Kurve l\u00f6schen", 226: "Datensatz +", 227: "Datensatz -",
          228: "Zur\u00fccksetzen", 224: "Vergleich", 229: "Info und Nutzung",
          252: "Maus links = Ton\r\nMaus rechts = Ton + Kurve\r\n"
               "Maus Mitte = Punkt l\u00f6schen\r\nZiehen = Lautst\u00e4rke"}
ENGLISH = {204: "Pulse", 211: "Snap Hz", 212: "Snap dB", 213: "Linear dB", 214: "Heights",
           221: "Green", 222: "Red", 223: "Blue", 225: "Delete current curve",
           226: "Add set", 227: "Delete set", 228: "Reset", 224: "Compare",
           229: "Info and usage",
           252: "Mouse left = Tone\r\nMouse right = Tone + curve\r\n"
                "Mouse middle = Delete dot\r\nDrag = Level"}
FIXED = {201: "L", 202: "M", 203: "R", 205: "dB(A)"}
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
    captions = None
    copied = None  # the curves as the window menu copies them
    selected = None
    shot = None
    date_title = None  # the title field's date and time in the locale's short formats

    def test_captions_follow_the_locale_and_help_opens_in_it(self):
        w = self.program.inspect()
        for control_id, caption in {**self.captions, **FIXED}.items():
            self.assertEqual(caption, w.controls[control_id]["text"], "control %d" % control_id)
        self.assertEqual(self.selected, w.combos[302]["selected"])
        self.assertRegex(w.controls[301]["text"], self.date_title)
        # The default options show as pressed: M, dB(A), both snaps, linear dB, green.
        checked = sorted(i for i, c in w.controls.items() if c["check"] == 1)
        self.assertEqual([202, 205, 211, 212, 213, 221], checked)

        self.program.click_control(229)
        opened = wait_for(lambda: (lambda n: n if hasattr(n, "info") else None)(
            self.program.inspect()), what="the help window")
        width = opened.client[2]
        self.assertEqual(opened.client[0] + width * 2 // 3, opened.info["x"])
        self.assertEqual(width // 3, opened.info["width"])
        self.assertEqual(width * 2 // 3, opened.graph["width"])
        self.program.screenshot(self.shot)

        self.program.click_control(229)
        closed = wait_for(lambda: (lambda n: n if not hasattr(n, "info") else None)(
            self.program.inspect()), what="the help window to close")
        self.assertEqual(closed.client[2], closed.graph["width"])

        # The window menu by keyboard: Alt+Space opens it, Up reaches its last entry.
        self.program.pick_entry(301, "Ear")
        self.program.key("alt+space")
        wait_for(lambda: hasattr(self.program.inspect(), "menu"), what="the window menu")
        self.program.key("Up")
        self.program.screenshot(self.shot + "_window_menu")
        self.program.key("Return")
        copied = wait_for(lambda: (lambda c: c if c.get("unicode") == self.copied else None)(
            self.program.clipboard()), what="the copied curves")
        self.assertEqual(self.copied, copied["ansi"])
        self.assertEqual(0, self.program.close())


class German(LanguageCase, ProgramTest):
    locale = "de_DE.UTF-8"
    captions = GERMAN
    copied = COPIED_GERMAN
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
    selected = 0
    shot = "help_english"
    date_title = re.compile(r"^\d{1,2}/\d{1,2}/\d{4} \d{1,2}:\d{2} [AP]M $")
