"""Playing the frequency field with the real mouse: the tone heard while a button is held (its
frequency, channels and level measured in the captured PCM), the point recorded by the right
button, removed by the middle button, and the question on closing with unsaved edits."""
import os

import field
import pcm
import resource_ids as ids
from field import truncate
from harness import Field, ProgramTest, wait_for

DARK_GREEN = (0, 80, 0)


class Mouse(ProgramTest):
    def wait_for_sound(self, seconds):
        size = int(seconds * pcm.RATE) * 4
        wait_for(lambda: os.path.exists(self.program.played)
                 and os.path.getsize(self.program.played) >= size, timeout=30,
                 what="%.1f s of sound" % seconds)

    def wait_for_silence(self):
        """Waits until the captured file stops growing: the tone has stopped."""
        sizes = []

        def settled():
            sizes.append(os.path.getsize(self.program.played))
            return len(sizes) >= 4 and sizes[-1] == sizes[-4]
        wait_for(settled, timeout=30, interval=0.2, what="the tone to stop")

    def test_right_drag_plays_the_column_records_a_point_and_middle_click_removes_it(self):
        p = self.program
        f = Field(p.inspect())
        column = field.column_for(1000, f.width)
        row_loud = field.row_for(-20.0, f.height)
        row_quiet = field.row_for(-30.0, f.height)
        loud = field.played_amplitude(row_loud, f.height, 1000)
        quiet = field.played_amplitude(row_quiet, f.height, 1000)

        # Hover, press the right button, hold, drag up to a quieter row, hold, release.
        p.move(*f.pointer(column, row_loud))
        p.xdotool("mousedown", 3)
        self.wait_for_sound(0.8)
        p.move(*f.pointer(column + 40, row_quiet))  # the frequency stays that of the press
        first_part = os.path.getsize(p.played) // 4
        # The sound runs about 4 times faster than real time here, and the new level follows the
        # four blocks already queued: 2 s of sound leave the last 0.6 s wholly quiet.
        self.wait_for_sound(first_part / pcm.RATE + 2.0)
        p.xdotool("mouseup", 3)
        self.wait_for_silence()

        frames = pcm.sounding(pcm.read_frames(p.played))
        self.assertGreater(len(frames), pcm.RATE, "at least a second of tone")
        self.assertTrue(all(left == right for left, right in frames), "both channels alike")
        left = [s for s, _ in frames]
        start = left[: int(0.6 * pcm.RATE)]
        end = left[-int(0.6 * pcm.RATE):]
        print("\n  measured: %.3f Hz then %.3f Hz, peaks %d then %d (expected %d then %d)"
              % (pcm.frequency(start), pcm.frequency(end), pcm.peak(start), pcm.peak(end),
                 truncate(loud), truncate(quiet)), end=" ")
        self.assertAlmostEqual(1000.0, pcm.frequency(start), delta=0.5)
        self.assertAlmostEqual(1000.0, pcm.frequency(end), delta=0.5)
        # Peaks: the sine's top, truncated to whole samples.
        self.assertLessEqual(abs(pcm.peak(start) - truncate(loud)), 1)
        self.assertLessEqual(abs(pcm.peak(end) - truncate(quiet)), 1)

        # The point: 1000 Hz at the level of the last row, drawn where the scales put it.
        x, y = f.drawn(1000, truncate(quiet))
        wait_for(lambda: p.colour_near(x, y + 1, DARK_GREEN, 1), what="the recorded point")
        p.screenshot("mouse_point_recorded")

        # A left-button tone on the left channel only records nothing.
        p.click_control(ids.btn_left)
        p.move(*f.pointer(field.column_for(500, f.width), row_loud))
        p.xdotool("mousedown", 1)
        self.wait_for_sound(0.5)
        p.xdotool("mouseup", 1)
        self.wait_for_silence()
        frames = pcm.sounding(pcm.read_frames(p.played))
        self.assertTrue(all(right == 0 for _, right in frames), "right channel silent")
        self.assertAlmostEqual(500.0, pcm.frequency([s for s, _ in frames]), delta=0.5)
        self.assertTrue(p.colour_near(x, y + 1, DARK_GREEN, 1), "the point is still there")

        # Middle click on the point removes it: the program looks 2 columns left.
        p.move(*f.pointer(x - f.picture_x + 2, y - f.picture_y))
        p.xdotool("click", 2)
        wait_for(lambda: not p.colour_near(x, y + 1, DARK_GREEN, 2), what="the point to go")

        # Edits are unsaved: closing asks, Cancel keeps the window, OK ends the program.
        p.click(*p.close_button())
        self.assertEqual("Unsaved changes. Proceed?", p.answer_question("Cancel"))
        self.assertTrue(p.running())
        p.inspect()
        p.click(*p.close_button())
        self.assertEqual("Unsaved changes. Proceed?", p.answer_question("OK"))
        self.assertEqual(0, p.wait_exit())
