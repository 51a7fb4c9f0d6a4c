"""The hearing test as a listener takes it: the window from the window menu, Start, and Space
whenever a pulse that the program really plays in the right ear rises above the listener's own
thresholds, read from the played PCM as it arrives; stopped after 2000 Hz. The red curve then
holds both thresholds, the left ear heard nothing, and every pulse starts and ends at zero."""
import array
import math
import os
import time

import pcm
import resource_ids as ids
from harness import ProgramTest, wait_for

HEARD_FROM = {1000: -47.0, 2000: -33.0, 3000: 0.0}  # the listener's thresholds, off the grid
REACTION = 13230  # frames (0.3 s of sound) from a pulse's first frame to the press
# Silent frames that end a pulse: fewer than between two pulses (9923), more than Wine may insert
# into one when the program is slow to refill a block.
GAP = 4000


class Listener:
    """Reads the right channel as the program plays it and answers a presentation once."""

    def __init__(self, program):
        self.program, self.offset, self.frame, self.zeros, self.left_peak = program, 0, 0, 0, 0
        self.pulse = self.press_at = None  # start frame and samples of the pulse that sounds
        self.quiet_until = 0  # the rest of a presentation already answered
        self.pulses, self.heard = [], set()  # first and last sample, frequency of every pulse

    def listen(self):
        if not os.path.exists(self.program.played):
            return
        with open(self.program.played, "rb") as f:
            f.seek(self.offset)
            data = f.read()
        data = data[: len(data) // 4 * 4]
        self.offset += len(data)
        samples = array.array("h")
        samples.frombytes(data)
        self.left_peak = max([self.left_peak] + [abs(s) for s in samples[0::2]])
        for right in samples[1::2]:
            self.frame += 1
            self.zeros = self.zeros + 1 if right == 0 else 0
            if right and self.pulse is None:
                self.pulse = (self.frame, [])
            if self.pulse is not None:
                self.pulse[1].append(right)
                if self.zeros >= GAP:
                    self.end_pulse()
        if self.press_at is not None and self.frame >= self.press_at:
            self.press_at = None
            self.program.key("space")

    def end_pulse(self):
        start, samples = self.pulse
        samples = samples[: len(samples) - GAP]
        self.pulse = None
        self.pulses.append((samples[0], samples[-1]))
        level = 20 * math.log10(pcm.peak(samples) / 32768)
        frequency = min(HEARD_FROM, key=lambda f: abs(f - pcm.frequency(samples)))
        self.heard.add(frequency)
        heard = abs(pcm.frequency(samples) - frequency) < 100 and level >= HEARD_FROM[frequency]
        if heard and start >= self.quiet_until:
            self.press_at = start + REACTION
            self.quiet_until = start + 60000  # past the presentation's last pulse


def centre(item):
    return item["x"] + item["width"] // 2, item["y"] + item["height"] // 2


class HearingCase:
    shot = None

    def test_listener_gets_the_red_curve_from_what_is_played(self):
        p = self.program
        p.choose_menu_entry(ids.menu_hearing_test)
        w = p.wait_for_window(lambda w: w.test is not None, "the hearing test window")
        p.screenshot(self.shot + "_before", w.test)
        p.click(*centre(w.test_items[ids.hearing_start]))
        listener = Listener(p)
        deadline = time.monotonic() + 120
        # Only the sound is read meanwhile: the window reader keeps the program from its blocks.
        while 3000 not in listener.heard:
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

        self.assertEqual(0, listener.left_peak, "the left ear heard something")
        self.assertGreater(len(listener.pulses), 20)
        for first, last in listener.pulses[:-1]:  # closing the window cuts the last one short
            self.assertLessEqual(max(abs(first), abs(last)), 2, "a pulse jumps at its edge")
        p.add_set("Hearing")
        records = wait_for(lambda: os.path.exists(p.database) and open(p.database, "rb").read(),
                           what="the saved record")
        curve = records.split(b"\r\n")[1].decode()
        self.assertRegex(curve, r"^1;2000,\d+;1000,\d+;$")
        for point in curve.split(";")[1:3]:
            frequency, amplitude = map(int, point.split(","))
            level = 20 * math.log10(amplitude / 32768)
            self.assertLessEqual(abs(level - HEARD_FROM[frequency]), 5, point)
        self.assertEqual(0, p.close())


class English(HearingCase, ProgramTest):
    locale = "en_US.UTF-8"
    shot = "hearing_english"
