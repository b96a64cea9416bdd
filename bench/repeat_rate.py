"""The repeat rate of the held fast-left key, measured on the real program with a real mouse press.

Usage: python3 bench/repeat_rate.py BINARY [RUNS]
Holds the key for 1.5 s and for 3.5 s; the difference in characters moved over the 2 s between them is the
rate while repeating, free of the 500 ms delay and of the step taken on release.
"""
import os
import shutil
import statistics
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import harness  # noqa: E402

FAST_LEFT = (301 + 15, 36 + 10)


def moved_after(display, hold):
    folder = tempfile.mkdtemp(prefix="vel-rate-")
    try:
        with open(os.path.join(folder, "Velmarinth.ini"), "wb") as f:
            f.write(b"[Main]\r\nURLBox=" + b"x" * 1000 + b"|\r\n")
        app = harness.App(display, folder).start()
        x, y = app.client_point(*FAST_LEFT)
        display.x(["xdotool", "mousemove", "--sync", str(x), str(y)])
        display.x(["xdotool", "mousedown", "1"])
        time.sleep(hold)
        display.x(["xdotool", "mousemove", "--sync", str(x + 200), str(y + 200)])
        display.x(["xdotool", "mouseup", "1"])
        time.sleep(0.2)
        app.close()
        stored = app.read_ini().split(b"URLBox=")[1].split(b"\r\n")[0]
        return 1000 - stored.index(b"|")
    finally:
        shutil.rmtree(folder, ignore_errors=True)


def main():
    harness.BINARY = os.path.abspath(sys.argv[1])
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    display = harness.Display().start()
    try:
        rates = []
        for _ in range(runs):
            short, long = moved_after(display, 1.5), moved_after(display, 3.5)
            rates.append((long - short) / 2.0)
    finally:
        display.stop()
    print("fast-left repeat while held, median of %d: %.1f steps/s (runs: %s)"
          % (runs, statistics.median(rates), ", ".join("%.1f" % r for r in rates)))


if __name__ == "__main__":
    main()
