"""Starts velmarinth on a virtual X server, saves a screenshot of its window, and closes it."""
import os
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402


def main():
    binary, shot = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    harness.BINARY = binary
    display = harness.Display().start()
    folder = tempfile.mkdtemp(prefix="vel-run-")
    try:
        display.x(["xdotool", "mousemove", "0", "0"])
        app = harness.App(display, folder).start()
        time.sleep(1.0)
        x, y, w, h = app.geometry()
        left, right, top, bottom = app.frame_extents()
        display.x(["import", "-window", "root", "-crop",
                   "%dx%d+%d+%d" % (w + left + right, h + top + bottom, x - left, y - top), shot])
        app.close()
    finally:
        display.stop()


if __name__ == "__main__":
    main()
