"""The options dialog through real input: choosing a browser program, and what OK leaves in the settings file."""
import os
import re
import unittest

from fakebrowser import FakeDesktop, make_fake_browser
from harness import BROWSE_BUTTON, CO_KEY, HTTP_KEY, JP_KEY, Q_KEY, WWW_KEY, HEADER, E2ETestCase, wait_for

URL = "http://www.q.co.jp/"

# Dialog client points: the panel at 6, 6 and the browser group at 13, 125 inside it.
SHOW_TOOLTIP = (6 + 17 + 6, 6 + 35 + 8)
SAVE_URL_BOX = (6 + 17 + 6, 6 + 77 + 8)
DIRECTED_BROWSER = (6 + 13 + 11 + 6, 6 + 125 + 67 + 8)
PATH_BOX = (6 + 13 + 71 + 136, 6 + 125 + 89 + 10)


class OptionsTest(E2ETestCase):
    def above(self, app):
        return "_NET_WM_STATE_ABOVE" in self.display.x(["xprop", "-id", app.wid, "_NET_WM_STATE"])

    def click_dialog(self, dialog, point):
        x, y, _, _ = self.current.geometry(dialog)
        self.display.x(["xdotool", "mousemove", "--sync", str(x + point[0]), str(y + point[1])])
        self.display.x(["xdotool", "click", "1"])

    def test_chosen_browser_gets_the_url_and_the_file_holds_the_choice(self):
        desktop = FakeDesktop(os.path.join(self.folder, "desktop"))
        browser = make_fake_browser(os.path.join(self.folder, "browsers", "mybrowser"))
        with open(os.path.join(self.folder, "Velmarinth.ini"), "wb") as f:
            f.write(b"[Main]\r\nTopMost=1\r\n")
        app = self.current = self.app(base_env=desktop.environment()).start()
        wait_for(lambda: self.above(app), 10, what="main window on top")

        app.activate()
        app.key("ctrl+o")
        dialog = app.find_window("^設定$")
        wait_for(lambda: "IsViewable" in self.display.x(["xwininfo", "-id", dialog]), 10, what="dialog shown")
        wait_for(lambda: not self.above(app), 10, what="main window off top while the dialog is open")

        self.click_dialog(dialog, SHOW_TOOLTIP)
        self.click_dialog(dialog, SAVE_URL_BOX)
        self.click_dialog(dialog, DIRECTED_BROWSER)
        self.click_dialog(dialog, PATH_BOX)
        self.display.x(["xdotool", "type", "--delay", "20", str(browser.path)])
        # OK becomes enabled at the next idle moment, and Enter does nothing before: press it until the dialog goes.
        def confirmed():
            if "IsViewable" not in self.display.x(["xwininfo", "-id", dialog]):
                return True
            app.key("Return")
            return False
        wait_for(confirmed, 15, interval=1.0, what="dialog confirmed")
        wait_for(lambda: self.above(app), 10, what="main window back on top")

        for key in (HTTP_KEY, WWW_KEY, Q_KEY, CO_KEY, JP_KEY, BROWSE_BUTTON):
            app.click_key(*key)
        self.assertEqual(browser.wait().args, [URL])

        self.assertEqual(app.close(), 0)
        data = app.read_ini()
        found = re.match(rb"^.*\[Main\]\r\nLeft=(-?\d+)\r\nTop=(-?\d+)\r\n", data, re.S)
        self.assertTrue(found, data)
        expected = (HEADER + b"[Main]\r\nLeft=" + found.group(1) + b"\r\nTop=" + found.group(2) +
                    b"\r\nTopMost=1\r\n\r\n[Option]\r\nDirectedBrowserPath=" + str(browser.path).encode() +
                    b"\r\nShowToolTip=0\r\nSaveURLBox=0\r\nUseDirectedBrowser=1\r\n\r\n")
        self.assertEqual(data, expected)


if __name__ == "__main__":
    unittest.main()
