"""Native Wayland, without any X display: the program starts on the compositor (weston, headless), and since
Wayland never tells a window where it is, the position stored in the settings file is kept as it was read."""
import os
import shutil
import signal
import subprocess
import tempfile
import time
import unittest

from harness import BINARY, HEADER, read_file, wait_for


class Weston:
    """A headless weston with a socket of its own in a private runtime folder."""

    def __init__(self):
        self.runtime = tempfile.mkdtemp(prefix="vel-wayland-")
        os.chmod(self.runtime, 0o700)
        self.socket = "wayland-vel"
        self.proc = subprocess.Popen(["weston", "--backend=headless-backend.so", "--socket=" + self.socket,
                                      "--idle-time=0"], env=dict(os.environ, XDG_RUNTIME_DIR=self.runtime),
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_for(lambda: os.path.exists(os.path.join(self.runtime, self.socket + ".lock")) and
                 os.path.exists(os.path.join(self.runtime, self.socket)), 20, what="weston")

    def stop(self):
        self.proc.terminate()
        try:
            self.proc.wait(10)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            self.proc.wait()
        shutil.rmtree(self.runtime, ignore_errors=True)


@unittest.skipUnless(shutil.which("weston"), "weston is not installed (scripts/setup installs it)")
class WaylandTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.weston = Weston()

    @classmethod
    def tearDownClass(cls):
        cls.weston.stop()

    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="vel-e2e-wayland-")
        self.addCleanup(shutil.rmtree, self.folder, True)
        shutil.copy2(BINARY, os.path.join(self.folder, "velmarinth"))
        self.ini = os.path.join(self.folder, "Velmarinth.ini")

    def start(self):
        home = os.path.join(self.folder, "home")
        os.makedirs(home, exist_ok=True)
        env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"),
                   XDG_RUNTIME_DIR=self.weston.runtime, WAYLAND_DISPLAY=self.weston.socket, LANG="C.UTF-8",
                   VEL_INSTANCE_TITLE="Velmarinth e2e wayland %d" % os.getpid())
        for name in ("DISPLAY", "QT_QPA_PLATFORM", "SESSION_MANAGER"):
            env.pop(name, None)
        proc = subprocess.Popen([os.path.join(self.folder, "velmarinth")], cwd=self.folder, env=env,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.addCleanup(lambda: proc.poll() is None and (proc.kill(), proc.wait()))
        return proc

    def wait_running(self, proc, written):
        """Until the start has rewritten the settings file and the program waits for events."""
        wait_for(lambda: os.path.exists(self.ini) and read_file(self.ini) == written, 30, what="settings rewritten")
        seen = {"since": None}

        def idle():
            self.assertIsNone(proc.poll(), "the program ended on Wayland")
            with open("/proc/%d/wchan" % proc.pid) as f:
                polling = f.read().startswith("poll")
            now = time.monotonic()
            if not polling:
                seen["since"] = None
            elif seen["since"] is None:
                seen["since"] = now
            return seen["since"] is not None and now - seen["since"] >= 0.5
        wait_for(idle, 30, 0.05, what="event loop waiting")

    def test_stored_position_is_kept(self):
        for stored, kept in ((b"Left=17\r\nTop=-40\r\n", b"[Main]\r\nLeft=17\r\nTop=-40\r\n\r\n"),
                             (b"Top=250\r\n", b"[Main]\r\nTop=250\r\n\r\n"),
                             (None, b"")):
            with self.subTest(stored=stored):
                if stored is None:
                    if os.path.exists(self.ini):
                        os.remove(self.ini)
                else:
                    with open(self.ini, "wb") as f:
                        f.write(b"[Main]\r\n" + stored)
                proc = self.start()
                self.wait_running(proc, kept)
                proc.send_signal(signal.SIGTERM)
                self.assertEqual(proc.wait(30), 0)
                self.assertEqual(read_file(self.ini), HEADER + kept)


if __name__ == "__main__":
    unittest.main()
