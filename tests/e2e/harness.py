"""End-to-end harness: the real Sonabrill.exe under wine64 on a private Xvfb display.

Every test gets a temporary folder holding its own copy of the exe (so the database file lands
there), an ALSA configuration whose default device writes the played PCM into that folder, and
real mouse and keyboard input through xdotool. Every wait polls a condition with a timeout.
"""
import os
import shutil
import signal
import subprocess
import tempfile
import time
import unittest

import field

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
BUILD = os.environ.get("SONABRILL_BUILD", os.path.join(ROOT, "build", "win64"))
WINE = "/usr/lib/wine/wine64"
ARTIFACTS = os.environ.get("SONABRILL_ARTIFACTS", os.path.join(ROOT, "build", "e2e-artifacts"))
TITLE = "Sonabrill Audiogram"


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


class Display:
    """A private Xvfb server, shared by all tests of one run."""

    def __init__(self):
        self.number = next(n for n in range(90, 200)
                           if not os.path.exists("/tmp/.X%d-lock" % n)
                           and not os.path.exists("/tmp/.X11-unix/X%d" % n))
        self.name = ":%d" % self.number
        self.process = subprocess.Popen(
            ["Xvfb", self.name, "-screen", "0", "1600x1000x24", "-nolisten", "tcp"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_for(lambda: os.path.exists("/tmp/.X11-unix/X%d" % self.number), what="Xvfb")

    def stop(self):
        self.process.terminate()
        self.process.wait(timeout=10)


def wine_environment(display, prefix, folder):
    env = dict(os.environ)
    env.update({
        "DISPLAY": display,
        "WINEPREFIX": prefix,
        "WINEDEBUG": "-all",
        "WINEDLLOVERRIDES": "mscoree,mshtml=;winepulse.drv=d",
    })
    # ALSA's default device becomes a file: what the program plays lands in folder/played.raw.
    # This file is ALSA's whole configuration, so no sound card or user setting takes part.
    asoundrc = os.path.join(folder, "alsa.conf")
    with open(asoundrc, "w") as f:
        f.write('pcm.!default {\n    type file\n    slave.pcm { type null }\n'
                '    file "%s"\n    format "raw"\n}\n' % os.path.join(folder, "played.raw"))
    env["ALSA_CONFIG_PATH"] = asoundrc
    return env


def prepare_prefix(display, prefix):
    """Creates the wine prefix once; Wine draws the caption itself (no window manager here)."""
    marker = os.path.join(prefix, ".sonabrill-ready")
    if os.path.exists(marker):
        return
    env = wine_environment(display, prefix, tempfile.mkdtemp())
    subprocess.run([WINE, "reg", "add", r"HKCU\Software\Wine\X11 Driver", "/v", "Managed",
                    "/d", "N", "/f"], env=env, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, check=True, timeout=300)
    subprocess.run([WINE, "reg", "add", r"HKCU\Software\Wine\WineDbg", "/v", "ShowCrashDialog",
                    "/t", "REG_DWORD", "/d", "0", "/f"], env=env, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, check=True, timeout=300)
    subprocess.run([os.path.join(os.path.dirname(WINE), "wineserver"), "-w"], env=env,
                   timeout=120)
    open(marker, "w").close()


class Window:
    """What the inspector read of the running program."""

    def __init__(self, text):
        self.controls = {}
        self.combos = {}
        self.question = None
        self.question_items = []
        for line in text.splitlines():
            fields = line.split("\t")
            kind = fields[0]
            if kind in ("dialog", "control", "question", "question_item"):
                item = {
                    "id": int(fields[1]), "class": fields[2], "check": int(fields[3]),
                    "x": int(fields[4]), "y": int(fields[5]), "width": int(fields[6]),
                    "height": int(fields[7]), "style": int(fields[8], 16),
                    "text": unescape(fields[9] if len(fields) > 9 else ""),
                }
                if kind == "dialog":
                    self.dialog = item
                elif kind == "control":
                    if item["id"] == 0 and item["class"] == "Static":
                        self.graph = item
                    elif item["id"] == 0:
                        self.info = item
                    else:
                        self.controls[item["id"]] = item
                elif kind == "question":
                    self.question = item
                else:
                    self.question_items.append(item)
            elif kind == "graph_client":
                self.graph_client = tuple(int(v) for v in fields[1:5])
            elif kind == "client":
                self.client = tuple(int(v) for v in fields[1:5])
            elif kind == "focus":
                self.focus_inside, self.focus_id = fields[1] == "1", int(fields[2])
            elif kind == "caption":
                self.caption_height, self.caption_button = int(fields[1]), int(fields[2])
            elif kind == "combo":
                self.combos[int(fields[1])] = {"count": int(fields[2]),
                                               "selected": int(fields[3]), "entries": []}
            elif kind == "dropdown":
                self.combos[int(fields[1])].update(dict(zip(
                    ("dropped", "list_x", "list_y", "list_width", "list_height", "item_height",
                     "top_index"), (int(v) for v in fields[2:9]))))
            elif kind == "entry":
                self.combos[int(fields[1])]["entries"].append(unescape(fields[3]))
            elif kind == "menu":
                self.menu = tuple(int(v) for v in fields[1:5])

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
        probe = window.controls[251]
        self.band = probe["y"] + probe["height"] - window.client[1]
        self.client_x, self.client_y = window.client[0], window.client[1]
        self.picture_x, self.picture_y, self.width, self.height = window.graph_client

    def pointer(self, column, row):
        """Screen position of the pointer that the program reads as field column and row."""
        return self.client_x + column, self.client_y + self.band + 6 + row

    def drawn(self, frequency, amplitude):
        """Screen position where a stored point is drawn (its mark runs 2 pixels down)."""
        x, y = field.point_position(frequency, amplitude, self.width, self.height)
        return self.picture_x + x, self.picture_y + y


class Program:
    """One run of Sonabrill.exe from its own temporary folder."""

    def __init__(self, session, locale=None, database=None):
        self.session = session
        self.folder = tempfile.mkdtemp(prefix="sonabrill-e2e-")
        self.exe = os.path.join(self.folder, "Sonabrill.exe")
        shutil.copy(os.path.join(BUILD, "Sonabrill.exe"), self.exe)
        self.database = os.path.join(self.folder, "Sonabrill.txt")
        self.played = os.path.join(self.folder, "played.raw")
        if database is not None:
            with open(self.database, "wb") as f:
                f.write(database)
        self.env = wine_environment(session.display.name, session.prefix, self.folder)
        if locale:
            # Wine reads the user locale when its server starts.
            self.env["LC_ALL"] = locale
            self.env["LANG"] = locale
        session.stop_wineserver()
        session.start_wineserver(self.env)
        self.process = subprocess.Popen([WINE, self.exe], cwd=self.folder, env=self.env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.window = wait_for(lambda: self.try_inspect(), timeout=60, what="the main window")

    def run_inspector(self, *options):
        """Runs the window reader; returns its exit code and its output."""
        # Output goes through a file, not a pipe: wine's helper processes started by this call
        # could inherit a pipe and keep it open long after the inspector has ended.
        with tempfile.TemporaryFile() as out:
            code = subprocess.run([WINE, os.path.join(BUILD, "read_window_win.exe")]
                                  + list(options), env=self.env, stdin=subprocess.DEVNULL,
                                  stdout=out, stderr=subprocess.DEVNULL, timeout=60).returncode
            out.seek(0)
            return code, out.read().decode("cp1252")

    def try_inspect(self):
        code, text = self.run_inspector()
        return Window(text) if code == 0 else None

    def clipboard(self):
        """The clipboard's text as {"unicode": ..., "ansi": ...}, each where it is held."""
        return {line.split("\t")[0]: unescape(line.split("\t", 1)[1])
                for line in self.run_inspector("--clipboard")[1].splitlines() if "\t" in line}

    def inspect(self):
        window = self.try_inspect()
        if window is None:
            raise AssertionError("the main window is gone")
        return window

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
        opened = wait_for(lambda: (lambda n: n if n.combos[combo_id]["dropped"] else None)(
            self.inspect()), what="the opened list")
        info = opened.combos[combo_id]
        index = info["entries"].index(text) - info["top_index"]
        self.click(info["list_x"] + info["list_width"] // 2,
                   info["list_y"] + 2 + index * info["item_height"] + info["item_height"] // 2)
        wait_for(lambda: (lambda n: n if not n.combos[combo_id]["dropped"] else None)(
            self.inspect()), what="the list to close")

    def answer_question(self, button_text):
        """Presses the button of the open question box whose caption is button_text."""
        box = wait_for(lambda: (lambda n: n if n.question else None)(self.inspect()),
                       what="the question box")
        button = next(b for b in box.question_items
                      if b["class"] == "Button" and b["text"].replace("&", "") == button_text)
        question = next(b["text"] for b in box.question_items if b["class"] == "Static"
                        and b["text"])
        self.click(button["x"] + button["width"] // 2, button["y"] + button["height"] // 2)
        # The box is gone once the window shows none, or once the window itself has closed.
        wait_for(lambda: (lambda n: n is None or not n.question)(self.try_inspect()),
                 what="the question box to close")
        return question

    def key(self, *keys):
        self.xdotool("key", *keys)

    def screenshot(self, name):
        os.makedirs(ARTIFACTS, exist_ok=True)
        d = self.inspect().dialog
        path = os.path.join(ARTIFACTS, name + ".png")
        subprocess.run(["import", "-display", self.session.display.name, "-window", "root",
                        "-crop", "%dx%d+%d+%d" % (d["width"], d["height"], d["x"], d["y"]),
                        "+repage", path], check=True, timeout=60)
        return path

    def pixel(self, x, y):
        """The colour at screen position (x, y) as (red, green, blue)."""
        out = subprocess.run(["import", "-display", self.session.display.name, "-window", "root",
                              "-crop", "1x1+%d+%d" % (x, y), "-depth", "8", "txt:-"],
                             capture_output=True, check=True, timeout=60).stdout.decode()
        values = out.splitlines()[-1].split("(")[1].split(")")[0].split(",")
        return tuple(int(float(v)) for v in values[:3])

    def colour_near(self, x, y, colour, reach=2):
        """Whether colour appears within reach pixels of screen position (x, y)."""
        size = 2 * reach + 1
        out = subprocess.run(["import", "-display", self.session.display.name, "-window", "root",
                              "-crop", "%dx%d+%d+%d" % (size, size, x - reach, y - reach),
                              "-depth", "8", "txt:-"],
                             capture_output=True, check=True, timeout=60).stdout.decode()
        for line in out.splitlines()[1:]:
            values = line.split("(")[1].split(")")[0].split(",")
            if tuple(int(float(v)) for v in values[:3]) == tuple(colour):
                return True
        return False

    def close_button(self):
        """Where the caption's close button is, as a person sees it."""
        w = self.inspect()
        d = w.dialog
        border = w.client[0] - d["x"]
        return (d["x"] + d["width"] - border - w.caption_button // 2 - 1,
                w.client[1] - w.caption_height // 2 - 1)

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
        self.session.stop_wineserver()


class Session:
    """Display and wine prefix shared by every test of one run."""

    def __init__(self):
        self.display = Display()
        self.prefix = os.environ.get("SONABRILL_WINEPREFIX",
                                     os.path.join(ROOT, "build", "wineprefix"))
        prepare_prefix(self.display.name, self.prefix)

    def stop_wineserver(self):
        env = dict(os.environ, WINEPREFIX=self.prefix)
        subprocess.run([os.path.join(os.path.dirname(WINE), "wineserver"), "-k"], env=env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)
        subprocess.run([os.path.join(os.path.dirname(WINE), "wineserver"), "-w"], env=env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)

    def start_wineserver(self, env):
        """Starts the server first, with no pipe of ours: a wine process that starts the server
        itself hands it its standard output, and reading that output would never end."""
        subprocess.run([os.path.join(os.path.dirname(WINE), "wineserver"), "-p"], env=env,
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=60)

    def stop(self):
        self.stop_wineserver()
        self.display.stop()


SESSION = None


class ProgramTest(unittest.TestCase):
    """A test case that starts the program; it is killed if the test left it running."""

    locale = None
    database = None

    def setUp(self):
        self.program = Program(SESSION, locale=self.locale, database=self.database)

    def tearDown(self):
        self.program.kill()
