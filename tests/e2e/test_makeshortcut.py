"""Making an Internet Shortcut through real input: the file on the desktop, a write that fails, the stored place."""
import os
import unittest

from harness import CO_KEY, HTTP_KEY, JP_KEY, Q_KEY, WWW_KEY, E2ETestCase, read_file, wait_for

URL = b"http://www.q.co.jp/"
DIALOG = "^ｲﾝﾀｰﾈｯﾄｼｮｰﾄｶｯﾄの作成$"
MAKE_BUTTON = (77, 198, 88, 21)  # "作成", in the dialog's client area


def shortcut(url):
    return b"[InternetShortcut]\r\nURL=" + url + b"\r\n"


class MakeShortcutTest(E2ETestCase):
    def setUp(self):
        super().setUp()
        # The desktop folder as the XDG user folders name it, in the test's own home.
        home = os.path.join(self.folder, "home")
        self.desktop = os.path.join(home, "Arbeitsfläche")
        os.makedirs(self.desktop)
        os.makedirs(os.path.join(home, ".config"))
        with open(os.path.join(home, ".config", "user-dirs.dirs"), "w", encoding="utf-8") as f:
            f.write('XDG_DESKTOP_DIR="$HOME/Arbeitsfläche"\n')

    def viewable(self, wid):
        return "IsViewable" in self.display.x(["xwininfo", "-id", wid])

    def open_dialog(self, app):
        """Types the URL with the keys and opens the dialog with Ctrl+S."""
        app.activate()
        for key in (HTTP_KEY, WWW_KEY, Q_KEY, CO_KEY, JP_KEY):
            app.click_key(*key)
        app.activate()
        # The command is enabled at the next idle moment after the last key.
        def opened():
            found = self.display.x(["xdotool", "search", "--all", "--onlyvisible", "--pid", str(app.proc.pid),
                                    "--name", DIALOG]).split()
            if found:
                return found[0]
            app.key("ctrl+s")
            return None
        dialog = wait_for(opened, 15, interval=0.5, what="make-shortcut dialog")
        wait_for(lambda: self.viewable(dialog), 10, what="dialog shown")
        self.display.x(["xdotool", "windowactivate", "--sync", dialog])
        return dialog

    def type_name(self, name):
        self.display.x(["xdotool", "type", "--delay", "20", name])

    def make_caption_shown(self, app, dialog):
        """Whether "作成" shows its caption in the dark of an enabled button: greyed out, no pixel of it is darker
        than #606060."""
        x, y, _, _ = app.geometry(dialog)
        left, top, width, height = MAKE_BUTTON
        out = self.display.x(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (width, height, x + left, y + top),
                              "-depth", "8", "txt:-"])
        dark = 0
        for line in out.splitlines()[1:]:
            colour = line.split()[2] if len(line.split()) > 2 else ""
            if colour.startswith("#") and max(int(colour[i:i + 2], 16) for i in (1, 3, 5)) < 0x60:
                dark += 1
        return dark >= 10

    def press_enter_once(self, app, dialog):
        """One Enter, once "作成" is drawn enabled: the idle moment after the last key has enabled it, and from
        then on a single press must do it."""
        wait_for(lambda: self.make_caption_shown(app, dialog), 15, 0.2, what='"作成" enabled')
        app.key("Return")

    def test_shortcut_on_the_desktop(self):
        app = self.app().start()
        dialog = self.open_dialog(app)
        self.type_name("link")
        target = os.path.join(self.desktop, "link.url")
        self.press_enter_once(app, dialog)
        wait_for(lambda: os.path.exists(target), 15, what="shortcut written")
        wait_for(lambda: not self.viewable(dialog), 10, what="dialog closed")
        self.assertEqual(read_file(target), shortcut(URL))
        self.assertEqual(sorted(os.listdir(self.desktop)), ["link.url"])
        self.assertEqual(app.close(), 0)
        self.assertNotIn(b"[MakeIS]", app.read_ini())

    def test_failed_write_is_reported_and_the_dialog_keeps_the_name(self):
        app = self.app().start()
        dialog = self.open_dialog(app)
        self.type_name("nosuch/x")
        self.press_enter_once(app, dialog)
        box = app.find_window("^Velmarinth $")
        self.display.x(["xdotool", "windowactivate", "--sync", box])
        # The message box gives its text to the clipboard on Ctrl+C.
        target = os.path.join(self.desktop, "nosuch", "x.url")
        text = (target + " に書き込めません.").encode()
        def copied():
            app.key("ctrl+c")
            return text in self.display.clipboard()
        wait_for(copied, 10, interval=0.5, what="error text")
        app.answer_error_box()
        app.wait_gone(box)
        self.assertTrue(self.viewable(dialog))

        # The name is still there: with the folder made, the same Enter writes the file.
        os.makedirs(os.path.join(self.desktop, "nosuch"))
        self.display.x(["xdotool", "windowactivate", "--sync", dialog])
        self.press_enter_once(app, dialog)
        wait_for(lambda: os.path.exists(target), 15, what="shortcut written")
        self.assertEqual(read_file(target), shortcut(URL))
        wait_for(lambda: not self.viewable(dialog), 10, what="dialog closed")
        self.assertEqual(app.close(), 0)

    def test_stored_place_beyond_the_last_opens_the_folder_dialog(self):
        chosen = os.path.join(self.folder, "chosen")
        os.makedirs(chosen)
        with open(os.path.join(self.folder, "Velmarinth.ini"), "wb") as f:
            f.write(b"[MakeIS]\r\nTargetFolderIndex=7\r\nTargetFolder=" + chosen.encode() + b"/\r\n")
        app = self.app().start()
        dialog = self.open_dialog(app)
        self.type_name("there")
        # The third place is selected: "作成" opens the folder dialog, with the stored folder preselected.
        self.press_enter_once(app, dialog)
        folders = app.find_window("^フォルダの参照$")
        self.display.x(["xdotool", "windowactivate", "--sync", folders])
        app.key("Return")
        target = os.path.join(chosen, "there.url")
        wait_for(lambda: os.path.exists(target), 15, what="shortcut written")
        self.assertEqual(read_file(target), shortcut(URL))
        wait_for(lambda: not self.viewable(dialog), 10, what="dialog closed")
        self.assertEqual(app.close(), 0)
        self.assertIn(b"[MakeIS]\r\nTargetFolderIndex=2\r\nTargetFolder=" + chosen.encode() + b"/\r\n",
                      app.read_ini())


if __name__ == "__main__":
    unittest.main()
