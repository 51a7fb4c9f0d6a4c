"""The hearing test as a listener takes it: the window from the window menu, "Both ears" (the
default), Start; the headphone check answered with the keys L, B and R from the channels that the
program really plays, then Space whenever a pulse rises above the thresholds of the ear whose
channel plays it, read from the played PCM as it arrives; stopped after 2000 Hz. The red and the
blue curve then hold each ear's thresholds within 5 dB, each test pulse played in one ear only, and
every pulse starts and ends at zero. A second run answers the check with the sides swapped: the
window says so in the program's language, no tone of the test plays and no curve changes."""
import array
import math
import os
import time

import pcm
import resource_ids as ids
from harness import LAPTOP, ProgramTest, wait_for

# The listener's thresholds by ear (the channel mask) and frequency, off the grid; the ears differ.
HEARD_FROM = {2: {1000: -47.0, 2000: -33.0, 3000: 0.0},
              1: {1000: -36.0, 2000: -52.0, 3000: 0.0}}
REACTION = 13230  # frames (0.3 s of sound) from a pulse's first frame to the press
# Silent frames that end a pulse: fewer than between two pulses (9923), more than Wine may insert
# into one when the program is slow to refill a block.
GAP = 4000
CHECK_KEYS = {1: "l", 2: "r", 3: "b"}
SWAPPED = {1: 2, 2: 1, 3: 3}
MESSAGES = {
    "en_US.UTF-8": "The sides are swapped: the headphones may be on the wrong way round. Check "
                   "them and press Start again.",
    "de_DE.UTF-8": "Die Seiten sind vertauscht: Der Kopfh\u00f6rer sitzt vielleicht falsch "
                   "herum. Pr\u00fcfen Sie ihn und dr\u00fccken Sie erneut auf Start."}


