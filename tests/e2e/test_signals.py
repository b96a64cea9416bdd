"""A SIGTERM or SIGHUP ends the program, saving once, whenever it comes: also while the start-up error box waits
for the user, before the event loop has ever run."""
import os
import signal
import unittest

from harness import E2ETestCase, read_file


class SignalTest(E2ETestCase):
    def test_signal_while_startup_error_box_is_shown(self):
        if os.geteuid() != 0:
            self.skipTest("needs root to run the program as another user")
        original = b"[Main]\r\nLeft=10\r\nTop=20\r\n"
        message = "を作成できません."
        for sig in (signal.SIGTERM, signal.SIGHUP):
            with self.subTest(signal=sig.name):
                # A folder the program's user cannot write: the start-up rewrite fails and its error box shows.
                folder = os.path.join(self.folder, sig.name)
                os.makedirs(os.path.join(folder, "home"))
                os.chown(os.path.join(folder, "home"), 65534, 65534)
                os.chmod(folder, 0o755)
                ini = os.path.join(folder, "Velmarinth.ini")
                with open(ini, "wb") as f:
                    f.write(original)
                # The file is the user's own, so it is the one used, in a folder the user cannot write.
                os.chown(ini, 65534, 65534)
                app = self.app(user=65534, folder=folder).start(wait=False)
                app.find_window("^Velmarinth $", timeout=30)
                app.proc.send_signal(sig)
                self.assertEqual(app.wait_exit(15), 0, "the program ends with the box still up")
                # The settings were written once, which failed and was said without waiting for anyone.
                self.assertEqual(read_file(os.path.join(folder, "stderr.log")).decode().count(message), 1)
                self.assertEqual(read_file(ini), original)


if __name__ == "__main__":
    unittest.main()
