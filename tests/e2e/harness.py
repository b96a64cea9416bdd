"""Drives the real velmarinth binary on a virtual X server with a window manager.

Each test gets a fresh folder holding a copy of the binary (so its settings file is its own), a private
HOME and XDG folders, and real X input through xdotool.
"""
import ctypes
import os
import shutil
import signal
import struct
import subprocess
import tempfile
import time
import unittest
import uuid

BINARY = os.environ.get("VEL_BINARY") or os.path.join(
    os.path.dirname(__file__), "..", "..", "build", "dev", "src", "app", "velmarinth")
SCREEN_W, SCREEN_H = 1024, 768
# Keys the tests click, as (x, y, width, height) in the window's client area.
HTTP_KEY = (5, 59, 71, 23)
WWW_KEY = (76, 59, 53, 23)
Q_KEY = (10, 110, 23, 23)
CO_KEY = (5, 82, 31, 23)
JP_KEY = (193, 82, 37, 23)
BROWSE_BUTTON = (295, 183, 96, 25)
CLIENT_W, CLIENT_H = 395, 212


def wait_for(predicate, timeout=10.0, interval=0.05, what="condition"):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        value = predicate()
        if value:
            return value
        time.sleep(interval)
    raise AssertionError("timed out waiting for " + what)


def read_file(path):
    with open(path, "rb") as f:
        return f.read()


# The window managers a test can run under, each as its command; openbox unless a test class asks for another.
WINDOW_MANAGERS = {
    "openbox": ["openbox", "--sm-disable"],
    # Without a session bus, metacity keeps its settings in memory: four workspaces, no compositing.
    "metacity": ["metacity", "--sm-disable", "--compositor=none"],
}


