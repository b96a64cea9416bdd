"""Where the real program keeps its settings when run as an ordinary user: beside itself when the folder is
the user's own and the user may write there or the user's own file is already there, else in the user's XDG
config folder. A file or link that someone else could have planted beside a copy of the program is neither
read nor written."""
import os
import time
import unittest

from harness import E2ETestCase, read_file, wait_for

NOBODY = 65534
PLANTER = 65533
WWW_KEY = (76, 59, 53, 23)
BESIDE = b"[Main]\r\nLeft=10\r\nTop=20\r\n"
IN_XDG = b"[Main]\r\nLeft=500\r\nTop=400\r\n"
PLANTED = b"[Option]\r\nDirectedBrowserPath=/bin/false\r\nUseDirectedBrowser=1\r\n"

# name: (owner and mode of the program's folder, what is beside the program, file in the XDG folder, where it
# saves). Beside: None, ("file", owner, bytes), or ("link", owner of the file it points at, its bytes).
CASES = {
    "unwritable folder saves to xdg": ((0, 0o755), None, None, "xdg"),
    "writable folder keeps the file beside": ((NOBODY, 0o755), None, None, "beside"),
    "own file beside wins over xdg": ((0, 0o755), ("file", NOBODY, BESIDE), IN_XDG, None),
    "another user's file beside is not read": ((0, 0o755), ("file", PLANTER, PLANTED), None, "xdg"),
    "planted file in a folder all may write": ((NOBODY, 0o777), ("file", PLANTER, PLANTED), None, "xdg"),
    "own file in a folder all may write": ((NOBODY, 0o1777), ("file", NOBODY, BESIDE), None, "xdg"),
    "link to a planted file in an own folder": ((NOBODY, 0o755), ("link", PLANTER, PLANTED), None, "xdg"),
    "own file that others may write": ((NOBODY, 0o755), ("file", NOBODY, BESIDE, 0o666), None, "xdg"),
}


class SettingsLocationTest(E2ETestCase):
    def test_settings_location(self):
        if os.geteuid() != 0:
            self.skipTest("needs root to run the program as another user")
        for name, ((owner, mode), beside, in_xdg, saved) in CASES.items():
            with self.subTest(name):
                folder = os.path.join(self.folder, name.replace(" ", "-"))
                home = os.path.join(folder, "home")
                paths = {"beside": os.path.join(folder, "Velmarinth.ini"),
                         "xdg": os.path.join(home, ".config", "Velmarinth", "Velmarinth.ini")}
                os.makedirs(os.path.dirname(paths["xdg"]))
                if in_xdg is not None:
                    with open(paths["xdg"], "wb") as f:
                        f.write(in_xdg)
                for root, dirs, _ in os.walk(home):
                    for entry in [root] + [os.path.join(root, d) for d in dirs]:
                        os.chown(entry, NOBODY, NOBODY)
                planted = self.place_beside(folder, paths["beside"], beside)
                os.chmod(folder, mode)
                os.chown(folder, owner, owner)
                if saved == "xdg" and planted:
                    self.save_and_read_back(folder, paths["xdg"], None)
                    self.assertEqual(read_file(planted), beside[2])
                elif saved:
                    self.save_and_read_back(folder, paths[saved], paths["xdg" if saved == "beside" else "beside"])
                else:
                    self.read_beside_only(folder, paths)

    def place_beside(self, folder, path, beside):
        """Puts the file or link beside the program; returns the file whose bytes must stay, or None."""
        if beside is None:
            return None
        kind, owner, content = beside[:3]
        target = path
        if kind == "link":
            # The planter's file, in a folder of the planter's, writable by all so the program could write it.
            planter_folder = os.path.join(folder, "planter")
            os.mkdir(planter_folder)
            os.chown(planter_folder, PLANTER, PLANTER)
            target = os.path.join(planter_folder, "theirs.ini")
        with open(target, "wb") as f:
            f.write(content)
        os.chown(target, owner, owner)
        os.chmod(target, beside[3] if len(beside) > 3 else (0o666 if kind == "link" else 0o644))
        if kind == "link":
            os.symlink(target, path)
            os.lchown(path, NOBODY, NOBODY)
        return target

    def save_and_read_back(self, folder, saved, other):
        app = self.app(user=NOBODY, folder=folder).start()
        app.click_key(*WWW_KEY)
        time.sleep(0.3)
        self.assertEqual(app.close(), 0)
        self.assertIn(b"URLBox=www.|\r\n", read_file(saved))
        if other:
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