class Listener:
    """Reads both channels as the program plays them. It answers the check's three tones with the
    channels that sound (mapped by answers), each once however often it plays; then each
    presentation of the test once, when its ear hears it."""

    def __init__(self, program, answers=None):
        # It hears from now on: what the file holds already played before.
        played = os.path.getsize(program.played) if os.path.exists(program.played) else 0
        self.program, self.offset, self.frame, self.zeros = program, played // 4 * 4, 0, 0
        self.answers = answers or {1: 1, 2: 2, 3: 3}
        self.pulse = self.press = None  # a pulse that sounds; the key to press and when
        self.quiet_until = 0  # the rest of a presentation already answered
        self.checked = []  # the channels of the check's tones answered
        self.check_end = None  # the index of the first pulse after the check's last tone
        self.pulses = []  # first and last sample, frequency, channels and level of every pulse

    def listen(self):
        if not os.path.exists(self.program.played):
            return
        with open(self.program.played, "rb") as f:
            # ALSA's file device empties the file when a new stream opens it.
            if os.fstat(f.fileno()).st_size < self.offset:
                self.offset = 0
            f.seek(self.offset)
            data = f.read()
        data = data[: len(data) // 4 * 4]
        self.offset += len(data)
        samples = array.array("h")
        samples.frombytes(data)
        for left, right in zip(samples[0::2], samples[1::2]):
            self.frame += 1
            self.zeros = self.zeros + 1 if left == 0 and right == 0 else 0
            if (left or right) and self.pulse is None:
                self.pulse = (self.frame, [], [])
            if self.pulse is not None:
                self.pulse[1].append(left)
                self.pulse[2].append(right)
                if self.zeros >= GAP:
                    self.end_pulse()
        if self.press is not None and self.frame >= self.press[1]:
            key, self.press = self.press[0], None
            self.program.key(key)

    def end_pulse(self):
        start, left, right = self.pulse
        self.pulse = None
        left, right = left[: len(left) - GAP], right[: len(right) - GAP]
        mask = (1 if pcm.peak(left) else 0) | (2 if pcm.peak(right) else 0)
        sound = right if mask & 2 else left
        level = 20 * math.log10(pcm.peak(sound) / 32768)
        hertz = pcm.frequency(sound)
        frequency = min(HEARD_FROM[2], key=lambda f: abs(f - hertz))
        self.pulses.append((sound[0], sound[-1], frequency, mask, level))
        if start < self.quiet_until:
            return
        if len(self.checked) < 3:
            # A check tone played again has the channels of the one answered last.
            if mask not in self.checked:
                self.checked.append(mask)
                self.check_end = len(self.pulses) + 2
                self.press = (CHECK_KEYS[self.answers[mask]], start + REACTION)
                self.quiet_until = start + 60000  # past the presentation's last pulse
            return
        ear = HEARD_FROM.get(mask, {})
        if abs(hertz - frequency) < 100 and level >= ear.get(frequency, 0.0):
            self.press = ("space", start + REACTION)
            self.quiet_until = start + 60000

    def test_pulses(self):
        """The pulses after the check's last tone."""
        return self.pulses[self.check_end:] if len(self.checked) == 3 else []


def visible(item):
    return item["style"] & 0x10000000 != 0  # WS_VISIBLE


def centre(item):
    return item["x"] + item["width"] // 2, item["y"] + item["height"] // 2


def saved_curves(program, title):
    """The curve lines of the record saved under title."""
    program.add_set(title)
    text = wait_for(lambda: os.path.exists(program.database) and title.encode() in open(
        program.database, "rb").read() and open(program.database, "rb").read(), what="the record")
    return text.split(title.encode() + b"\r\n")[1].split(b"\r\n\r\n")[0].decode().split("\r\n")


class HearingCase:
    shot = None

    def open_window(self, shot):
        p = self.program
        p.choose_menu_entry(ids.menu_hearing_test)
        w = p.wait_for_window(lambda w: w.test is not None, "the hearing test window")
        self.assertEqual(1, w.test_items[ids.hearing_both_ears]["check"], "both ears first")
        p.screenshot(self.shot + shot, w.test)
        return w

    def test_swapped_sides_play_no_tone_of_the_test(self, shot="_check"):
        """Start; the check answered with the sides swapped: the message in the program's
        language, and no tone after the check's."""
        p = self.program
        w = self.open_window("_before")
        listener = Listener(p, SWAPPED)
        p.click(*centre(w.test_items[ids.hearing_start]))
        deadline = time.monotonic() + 60
        while len(listener.checked) < 3 or listener.press is not None:
            listener.listen()
            if len(listener.checked) == 1 and shot:
                checking = p.inspect().test_items
                self.assertFalse(visible(checking[ids.hearing_answer]), "I hear it")
                p.screenshot(self.shot + shot, p.inspect().test)
                shot = None
            self.assertLess(time.monotonic(), deadline, "the check did not end")
            time.sleep(0.01)
        message = MESSAGES[self.locale]
        done = p.wait_for_window(lambda w: message in w.test_items[ids.hearing_summary]["text"],
                                 "the swapped message")
        p.screenshot(self.shot + "_swapped", done.test)
        p.key("Escape")
        p.wait_for_window(lambda w: w.test is None, "the window to close")
        listener.listen()
        self.assertEqual([], listener.test_pulses(), "a tone of the test played")


class English(HearingCase, ProgramTest):
    locale = "en_US.UTF-8"
    shot = "hearing_english"

    def test_listener_gets_both_curves_from_what_is_played(self):
        p = self.program
        w = self.open_window("_both_ears")
        listener = Listener(p)
        p.click(*centre(w.test_items[ids.hearing_start]))
        deadline = time.monotonic() + 180
        # Only the sound is read meanwhile: the window reader keeps the program from its blocks.
        while not any(pulse[2] == 3000 for pulse in listener.test_pulses()):
            listener.listen()
            self.assertLess(time.monotonic(), deadline, "2000 Hz did not end")
            time.sleep(0.01)
        p.screenshot(self.shot + "_during", p.inspect().test)
        p.click(*centre(w.test_items[ids.hearing_stop]))
        summary = p.wait_for_window(lambda w: w.test_items[ids.hearing_summary]["text"],
                                    "the summary")
        p.screenshot(self.shot + "_summary", summary.test)
        p.key("Escape")
        p.wait_for_window(lambda w: w.test is None, "the window to close")
        listener.listen()

        self.assertEqual([2, 1, 3], sorted(listener.checked, key=[2, 1, 3].index))
        self.assertGreater(len(listener.test_pulses()), 20)
        self.assertEqual({1, 2}, {pulse[3] for pulse in listener.test_pulses()},
                         "a test pulse in both ears, or only one ear tested")
        for first, last, *_ in listener.pulses[:-1]:  # closing the window cuts the last one short
            self.assertLessEqual(max(abs(first), abs(last)), 2, "a pulse jumps at its edge")
        curves = saved_curves(p, "Hearing")
        self.assertEqual(2, len(curves), curves)
        thresholds = {}
        for curve in curves:
            self.assertRegex(curve, r"^[12];2000,\d+;1000,\d+;$")
            ear = 2 if curve[0] == "1" else 1  # red: the right ear, blue: the left
            for point in curve.split(";")[1:3]:
                frequency, amplitude = map(int, point.split(","))
                level = 20 * math.log10(amplitude / 32768)
                thresholds[(ear, frequency)] = round(level, 1)
                self.assertLessEqual(abs(level - HEARD_FROM[ear][frequency]), 5, point)
        print("\n  thresholds found (ear 2 right, 1 left; frequency): %s" % thresholds)

        # A second run, the check answered with the sides swapped.
        self.test_swapped_sides_play_no_tone_of_the_test(shot=None)
        self.assertEqual(curves, saved_curves(p, "Swapped"))
        self.assertEqual(0, p.close())


class GermanAt144Dpi(HearingCase, ProgramTest):
    locale = "de_DE.UTF-8"
    target = LAPTOP
    shot = "hearing_german_144dpi"
