"""Time from the keystroke that opens a dialog to the dialog being mapped, on Xvfb with openbox.

Usage: python3 bench/dialog_open_time.py BUILD_DIR [RUNS]
Presses Ctrl+O (options) and Ctrl+F1 (version, the yardstick) alternately through XTest, waits for the
next window mapped on the screen, closes the dialog with Escape, and prints the median of each.
"""
import ctypes
import os
import statistics
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import harness  # noqa: E402

SUBSTRUCTURE_NOTIFY_MASK = 1 << 19
MAP_NOTIFY, UNMAP_NOTIFY = 19, 18


class XMapEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("event", ctypes.c_ulong), ("window", ctypes.c_ulong)]


class XEvent(ctypes.Union):
    _fields_ = [("type", ctypes.c_int), ("map", XMapEvent), ("pad", ctypes.c_long * 24)]


class X:
    def __init__(self, name):
        self.lib = ctypes.CDLL("libX11.so.6")
        self.tst = ctypes.CDLL("libXtst.so.6")
        self.lib.XOpenDisplay.restype = ctypes.c_void_p
        self.lib.XDefaultRootWindow.restype = ctypes.c_ulong
        self.lib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.lib.XStringToKeysym.restype = ctypes.c_ulong
        self.lib.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        for f in (self.lib.XSelectInput, self.lib.XNextEvent, self.lib.XSync, self.lib.XFlush, self.lib.XPending):
            f.argtypes = None
        self.dpy = ctypes.c_void_p(self.lib.XOpenDisplay(name.encode()))
        root = self.lib.XDefaultRootWindow(self.dpy)
        self.lib.XSelectInput(self.dpy, ctypes.c_ulong(root), ctypes.c_long(SUBSTRUCTURE_NOTIFY_MASK))
        self.lib.XSync(self.dpy, 0)

    def code(self, name):
        return self.lib.XKeysymToKeycode(self.dpy, self.lib.XStringToKeysym(name.encode()))

    def keys(self, *names):
        codes = [self.code(n) for n in names]
        for c in codes:
            self.tst.XTestFakeKeyEvent(self.dpy, c, 1, 0)
        for c in reversed(codes):
            self.tst.XTestFakeKeyEvent(self.dpy, c, 0, 0)
        self.lib.XFlush(self.dpy)

    def drain(self):
        event = XEvent()
        while self.lib.XPending(self.dpy):
            self.lib.XNextEvent(self.dpy, ctypes.byref(event))

    def wait(self, kind):
        event = XEvent()
        while True:
            self.lib.XNextEvent(self.dpy, ctypes.byref(event))
            if event.type == kind:
                return event.map.window


def main():
    build = os.path.abspath(sys.argv[1])
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 10
    os.environ["VEL_BINARY"] = os.path.join(build, "src", "gui", "velmarinth")
    harness.BINARY = os.environ["VEL_BINARY"]
    display = harness.Display().start()
    app = None
    try:
        app = harness.App(display, tempfile.mkdtemp(prefix="vel-bench-")).start()
        x = X(display.name)
        figures = {"options (Ctrl+O)": [], "version (Ctrl+F1)": []}
        for run in range(runs + 1):  # the first round warms up and is not counted
            for label, keys in (("options (Ctrl+O)", ("Control_L", "o")), ("version (Ctrl+F1)", ("Control_L", "F1"))):
                app.activate()
                time.sleep(0.3)
                x.drain()
                start = time.perf_counter()
                x.keys(*keys)
                window = x.wait(MAP_NOTIFY)
                elapsed = (time.perf_counter() - start) * 1000
                title = "設定" if "O" in label else "バージョン情報"
                tree = display.x(["xwininfo", "-tree", "-id", str(window)])
                assert title in tree, "another window was mapped: " + tree
                if run:
                    figures[label].append(elapsed)
                time.sleep(0.2)
                x.keys("Escape")
                harness.wait_for(lambda: not app.windows("DIALOG"), 10, what="dialog closed")
        for label, values in figures.items():
            print("%-18s median %.1f ms (min %.1f, max %.1f, %d runs)" %
                  (label, statistics.median(values), min(values), max(values), len(values)))
    finally:
        if app:
            app.kill()
        display.stop()


if __name__ == "__main__":
    main()
