#!/usr/bin/env python3
"""Drives the real window with real X events (xdotool on a private Xvfb display), as a
user's mouse and keyboard would, then quits with Ctrl+Q and reads the saved state.

Usage: real_mouse_test.py TAVELKO_EXE
"""
import json
import os
import subprocess
import sys
import tempfile
import time
import unittest

EXE = sys.argv.pop(1) if len(sys.argv) > 1 else "build/bin/tavelko"
# The window's layout at start, in pixels: a 3-pixel bar below the template pane, which
# is 4 pixels high when collapsed and 113 open, and an input pane 197 high.
BAR, COLLAPSED, OPEN, INPUT = 3, 4, 113, 197


def xdotool(*args):
    return subprocess.run(["xdotool", *map(str, args)], check=True, capture_output=True, text=True,
                          env=Display.env).stdout


class Display:
    """One Xvfb server for the whole run."""
    env = None
    server = None

    @classmethod
    def start(cls):
        # A display number no other server holds; the server is ready once it answers. It
        # must not reset when its last client goes, or the next program may find it away.
        number = next(n for n in range(100 + os.getpid() % 400, 1000) if not os.path.exists(f"/tmp/.X{n}-lock"))
        cls.server = subprocess.Popen(["Xvfb", f":{number}", "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
                                       "-noreset"],
                                      stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        cls.env = dict(os.environ, DISPLAY=f":{number}", QT_QPA_PLATFORM="xcb")
        for _ in range(100):
            if subprocess.run(["xdotool", "getdisplaygeometry"], env=cls.env, capture_output=True).returncode == 0:
                return
            time.sleep(0.1)
        raise SystemExit(f"Xvfb did not start on :{number}")

    @classmethod
    def stop(cls):
        cls.server.terminate()
        cls.server.wait()


class Window:
    """The program in a home of its own; the state survives a restart in the same home."""

    def __init__(self, home):
        self.home = home
        runtime = os.path.join(home, "runtime")
        os.makedirs(runtime, mode=0o700, exist_ok=True)
        self.env = dict(Display.env, HOME=home, XDG_RUNTIME_DIR=runtime, XDG_STATE_HOME=os.path.join(home, "state"),
                        XDG_CONFIG_HOME=os.path.join(home, "config"))
        self.proc = None

    def start(self):
        self.proc = subprocess.Popen([EXE], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        self.id = self.find()
        geometry = xdotool("getwindowgeometry", "--shell", self.id)
        values = dict(line.split("=") for line in geometry.split())
        self.x, self.y, self.width = int(values["X"]), int(values["Y"]), int(values["WIDTH"])
        # Without a window manager nothing activates the window: a click in the input pane
        # does, as a user's first click would.
        xdotool("windowfocus", "--sync", self.id)
        self.click(100, 150)  # in the input pane whether the template pane is open or not
        return self

    def find(self):
        """The window's id, once it is shown (at most 30 seconds)."""
        for _ in range(300):
            ids = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Zerivuvu$"], capture_output=True,
                                 text=True, env=Display.env).stdout.split()
            if ids:
                return ids[0]
            time.sleep(0.1)
        self.proc.kill()
        raise AssertionError("the window never showed: " + self.proc.communicate()[1])

    def at(self, x, y):
        """Moves the mouse to (x, y) in the window (negative x: from its right edge)."""
        xdotool("mousemove", "--sync", self.x + (x if x >= 0 else self.width + x), self.y + y)

    def click(self, x, y, repeat=1):
        self.at(x, y)
        xdotool("click", "--repeat", repeat, "--delay", 80, 1)
        time.sleep(0.3)

    def type(self, text):
        xdotool("type", "--delay", 30, text)

    def keys(self, *keys):
        xdotool("key", "--delay", 50, *keys)
        time.sleep(0.3)

    def quit(self):
        """Ctrl+Q; returns the state the window saved."""
        self.keys("ctrl+q")
        self.proc.wait(timeout=20)
        with open(os.path.join(self.home, "state", "tavelko", "window.json"), encoding="utf-8") as f:
            return json.load(f)


class RealMouse(unittest.TestCase):
    def setUp(self):
        self.home = tempfile.mkdtemp(prefix="tavelko-x-")

    def tearDown(self):
        if self.window.proc.poll() is None:
            self.window.proc.kill()

    def open(self):
        self.window = Window(self.home).start()
        return self.window

    def test_double_click_on_the_upper_bar_opens_and_closes_the_template_pane(self):
        # (where the bar is, what the pane is after the double-click)
        for bar, height, is_open in ((COLLAPSED, OPEN, True), (OPEN, COLLAPSED, False)):
            w = self.open()
            w.click(100, bar + 1, repeat=2)
            state = w.quit()
            self.assertEqual((state["paneSizes"][0], state["templatePaneOpen"]), (height, is_open))

    def test_tab_never_leads_into_the_collapsed_template_pane(self):
        w = self.open()
        w.type("2+2")
        w.keys("Tab")
        w.type("9")
        w.click(100, COLLAPSED + BAR + INPUT // 2)
        w.keys("Return")
        state = w.quit()
        self.assertEqual(state["template"], "")
        self.assertEqual(state["inputHistory"][-1], "2+29")

    def test_a_collapsed_template_shows_its_marker_which_opens_the_pane(self):
        w = self.open()
        w.click(100, COLLAPSED + 1, repeat=2)
        w.click(100, OPEN // 2)
        w.type("(@)*2")
        w.keys("Return")
        w.click(100, OPEN + 1, repeat=2)
        w.type("3")
        w.keys("Return")
        self.assertEqual(w.quit()["templatePaneOpen"], False)
        # After a restart the template is still active and collapsed: the marker in the
        # input pane's lower right corner shows it, and a click on it opens the pane.
        w = self.open()
        w.click(-40, COLLAPSED + BAR + INPUT - 14)
        state = w.quit()
        self.assertEqual((state["template"], state["templatePaneOpen"]), ("(@)*2", True))

    def test_zoom_keys_and_ctrl_wheel_are_remembered(self):
        w = self.open()
        w.at(100, OPEN)
        xdotool("keydown", "ctrl", "click", 4, "click", 4, "keyup", "ctrl")  # two notches up
        w.keys("ctrl+minus")
        self.assertEqual(w.quit()["zoom"], 1)
        w = self.open()
        w.keys("ctrl+plus", "ctrl+equal")
        self.assertEqual(w.quit()["zoom"], 3)


if __name__ == "__main__":
    Display.start()
    try:
        unittest.main(verbosity=2)
    finally:
        Display.stop()
