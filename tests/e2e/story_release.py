"""The release exe itself, 32-bit x86 through Wine's 32-bit loader, used as a person would: its
captions, a right-button tone whose played PCM is the native synthesis frame for frame, the point
it records drawn where the scales put it, the record that "Add set" writes, the help window with
its text, and the question on closing with an unsaved point."""
import os
import subprocess

import field
import pcm
import resource_ids as ids
from harness import RELEASE, ROOT, Field, ProgramTest
from story_language import ENGLISH, FIXED, PRESSED

DARK_GREEN = (0, 80, 0)
TONE_PCM = os.path.join(ROOT, "build", "native", "tone_pcm")


def help_warning():
    """The loud-tone warning of the English help text, as the help window shows it."""
    with open(os.path.join(ROOT, "resources", "info_english.rtf")) as f:
        line = next(line for line in f if line.startswith("WARNING:"))
    return line.replace("\\par", "").strip()


class Release(ProgramTest):
    target = RELEASE
    locale = "en_US.UTF-8"

    def test_tone_point_record_help_and_close(self):
        p = self.program
        w = p.inspect()
        self.assertEqual("Sonabrill Audiogram", w.dialog["text"])
        for control_id, caption in {**ENGLISH, **FIXED}.items():
            self.assertEqual(caption, w.controls[control_id]["text"], "control %d" % control_id)
        self.assertEqual(PRESSED, sorted(i for i, c in w.controls.items() if c["check"] == 1))

        # Hold the right button at 1000 Hz, -30 dB(A) for a second of tone, then release.
        f = Field(w)
        x, y = field.column_for(1000, f.width), field.row_for(-30.0, f.height)
        p.move(*f.pointer(x, y))
        p.xdotool("mousedown", 3)
        # Silence that Wine writes where the program falls behind does not count.
        p.wait_for(lambda: os.path.exists(p.played) and sum(
            frame != (0, 0) for frame in pcm.read_frames(p.played)) >= pcm.RATE,
            what="a second of tone")
        p.xdotool("mouseup", 3)
        sizes = []
        p.wait_for(lambda: sizes.append(os.path.getsize(p.played)) or sizes[-4:] == [sizes[-1]] * 4,
                   what="the tone to stop")

        captured = pcm.read_frames(p.played)
        client_y = y + f.band + ids.band_gap
        native = subprocess.run([TONE_PCM, str(f.width), str(f.height), str(f.band), str(x),
                                 str(client_y), str(len(captured))], capture_output=True,
                                check=True, timeout=60)
        synthesized = pcm.frames(native.stdout)
        matched, mismatch = pcm.match(captured, synthesized)
        print("\n  %d frames captured, %d of them the native synthesis (%s)"
              % (len(captured), matched, native.stderr.decode().strip()), end=" ")
        self.assertIsNone(mismatch)
        self.assertGreaterEqual(matched, pcm.RATE, "a second of tone compared")
        self.assertTrue(any(left and right for left, right in synthesized[:matched]),
                        "both channels sound")

        point = (1000, field.truncate(field.played_amplitude(y, f.height, 1000)))
        p.wait_for(lambda: p.shows_point(DARK_GREEN, *point), what="the recorded point")

        p.add_set("Release")
        expected = b"Release\r\n0;%d,%d;\r\n\r\n" % point
        p.wait_for(lambda: os.path.exists(p.database) and open(p.database, "rb").read() == expected,
                   what="the saved record")

        p.click_control(ids.btn_info)
        opened = p.wait_for_window(lambda n: hasattr(n, "info"), "the help window")
        self.assertIn(help_warning(), opened.info["text"])

        unsaved = p.record_point(500, -40.0)
        p.wait_for(lambda: p.shows_point(DARK_GREEN, *unsaved), what="the unsaved point")
        p.screenshot("release")
        p.click(*p.close_button())
        self.assertEqual("Unsaved changes. Proceed?", p.answer_question("OK"))
        self.assertEqual(0, p.wait_exit())
        self.assertEqual(expected, open(p.database, "rb").read())
