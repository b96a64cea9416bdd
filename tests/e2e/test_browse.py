"""Sending the URL to a browser: a fake browser records how it was started."""
import os
import time
import unittest

import harness
from fakebrowser import FakeDesktop, make_fake_browser
from harness import BROWSE_BUTTON, CO_KEY, HTTP_KEY, JP_KEY, Q_KEY, WWW_KEY, E2ETestCase, wait_for

URL = "http://www.q.co.jp/"
# A dropped shortcut's URL: the box shows only the address, and split at its blanks the rest would be an
# option that browsers built on Chromium run as a command.
HOSTILE = "http://example.com/" + " " * 150 + "--gpu-launcher=\"sh -c 'touch %s'\""
HOSTILE_ARGUMENT = "http://example.com/" + "%20" * 150 + "--gpu-launcher=%22sh%20-c%20'touch%20{}'%22"


class PlainApp(harness.App):
    """The program started as a desktop starts it: no QT_QPA_PLATFORM unless the user set one."""

    def __init__(self, *args, user_platform=None, **kwargs):
        super().__init__(*args, **kwargs)
        self.user_platform = user_platform

    def env(self):
        env = super().env()
        env.pop("QT_QPA_PLATFORM", None)
        if self.user_platform:
            env["QT_QPA_PLATFORM"] = self.user_platform
        return env


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
        # What a URL cannot hold arrives percent-encoded; the shell's own characters that a URL may hold stay.
        self.assertEqual(browser.wait().args,
                         ["http://a/;touch$%%7BIFS%%7D%s;$(touch$%%7BIFS%%7D%s2)%%7C%%60touch$%%7BIFS%%7D%s3%%60&'q'"
                          % (trap, trap, trap)])
        time.sleep(0.5)
        self.assertEqual([n for n in os.listdir(self.folder) if n.startswith("pwned")], [])

    def modes(self):
        """The three ways a browser is started, each with the browser that records it: a chosen program, the
        default browser with the URL on its command line, and the desktop's own opener."""
        chosen = make_fake_browser(os.path.join(self.folder, "browsers", "chosen"))
        default = self.desktop.install_default_browser()
        return {
            "chosen program": (b"[Option]\r\nDirectedBrowserPath=" + str(chosen.path).encode() +
                               b"\r\nUseDirectedBrowser=1\r\n", chosen),
            "command line": (b"[Option]\r\nRunWithCommandLine=1\r\n", default),
            "desktop opener": (b"", default),
        }

    def test_one_argument_in_every_mode(self):
        """The URL is one argument, byte for byte the same in every mode; a text that begins with "-" (which
        the URL rule never lets through) starts nothing."""
        for mode, (ini, browser) in self.modes().items():
            with self.subTest(mode):
                browser.clear()  # a failed mode before must not leave its record for this one
                trap = os.path.join(self.folder, "pwned-" + mode.replace(" ", "-"))
                app = self.start(ini, url_box=(HOSTILE % trap).encode() + b"|")
                app.activate()
                app.key("Return")
                launch = browser.wait()
                self.assertEqual(launch.args, [HOSTILE_ARGUMENT.format(trap)])
                browser.clear()
                app.key("Home", "minus")
                app.key("Return")
                time.sleep(1)
                self.assertFalse(browser.started())
                self.assertEqual(app.close(), 0)
                self.assertIn(b"URLBox=-|http://example.com/", app.read_ini())
                self.assertFalse(os.path.exists(trap))

    def test_browser_gets_the_environment_the_program_was_given(self):
        """Choosing XWayland for itself, the program sets QT_QPA_PLATFORM=xcb; the browsers it starts must not
        inherit that. A platform the user chose is passed on."""
        modes = self.modes()
        cases = (("command line", None), ("desktop opener", None), ("chosen program", "xcb"))
        for mode, user_platform in cases:
            with self.subTest(mode=mode, user_platform=user_platform):
                ini, browser = modes[mode]
                browser.clear()
                with open(os.path.join(self.folder, "Velmarinth.ini"), "wb") as f:
                    f.write(b"[Main]\r\nURLBox=" + URL.encode() + b"|\r\n" + ini)
                app = PlainApp(self.display, self.folder, base_env=self.desktop.environment(),
                               user_platform=user_platform)
                self.apps.append(app)
                app.start()
                app.activate()
                app.key("Return")
                self.assertEqual(browser.wait().args, [URL])
                env = browser.environment()
                self.assertEqual(env.get("QT_QPA_PLATFORM"), user_platform)
                self.assertEqual(env.get("HOME"), str(self.desktop.home))
                browser.clear()
                self.assertEqual(app.close(), 0)

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
