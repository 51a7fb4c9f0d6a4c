"""The audiogram as a person reaches it: a reference set and their own set in the database file,
their own loaded into the main set and the reference through Compare, the window opened from the
window menu by keyboard. The averages line and the copied text must hold the hearing levels that
follow from the file's amplitudes, worked out here; with an age and sex typed, the norms that
follow from the program's table of coefficients; then against an earlier test of their own whose
4000 Hz lay 20 dB better, the change."""
import math
import os
import re

import resource_ids as ids
from harness import LAPTOP, ROOT, ProgramTest

REFERENCE = (b"Normal listener\r\n1;8000,103;4000,32;2000,18;1000,32;500,58;250,103;\r\n"
             b"2;4000,32;2000,18;1000,18;500,58;\r\n\r\n")
OWN = (b"Me\r\n1;8000,1036;4000,1036;3000,582;2000,327;1000,184;500,184;250,327;125,582;\r\n"
       b"2;8000,3276;4000,18426;2000,5827;1000,327;500,327;\r\n\r\n")
EARLIER = OWN.replace(b"Me", b"Earlier").replace(b"4000,1036", b"4000,104").replace(
    b"4000,18426", b"4000,1843")
EARS = ((1, "Right ear"), (2, "Left ear"))
HEADER = "Frequency [Hz]\tRight ear [dB HL]\tLeft ear [dB HL]\tGreen [dB HL]"
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


def norms(age, sex):
    """{frequency: (10th percentile, median, 90th percentile, upper and lower spread)} by the
    formulas of ISO 7029 from the program's own table (sex 1 women, 2 men)."""
    with open(os.path.join(ROOT, "hearing", "age_norms.cpp")) as f:
        table = f.read().split("norm_rows[norm_frequency_count] = ")[1].split("};")[0]
    numbers = [float(n) for n in re.findall(r"-?[\d.]+(?:e-?\d+)?", table)]
    result, u = {}, age - 18
    for row in range(0, len(numbers), 29):
        a, b, *spreads = numbers[row + 1 + (sex - 1) * 14:row + 1 + sex * 14]
        median = a * u ** b
        upper, lower = (sum(c * u ** k for k, c in enumerate(spreads[i:i + 6])) for i in (0, 6))
        result[int(numbers[row])] = (median - 1.2816 * lower, median, median + 1.2816 * upper,
                                     upper, lower)
    return result


def percentile(norm, level):
    z = (level - norm[1]) / (norm[3] if level >= norm[1] else norm[4])
    return min(99, max(1, int(50 * math.erfc(-z / math.sqrt(2)) + 0.5)))


def table(own, levels, cells=lambda f: ""):
    """The copied table's lines: each frequency of the own set with the ears' values, the green
    column empty, then the cells that follow."""
    return "".join("%d\t%s\t%s\t%s\r\n" % (f, levels[1].get(f, ""), levels[2].get(f, ""), cells(f))
                   for f in sorted({f for c in own for f, _ in own[c]}))


def listed(frequencies):
    names = [str(f) for f in frequencies]
    return ", ".join(names[:-1]) + " and " + names[-1] if len(names) > 1 else names[0]


