"""The curve database as a person uses it: records listed newest first, loaded into the main set
and, with Compare on, into the pale set, and deleted after the question."""
import os

import resource_ids as ids
from field import point_position
from harness import ProgramTest, wait_for

LEFT = b"Left ear\r\n0;4000,1500;1000,900;250,1200;\r\n2;500,3000;\r\n\r\n"
RIGHT = b"Right ear\r\n1;8000,2000;3000,700;2000,800;700,1000;125,3000;\r\n\r\n"
RIGHT_INSIDE = b"Right\r\n1;6000,5000;\r\n\r\n"

DARK_GREEN = (0, 80, 0)
DARK_BLUE = (0, 0, 80)
DARK_RED = (80, 0, 0)
PALE_RED = (220, 150, 150)
RED_LINE = (230, 0, 0)


class Database(ProgramTest):
    database = LEFT + RIGHT + RIGHT_INSIDE

    def graph_has(self, colour, frequency, amplitude, reach=3):
        """Whether colour shows on the screen around where the point is drawn."""
        w = self.program.inspect()
        picture = w.graph_client
        x, y = point_position(frequency, amplitude, picture["width"], picture["height"])
        return self.program.colour_near(picture["x"] + x, picture["y"] + y + 1, colour, reach)

    def test_lists_loads_compares_and_deletes(self):
        p = self.program
        w = p.inspect()
        self.assertEqual(["Right", "Right ear", "Left ear"], w.combos[ids.title_combo]["entries"])
        # The title field holds the date title, which ends with a blank.
        self.assertTrue(w.controls[ids.title_combo]["text"].endswith(" "))

        p.pick_entry(ids.title_combo, "Left ear")
        wait_for(lambda: self.graph_has(DARK_GREEN, 4000, 1500), what="the green marks")
        for frequency, amplitude in ((1000, 900), (250, 1200)):
            self.assertTrue(self.graph_has(DARK_GREEN, frequency, amplitude))
        self.assertTrue(self.graph_has(DARK_BLUE, 500, 3000))
        self.assertEqual("Left ear", p.inspect().controls[ids.title_combo]["text"])
        p.screenshot("database_loaded")

        p.click_control(ids.btn_compare)
        p.wait_for_window(lambda n: n.controls[ids.btn_compare]["check"] == 1, "Compare pressed")
        p.pick_entry(ids.title_combo, "Right ear")
        wait_for(lambda: self.graph_has(PALE_RED, 3000, 700), what="the pale red marks")
        self.assertTrue(self.graph_has(PALE_RED, 125, 3000))
        self.assertTrue(self.graph_has(DARK_GREEN, 4000, 1500), "the main set stays")
        p.screenshot("database_compared")

        before = open(p.database, "rb").read()
        p.pick_entry(ids.title_combo, "Right")  # the title inside another title
        p.click_control(ids.btn_delete_set)
        self.assertEqual("Delete record?", p.answer_question("Cancel"))
        self.assertEqual(before, open(p.database, "rb").read())

        p.click_control(ids.btn_delete_set)
        self.assertEqual("Delete record?", p.answer_question("OK"))
        wait_for(lambda: open(p.database, "rb").read() == LEFT + RIGHT, what="the rewritten file")
        w = p.wait_for_window(
            lambda n: n.combos[ids.title_combo]["entries"] == ["Right ear", "Left ear"],
            "the list without the record")
        self.assertTrue(w.controls[ids.title_combo]["text"].endswith(" "), "a fresh date title")
        self.assertEqual(["Sonabrill.exe", "Sonabrill.txt", "alsa.conf"],
                         sorted(f for f in os.listdir(p.folder) if f != "played.raw"))
        self.assertEqual(0, p.close())


class SavingAndLoading(ProgramTest):
    def test_record_add_reset_load_and_the_question_before_a_load(self):
        p = self.program
        green = [p.record_point(f, level) for f, level in ((500, -40.0), (2000, -30.0),
                                                          (1000, -35.0))]
        p.click_control(ids.btn_red)
        red = [p.record_point(f, level) for f, level in ((4000, -25.0), (250, -45.0))]
        wait_for(lambda: p.shows_point(DARK_RED, *red[1]), what="the last red point")

        p.add_set("Test ear")
        # Points stand in falling frequency, amplitudes as recorded.
        ordered = lambda points: "".join(";%d,%d" % pt for pt in sorted(points, reverse=True))
        expected = ("Test ear\r\n0%s;\r\n1%s;\r\n\r\n" % (ordered(green), ordered(red))).encode()
        wait_for(lambda: os.path.exists(p.database) and open(p.database, "rb").read() == expected,
                 what="the saved record")
        w = p.wait_for_window(lambda n: n.combos[ids.title_combo]["entries"] == ["Test ear"],
                              "the title in the list")
        self.assertTrue(w.controls[ids.title_combo]["text"].endswith(" "), "a fresh date title")

        # Reset asks nothing (the set was saved) and empties the graph.
        p.click_control(ids.btn_reset)
        wait_for(lambda: not p.shows_point(DARK_GREEN, *green[0]), what="the empty graph")
        self.assertIsNone(p.inspect().question)
        self.assertFalse(p.shows_point(DARK_RED, *red[0]))

        # Picking the title brings the curves back; the file stays as it was.
        p.pick_entry(ids.title_combo, "Test ear")
        wait_for(lambda: p.shows_point(DARK_GREEN, *green[0]), what="the loaded curves")
        for point in green:
            self.assertTrue(p.shows_point(DARK_GREEN, *point), point)
        for point in red:
            self.assertTrue(p.shows_point(DARK_RED, *point), point)
        p.screenshot("database_reloaded")
        self.assertEqual(expected, open(p.database, "rb").read())

        # An unsaved edit: picking the title asks first, and Cancel keeps the edit.
        extra = p.record_point(8000, -20.0)
        wait_for(lambda: p.shows_point(DARK_RED, *extra), what="the new point")
        p.pick_entry(ids.title_combo, "Test ear")
        self.assertEqual("Unsaved changes. Proceed?", p.answer_question("Cancel"))
        self.assertTrue(p.shows_point(DARK_RED, *extra))
        # OK discards it and loads the record again.
        p.pick_entry(ids.title_combo, "Test ear")
        self.assertEqual("Unsaved changes. Proceed?", p.answer_question("OK"))
        wait_for(lambda: not p.shows_point(DARK_RED, *extra), what="the edit discarded")
        self.assertEqual(expected, open(p.database, "rb").read())
        self.assertEqual(0, p.close())
