"""The main window as a person meets it: opening, its controls, keys that must not close it,
resizing, and closing with the caption's button."""
import os

from harness import ProgramTest, wait_for

TEMPLATE_IDS = [201, 202, 203, 204, 205, 251, 211, 212, 213, 214, 221, 222, 223, 225, 301,
                226, 227, 224, 228, 229, 302, 252]


class MainWindow(ProgramTest):
    def test_opens_with_its_controls_and_closes_with_exit_code_0(self):
        w = self.program.inspect()
        self.assertEqual("Sonabrill Audiogram", w.dialog["text"])
        self.assertEqual(sorted(TEMPLATE_IDS), sorted(w.controls))
        for fixed_id, caption in ((201, "L"), (202, "M"), (203, "R"), (205, "dB(A)")):
            self.assertEqual(caption, w.controls[fixed_id]["text"])
        # Only the band probe is hidden.
        hidden = [i for i, c in w.controls.items() if not c["style"] & 0x10000000]
        self.assertEqual([251], hidden)
        self.assertEqual(["English", "Deutsch"], w.combos[302]["entries"])
        # The graph fills the client area below the control band and a 6-pixel gap.
        probe = w.controls[251]
        band = probe["y"] + probe["height"] - w.client[1]
        self.assertEqual(w.client[1] + band + 6, w.graph["y"])
        self.assertEqual(w.client[0], w.graph["x"])
        self.assertEqual(w.client[2], w.graph["width"])
        self.assertEqual(w.client[1] + w.client[3], w.graph["y"] + w.graph["height"])
        self.program.screenshot("main_window")
        self.assertEqual(0, self.program.close())

    def test_escape_and_enter_do_not_close(self):
        # Click the language list closed again, so that the keyboard goes to the dialog.
        self.program.click_control(302)
        self.program.key("Escape")
        w = wait_for(lambda: (lambda n: n if n.focus_inside else None)(self.program.inspect()),
                     what="the keyboard focus in the dialog")
        self.assertTrue(w.focus_inside)
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
        resized = wait_for(lambda: (lambda n: n if n.dialog["width"] == d["width"] - 300
                                    else None)(self.program.inspect()), what="the resize")
        self.assertEqual(d["height"] - 150, resized.dialog["height"])
        self.assertEqual(resized.client[2], resized.graph["width"])
        self.assertEqual(resized.client[1] + resized.client[3],
                         resized.graph["y"] + resized.graph["height"])
        self.assertEqual(w.graph["y"], resized.graph["y"])
        self.program.screenshot("main_window_resized")
        self.assertEqual(0, self.program.close())
        self.assertFalse(os.path.exists(self.program.database))
