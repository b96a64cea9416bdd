"""Key hints in the flat hint window, with real pointer moves."""
import time
import unittest

from harness import E2ETestCase, wait_for

HYPHEN_KEY = (33, 184, 23, 23)
AWAY = (300, 2, 1, 1)


class HintTest(E2ETestCase):
    def point_at(self, app, rect):
        x, y = app.client_point(rect[0] + rect[2] // 2, rect[1] + rect[3] // 2)
        self.display.x(["xdotool", "mousemove", "--sync", str(x), str(y)])
        return x, y

    def test_hint_shows_after_half_a_second_below_the_pointer_and_hides(self):
        app = self.app().start()
        self.point_at(app, AWAY)
        px, py = self.point_at(app, HYPHEN_KEY)
        moved = time.monotonic()
        wait_for(lambda: app.windows("TOOLTIP"), 10, 0.01, what="hint shown")
        shown = time.monotonic()
        wid = app.windows("TOOLTIP")[0]
        x, y, width, height = app.geometry(wid)
        self.assertGreaterEqual(shown - moved, 0.45)
        self.assertLess(shown - moved, 3.0)
        self.assertTrue(x >= px - 1 and y > py, "below the pointer")
        self.assertTrue(20 < width < 200 and 10 < height < 60, (width, height))
        wait_for(lambda: not app.windows("TOOLTIP"), 15, 0.01, what="hint hidden")
        self.assertGreaterEqual(time.monotonic() - shown, 2.3)
        self.assertLess(time.monotonic() - shown, 5.0, "gone after two and a half seconds")

    def test_show_tooltip_off_shows_no_hint(self):
        app = self.app()
        with open(app.ini, "wb") as f:
            f.write(b"[Option]\r\nShowToolTip=0\r\n")
        app.start()
        self.point_at(app, AWAY)
        self.point_at(app, HYPHEN_KEY)
        deadline = time.monotonic() + 1.5
        while time.monotonic() < deadline:
            self.assertFalse(app.windows("TOOLTIP"))
            time.sleep(0.1)


if __name__ == "__main__":
    unittest.main()
