"""A clinic audiogram typed in by a person who tests alone, with one bad field first; the reference
made from it and their own test, read back from the file and through the audiogram's copied text;
that text pasted into the dialog opened anew, and the dialog's equalizer."""
import math
import os

import resource_ids as ids
from harness import LAPTOP, ProgramTest
from story_audiogram import curves, equalizer, hearing_levels

# The person's thresholds in dBFS, stored as the hearing test stores them, and their clinic's
# audiogram in dB HL: the right ear without a threshold at 750 Hz, and at 8000 Hz a reference level
# of -95 dBFS that no amplitude holds; the left ear's 4000 Hz typed "12.5" first.
THRESHOLDS = {1: {8000: -25, 4000: -30, 2000: -45, 1000: -50, 500: -45, 250: -40},
              2: {8000: -40, 4000: -45, 2000: -40, 1000: -50, 500: -50, 250: -45}}
TYPED = {1: {250: 10, 500: 5, 750: 10, 1000: 5, 2000: 10, 4000: 35, 8000: 70},
         2: {250: 5, 500: 0, 1000: -5, 2000: 15, 4000: 20, 8000: 25}}
GRID = (125, 250, 500, 750, 1000, 1500, 2000, 3000, 4000, 6000, 8000)


def amplitude(level):
    return int(32768 * 10 ** (level / 20) + 0.5)


def level(stored):
    return 20 * math.log10(stored / 32768)


def curve_line(curve, points):
    return "%d;%s;\r\n" % (curve, ";".join("%d,%d" % p for p in sorted(points.items())[::-1]))


OWN = ("Me\r\n" + "".join(curve_line(c, {f: amplitude(t) for f, t in THRESHOLDS[c].items()})
                          for c in (1, 2)) + "\r\n").encode()
# The reference level is the threshold's stored level less the typed one.
REFERENCE = {c: {f: amplitude(level(amplitude(THRESHOLDS[c][f])) - TYPED[c][f])
                 for f in TYPED[c] if f in THRESHOLDS[c]} for c in (1, 2)}
REFERENCE[1].pop(8000)


