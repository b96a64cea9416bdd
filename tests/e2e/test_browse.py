"""Sending the URL to a browser: a fake browser records how it was started."""
import os
import time
import unittest

from fakebrowser import FakeDesktop, make_fake_browser
from harness import BROWSE_BUTTON, CO_KEY, HTTP_KEY, JP_KEY, Q_KEY, WWW_KEY, E2ETestCase, wait_for

URL = "http://www.q.co.jp/"


class BrowseTest(E2ETestCase):
    def setUp(self):
        super().setUp()
        self.desktop = FakeDesktop(os.path.join(self.folder, "desktop"))

    def start(self, ini=b"", url_box=None):
        if url_box is not None:
            ini = b"[Main]\r\nURLBox=" + url_box + b"\r\n" + ini
        with open(os.path.join(self.folder, "Velmarinth.ini"), "wb") as f:
            f.write(ini)
        return self.app(base_env=self.desktop.environment()).start()

    def type_url(self, app):
        for key in (HTTP_KEY, WWW_KEY, Q_KEY, CO_KEY, JP_KEY):
            app.click_key(*key)

    def test_directed_browser_gets_the_url_in_its_folder(self):
        browser = make_fake_browser(os.path.join(self.folder, "browsers", "mybrowser"))
        app = self.start(b"[Option]\r\nDirectedBrowserPath=" + str(browser.path).encode() +
                         b"\r\nUseDirectedBrowser=1\r\n")
        self.type_url(app)
        app.activate()
        app.key("Return")
        launch = browser.wait()
        self.assertEqual(launch.args, [URL])
        self.assertEqual(launch.cwd, os.path.join(self.folder, "browsers"))
        self.assertEqual(app.close(), 0)
        self.assertIn(b"URLBox=" + URL.encode() + b"|\r\n", app.read_ini())

    def test_missing_directed_browser_falls_back_and_switches_off(self):
        browser = self.desktop.install_default_browser()
        app = self.start(b"[Option]\r\nDirectedBrowserPath=/nonexistent/browser\r\nRunWithCommandLine=1\r\n"
                         b"UseDirectedBrowser=1\r\n", url_box=b"www.x|")
        app.click_key(*BROWSE_BUTTON)
        launch = browser.wait()
        self.assertEqual(launch.args, ["www.x"])
        self.assertEqual(launch.cwd, str(self.desktop.bin))
        self.assertEqual(app.close(), 0)
        data = app.read_ini()
        self.assertIn(b"DirectedBrowserPath=/nonexistent/browser\r\n", data)
        self.assertNotIn(b"UseDirectedBrowser", data)

    def test_default_handler_through_the_desktop(self):
        browser = self.desktop.install_default_browser()
        app = self.start(url_box=URL.encode() + b"|")
        app.activate()
        app.key("ctrl+b")
        self.assertEqual(browser.wait().args, [URL])

    def test_fallback_browser_on_the_path(self):
        browser = self.desktop.install_fallback_browser()
        app = self.start(b"[Option]\r\nRunWithCommandLine=1\r\n", url_box=URL.encode() + b"|")
        app.activate()
        app.key("Return")
        self.assertEqual(browser.wait().args, [URL])

    def test_shell_metacharacters_reach_the_browser_as_text(self):
        browser = self.desktop.install_default_browser()
        trap = os.path.join(self.folder, "pwned")
        url = ("http://a/;touch${IFS}%s;$(touch${IFS}%s2)|`touch${IFS}%s3`&'q'" % (trap, trap, trap)).encode()
        app = self.start(b"[Option]\r\nRunWithCommandLine=1\r\n", url_box=b"|" + url)
        app.activate()
        app.key("Return")
        self.assertEqual(browser.wait().args, [url.decode()])
        time.sleep(0.5)
        self.assertEqual([n for n in os.listdir(self.folder) if n.startswith("pwned")], [])

    def test_minimize_after_launch(self):
        browser = self.desktop.install_default_browser()
        app = self.start(b"[Option]\r\nMinimizeAfterExe=1\r\nRunWithCommandLine=1\r\n", url_box=URL.encode() + b"|")
        app.activate()
        app.key("Return")
        browser.wait()
        wait_for(lambda: "Iconic" in self.display.x(["xprop", "-id", app.wid, "WM_STATE"]), 5, what="iconified")

    def test_disabled_enter_does_nothing(self):
        browser = self.desktop.install_default_browser()
        app = self.start(url_box=b"ftp://x|")
        app.activate()
        app.key("Return")
        time.sleep(0.5)
        self.assertFalse(browser.started())
        self.assertEqual(app.close(), 0)
        self.assertIn(b"URLBox=ftp://x|\r\n", app.read_ini())


if __name__ == "__main__":
    unittest.main()
