"""Where the real program keeps its settings when run as an ordinary user: beside itself when it may write
there or a file is already there, else in the user's XDG config folder."""
import os
import time
import unittest

from harness import E2ETestCase, read_file, wait_for

NOBODY = 65534
WWW_KEY = (76, 59, 53, 23)
BESIDE = b"[Main]\r\nLeft=10\r\nTop=20\r\n"
IN_XDG = b"[Main]\r\nLeft=500\r\nTop=400\r\n"

# name: (owner of the program's folder, file beside the program, file in the XDG folder, where it saves)
CASES = {
    "unwritable folder saves to xdg": (0, None, None, "xdg"),
    "writable folder keeps the file beside": (NOBODY, None, None, "beside"),
    "file beside wins over xdg": (0, BESIDE, IN_XDG, None),
}


class SettingsLocationTest(E2ETestCase):
    def test_settings_location(self):
        if os.geteuid() != 0:
            self.skipTest("needs root to run the program as another user")
        for name, (owner, beside, in_xdg, saved) in CASES.items():
            with self.subTest(name):
                folder = os.path.join(self.folder, name.replace(" ", "-"))
                home = os.path.join(folder, "home")
                paths = {"beside": os.path.join(folder, "Velmarinth.ini"),
                         "xdg": os.path.join(home, ".config", "Velmarinth", "Velmarinth.ini")}
                os.makedirs(os.path.dirname(paths["xdg"]))
                for path, content in ((paths["beside"], beside), (paths["xdg"], in_xdg)):
                    if content is not None:
                        with open(path, "wb") as f:
                            f.write(content)
                for root, dirs, _ in os.walk(home):
                    for entry in [root] + [os.path.join(root, d) for d in dirs]:
                        os.chown(entry, NOBODY, NOBODY)
                os.chmod(folder, 0o755)
                os.chown(folder, owner, owner)
                if saved:
                    self.save_and_read_back(folder, paths[saved], paths["xdg" if saved == "beside" else "beside"])
                else:
                    self.read_beside_only(folder, paths)

    def save_and_read_back(self, folder, saved, other):
        app = self.app(user=NOBODY, folder=folder).start()
        app.click_key(*WWW_KEY)
        time.sleep(0.3)
        self.assertEqual(app.close(), 0)
        self.assertIn(b"URLBox=www.|\r\n", read_file(saved))
        self.assertFalse(os.path.exists(other))
        # The next start reads the box back: a close writes it again only if it shows it.
        app = self.app(user=NOBODY, folder=folder).start()
        self.assertEqual(app.close(), 0)
        self.assertIn(b"URLBox=www.|\r\n", read_file(saved))

    def read_beside_only(self, folder, paths):
        """The file beside cannot be replaced in a folder the user may not write: both writes are reported,
        the window stands where that file says, and neither file changes."""
        app = self.app(user=NOBODY, folder=folder).start(wait=False)
        for _ in range(2):
            app.answer_error_box()
            if app.wid is None:
                app.wid = app.find_window("^Velmarinth$")
                wait_for(lambda: app.frame_extents() != (0, 0, 0, 0), 20, what="window framed")
                x, y, _, _ = app.geometry()
                self.assertTrue(x < 100 and y < 150, "placed from the file beside the program")
                app.activate()
                app.key("alt+F4")
        self.assertEqual(app.wait_exit(10), 0)
        self.assertEqual(read_file(paths["beside"]), BESIDE)
        self.assertEqual(read_file(paths["xdg"]), IN_XDG)


if __name__ == "__main__":
    unittest.main()
