"""The interface in the desktop's language, through real input and what a screen reader hears (AT-SPI)."""
import json
import os
import shutil
import subprocess
import unittest

import harness
from fakebrowser import FakeDesktop, make_fake_browser
from harness import CO_KEY, HTTP_KEY, JP_KEY, Q_KEY, WWW_KEY, E2ETestCase, read_file, wait_for

HERE = os.path.dirname(os.path.abspath(__file__))
# pyatspi is a package of the system's Python, whichever Python runs the tests.
SYSTEM_PYTHON = "/usr/bin/python3"


class LanguageTest(E2ETestCase):
    def setUp(self):
        super().setUp()
        self.address = "unix:path=" + os.path.join(self.folder, "bus")
        self.services = [subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--address=" + self.address],
                                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)]
        wait_for(lambda: os.path.exists(os.path.join(self.folder, "bus")), what="session bus")
        # The accessibility bus, through which a screen reader reads the program.
        self.services.append(subprocess.Popen(
            ["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
            env=dict(os.environ, DBUS_SESSION_BUS_ADDRESS=self.address, DISPLAY=self.display.name),
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        # A desktop whose text viewer records the manual that Help opens.
        self.desktop = FakeDesktop(os.path.join(self.folder, "desktop"))
        self.viewer = make_fake_browser(self.desktop.bin / "fakeviewer")
        self.desktop.write_desktop_entry("velfake-viewer.desktop", "fakeviewer %f", name="Fake Viewer")
        self.desktop.set_default("velfake-viewer.desktop", ("text/plain",))

    def tearDown(self):
        super().tearDown()
        for service in reversed(self.services):
            service.terminate()
            service.wait()

    def start(self, lang, folder):
        os.makedirs(folder, exist_ok=True)
        # Both manuals beside the program, as the build puts them.
        for manual in ("Velmarinth.txt", "Velmarinth_en.txt"):
            shutil.copy2(os.path.join(os.path.dirname(harness.BINARY), manual), folder)
        environment = {name: value for name, value in self.desktop.environment({}).items()
                       if name.startswith("XDG_") or name == "PATH"}
        environment.update({"LANG": lang, "LANGUAGE": "", "LC_ALL": "", "LC_MESSAGES": "",
                            "DBUS_SESSION_BUS_ADDRESS": self.address, "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1"})
        return self.app(folder=folder).start(env=environment)

    def manual_opened(self, app):
        """The file Help (F1) hands to the desktop's text viewer."""
        self.viewer.clear()
        app.activate()
        app.key("F1")
        return self.viewer.wait().args[-1]

    def heard(self, app):
        """The menu bar's titles and the buttons' names and descriptions, as a screen reader gets them."""
        def read():
            out = subprocess.run([SYSTEM_PYTHON, os.path.join(HERE, "atspi_names.py"), str(app.proc.pid)],
                                 env=dict(os.environ, DBUS_SESSION_BUS_ADDRESS=self.address,
                                          DISPLAY=self.display.name),
                                 capture_output=True, text=True, timeout=60)
            found = json.loads(out.stdout or "{}")
            return found if found.get("menus") else None
        return wait_for(read, 30, interval=1.0, what="accessible tree")

    def failed_shortcut(self, app, title):
        """Types a URL with the keys, makes a shortcut that cannot be written, and returns the error's text."""
        app.activate()
        for key in (HTTP_KEY, WWW_KEY, Q_KEY, CO_KEY, JP_KEY):
            app.click_key(*key)
        app.activate()

        def opened():
            found = self.display.x(["xdotool", "search", "--all", "--onlyvisible", "--pid", str(app.proc.pid),
                                    "--name", title]).split()
            if not found:
                app.key("ctrl+s")
            return found[0] if found else None
        dialog = wait_for(opened, 15, interval=0.5, what="make-shortcut dialog")
        self.display.x(["xdotool", "windowactivate", "--sync", dialog])
        self.display.x(["xdotool", "type", "--delay", "20", "nosuch/x"])
        app.key("Return")
        box = app.find_window("^Velmarinth $")
        self.display.x(["xdotool", "windowactivate", "--sync", box])

        def copied():
            app.key("ctrl+c")
            return self.display.clipboard()
        text = wait_for(copied, 10, interval=0.5, what="error text").decode()
        app.answer_error_box()
        app.wait_gone(box)
        self.display.x(["xdotool", "windowactivate", "--sync", dialog])
        app.key("Escape")
        return text

    def test_english_desktop_reads_english_and_stores_the_same_bytes(self):
        stored = {}
        for lang, folder in (("C.UTF-8", "ja"), ("en_US.UTF-8", "en")):
            app = self.start(lang, os.path.join(self.folder, folder))
            heard = self.heard(app)
            buttons = dict(heard["buttons"])
            manual = "Velmarinth_en.txt" if folder == "en" else "Velmarinth.txt"
            self.assertEqual(self.manual_opened(app), os.path.join(self.folder, folder, manual))
            if folder == "en":
                self.assertEqual(heard["menus"], ["File", "Templates", "Options", "Help"])
                self.assertEqual(buttons.get("-"), "Hyphen")
                error = self.failed_shortcut(app, "^Make Internet Shortcut$")
                self.assertIn("Cannot write to ", error)
                self.assertIn(os.path.join("nosuch", "x.url"), error)
            else:
                self.assertEqual(heard["menus"], ["ファイル(F)", "テンプレート(T)", "設定(O)", "ヘルプ(H)"])
                self.assertEqual(buttons.get("-"), "ハイフン")
                error = self.failed_shortcut(app, "^ｲﾝﾀｰﾈｯﾄｼｮｰﾄｶｯﾄの作成$")
                self.assertIn(" に書き込めません.", error)
            self.assertEqual(app.close(), 0)
            stored[folder] = read_file(app.ini)
        self.assertIn(b"URLBox=http://www.q.co.jp/|\r\n", stored["ja"])
        self.assertEqual(stored["en"], stored["ja"])


if __name__ == "__main__":
    unittest.main()
