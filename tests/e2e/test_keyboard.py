"""The on-screen keyboard driven by real X input: Caps Lock following the keyboard, held caret keys, and text
pasted from another program."""
import os
import re
import subprocess
import time
import unittest

from harness import E2ETestCase, wait_for

CAPS_KEY = (182, 159, 70, 20)
UPPER_CASE_CAPTION = "#00FFFF"  # the Caps Lock key's caption colour while the letters are upper case
Q_KEY = (10, 110, 23, 23)
FAST_LEFT = (301, 36, 30, 20)
FAST_RIGHT = (331, 36, 30, 20)


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)


def caps_lock_on(display):
    return re.search(r"Caps Lock:\s+on", display.x(["xset", "q"])) is not None


def characters(data):
    """Splits code page 932 bytes into characters (a lead byte takes the next byte)."""
    chars, i = [], 0
    while i < len(data):
        step = 2 if (0x81 <= data[i] <= 0x9F or 0xE0 <= data[i] <= 0xFC) and i + 1 < len(data) else 1
        chars.append(data[i:i + step])
        i += step
    return chars


class KeyboardTest(E2ETestCase):
    def url_box(self, app):
        for line in app.read_ini().split(b"\r\n"):
            if line.startswith(b"URLBox="):
                return line[len(b"URLBox="):]
        return b""

    def test_caps_lock_follows_the_keyboard(self):
        if caps_lock_on(self.display):
            self.display.x(["xdotool", "key", "Caps_Lock"])
        write(os.path.join(self.folder, "Velmarinth.ini"), b"[Option]\r\nSyncCapsLock=1\r\n")
        app = self.app().start()
        app.activate()
        # The physical key switches the on-screen letters at the next idle moment.
        self.display.x(["xdotool", "key", "Caps_Lock"])
        wait_for(lambda: caps_lock_on(self.display), 5, what="Caps Lock on")
        wait_for(lambda: app.shows_colour(CAPS_KEY, UPPER_CASE_CAPTION), 10, what="upper-case keys")
        app.click_key(*Q_KEY)
        # Clicking the on-screen key switches the keyboard's Caps Lock off again.
        app.click_key(*CAPS_KEY)
        wait_for(lambda: not caps_lock_on(self.display), 5, what="Caps Lock off")
        wait_for(lambda: not app.shows_colour(CAPS_KEY, UPPER_CASE_CAPTION), 10, what="lower-case keys")
        app.click_key(*Q_KEY)
        self.assertEqual(app.close(), 0)
        data = app.read_ini()
        self.assertIn(b"URLBox=Qq|\r\n", data)
        self.assertNotIn(b"\r\nCapsLock=", data)

    def test_caps_key_without_sync_leaves_the_keyboard_alone(self):
        app = self.app().start()
        before = caps_lock_on(self.display)
        app.click_key(*CAPS_KEY)
        time.sleep(0.3)
        self.assertEqual(caps_lock_on(self.display), before)
        app.click_key(*Q_KEY)
        self.assertEqual(app.close(), 0)
        self.assertIn(b"CapsLock=1\r\nURLBox=Q|\r\n", app.read_ini())

    def test_holding_fast_left_repeats_over_double_byte_text(self):
        text = "aポ".encode("cp932") * 100  # 200 characters, 300 bytes
        write(os.path.join(self.folder, "Velmarinth.ini"), b"[Main]\r\nURLBox=" + text + b"|\r\n")
        app = self.app().start()
        x, y = app.client_point(FAST_LEFT[0] + 15, FAST_LEFT[1] + 10)
        self.display.x(["xdotool", "mousemove", "--sync", str(x), str(y)])
        self.display.x(["xdotool", "mousedown", "1"])
        time.sleep(2.0)
        self.display.x(["xdotool", "mouseup", "1"])
        time.sleep(0.2)
        # A short click moves one character more.
        app.click_key(*FAST_LEFT)
        self.assertEqual(app.close(), 0)
        stored = characters(self.url_box(app))
        marker = stored.index(b"|")  # the first "|" that is a character of its own
        chars = stored[:marker]
        self.assertEqual(b"".join(chars + stored[marker + 1:]), text)
        moved = 200 - len(chars)
        # 2 s held: one step at 500 ms, then about one every 30 ms, one on release, one for the click.
        self.assertGreaterEqual(moved, 30, moved)
        self.assertLessEqual(moved, 60, moved)

    def test_pasted_lines_never_reach_the_settings_file(self):
        text = b"http://a/\r\n[Option]\r\nUseDirectedBrowser=1\r\nDirectedBrowserPath=~/evil"
        # xclip owns the clipboard, as a web browser would, until it is ended.
        env = dict(os.environ, DISPLAY=self.display.name)
        owner = subprocess.Popen(["xclip", "-quiet", "-selection", "clipboard", "-i"], stdin=subprocess.PIPE,
                                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=env)
        self.addCleanup(owner.wait)
        self.addCleanup(owner.kill)
        owner.stdin.write(text)
        owner.stdin.close()
        wait_for(lambda: self.display.clipboard() == text, 10, what="clipboard text")
        app = self.app().start()
        app.activate()
        app.key("ctrl+v")
        self.assertEqual(app.close(), 0)
        data = app.read_ini()
        self.assertIn(b"\r\n[Main]\r\n", data)
        self.assertIn(b"\r\nURLBox=http://a/|\r\n", data)
        self.assertNotIn(b"[Option]", data)
        self.assertNotIn(b"Browser", data)


if __name__ == "__main__":
    unittest.main()
