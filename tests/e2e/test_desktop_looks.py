"""How the dialogs look on a real desktop: centred by their whole window, frame included, and the options dialog
following the disk while it is open; a missing Favorites folder reported, never written elsewhere."""
import os
import time
import unittest

from fakebrowser import make_fake_browser
from harness import HTTP_KEY, SCREEN_H, SCREEN_W, E2ETestCase, wait_for

# Options dialog client points: the panel at 6, 6 and the browser group at 13, 125 inside it.
DIRECTED_BROWSER = (6 + 13 + 11 + 6, 6 + 125 + 67 + 8)
PATH_BOX = (6 + 13 + 71 + 136, 6 + 125 + 89 + 10)
# Make-shortcut dialog client point: the second place, "お気に入り(&F)", in the radio group at 51, 70.
FAVORITES_PLACE = (6 + 51 + 8 + 10, 6 + 70 + 17 + 24 + 10)


class DesktopLooksTest(E2ETestCase):
    def viewable(self, wid):
        return "IsViewable" in self.display.x(["xwininfo", "-id", wid])

    def outer(self, app, wid):
        """The window's rectangle with its frame: left, top, width, height."""
        x, y, w, h = app.geometry(wid)
        out = self.display.x(["xprop", "-id", wid, "_NET_FRAME_EXTENTS"])
        left, right, top, bottom = (int(v) for v in out.split("=")[1].split(","))
        return (x - left, y - top, w + left + right, h + top + bottom)

    def settled(self, app, wid):
        """The outer rectangle once the frame is there and the window has stayed put for half a second."""
        wait_for(lambda: "=" in self.display.x(["xprop", "-id", wid, "_NET_FRAME_EXTENTS"]) and
                 self.viewable(wid), 15, what="dialog framed")
        seen = {"rect": None, "since": 0.0}

        def steady():
            rect, now = self.outer(app, wid), time.monotonic()
            if rect != seen["rect"]:
                seen.update(rect=rect, since=now)
            return now - seen["since"] >= 0.5
        wait_for(steady, 15, what="dialog placed")
        return seen["rect"]

    def open_dialog(self, app, keys, name):
        """Presses keys on the main window until the dialog called name is up."""
        def opened():
            found = self.display.x(["xdotool", "search", "--all", "--onlyvisible", "--pid", str(app.proc.pid),
                                    "--name", name]).split()
            if found:
                return found[0]
            app.activate()
            app.key(keys)
            return None
        return wait_for(opened, 15, interval=1.0, what="dialog " + name)

    def close_dialog(self, app, wid):
        self.display.x(["xdotool", "windowactivate", "--sync", wid])
        app.key("Escape")
        wait_for(lambda: not self.viewable(wid), 10, what="dialog closed")

    def click_dialog(self, app, wid, point):
        x, y, _, _ = app.geometry(wid)
        self.display.x(["xdotool", "mousemove", "--sync", str(x + point[0]), str(y + point[1])])
        self.display.x(["xdotool", "click", "1"])

    def test_dialogs_are_centred_by_their_whole_window(self):
        app = self.app().start()
        dialogs = (("ctrl+o", "^設定$"), ("ctrl+t", "^テンプレートの編集$"), ("ctrl+F1", "^バージョン情報$"))
        for keys, name in dialogs:
            with self.subTest(dialog=name):
                dialog = self.open_dialog(app, keys, name)
                left, top, width, height = self.settled(app, dialog)
                self.close_dialog(app, dialog)
                self.assertEqual((left, top), ((SCREEN_W - width) // 2, (SCREEN_H - height) // 2),
                                 (left, top, width, height))

        # The make-shortcut dialog over the main window, both by their whole windows.
        app.click_key(*HTTP_KEY)
        dialog = self.open_dialog(app, "ctrl+s", "^ｲﾝﾀｰﾈｯﾄｼｮｰﾄｶｯﾄの作成$")
        left, top, width, height = self.settled(app, dialog)
        owner_left, owner_top, owner_width, owner_height = self.outer(app, app.wid)
        self.close_dialog(app, dialog)
        self.assertEqual(app.close(), 0)
        centred = (owner_left + (owner_width - width) // 2, owner_top + (owner_height - height) // 2)
        self.assertEqual((left, top), centred, (left, top, width, height, owner_left, owner_top, owner_width,
                                                owner_height))

    def test_options_ok_follows_a_browser_installed_while_open(self):
        program = os.path.join(self.folder, "later", "bin", "mybrowser")
        app = self.app().start()
        dialog = self.open_dialog(app, "ctrl+o", "^設定$")
        self.settled(app, dialog)
        self.click_dialog(app, dialog, DIRECTED_BROWSER)
        self.click_dialog(app, dialog, PATH_BOX)
        self.display.x(["xdotool", "type", "--delay", "20", program])
        # No program there yet: Enter does nothing, however often it is pressed. The presses take a moment to be
        # handled, so the dialog must still be up throughout the second and a half after them.
        for _ in range(3):
            app.key("Return")
        deadline = time.monotonic() + 1.5
        while time.monotonic() < deadline:
            self.assertTrue(self.viewable(dialog))
            time.sleep(0.1)

        # Installed now, with the focus left in the path box: OK takes it without anything else done.
        make_fake_browser(program)

        def confirmed():
            if not self.viewable(dialog):
                return True
            app.key("Return")
            return False
        wait_for(confirmed, 15, interval=1.0, what="dialog confirmed")
        self.assertEqual(app.close(), 0)
        data = app.read_ini()
        self.assertIn(b"DirectedBrowserPath=" + program.encode() + b"\r\n", data)
        self.assertIn(b"UseDirectedBrowser=1\r\n", data)

    def test_missing_favorites_is_reported_not_written_elsewhere(self):
        app = self.app().start()
        app.click_key(*HTTP_KEY)
        dialog = self.open_dialog(app, "ctrl+s", "^ｲﾝﾀｰﾈｯﾄｼｮｰﾄｶｯﾄの作成$")
        self.settled(app, dialog)
        self.click_dialog(app, dialog, FAVORITES_PLACE)
        self.click_dialog(app, dialog, (6 + 16 + 100, 6 + 38 + 11))
        self.display.x(["xdotool", "type", "--delay", "20", "fav"])

        def reported():
            found = self.display.x(["xdotool", "search", "--all", "--onlyvisible", "--pid", str(app.proc.pid),
                                    "--name", "^Velmarinth $"]).split()
            if found:
                return found[0]
            self.display.x(["xdotool", "windowactivate", "--sync", dialog])
            app.key("Return")
            return None
        box = wait_for(reported, 15, interval=1.0, what="error report")
        self.display.x(["xdotool", "windowactivate", "--sync", box])
        # The report names the place the shortcut was meant for; the message box copies its text on Ctrl+C.
        text = (os.path.join(self.folder, "home", "Favorites", "fav.url") + " に書き込めません.").encode()

        def copied():
            app.key("ctrl+c")
            return text in self.display.clipboard()
        wait_for(copied, 10, interval=0.5, what="error text")
        app.answer_error_box()
        app.wait_gone(box)
        self.assertTrue(self.viewable(dialog))
        # Nothing in the program's folder (its working folder), nothing made in the home folder.
        self.assertFalse(os.path.exists(os.path.join(self.folder, "fav.url")))
        self.assertFalse(os.path.exists(os.path.join(self.folder, "home", "Favorites")))
        self.close_dialog(app, dialog)
        self.assertEqual(app.close(), 0)
        self.assertNotIn(b"[MakeIS]", app.read_ini())


if __name__ == "__main__":
    unittest.main()