class KnownAudiogramCase:
    database = OWN

    def modal(self, what, condition=lambda m: True):
        return self.program.wait_for_window(lambda w: w.modal and condition(w.modal_items), what)

    def press(self, items, control_id):
        self.program.click(items[control_id]["x"] + 5, items[control_id]["y"] + 5)

    def press_by_key(self, items, control_id):
        """Presses a button by the letter its caption marks with "&", as a person would."""
        caption = items[control_id]["text"]
        self.program.key("alt+" + caption[caption.index("&") + 1].lower())

    def open_known(self, audiogram):
        self.press_by_key(audiogram.test_items, ids.audiogram_known)
        return self.modal("the known audiogram")

    def test_reference_from_typed_levels_and_the_equalizer(self):
        p = self.program
        p.pick_entry(ids.title_combo, "Me")
        p.choose_menu_entry(ids.menu_audiogram)
        audiogram = p.wait_for_window(lambda w: w.test is not None, "the audiogram window")
        w = self.open_known(audiogram)
        title = w.modal_items[ids.known_title]["text"]
        self.assertTrue(title.startswith(self.title_start), title)
        typed = [str(TYPED[c].get(f, "")) for c in (1, 2) for f in GRID]
        typed[len(GRID) + GRID.index(4000)] = "12.5"
        p.type_text("\t".join(typed))
        self.press_by_key(w.modal_items, ids.known_make_reference)
        w = self.modal("the bad field named", lambda m: self.bad in m[ids.known_message]["text"])
        self.assertEqual(ids.known_left_field + GRID.index(4000), w.focus["id"])
        p.screenshot(self.shot + "_bad_field", w.modal)
        p.type_text("20")

        # A folder in the database file's place: no file there can be written.
        os.rename(p.database, p.database + ".kept")
        os.mkdir(p.database)
        self.press_by_key(w.modal_items, ids.known_make_reference)
        w = self.modal("the failed save", lambda m: self.not_saved in m[ids.known_message]["text"])
        self.assertEqual(0, w.controls[ids.btn_compare]["check"])
        os.rmdir(p.database)
        os.rename(p.database + ".kept", p.database)
        self.press_by_key(w.modal_items, ids.known_make_reference)
        record = ("%s\r\n%s%s\r\n" % (title, curve_line(1, REFERENCE[1]),
                                      curve_line(2, REFERENCE[2]))).encode()
        p.wait_for(lambda: open(p.database, "rb").read() == OWN + record, what="the record")
        w = self.modal("the reference's line", lambda m: title in m[ids.known_message]["text"])
        if self.held:
            self.assertIn(self.held, w.modal_items[ids.known_message]["text"])
        p.screenshot(self.shot + "_filled", w.modal)
        self.assertEqual("Me", w.controls[ids.title_combo]["text"])
        self.assertEqual(1, w.controls[ids.btn_compare]["check"])

        # The audiogram against the new reference gives back the typed levels: exactly where the
        # reference lies at -60 dBFS or above, within 1 dB below.
        p.key("Escape")
        w = p.wait_for_window(lambda w: w.modal is None, "the dialog to close")
        self.press(w.test_items, ids.audiogram_copy_text)
        own, reference = curves(OWN), curves(record)
        levels = {c: hearing_levels(own, reference, c) for c in (1, 2)}
        rows = "".join("%d\t%s\t%s\t\r\n" % (f, levels[1].get(f, ""), levels[2].get(f, ""))
                       for f in sorted(THRESHOLDS[2]))
        text = p.wait_for(lambda: rows in p.clipboard().get("unicode", "") and p.clipboard()[
            "unicode"], what="the audiogram's copied text")
        self.assertIn(": " + title + "\r\n", text)
        for c in (1, 2):
            for f, stored in REFERENCE[c].items():
                self.assertLessEqual(abs(levels[c][f] - TYPED[c][f]), level(stored) < -60, (c, f))

        # Opened anew it shows what was typed; Paste takes the copied text's levels instead, and
        # the equalizer is copied from those.
        w = self.open_known(w)
        self.assertEqual("20", w.modal_items[ids.known_left_field + GRID.index(4000)]["text"])
        self.press_by_key(w.modal_items, ids.known_paste)
        w = self.modal("the pasted levels", lambda m: m[ids.known_right_field + GRID.index(
            750)]["text"] == "" and m[ids.known_left_field + GRID.index(8000)]["text"] == "25")
        self.press(w.modal_items, ids.known_copy_equalizer)
        copied = p.wait_for(lambda: p.clipboard().get("unicode", "").endswith(
            equalizer(levels, (2, 1))) and p.clipboard()["unicode"], what="the equalizer")
        self.assertIn('"%s"' % title.replace(":", " "), copied.split("\r\n")[0])
        with open(os.path.join(os.environ.get("SONABRILL_ARTIFACTS", "build/e2e-artifacts"),
                               self.shot + "_copies.txt"), "w") as f:
            f.write("\n".join([record.decode(), text, copied]))
        p.key("Escape")
        p.wait_for_window(lambda w: w.modal is None, "the dialog to close")
        p.key("Escape")
        p.wait_for_window(lambda w: w.test is None, "the audiogram window to close")
        self.assertEqual(0, p.close())  # the main set is as it was loaded: no question


class English(KnownAudiogramCase, ProgramTest):
    locale, shot, title_start = "en_US.UTF-8", "known_audiogram_english", "Reference "
    bad = "4000 Hz, Left ear: not a level"
    not_saved = "could not be saved"
    held = ("Right ear: 5 frequencies in the reference; left out: no threshold at 750 Hz, below "
            "the quietest level that can be stored at 8000 Hz.\r\nLeft ear: 6 frequencies in the "
            "reference.\r\n")


class German(KnownAudiogramCase, ProgramTest):
    locale, shot, title_start = "de_DE.UTF-8", "known_audiogram_german", "Referenz "
    bad = "4000 Hz, Linkes Ohr: kein Pegel"
    not_saved = "konnte nicht gespeichert werden"
    held = None


class EnglishAt144Dpi(English):
    target, shot = LAPTOP, "known_audiogram_english_144dpi"


class GermanAt144Dpi(German):
    target, shot = LAPTOP, "known_audiogram_german_144dpi"
