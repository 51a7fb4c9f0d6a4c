"""End-to-end harness: a real Sonabrill.exe under Wine on a private Xvfb display.

A target names the exe, the Wine loader that runs it and its prefix: the 64-bit twin under wine64
(the default), or the 32-bit release under Wine's 32-bit loader. scripts/wine-env defines the
environment, the prefixes' settings and the display search for both. Every test gets a temporary
folder holding its own copy of the exe (so the database file lands there), an ALSA configuration
whose default device writes the played PCM into that folder, and real mouse and keyboard input
through xdotool. Every wait polls a condition with a timeout.
"""
import os
import shutil
import signal
import subprocess
import tempfile
import time
import unittest

import field
import resource_ids as ids

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
WINE_ENV = os.path.join(ROOT, "scripts", "wine-env")
ARTIFACTS = os.environ.get("SONABRILL_ARTIFACTS", os.path.join(ROOT, "build", "e2e-artifacts"))


def wait_for(condition, timeout=15.0, interval=0.1, what="condition"):
    """Polls condition() until it returns a true value, which is returned."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError("timed out waiting for " + what)
        time.sleep(interval)


class Target:
    """An exe, the loader that runs it and its prefix, which may have a screen resolution (dpi) of
    its own. The helper programs come from the exe's build folder."""

    def __init__(self, loader, build, prefix=None, dpi=None):
        self.loader = loader
        self.build = build
        self.dpi = dpi
        self.exe = os.path.join(build, "Sonabrill.exe")
        self.inspector = os.path.join(build, "read_window_win.exe")
        out = subprocess.run([WINE_ENV, "environment", loader] + ([prefix] if prefix else []),
                             capture_output=True, text=True, check=True, timeout=60).stdout
        self.env = dict(line.split("=", 1) for line in out.splitlines())
        self.wine = self.env["SONABRILL_WINE"]
        self.wineserver = self.env["SONABRILL_WINESERVER"]
        self.prefix = self.env["WINEPREFIX"]

    def check_loader(self):
        """Fails with the reason when the loader cannot run on this machine at all."""
        try:
            subprocess.run([self.wine, "--version"], stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL, check=True, timeout=120)
        except (OSError, subprocess.SubprocessError) as e:
            raise AssertionError("Wine's loader %s cannot run here (%s); scripts/setup installs "
                                 "it where this machine runs its programs" % (self.wine, e))


TWIN = Target("64", os.environ.get("SONABRILL_BUILD", os.path.join(ROOT, "build", "win64")))
RELEASE = Target("32", os.path.join(ROOT, "build", "win32"))
# The twin on a laptop's screen at 150 %, and at 125 % and 200 %.
LAPTOP = Target("64", TWIN.build, os.path.join(ROOT, "build", "wineprefix-144dpi"), dpi=144)
SCALED_120 = Target("64", TWIN.build, os.path.join(ROOT, "build", "wineprefix-120dpi"), dpi=120)
SCALED_192 = Target("64", TWIN.build, os.path.join(ROOT, "build", "wineprefix-192dpi"), dpi=192)


class Display:
    """A private Xvfb server of a screen size ("1600x1000" unless given), shared by all tests of
    one run that use that size."""

    def __init__(self, size=None):
        out = subprocess.run([WINE_ENV, "display"] + ([size] if size else []), capture_output=True,
                             text=True, check=True, timeout=60).stdout.split()
        self.name, self.pid, self.start = out[0], int(out[1]), out[2]

    def stop(self):
        """Ends the server if it still runs: the id of one that has ended may belong to another
        process by now. The pidfd holds the process whose start time is checked."""
        try:
            pidfd = os.pidfd_open(self.pid)
        except ProcessLookupError:
            return
        try:
            if started_at(self.pid) == self.start:
                signal.pidfd_send_signal(pidfd, signal.SIGTERM)
                wait_for(lambda: started_at(self.pid) != self.start, what="Xvfb to end")
        finally:
            os.close(pidfd)


def started_at(pid):
    """The start time of a running process, as scripts/wine-env gives it, or None once the process
    has ended; one that nobody reaps stays behind as a zombie."""
    try:
        with open("/proc/%d/stat" % pid) as f:
            fields = f.read().rsplit(")", 1)[1].split()
    except FileNotFoundError:
        return None
    return None if fields[0] == "Z" else fields[19]