class AudiogramCase:
    database = REFERENCE + OWN + EARLIER
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
        copied = []
        if self.english:
            self.assertEqual(lines, items[ids.audiogram_lines]["text"])
            copied = self.copy_text_and_equalizers(items, own, levels, lines)
        else:
            self.assertIn("%d dB HL" % averages[2], items[ids.audiogram_lines]["text"])
        copied += self.compare_with_age(items, own, levels, lines)
        p.key("Escape")
        p.wait_for_window(lambda w: w.test is None, "the window to close")
        copied += self.change_since_earlier_test(own)
        p.key("Escape")
        p.wait_for_window(lambda w: w.test is None, "the window to close")
        if self.english:
            with open(os.path.join(os.environ.get("SONABRILL_ARTIFACTS", "build/e2e-artifacts"),
                                   "audiogram_copies.txt"), "w") as f:
                f.write("\n".join(copied))
        self.assertEqual(self.database, open(p.database, "rb").read())
        self.assertEqual(0, p.close())  # nothing unsaved: no question

    def copy_text(self, items, text):
        p = self.program
        p.click(items[ids.audiogram_copy_text]["x"] + 5, items[ids.audiogram_copy_text]["y"] + 5)
        p.wait_for(lambda: p.clipboard().get("unicode") == text, what="the copied text")
        return text

    def choose(self, items, control, *keys):
        self.program.click(items[control]["x"] + 5, items[control]["y"] + 5)
        self.program.key(*keys)

    def copy_text_and_equalizers(self, items, own, levels, lines):
        p = self.program
        copied = [self.copy_text(items, HEADER + "\r\n" + table(own, levels) + lines +
                                 "Reference: Normal listener\r\n")]
        for choice, ears, comment in ((0, (2, 1), "Both ears of"), (1, (1,), "Right ear of"),
                                      (2, (2,), "Left ear of")):
            expected = ('# %s "Me" against the reference "Normal listener", half gain; gains in '
                        'dB relative to the highest band%s\r\n' % (comment, " of both" * (
                            len(ears) > 1))) + equalizer(levels, ears)
            if choice:
                self.choose(items, ids.audiogram_ear_choice, "Down", "Return")
            button = items[ids.audiogram_copy_equalizer]
            p.click(button["x"] + 5, button["y"] + 5)
            copied.append(p.wait_for(lambda: p.clipboard().get("unicode") == expected and expected,
                                     what="the copied equalizer of ears %s" % (ears,)))
        return copied

    def compare_with_age(self, items, own, levels, lines):
        """An age out of range is marked; men of 75 then give their percentiles in five columns of
        the copied text, and a line for each ear."""
        p = self.program
        self.choose(items, ids.audiogram_age_field, "End", "shift+Home")
        p.type_text("17")
        p.wait_for_window(lambda w: "18" in w.test_items[ids.audiogram_age_range]["text"],
                          "the age's accepted range")
        p.key("BackSpace", "BackSpace")
        p.type_text("75")
        self.choose(items, ids.audiogram_sex_choice, "Down", "Down", "Return")
        norm = norms(75, 2)
        for c, ear in EARS:
            tested = [f for f in sorted(levels[c]) if f in norm]
            poorer = [f for f in tested if levels[c][f] > norm[f][2]]
            better = [f for f in tested if levels[c][f] < norm[f][0]]
            parts = ["%s than 9 in 10 men of 75 at %s Hz" % (word, listed(found))
                     for word, found in (("poorer", poorer), ("better", better)) if found]
            lines += "%s: %s.\r\n" % (ear, "; ".join(parts) or "within the range of 8 in 10 "
                                        "men of 75 at every frequency tested")
        lines += "Above 70 the standard is less certain from 3000 Hz up.\r\n"
        w = self.program.wait_for_window(lambda w: "75" in w.test_items[ids.audiogram_lines][
            "text"] and not w.test_items[ids.audiogram_age_range]["text"], "the age's lines")
        p.screenshot(self.shot + "_age", w.test)
        if not self.english:
            return []
        self.assertEqual(lines, w.test_items[ids.audiogram_lines]["text"])
        header = "".join("\t%s of men of 75 [dB HL]" % name for name in (
            "10th percentile", "Median", "90th percentile")) + "".join(
            "\t%s: percentile among men of 75" % ear for _, ear in EARS)

        def cells(f):
            return "".join(["\t" + ("%.1f" % v).replace("-0.0", "0.0") for v in norm[f][:3]] + [
                "\t%s" % (percentile(norm[f], levels[c][f]) if f in levels[c] else "")
                for c, _ in EARS]) if f in norm else "\t" * 5
        return [self.copy_text(items, HEADER + header + "\r\n" + table(own, levels, cells) +
                               lines + "Reference: Normal listener\r\n")]

    def change_since_earlier_test(self, own):
        """The earlier test as compare set: 4000 Hz 20 dB better in both ears, the right with 3000
        Hz and the left without. The equalizer copy is greyed."""
        p = self.program
        p.click_control(ids.btn_compare)
        p.pick_entry(ids.title_combo, "Earlier")
        p.click_control(ids.btn_compare)
        w = self.open_audiogram("_change_before")
        self.choose(w.test_items, ids.audiogram_mode_choice, "Down", "Return")
        w = p.wait_for_window(lambda w: w.test_items[ids.audiogram_copy_equalizer]["style"]
                              & 0x08000000, "the change")  # WS_DISABLED
        p.screenshot(self.shot + "_change", w.test)
        items = w.test_items
        if not self.english:
            self.assertIn("+7 dB", items[ids.audiogram_lines]["text"])
            return []
        changes = {c: hearing_levels(own, curves(EARLIER), c) for c, _ in EARS}
        self.assertEqual({c: {f: 20 * (f == 4000) for f in changes[c]} for c in changes}, changes)
        lines = ("Right ear: average change at 2000, 3000 and 4000 Hz: +7 dB. Changed by 20 dB or "
                 "more at: 4000 Hz.\r\nLeft ear: average change at 2000, 3000 and 4000 Hz: no "
                 "value at 3000 Hz. Changed by 20 dB or more at: 4000 Hz.\r\nHave this looked at "
                 "by an audiologist soon. A sudden loss of hearing in one ear is urgent: see a "
                 "doctor the same day.\r\n")
        self.assertEqual((lines, "Earlier test: Earlier"), (items[ids.audiogram_lines]["text"],
                                                           items[ids.audiogram_reference]["text"]))
        return [self.copy_text(items, "Frequency [Hz]\tRight ear change [dB]\tLeft ear change "
                               "[dB]\tGreen change [dB]\r\n" + table(own, changes) + lines +
                               "Earlier test: Earlier\r\n")]


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