class Display:
    """An Xvfb server with a window manager (openbox by default) on a free display number."""

    def __init__(self, window_manager="openbox"):
        self.xvfb = None
        self.wm = None
        self.name = None
        self.window_manager = window_manager

    def start(self, attempts=3):
        # A busy machine now and then loses a server or window manager at start: try afresh elsewhere.
        for attempt in range(attempts):
            try:
                return self._start_once()
            except (AssertionError, RuntimeError):
                self.stop()
                if attempt == attempts - 1:
                    raise
        return self

    def _start_once(self):
        self.xvfb = None
        for number in range(90, 190):
            if os.path.exists("/tmp/.X11-unix/X%d" % number) or os.path.exists("/tmp/.X%d-lock" % number):
                continue
            self.name = ":%d" % number
            self.xvfb = subprocess.Popen(
                ["Xvfb", self.name, "-screen", "0", "%dx%dx24" % (SCREEN_W, SCREEN_H), "-ac", "-nolisten", "tcp"],
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            try:
                wait_for(lambda: os.path.exists("/tmp/.X11-unix/X%d" % number) and
                         subprocess.run(["xdpyinfo"], env=dict(os.environ, DISPLAY=self.name),
                                        capture_output=True).returncode == 0, 10, what="Xvfb")
                break
            except AssertionError:
                self.xvfb.kill()
                self.xvfb.wait()
                self.xvfb = None
        if not self.xvfb:
            raise RuntimeError("no free X display")
        env = dict(os.environ, DISPLAY=self.name, GSETTINGS_BACKEND="memory")
        self.wm = subprocess.Popen(WINDOW_MANAGERS[self.window_manager], env=env,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_for(lambda: "_NET_SUPPORTING_WM_CHECK" in self.x(["xprop", "-root"]), 20, what=self.window_manager)
        return self

    def x(self, args, check=False):
        result = subprocess.run(args, env=dict(os.environ, DISPLAY=self.name), capture_output=True, text=True,
                                check=check)
        return result.stdout

    def clipboard(self):
        """What the clipboard holds on this display, as bytes (empty when nobody owns it)."""
        return subprocess.run(["xclip", "-o", "-selection", "clipboard"], env=dict(os.environ, DISPLAY=self.name),
                              capture_output=True).stdout

    def stop(self):
        for proc in (self.wm, self.xvfb):
            if proc and proc.poll() is None:
                proc.terminate()
                try:
                    proc.wait(5)
                except subprocess.TimeoutExpired:
                    proc.kill()
                    proc.wait()
        self.wm = self.xvfb = None


class App:
    """One run of velmarinth in its own folder."""

    def __init__(self, display, folder, user=None, base_env=None, title=None):
        self.display = display
        # Runs side by side must not take each other for a running copy: each gets its own instance title
        # unless a test shares one on purpose.
        self.title = title or "Velmarinth e2e %d %s" % (os.getpid(), uuid.uuid4().hex)
        self.folder = folder
        self.user = user
        self.base_env = base_env
        self.proc = None
        self.wid = None

    @property
    def ini(self):
        return os.path.join(self.folder, "Velmarinth.ini")

    def env(self):
        if self.base_env is not None:
            env = dict(self.base_env, DISPLAY=self.display.name, QT_QPA_PLATFORM="xcb", LANG="C.UTF-8")
            env.setdefault("XDG_RUNTIME_DIR", env["HOME"])
            env.pop("SESSION_MANAGER", None)
            return env
        home = os.path.join(self.folder, "home")
        os.makedirs(home, exist_ok=True)
        env = dict(os.environ, DISPLAY=self.display.name, HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"),
                   XDG_DATA_HOME=os.path.join(home, ".local", "share"), XDG_CACHE_HOME=os.path.join(home, ".cache"),
                   XDG_RUNTIME_DIR=home, QT_QPA_PLATFORM="xcb", LANG="C.UTF-8")
        env.pop("SESSION_MANAGER", None)
        return env

    def start(self, wait=True, args=(), env=None):
        """args: the program's command-line arguments; env: variables added to its environment."""
        binary = os.path.join(self.folder, "velmarinth")
        if not os.path.exists(binary):
            shutil.copy2(BINARY, binary)
        args = [binary] + list(args)
        if self.user is not None:
            args = ["setpriv", "--reuid=%d" % self.user, "--regid=%d" % self.user, "--clear-groups"] + args
        with open(os.path.join(self.folder, "stderr.log"), "ab") as log:
            env = dict(self.env(), VEL_INSTANCE_TITLE=self.title, **(env or {}))
            self.proc = subprocess.Popen(args, cwd=self.folder, env=env,
                                         stdout=subprocess.DEVNULL, stderr=log)
        if wait:
            self.wid = self.find_window("^Velmarinth$")
            self.wait_placed()
        return self

    def wait_placed(self, timeout=20):
        """Waits until the window manager has framed and focused the window and the program has stopped moving
        it: the program places itself once more when it learns the size of its frame, and a click aimed at the
        old place would miss."""
        wait_for(lambda: self.frame_extents() != (0, 0, 0, 0), timeout, what="window framed")
        self.activate()
        seen = {"geometry": None, "since": 0.0}

        def steady():
            geometry, now = self.geometry(), time.monotonic()
            if geometry != seen["geometry"]:
                seen.update(geometry=geometry, since=now)
            return now - seen["since"] >= 0.5
        wait_for(steady, timeout, what="window placed")

    def windows(self, kind):
        """The program's visible windows of one kind, by the first type it gives them: "DIALOG", "MENU" (the menu
        bar's and popup menus), "TOOLTIP", "NORMAL"."""
        found = []
        for wid in self.display.x(["xdotool", "search", "--onlyvisible", "--pid", str(self.proc.pid)]).split():
            types = self.display.x(["xprop", "-id", wid, "_NET_WM_WINDOW_TYPE"]).partition("=")[2]
            if kind in types.split(",")[0]:
                found.append(wid)
        return found

    def wait_windows(self, kind, shown=True, timeout=15):
        wait_for(lambda: bool(self.windows(kind)) == shown, timeout,
                 what="%s window %s" % (kind.lower(), "shown" if shown else "gone"))

    def wait_gone(self, wid, timeout=15):
        """Waits until a window is no longer on the screen. Its name is no guide: a closing window may lose its
        title while it is still up and taking keys."""
        wait_for(lambda: "IsViewable" not in self.display.x(["xwininfo", "-id", wid]), timeout,
                 what="window %s gone" % wid)

    def find_window(self, name, timeout=15):
        def search():
            # --all: without it xdotool takes a window that meets either condition, often the main window.
            out = self.display.x(["xdotool", "search", "--all", "--onlyvisible", "--pid", str(self.proc.pid),
                                  "--name", name])
            ids = out.split()
            return ids[0] if ids else None
        return wait_for(search, timeout, what="window " + name)

    def geometry(self, wid=None):
        """Position and size of the window's client (without the frame), in root coordinates."""
        out = self.display.x(["xwininfo", "-id", wid or self.wid])
        values = {}
        for line in out.splitlines():
            line = line.strip()
            for key in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"):
                if line.startswith(key + ":"):
                    values[key] = int(line.split(":")[1])
        return (values["Absolute upper-left X"], values["Absolute upper-left Y"], values["Width"], values["Height"])

    def frame_extents(self):
        out = self.display.x(["xprop", "-id", self.wid, "_NET_FRAME_EXTENTS"])
        if "=" not in out:
            return (0, 0, 0, 0)
        return tuple(int(v) for v in out.split("=")[1].split(","))

    def menu_height(self):
        return self.geometry()[3] - CLIENT_H

    def client_point(self, x, y):
        gx, gy, _, _ = self.geometry()
        return gx + x, gy + self.menu_height() + y

    def click_at(self, x, y, button=1):
        px, py = self.client_point(x, y)
        self.display.x(["xdotool", "mousemove", "--sync", str(px), str(py)])
        time.sleep(0.05)
        self.display.x(["xdotool", "click", str(button)])
        time.sleep(0.05)

    def click_key(self, left, top, width, height):
        self.click_at(left + width // 2, top + height // 2)

    def shows_colour(self, rect, colour):
        """Whether any pixel of a client rectangle (left, top, width, height) has the colour "#RRGGBB"."""
        left, top, width, height = rect
        px, py = self.client_point(left, top)
        out = self.display.x(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (width, height, px, py),
                              "-depth", "8", "txt:-"])
        return (" " + colour.upper() + " ") in out.upper()

    def activate(self):
        self.display.x(["xdotool", "windowactivate", "--sync", self.wid])

    def key(self, *keys):
        self.display.x(["xdotool", "key", "--clearmodifiers"] + list(keys))

    def answer_error_box(self):
        """Presses OK on the error report, titled with the application title "Velmarinth "."""
        box = self.find_window("^Velmarinth $")
        self.display.x(["xdotool", "windowactivate", "--sync", box])
        self.key("Return")

    def close(self, timeout=30):
        # The window manager closes whichever window has the focus: a dialog or menu still on its way out
        # would take the alt+F4 meant for the main window.
        wait_for(lambda: not self.windows("DIALOG") and not self.windows("MENU"), 15, what="dialogs closed")
        self.activate()
        self.key("alt+F4")
        return self.wait_exit(timeout)

    def wait_exit(self, timeout=30):
        try:
            return self.proc.wait(timeout)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            raise

    def kill(self):
        if self.proc and self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait()

    def read_ini(self):
        return read_file(self.ini)

    def screenshot(self, path):
        self.display.x(["import", "-window", "root", path])


HEADER = (b";******************************************\r\n"
          b";*     Velmarinth initialization file     *\r\n"
          b";******************************************\r\n\r\n")


class Inotify:
    """Counts files renamed into (or written in) a folder, to see how often a file was replaced."""
    IN_CLOSE_WRITE = 0x08
    IN_MOVED_TO = 0x80

    def __init__(self, folder):
        self.libc = ctypes.CDLL("libc.so.6", use_errno=True)
        self.fd = self.libc.inotify_init1(os.O_NONBLOCK)
        self.libc.inotify_add_watch(self.fd, folder.encode(), self.IN_CLOSE_WRITE | self.IN_MOVED_TO)

    def events(self):
        found = []
        while True:
            try:
                data = os.read(self.fd, 65536)
            except BlockingIOError:
                return found
            offset = 0
            while offset < len(data):
                _, mask, _, length = struct.unpack_from("iIII", data, offset)
                name = data[offset + 16:offset + 16 + length].rstrip(b"\0").decode()
                found.append((mask, name))
                offset += 16 + length

    def close(self):
        os.close(self.fd)


class E2ETestCase(unittest.TestCase):
    display = None
    window_manager = "openbox"

    @classmethod
    def setUpClass(cls):
        cls.display = Display(cls.window_manager).start()

    @classmethod
    def tearDownClass(cls):
        cls.display.stop()

    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="vel-e2e-")
        os.chmod(self.folder, 0o755)
        self.apps = []

    def tearDown(self):
        for app in self.apps:
            app.kill()
        shutil.rmtree(self.folder, ignore_errors=True)

    def app(self, user=None, folder=None, base_env=None, title=None):
        app = App(self.display, folder or self.folder, user, base_env, title)
        self.apps.append(app)
        return app