def wine_environment(display, target, folder):
    env = dict(os.environ)
    env.update(target.env)
    env["DISPLAY"] = display
    # ALSA's default device becomes a file: what the program plays lands in folder/played.raw.
    # This file is ALSA's whole configuration, so no sound card or user setting takes part.
    asoundrc = os.path.join(folder, "alsa.conf")
    with open(asoundrc, "w") as f:
        f.write('pcm.!default {\n    type file\n    slave.pcm { type null }\n'
                '    file "%s"\n    format "raw"\n}\n' % os.path.join(folder, "played.raw"))
    env["ALSA_CONFIG_PATH"] = asoundrc
    return env


def parse_item(line):
    """One line of the window reader: its kind and its fields by name. A text value stands in
    double quotes; every other value is a whole number."""
    kind, *pairs = line.split("\t")
    item = {}
    for pair in pairs:
        name, value = pair.split("=", 1)
        item[name] = unescape(value[1:-1]) if value.startswith('"') else int(value)
    return kind, item


class Window:
    """What the window reader read of the running program: an attribute per kind of item (the
    dialog, its client area, the graph's picture, the focus, the caption, an open menu, an open
    question box, the hearing test or audiogram window and the dialog it owns), the controls by id,
    the combo boxes with their entries by id and the two owned windows' controls by id."""

    def __init__(self, text):
        self.controls = {}
        self.combos = {}
        self.question = None
        self.question_items = []
        self.test = self.modal = None
        self.test_items, self.modal_items = {}, {}
        for line in text.splitlines():
            kind, item = parse_item(line)
            if kind == "control":
                if item["id"] == 0 and item["class"] == "Static":
                    self.graph = item
                elif item["id"] == 0:
                    self.info = item
                else:
                    self.controls[item["id"]] = item
            elif kind == "question_item":
                self.question_items.append(item)
            elif kind in ("test_item", "modal_item"):
                getattr(self, kind + "s")[item["id"]] = item
            elif kind == "combo":
                self.combos[item["id"]] = dict(item, entries=[])
            elif kind == "entry":
                self.combos[item["combo"]]["entries"].append(item["text"])
            else:
                setattr(self, kind, item)

    def center(self, control_id):
        c = self.controls[control_id]
        return c["x"] + c["width"] // 2, c["y"] + c["height"] // 2


def unescape(text):
    out, i = [], 0
    while i < len(text):
        if text[i] == "\\" and i + 1 < len(text):
            out.append({"r": "\r", "n": "\n", "t": "\t", "\\": "\\"}.get(text[i + 1], text[i + 1]))
            i += 2
        else:
            out.append(text[i])
            i += 1
    return "".join(out)


class Field:
    """The frequency field of the running window: its place on the screen and its size."""

    def __init__(self, window):
        probe = window.controls[ids.band_probe]
        self.band = probe["y"] + probe["height"] - window.client["y"]
        self.client_x, self.client_y = window.client["x"], window.client["y"]
        picture = window.graph_client
        self.picture_x, self.picture_y = picture["x"], picture["y"]
        self.width, self.height = picture["width"], picture["height"]

    def pointer(self, column, row):
        """Screen position of the pointer that the program reads as field column and row."""
        return self.client_x + column, self.client_y + self.band + ids.band_gap + row

    def drawn(self, frequency, amplitude):
        """Screen position where a stored point is drawn (its mark runs 2 pixels down)."""
        x, y = field.point_position(frequency, amplitude, self.width, self.height)
        return self.picture_x + x, self.picture_y + y


