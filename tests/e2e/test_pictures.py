"""The browse picture button's pictures under real mouse input, and the version dialog's link."""
import collections
import os
import unittest

from fakebrowser import FakeDesktop
from harness import BROWSE_BUTTON, HTTP_KEY, E2ETestCase, wait_for

# The face colour of each of the browse button's pictures (resources/buttons, drawn by scripts/pictures).
FACES = {"normal": "#004E98", "over": "#6FBEFF", "down": "#029FFD", "disable": "#C4D4F0"}
HOMEPAGE = "https://github.com/velmarinth/velmarinth"


class PicturesTest(E2ETestCase):
    def setUp(self):
        super().setUp()
        self.desktop = FakeDesktop(os.path.join(self.folder, "desktop"))
        self.browser = self.desktop.install_default_browser()
        self.main = self.app(base_env=self.desktop.environment()).start()

    def commonest_colour(self, rect):
        """The colour most pixels of a client rectangle (left, top, width, height) have, as "#RRGGBB"."""
        left, top, width, height = rect
        px, py = self.main.client_point(left, top)
        out = self.display.x(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (width, height, px, py),
                              "-depth", "8", "txt:-"])
        counts = collections.Counter(word.upper() for line in out.splitlines()[1:]
                                     for word in line.split() if word.startswith("#") and len(word) == 7)
        return counts.most_common(1)[0][0] if counts else None

    def wait_face(self, state):
        wait_for(lambda: self.commonest_colour(BROWSE_BUTTON) == FACES[state], 15,
                 what="browse button %s (shows %s)" % (state, self.commonest_colour(BROWSE_BUTTON)))

    def move_to(self, x, y):
        px, py = self.main.client_point(x, y)
        self.display.x(["xdotool", "mousemove", "--sync", str(px), str(py)])

    def test_browse_button_pictures_follow_the_mouse(self):
        self.wait_face("disable")  # the box is empty
        self.main.click_key(*HTTP_KEY)
        self.wait_face("normal")
        left, top, width, height = BROWSE_BUTTON
        self.move_to(left + width // 2, top + height // 2)
        self.wait_face("over")
        self.display.x(["xdotool", "mousedown", "1"])
        self.wait_face("down")
        self.display.x(["xdotool", "mouseup", "1"])
        self.wait_face("over")
        self.assertEqual(self.browser.wait().args, ["http://"])
        self.move_to(left - 60, top + height // 2)
        self.wait_face("normal")

    def test_version_dialog_link_and_ok(self):
        self.main.activate()
        self.main.key("ctrl+F1")
        dialog = self.main.find_window("^バージョン情報$")
        x, y, _, _ = self.main.geometry(dialog)
        # The address is centred across the panel (6 + 146) on its line (6 + 142, 15 high).
        self.display.x(["xdotool", "mousemove", "--sync", str(x + 152), str(y + 155)])
        self.display.x(["xdotool", "click", "1"])
        self.assertEqual(self.browser.wait().args, [HOMEPAGE])
        self.display.x(["xdotool", "mousemove", "--sync", str(x + 254), str(y + 208)])
        self.display.x(["xdotool", "click", "1"])
        self.main.wait_gone(dialog)
        self.assertEqual(self.main.close(), 0)


if __name__ == "__main__":
    unittest.main()
