"""The main window as a person meets it: opening, its controls, keys that must not close it,
resizing, and closing with the caption's button; on a laptop's screen at 150 % it starts wholly
on the screen; at 125 % to 200 % every label of the graph and every control lies inside it."""
import os

import resource_ids as ids
from harness import LAPTOP, SCALED_120, SCALED_192, ProgramTest

TEMPLATE_IDS = [ids.btn_left, ids.btn_both, ids.btn_right, ids.btn_pulse, ids.btn_a_weighting,
                ids.band_probe, ids.btn_snap_hz, ids.btn_snap_db, ids.btn_linear_db,
                ids.btn_heights, ids.btn_green, ids.btn_red, ids.btn_blue, ids.btn_delete_curve,
                ids.title_combo, ids.btn_add_set, ids.btn_delete_set, ids.btn_compare,
                ids.btn_reset, ids.btn_info, ids.language_combo, ids.usage_hint]


class MainWindow(ProgramTest):
    def test_opens_with_its_controls_and_closes_with_exit_code_0(self):
        w = self.program.inspect()
        self.assertEqual("Sonabrill Audiogram", w.dialog["text"])
        self.assertEqual(sorted(TEMPLATE_IDS), sorted(w.controls))
        for fixed_id, caption in ((ids.btn_left, "L"), (ids.btn_both, "M"), (ids.btn_right, "R"),
                                  (ids.btn_a_weighting, "dB(A)")):
            self.assertEqual(caption, w.controls[fixed_id]["text"])
        # Only the band probe is hidden.
        hidden = [i for i, c in w.controls.items() if not c["style"] & 0x10000000]
        self.assertEqual([ids.band_probe], hidden)
        self.assertEqual(["English", "Deutsch"], w.combos[ids.language_combo]["entries"])
        # The graph fills the client area below the control band and its gap.
        probe = w.controls[ids.band_probe]
        band = probe["y"] + probe["height"] - w.client["y"]
        self.assertEqual(w.client["y"] + band + ids.band_gap, w.graph["y"])
        self.assertEqual(w.client["x"], w.graph["x"])
        self.assertEqual(w.client["width"], w.graph["width"])
        self.assertEqual(w.client["y"] + w.client["height"], w.graph["y"] + w.graph["height"])
        # The template fits this screen, so the client area has its 800 x 400 dialog units, in
        # the base units of the controls: the hint starts at 638 units, the probe is 40 high.
        base_x = round((w.controls[ids.usage_hint]["x"] - w.client["x"]) * 4 / 638)
        self.assertEqual(((800 * base_x + 2) // 4, probe["height"] * 10),
                         (w.client["width"], w.client["height"]))
        self.program.screenshot("main_window")
        self.assertEqual(0, self.program.close())

    def test_escape_and_enter_do_not_close(self):
        # Click the language list closed again, so that the keyboard goes to the dialog.
        self.program.click_control(ids.language_combo)
        self.program.key("Escape")
        self.program.wait_for_window(lambda w: w.focus["inside"],
                                     "the keyboard focus in the dialog")
        for key in ("Escape", "Return", "Escape"):
            self.program.key(key)
        # The keys were handled once the dialog answers again; it must still be there.
        self.program.inspect()
        self.assertTrue(self.program.running())
        self.assertEqual(0, self.program.close())

    def test_graph_follows_a_resize(self):
        w = self.program.inspect()
        d = w.dialog
        # Drag the window's bottom-right corner 300 pixels left and 150 up, as a person would.
        corner = (d["x"] + d["width"] - 2, d["y"] + d["height"] - 2)
        self.program.move(*corner)
        self.program.xdotool("mousedown", 1)
        self.program.move(corner[0] - 150, corner[1] - 75)
        self.program.move(corner[0] - 300, corner[1] - 150)
        self.program.xdotool("mouseup", 1)
        resized = self.program.wait_for_window(lambda n: n.dialog["width"] == d["width"] - 300,
                                               "the resize")
        self.assertEqual(d["height"] - 150, resized.dialog["height"])
        self.assertEqual(resized.client["width"], resized.graph["width"])
        self.assertEqual(resized.client["y"] + resized.client["height"],
                         resized.graph["y"] + resized.graph["height"])
        self.assertEqual(w.graph["y"], resized.graph["y"])
        self.program.screenshot("main_window_resized")
        self.assertEqual(0, self.program.close())
        self.assertFalse(os.path.exists(self.program.database))


def assert_whole(test, w):
    """Every visible control lies inside the client area, and no label of the graph touches its
    bottom or right edge (label text is the only black on the graph); the level labels at the
    right, between the rows of frequency labels, are as whole as those at the left."""
    c, g, black = w.client, w.graph_client, (0, 0, 0)
    outside = [i for i, control in w.controls.items() if control["style"] & 0x10000000 and not
               c["x"] <= control["x"] < control["x"] + control["width"] <= c["x"] + c["width"]]
    test.assertEqual([], outside, "controls outside the client area")
    edges = (test.program.colours(g["x"], g["y"] + g["height"] - 1, g["width"], 1)
             + test.program.colours(g["x"] + g["width"] - 1, g["y"], 1, g["height"]))
    test.assertEqual(0, edges.count(black), "black on the graph's bottom and right edge")
    strip, top, rows = g["width"] // 20, g["y"] + g["height"] // 8, g["height"] * 3 // 4
    left, right = (test.program.colours(x, top, strip, rows).count(black)
                   for x in (g["x"], g["x"] + g["width"] - strip))
    test.assertEqual(left, right, "black of the level labels at the left and at the right")


class LaptopScreen(ProgramTest):
    """At 144 dpi (150 %) the template is wider and higher than a 1920 x 1080 screen."""
    target = LAPTOP
    screen = "1920x1080"

    def test_starts_wholly_on_the_screen_shrunk_to_its_width(self):
        d = self.program.inspect().dialog
        self.assertEqual((0, 1920), (d["x"], d["x"] + d["width"]))
        self.assertTrue(0 <= d["y"] and d["y"] + d["height"] <= 1080, d)
        assert_whole(self, self.program.inspect())
        self.program.screenshot("laptop_144dpi")
        self.assertEqual(0, self.program.close())  # with the caption's close button


class SmallLaptopScreen(ProgramTest):
    """At 120 dpi (125 %) on 1366 x 768 the window is narrower than the template's band."""
    target, screen = SCALED_120, "1366x768"

    def test_labels_and_controls_lie_inside(self):
        assert_whole(self, self.program.inspect())
        self.program.screenshot("scaled_%ddpi" % self.target.dpi)


class LargeMonitor(SmallLaptopScreen):
    """At 192 dpi (200 %) on 3840 x 2160 the template fits."""
    target, screen = SCALED_192, "3840x2160"