class Program:
    """One run of Sonabrill.exe from its own temporary folder."""

    def __init__(self, session, target=TWIN, locale=None, database=None, screen=None):
        self.session = session
        self.target = target
        self.display = session.display_of(screen)
        session.prepare(target)
        self.folder = tempfile.mkdtemp(prefix="sonabrill-e2e-")
        self.exe = os.path.join(self.folder, "Sonabrill.exe")
        shutil.copy(target.exe, self.exe)
        self.database = os.path.join(self.folder, "Sonabrill.txt")
        self.played = os.path.join(self.folder, "played.raw")
        if database is not None:
            with open(self.database, "wb") as f:
                f.write(database)
        self.env = wine_environment(self.display.name, target, self.folder)
        if locale:
            # Wine reads the user locale when its server starts.
            self.env["LC_ALL"] = locale
            self.env["LANG"] = locale
        session.stop_wineserver(target)
        session.start_wineserver(target, self.env)
        self.process = subprocess.Popen([target.wine, self.exe], cwd=self.folder, env=self.env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.window = wait_for(lambda: self.try_inspect(), timeout=60, what="the main window")

    wait_for = staticmethod(wait_for)

    def wait_for_window(self, condition, what, timeout=15.0, may_close=False):
        """Reads the window until condition(reading) holds, and returns that reading. With
        may_close the window may also be gone: its reading is then None."""
        def reading():
            window = self.try_inspect() if may_close else self.inspect()
            return [window] if condition(window) else None
        return wait_for(reading, timeout, what=what)[0]

    def run_inspector(self, *options):
        """Runs the window reader; returns its exit code and its output."""
        # Output goes through a file, not a pipe: wine's helper processes started by this call
        # could inherit a pipe and keep it open long after the inspector has ended.
        with tempfile.TemporaryFile() as out:
            code = subprocess.run([self.target.wine, self.target.inspector] + list(options),
                                  env=self.env, stdin=subprocess.DEVNULL, stdout=out,
                                  stderr=subprocess.DEVNULL,
                                  timeout=60).returncode
            out.seek(0)
            return code, out.read().decode("cp1252")

    def try_inspect(self):
        code, text = self.run_inspector()
        return Window(text) if code == 0 else None

    def clipboard(self):
        """The clipboard's text as {"unicode": ..., "ansi": ...}, each where it is held."""
        items = (parse_item(line) for line in self.run_inspector("--clipboard")[1].splitlines())
        return {kind: item["text"] for kind, item in items if "text" in item}

    def inspect(self):
        """Reads the main window; a reading that fails (the reader, too, is a Wine program that a
        busy machine may keep from starting) is tried again before the window counts as gone."""
        for _ in range(3):
            window = self.try_inspect()
            if window is not None:
                return window
        raise AssertionError("the main window is gone; the program " + (
            "still runs" if self.running() else "ended with %s" % self.process.returncode))

    def xdotool(self, *args):
        subprocess.run(["xdotool"] + [str(a) for a in args], env=self.env, check=True,
                       timeout=30)

    def move(self, x, y):
        self.xdotool("mousemove", "--sync", x, y)

    def click(self, x, y, button=1):
        self.move(x, y)
        self.xdotool("click", button)

    def click_control(self, control_id):
        self.click(*self.inspect().center(control_id))

    def field(self):
        return Field(self.inspect())

    def record_point(self, frequency, level):
        """Plays a tone with the right button at a frequency and a level in dB, as a person
        would: hover, press, release. Returns the point the program should have recorded."""
        f = self.field()
        row = field.row_for(level, f.height)
        self.move(*f.pointer(field.column_for(frequency, f.width), row))
        self.xdotool("mousedown", 3)
        self.xdotool("mouseup", 3)
        return frequency, field.truncate(field.played_amplitude(row, f.height, frequency))

    def shows_point(self, colour, frequency, amplitude, reach=1):
        x, y = self.field().drawn(frequency, amplitude)
        return self.colour_near(x, y + 1, colour, reach)

    def type_text(self, text):
        self.xdotool("type", "--delay", 20, text)

    def pick_entry(self, combo_id, text):
        """Opens the combo box's list with its arrow and clicks the entry with this text."""
        w = self.inspect()
        combo = w.controls[combo_id]
        # The arrow button sits at the right end of the closed combo box.
        self.click(combo["x"] + combo["width"] - 8, combo["y"] + combo["height"] // 2)
        opened = self.wait_for_window(lambda w: w.combos[combo_id]["dropped"], "the opened list")
        info = opened.combos[combo_id]
        index = info["entries"].index(text) - info["top_index"]
        self.click(info["list_x"] + info["list_width"] // 2,
                   info["list_y"] + 2 + index * info["item_height"] + info["item_height"] // 2)
        self.wait_for_window(lambda w: not w.combos[combo_id]["dropped"], "the list to close")

    def add_set(self, title):
        """Types a title of its own over the one in the title field, then presses Add set."""
        combo = self.inspect().controls[ids.title_combo]
        self.click(combo["x"] + 20, combo["y"] + combo["height"] // 2)
        self.key("End")
        self.key("shift+Home")
        self.type_text(title)
        self.click_control(ids.btn_add_set)

    def answer_question(self, button_text):
        """Presses the button of the open question box whose caption is button_text."""
        box = self.wait_for_window(lambda w: w.question, "the question box")
        button = next(b for b in box.question_items
                      if b["class"] == "Button" and b["text"].replace("&", "") == button_text)
        question = next(b["text"] for b in box.question_items if b["class"] == "Static"
                        and b["text"])
        self.click(button["x"] + button["width"] // 2, button["y"] + button["height"] // 2)
        # The box is gone once the window shows none, or once the window itself has closed.
        self.wait_for_window(lambda w: w is None or not w.question, "the question box to close",
                             may_close=True)
        return question

    def key(self, *keys):
        self.xdotool("key", *keys)

    def choose_menu_entry(self, command_id, screenshot=None):
        """Chooses the program's window-menu entry of this command id as a person does: Alt+Space,
        Up from the menu's end (the entries end it in their order), a screenshot if named, Return."""
        order = ids.window_menu_order
        self.key("alt+space")
        self.wait_for_window(lambda w: hasattr(w, "menu"), "the window menu")
        self.key(*["Up"] * (len(order) - order.index(command_id)))
        if screenshot:
            self.screenshot(screenshot)
        self.key("Return")

    def screenshot(self, name, window=None):
        """A PNG of the main window, or of another window the reader read."""
        os.makedirs(ARTIFACTS, exist_ok=True)
        d = window or self.inspect().dialog
        path = os.path.join(ARTIFACTS, name + ".png")
        subprocess.run(["import", "-display", self.display.name, "-window", "root",
                        "-crop", "%dx%d+%d+%d" % (d["width"], d["height"], d["x"], d["y"]),
                        "+repage", path], check=True, timeout=60)
        return path

    def colours(self, x, y, width, height):
        """The colours of a rectangle of the screen as (red, green, blue), row by row."""
        out = subprocess.run(["import", "-display", self.display.name, "-window", "root",
                              "-crop", "%dx%d+%d+%d" % (width, height, x, y), "-depth", "8",
                              "txt:-"], capture_output=True, check=True, timeout=60).stdout.decode()
        return [tuple(int(float(v)) for v in line.split("(")[1].split(")")[0].split(",")[:3])
                for line in out.splitlines()[1:]]

    def pixel(self, x, y):
        """The colour at screen position (x, y) as (red, green, blue)."""
        return self.colours(x, y, 1, 1)[0]

    def colour_near(self, x, y, colour, reach=2):
        """Whether colour appears within reach pixels of screen position (x, y)."""
        return tuple(colour) in self.colours(x - reach, y - reach, 2 * reach + 1, 2 * reach + 1)

    def close_button(self):
        """Where the caption's close button is, as a person sees it."""
        w = self.inspect()
        d = w.dialog
        border = w.client["x"] - d["x"]
        return (d["x"] + d["width"] - border - w.caption["button"] // 2 - 1,
                w.client["y"] - w.caption["height"] // 2 - 1)

    def close(self, expect_exit=True):
        """Closes the program with the caption's close button; returns its exit code."""
        self.click(*self.close_button())
        if not expect_exit:
            return None
        return self.wait_exit()

    def wait_exit(self, timeout=30):
        return self.process.wait(timeout=timeout)

    def running(self):
        return self.process.poll() is None

    def kill(self):
        if self.running():
            self.process.send_signal(signal.SIGKILL)
            self.process.wait(timeout=10)
        self.session.stop_wineserver(self.target)


class Session:
    """The displays shared by the tests of one run, one per screen size, and the prefixes it has
    made ready."""

    def __init__(self):
        self.displays = {}
        self.prepared = []

    def display_of(self, size):
        if size not in self.displays:
            self.displays[size] = Display(size)
        return self.displays[size]

    def prepare(self, target):
        """Creates the target's prefix, or brings its settings up to date, once per run."""
        if target in self.prepared:
            return
        target.check_loader()
        env = dict(os.environ, DISPLAY=self.display_of(None).name)
        started = time.monotonic()
        dpi = [str(target.dpi)] if target.dpi else []
        if subprocess.run([WINE_ENV, "prepare", target.loader, target.prefix] + dpi, env=env,
                          timeout=900).returncode != 0:
            raise AssertionError("the prefix %s of %s could not be made ready"
                                 % (target.prefix, target.wine))
        if time.monotonic() - started > 5:
            print("\n  the prefix %s took %.0f s" % (target.prefix, time.monotonic() - started))
        self.prepared.append(target)

    def stop_wineserver(self, target):
        env = dict(os.environ, **target.env)
        for option in ("-k", "-w"):
            subprocess.run([target.wineserver, option], env=env, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL, timeout=60)

    def start_wineserver(self, target, env):
        """Starts the server first, with no pipe of ours: a wine process that starts the server
        itself hands it its standard output, and reading that output would never end."""
        subprocess.run([target.wineserver, "-p"], env=env, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       timeout=60)

    def stop(self):
        for target in self.prepared:
            self.stop_wineserver(target)
        for display in self.displays.values():
            display.stop()


SESSION = None


class ProgramTest(unittest.TestCase):
    """A test case that starts the program; it is killed if the test left it running."""

    target = TWIN
    locale = None
    database = None
    screen = None  # the screen's size as "WIDTHxHEIGHT"; 1600x1000 unless given

    def setUp(self):
        self.program = Program(SESSION, self.target, locale=self.locale, database=self.database,
                               screen=self.screen)

    def tearDown(self):
        self.program.kill()
