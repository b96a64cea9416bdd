"""Start-up, settings file and shutdown of the real program under a window manager."""
import os
import signal
import stat
import subprocess
import time
import unittest

from harness import HEADER, HTTP_KEY, SCREEN_H, SCREEN_W, E2ETestCase, Inotify, read_file, wait_for

WWW_KEY = (76, 59, 53, 23)
Q_KEY = (10, 110, 23, 23)
CAPS_KEY = (182, 159, 70, 20)


def frame_rect(app):
    x, y, w, h = app.geometry()
    left, right, top, bottom = app.frame_extents()
    return x - left, y - top, w + left + right, h + top + bottom


def main_section(left, top, *lines):
    body = b"".join(line + b"\r\n" for line in lines)
    return HEADER + b"[Main]\r\nLeft=%d\r\nTop=%d\r\n" % (left, top) + body + b"\r\n"


class LifecycleTest(E2ETestCase):
    def test_first_start_clicks_close_and_restart(self):
        app = self.app().start()
        wait_for(lambda: os.path.exists(app.ini), what="settings file")
        self.assertEqual(app.read_ini(), b"", "first start leaves an empty settings file")
        fx, fy, fw, fh = frame_rect(app)
        self.assertEqual((fx, fy), ((SCREEN_W - fw) // 2, (SCREEN_H - fh) // 2), "centred on the screen")

        app.click_key(*HTTP_KEY)
        app.click_key(*WWW_KEY)
        self.assertEqual(app.close(), 0)
        self.assertEqual(app.read_ini(), main_section(fx, fy, b"URLBox=http://www.|"))

        # The caret comes back at 11: a letter goes after "www.", and the window stays where it was.
        again = self.app().start()
        self.assertEqual(frame_rect(again)[:2], (fx, fy))
        again.click_key(*Q_KEY)
        self.assertEqual(again.close(), 0)
        self.assertEqual(again.read_ini(), main_section(fx, fy, b"URLBox=http://www.q|"))

    def test_caps_key_survives_restart(self):
        app = self.app().start()
        app.click_key(*CAPS_KEY)
        app.click_key(*Q_KEY)
        self.assertEqual(app.close(), 0)
        data = app.read_ini()
        self.assertIn(b"CapsLock=1\r\nURLBox=Q|\r\n", data)
        again = self.app().start()
        again.click_key(*Q_KEY)
        self.assertEqual(again.close(), 0)
        self.assertIn(b"CapsLock=1\r\nURLBox=QQ|\r\n", again.read_ini())

    def test_window_is_kept_inside_the_work_area(self):
        with open(os.path.join(self.folder, "Velmarinth.ini"), "wb") as f:
            f.write(b"[Main]\r\nLeft=-5000\r\nTop=20000\r\n")
        app = self.app().start()
        wait_for(lambda: frame_rect(app)[0] == 0 and frame_rect(app)[1] + frame_rect(app)[3] == SCREEN_H,
                 5, what="window inside the work area")
        fx, fy, _, _ = frame_rect(app)
        self.assertEqual(app.close(), 0)
        self.assertEqual(app.read_ini(), main_section(fx, fy))

    def test_top_most_window_and_the_options_dialog(self):
        with open(os.path.join(self.folder, "Velmarinth.ini"), "wb") as f:
            f.write(b"[Main]\r\nTopMost=1\r\n")
        app = self.app().start()

        def above():
            return "_NET_WM_STATE_ABOVE" in self.display.x(["xprop", "-id", app.wid, "_NET_WM_STATE"])

        wait_for(above, 5, what="top-most from the first appearance")
        self.assertNotIn("MAXIMIZE", self.display.x(["xprop", "-id", app.wid, "_NET_WM_ALLOWED_ACTIONS"]))
        app.activate()
        app.key("ctrl+o")
        dialog = app.find_window("^設定$")
        self.assertNotIn("MAXIMIZE", self.display.x(["xprop", "-id", dialog, "_NET_WM_ALLOWED_ACTIONS"]))
        wait_for(lambda: not above(), 5, what="out of the top-most band while the options dialog is open")
        # It stays out for as long as the dialog is open, however busy the program is meanwhile.
        for step in range(6):
            self.display.x(["xdotool", "mousemove", "--window", dialog, "--sync", str(20 + 10 * step), "40"])
            time.sleep(0.15)
            self.assertFalse(above(), "top-most came back while the options dialog is open")
        self.display.x(["xdotool", "windowactivate", "--sync", dialog])
        app.key("Escape")
        wait_for(above, 5, what="top-most again after the dialog")
        app.activate()
        app.key("ctrl+m")
        wait_for(lambda: not above(), 5, what="top-most switched off")
        self.assertEqual(app.close(), 0)
        self.assertNotIn(b"TopMost", app.read_ini())

    def test_top_most_follows_the_window_manager(self):
        app = self.app().start()

        def above():
            return "_NET_WM_STATE_ABOVE" in self.display.x(["xprop", "-id", app.wid, "_NET_WM_STATE"])

        def window_manager_puts_it_on_top():
            self.display.x(["wmctrl", "-i", "-r", app.wid, "-b", "add,above"])
            wait_for(above, 5, what="on top by the window manager")

        # The check mark followed the window manager, so the command now takes the window off.
        window_manager_puts_it_on_top()
        app.activate()
        app.key("ctrl+m")
        wait_for(lambda: not above(), 5, what="top-most switched off by the command")
        window_manager_puts_it_on_top()
        self.assertEqual(app.close(), 0)
        self.assertIn(b"TopMost=1\r\n", app.read_ini())

        again = self.app().start()
        wait_for(lambda: "_NET_WM_STATE_ABOVE" in self.display.x(["xprop", "-id", again.wid, "_NET_WM_STATE"]), 5,
                 what="top-most at the next start")
        self.display.x(["wmctrl", "-i", "-r", again.wid, "-b", "remove,above"])
        wait_for(lambda: "_NET_WM_STATE_ABOVE" not in self.display.x(["xprop", "-id", again.wid, "_NET_WM_STATE"]),
                 5, what="taken off the top by the window manager")
        self.assertEqual(again.close(), 0)
        self.assertNotIn(b"TopMost", again.read_ini())

    def test_command_line_is_ignored(self):
        # Qt's own options would rename the window, mirror it, or move it to another display server.
        app = self.app().start(args=["-qwindowtitle", "Other", "-reverse", "-platform", "offscreen", "www.x"])
        app.click_key(*HTTP_KEY)
        self.assertEqual(app.close(), 0)
        self.assertIn(b"URLBox=http://|\r\n", app.read_ini())

    def test_settings_write_failing_at_session_end_is_reported_without_a_box(self):
        address = "unix:path=" + os.path.join(self.folder, "bus")
        bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--address=" + address],
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        monitor = None
        try:
            wait_for(lambda: os.path.exists(os.path.join(self.folder, "bus")), what="session bus")
            log = open(os.path.join(self.folder, "notifications.log"), "w")
            monitor = subprocess.Popen(["dbus-monitor", "--address", address,
                                        "interface='org.freedesktop.Notifications',member='Notify'"],
                                       stdout=log, stderr=subprocess.DEVNULL)
            log.close()
            app = self.app().start(env={"DBUS_SESSION_BUS_ADDRESS": address})
            wait_for(lambda: os.path.exists(app.ini), what="settings file")
            # A folder in the file's place can be neither read nor replaced, even by root.
            os.remove(app.ini)
            os.mkdir(app.ini)
            app.proc.send_signal(signal.SIGTERM)
            self.assertEqual(app.wait_exit(10), 0, "the end of the session is not held up")
            message = "ファイル %s は開けません." % app.ini
            self.assertIn(message, read_file(os.path.join(self.folder, "stderr.log")).decode())
            wait_for(lambda: message in read_file(os.path.join(self.folder, "notifications.log")).decode(), 5,
                     what="desktop notification")
        finally:
            for proc in (monitor, bus):
                if proc:
                    proc.terminate()
                    proc.wait()

    def test_sigterm_writes_settings_once(self):
        app = self.app().start()
        app.click_key(*WWW_KEY)
        time.sleep(0.3)
        watch = Inotify(self.folder)
        try:
            app.proc.send_signal(signal.SIGTERM)
            self.assertEqual(app.wait_exit(10), 0)
            time.sleep(0.2)
            writes = [name for _, name in watch.events() if name == "Velmarinth.ini"]
        finally:
            watch.close()
        self.assertEqual(len(writes), 1, "settings written exactly once")
        self.assertIn(b"URLBox=www.|\r\n", app.read_ini())

    def run_with_unusable_settings(self, mode, folder_owner):
        """Runs the program as an unprivileged user on a settings file it cannot use: the error report shows
        at start-up and again at the close, the window still closes, and the file is left as it was."""
        if os.geteuid() != 0:
            self.skipTest("needs root to run the program as another user")
        original = b"[Main]\r\nLeft=10\r\nTop=20\r\n"
        ini = os.path.join(self.folder, "Velmarinth.ini")
        with open(ini, "wb") as f:
            f.write(original)
        os.chmod(ini, mode)
        # The user's own file: one of another user's beside the program would not be used at all.
        os.chown(ini, 65534, 65534)
        os.makedirs(os.path.join(self.folder, "home"), exist_ok=True)
        os.chown(os.path.join(self.folder, "home"), 65534, 65534)
        os.chown(self.folder, folder_owner, folder_owner)
        app = self.app(user=65534).start(wait=False)
        for _ in range(2):
            app.answer_error_box()
            if app.wid is None:
                app.wid = app.find_window("^Velmarinth$")
                app.activate()
                app.key("alt+F4")
        self.assertEqual(app.wait_exit(10), 0)
        os.chmod(ini, 0o644)
        self.assertEqual(app.read_ini(), original)
        self.assertEqual([n for n in os.listdir(self.folder) if n.startswith("Velmarinth.ini")], ["Velmarinth.ini"])

    def test_read_only_folder_reports_and_still_closes(self):
        self.run_with_unusable_settings(0o644, 0)

    def test_unreadable_file_is_reported_and_never_overwritten(self):
        self.run_with_unusable_settings(0o000, 65534)


class BadSettingsTest(E2ETestCase):
    CASES = {
        "nul bytes": (b"[Main]\r\nURLBox=ab\0cd|\r\nTopMost=0\0\r\n", None),
        "invalid shift-jis": (b"[Main]\r\nURLBox=http://\x81\xff\x83|x\r\n", None),
        "ten megabyte line": (b"[Main]\r\nURLBox=" + b"w" * (10 * 1024 * 1024) + b"\r\n", None),
        "only garbage": (bytes(range(256)) * 64, b""),
    }

    def test_bad_files_start_with_defaults(self):
        for name, (content, rewritten) in self.CASES.items():
            with self.subTest(name):
                folder = os.path.join(self.folder, name.replace(" ", "-"))
                os.makedirs(folder)
                ini = os.path.join(folder, "Velmarinth.ini")
                with open(ini, "wb") as f:
                    f.write(content)
                app = self.app(folder=folder).start()
                wait_for(lambda: read_file(ini) != content, 10, what="start-up rewrite")
                if rewritten is not None:
                    self.assertEqual(read_file(ini), rewritten)
                self.assertIsNone(app.proc.poll())
                self.assertEqual(app.close(), 0)
                self.assertTrue(read_file(ini).startswith(b";****"))


if __name__ == "__main__":
    unittest.main()
