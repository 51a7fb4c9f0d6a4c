"""The audiogram as a person reaches it: a reference set and their own set in the database file,
their own loaded into the main set and the reference through Compare, the window opened from the
window menu by keyboard. The averages line and the copied text must hold the hearing levels that
follow from the file's amplitudes, worked out here."""
import math
import os

import resource_ids as ids
from harness import LAPTOP, ProgramTest

REFERENCE = (b"Normal listener\r\n1;8000,103;4000,32;2000,18;1000,32;500,58;250,103;\r\n"
             b"2;4000,32;2000,18;1000,18;500,58;\r\n\r\n")
OWN = (b"Me\r\n1;8000,1036;4000,1036;3000,582;2000,327;1000,184;500,184;250,327;125,582;\r\n"
       b"2;8000,3276;4000,18426;2000,5827;1000,327;500,327;\r\n\r\n")
EARS = ((1, "Right ear"), (2, "Left ear"))
GRADES = ("normal hearing", "mild hearing loss", "moderate hearing loss",
          "moderately severe hearing loss", "severe hearing loss", "profound hearing loss",
          "complete hearing loss")


def curves(record):
    """The curves of a record as {index: [(frequency, amplitude), ...]} in stored order."""
    lines = record.decode().split("\r\n")[1:-2]
    return {int(l[0]): [tuple(map(int, p.split(","))) for p in l[2:-1].split(";")] for l in lines}


def whole(value):
    return int(value + (0.5 if value > 0 else -0.5))


def hearing_levels(own, reference, curve):
    """{frequency: whole dB HL} of the first point of each frequency, against the reference's
    curve of the same colour, linear in log frequency between its points, nothing outside."""
    points = sorted(dict(reversed(reference[curve])).items())
    levels = {}
    for f, amplitude in reversed(own.get(curve, [])):
        level = 20 * math.log10(amplitude / 32768)
        for (f0, a0), (f1, a1) in zip(points, points[1:]):
            if f0 <= f <= f1:
                share = math.log(f / f0) / math.log(f1 / f0)
                r0, r1 = (20 * math.log10(a / 32768) for a in (a0, a1))
                levels[f] = whole(level - (r0 + share * (r1 - r0)))
    return levels


def equalizer(levels, ears):
    """The half-gain equalizer's lines below its comment, for ears (2, 1) or one ear: half of each
    level above 0 dB HL, less the highest of the ears copied, cut at 30 dB."""
    gains = {c: {f: max(level, 0) / 2 for f, level in sorted(levels[c].items())} for c in ears}
    highest = max(g for c in ears for g in gains[c].values())
    eq = {c: "GraphicEQ:%s\r\n" % "".join(" %d %.1f;" % (f, max(g - highest, -30) + 0)
                                          for f, g in gains[c].items()) for c in ears}
    lines = "Channel: L\r\n%sChannel: R\r\n%s" % (eq[2], eq[1]) if len(ears) > 1 else eq[ears[0]]
    return lines.replace("-0.0", "0.0")


class AudiogramCase:
    database = REFERENCE + OWN
    shot = None

    def open_audiogram(self, shot):
        p = self.program
        p.choose_menu_entry(ids.menu_audiogram)
        w = p.wait_for_window(lambda w: w.test is not None, "the audiogram window")
        p.screenshot(self.shot + shot, w.test)
        return w

    def test_levels_averages_and_copied_text_follow_from_the_file(self):
        p = self.program
        w = self.open_audiogram("_no_reference")
        self.assertIn(self.how_to, w.test_items[ids.audiogram_lines]["text"])
        p.key("Escape")
        p.wait_for_window(lambda w: w.test is None, "the window to close")

        p.click_control(ids.btn_compare)
        p.pick_entry(ids.title_combo, "Normal listener")
        p.click_control(ids.btn_compare)  # off again: the own set goes into the main set
        p.pick_entry(ids.title_combo, "Me")
        own, reference = curves(OWN), curves(REFERENCE)
        levels = {c: hearing_levels(own, reference, c) for c, _ in EARS}
        averages = {c: whole(sum(levels[c][f] for f in (500, 1000, 2000, 4000)) / 4)
                    for c, _ in EARS}
        lines = "".join("%s: average of 500, 1000, 2000 and 4000 Hz: %d dB HL, %s\r\n" % (
            ear, averages[c], GRADES[sum(averages[c] >= g for g in (20, 35, 50, 65, 80, 95))])
            for c, ear in EARS)
        difference = abs(averages[1] - averages[2])
        self.assertGreaterEqual(difference, 15)
        lines += ("The ears' averages differ by %d dB: have this looked at by an audiologist.\r\n"
                  % difference)

        w = self.open_audiogram("_reference")
        items = w.test_items
        self.assertEqual("Reference: Normal listener" if self.english else "Referenz: Normal "
                         "listener", items[ids.audiogram_reference]["text"])
        if not self.english:
            self.assertIn("%d dB HL" % averages[2], items[ids.audiogram_lines]["text"])
            return
        self.assertEqual(lines, items[ids.audiogram_lines]["text"])
        frequencies = sorted({f for c in own for f, _ in own[c]})
        table = "".join("%d\t%s\t%s\t\r\n" % (f, levels[1].get(f, ""), levels[2].get(f, ""))
                        for f in frequencies)
        text = ("Frequency [Hz]\tRight ear [dB HL]\tLeft ear [dB HL]\tGreen [dB HL]\r\n" + table
                + lines + "Reference: Normal listener\r\n")
        p.click(items[ids.audiogram_copy_text]["x"] + 5, items[ids.audiogram_copy_text]["y"] + 5)
        p.wait_for(lambda: p.clipboard().get("unicode") == text, what="the copied text")
        copied = [text]
        for choice, ears, comment in ((0, (2, 1), "Both ears of"), (1, (1,), "Right ear of"),
                                      (2, (2,), "Left ear of")):
            expected = ('# %s "Me" against the reference "Normal listener", half gain; gains in '
                        'dB relative to the highest band%s\r\n' % (comment, " of both" * (
                            len(ears) > 1))) + equalizer(levels, ears)
            if choice:
                p.click(items[ids.audiogram_ear_choice]["x"] + 5,
                        items[ids.audiogram_ear_choice]["y"] + 5)
                p.key("Down", "Return")
            button = items[ids.audiogram_copy_equalizer]
            p.click(button["x"] + 5, button["y"] + 5)
            copied.append(p.wait_for(lambda: p.clipboard().get("unicode") == expected and expected,
                                     what="the copied equalizer of ears %s" % (ears,)))
        with open(os.path.join(os.environ.get("SONABRILL_ARTIFACTS", "build/e2e-artifacts"),
                               "audiogram_copies.txt"), "w") as f:
            f.write("\n".join(copied))
        p.key("Escape")
        p.wait_for_window(lambda w: w.test is None, "the window to close")
        self.assertEqual(REFERENCE + OWN, open(p.database, "rb").read())
        self.assertEqual(0, p.close())  # nothing unsaved: no question


class English(AudiogramCase, ProgramTest):
    locale, english, shot = "en_US.UTF-8", True, "audiogram_english"
    how_to = "takes the hearing test with the same headphones at the same volume"


class German(AudiogramCase, ProgramTest):
    locale, english, shot = "de_DE.UTF-8", False, "audiogram_german"
    how_to = "den H\u00f6rtest mit denselben Kopfh\u00f6rern"


class EnglishAt144Dpi(English):
    target, shot = LAPTOP, "audiogram_english_144dpi"


class GermanAt144Dpi(German):
    target, shot = LAPTOP, "audiogram_german_144dpi"
