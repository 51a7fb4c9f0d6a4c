"""The language follows the user's locale at start; the help window opens in that language."""
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


class LanguageCase:
    captions = None
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
        self.assertEqual(0, self.program.close())


class German(LanguageCase, ProgramTest):
    locale = "de_DE.UTF-8"
    captions = GERMAN
    selected = 1
    shot = "help_german"
    # Day, month, year and hours, minutes without seconds, each followed by a blank.
    date_title = re.compile(r"^\d{1,2}\.\d{1,2}\.\d{4} \d{1,2}:\d{2} $")


class SwissGerman(German):
    locale = "de_CH.UTF-8"
    shot = "help_swiss_german"


class English(LanguageCase, ProgramTest):
    locale = "en_US.UTF-8"
    captions = ENGLISH
    selected = 0
    shot = "help_english"
    date_title = re.compile(r"^\d{1,2}/\d{1,2}/\d{4} \d{1,2}:\d{2} [AP]M $")
