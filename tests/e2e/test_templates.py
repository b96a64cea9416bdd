"""The template menu, adding a template and the editor, through real X input."""
import os
import unittest

from harness import HEADER, E2ETestCase

Q_KEY = (10, 110, 23, 23)


class TemplatesTest(E2ETestCase):
    def write_ini(self, data):
        with open(os.path.join(self.folder, "Velmarinth.ini"), "wb") as f:
            f.write(data)

    def test_menu_key_puts_the_template_into_the_box(self):
        app = self.app().start()
        app.activate()
        app.key("alt+t")
        app.wait_windows("MENU")
        app.key("1")
        # A click while the menu is still up would only close it.
        app.wait_windows("MENU", shown=False)
        # The caret stands at the marker: a letter typed with the keyboard lands after "www.".
        app.click_key(*Q_KEY)
        self.assertEqual(app.close(), 0)
        self.assertIn(b"URLBox=http://www.q|.co.jp/\r\n", app.read_ini())
        self.assertNotIn(b"[Template]", app.read_ini())

    def test_add_template_then_reset_to_default(self):
        self.write_ini(b"[Main]\r\nURLBox=http://x.jp/|\r\n")
        app = self.app().start()
        app.activate()
        app.key("ctrl+u")
        self.assertEqual(app.close(), 0)
        data = app.read_ini()
        left_top = data[data.index(b"[Main]"):data.index(b"URLBox")]
        defaults = [b"http://www.|.%s/" % tld for tld in
                    (b"co.jp", b"ne.jp", b"or.jp", b"go.jp", b"ad.jp", b"ac.jp", b"jp", b"com", b"net", b"org",
                     b"biz", b"info", b"tv")]
        entries = defaults + [b"http://x.jp/|"]
        template = b"[Template]\r\nCount=14\r\n" + b"".join(b"%d=%s\r\n" % (i, e) for i, e in enumerate(entries))
        self.assertEqual(data, HEADER + left_top + b"URLBox=http://x.jp/|\r\n\r\n" + template + b"\r\n")

        # Back to the default list in the editor: the next save has no template section.
        again = self.app().start()
        again.activate()
        again.key("ctrl+t")
        editor = again.find_window("^テンプレートの編集$")
        self.display.x(["xdotool", "windowactivate", "--sync", editor])
        again.key("alt+z")
        for _ in range(2):
            question = again.find_window("^確認$")
            self.display.x(["xdotool", "windowactivate", "--sync", question])
            again.key("y")
            again.wait_gone(question)
        self.display.x(["xdotool", "windowactivate", "--sync", editor])
        again.key("Escape")
        again.wait_windows("DIALOG", shown=False)
        self.assertEqual(again.close(), 0)
        self.assertNotIn(b"[Template]", again.read_ini())


if __name__ == "__main__":
    unittest.main()
