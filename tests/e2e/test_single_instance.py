"""One instance at a time: a second start brings the running window forward and shows none of its own.

The workspace and launch-feedback tests run again under metacity, which, like openbox, only marks a window
on another workspace as wanting attention when asked to activate it."""
import glob
import os
import signal
import socket
import statistics
import subprocess
import threading
import time
import unittest
import uuid

from harness import HEADER, E2ETestCase, wait_for

STARTUPWATCH = os.environ.get("VEL_STARTUPWATCH") or os.path.join(
    os.path.dirname(__file__), "..", "..", "build", "dev", "tests", "e2e", "vel_startupwatch")


class StartupWatch:
    """A launcher's view of the root window: the startup-notification messages sent to it, line by line."""

    def __init__(self, display):
        self.lines = []
        self.proc = subprocess.Popen([STARTUPWATCH, "listen"], stdout=subprocess.PIPE, text=True,
                                     env=dict(os.environ, DISPLAY=display.name))
        assert self.proc.stdout.readline().strip() == "ready"
        self.reader = threading.Thread(target=self._read, daemon=True)
        self.reader.start()

    def _read(self):
        for line in self.proc.stdout:
            self.lines.append(line.rstrip("\n"))

    def stop(self):
        self.proc.kill()
        self.proc.wait()
        self.reader.join(5)
        self.proc.stdout.close()


def server_time(display):
    """A time the X server has just given out, as a launcher puts into a startup ID after the user's click."""
    return int(subprocess.run([STARTUPWATCH, "time"], env=dict(os.environ, DISPLAY=display.name),
                              capture_output=True, text=True, check=True).stdout)


class WorkspaceTests:
    """Starts of one title; a second start brings the window onto the user's workspace, and ends the launcher's
    feedback."""

    def setUp(self):
        super().setUp()
        self.title = "Velmarinth e2e %s" % uuid.uuid4().hex

    def twin(self, title=None):
        return self.app(title=title or self.title)

    def active_window(self):
        return self.display.x(["xdotool", "getactivewindow"]).strip()

    def desktop(self, wid=None):
        args = ["xdotool", "get_desktop_for_window", wid] if wid else ["xdotool", "get_desktop"]
        out = self.display.x(args).strip()
        return int(out) if out else None

    def test_second_start_brings_the_window_to_the_users_workspace(self):
        watch = StartupWatch(self.display)
        self.addCleanup(watch.stop)
        first = self.twin().start()
        self.display.x(["xdotool", "set_desktop_for_window", first.wid, "1"])
        wait_for(lambda: self.desktop(first.wid) == 1, what="first window on workspace 2")
        self.display.x(["xdotool", "set_desktop", "0"])
        wait_for(lambda: self.desktop() == 0, what="user on workspace 1")
        wait_for(lambda: "IsViewable" not in self.display.x(["xwininfo", "-id", first.wid]), what="first hidden")
        startup_id = "vel-e2e-%s_TIME%d" % (uuid.uuid4().hex, server_time(self.display))
        second = self.twin().start(wait=False, env={"DESKTOP_STARTUP_ID": startup_id})
        self.assertEqual(second.wait_exit(20), 0)
        wait_for(lambda: self.desktop(first.wid) == self.desktop(), what="first window on the user's workspace")
        wait_for(lambda: "IsViewable" in self.display.x(["xwininfo", "-id", first.wid]), what="first window shown")
        wait_for(lambda: self.active_window() == first.wid, what="first window active")
        wait_for(lambda: "remove: ID=" + startup_id in watch.lines, what="startup of the second start completed")
        self.assertEqual([line for line in watch.lines if startup_id in line], ["remove: ID=" + startup_id])
        self.assertIsNone(first.proc.poll())


class SingleInstanceTest(WorkspaceTests, E2ETestCase):
    def client_list_spy(self):
        return subprocess.Popen(["xprop", "-root", "-spy", "_NET_CLIENT_LIST"], stdout=subprocess.PIPE, text=True,
                                env=dict(os.environ, DISPLAY=self.display.name))

    def managed_windows(self, spy):
        spy.terminate()
        out, _ = spy.communicate()
        seen = set()
        for line in out.splitlines():
            seen.update(int(w, 16) for w in line.partition("#")[2].replace(",", " ").split())
        return seen

    def second_start(self):
        second = self.twin().start(wait=False)
        self.assertEqual(second.wait_exit(20), 0)
        return second

    def test_second_start_shows_no_window_and_leaves_the_settings_alone(self):
        first = self.twin().start()
        other = self.app().start()  # another title: takes the focus, and does not count as a running copy
        wait_for(lambda: self.active_window() == other.wid, what="other window active")
        stored = HEADER + b"[Main]\r\nLeft=1\r\nTop=2\r\n\r\n"
        with open(first.ini, "wb") as f:
            f.write(stored)
        spy = self.client_list_spy()
        time.sleep(0.3)
        self.second_start()
        wait_for(lambda: self.active_window() == first.wid, what="first window active")
        self.assertEqual(self.managed_windows(spy), {int(first.wid), int(other.wid)}, "no window of the second")
        self.assertEqual(first.read_ini(), stored, "the second start never writes the settings file")
        self.assertIsNone(first.proc.poll())

    def test_minimized_first_is_restored_and_raised(self):
        first = self.twin().start()
        self.display.x(["xdotool", "windowminimize", "--sync", first.wid])
        wait_for(lambda: "IsViewable" not in self.display.x(["xwininfo", "-id", first.wid]), what="minimized")
        self.second_start()
        wait_for(lambda: "IsViewable" in self.display.x(["xwininfo", "-id", first.wid]), what="restored")
        wait_for(lambda: self.active_window() == first.wid, what="first window active")

    def test_killed_first_never_blocks_the_next_start(self):
        first = self.twin().start()
        first.proc.send_signal(signal.SIGKILL)
        first.proc.wait()
        again = self.twin().start()
        self.assertTrue(again.wid)

    def test_simultaneous_starts_give_exactly_one_window(self):
        started = time.monotonic()
        for pair in range(20):
            title = "%s pair %d" % (self.title, pair)
            a, b = self.twin(title).start(wait=False), self.twin(title).start(wait=False)
            ended = wait_for(lambda: [p for p in (a, b) if p.proc.poll() is not None], 20, what="one start ended")
            self.assertEqual(len(ended), 1, "exactly one of the two starts ends")
            self.assertEqual(ended[0].proc.returncode, 0)
            winner = b if ended[0] is a else a
            winner.find_window("^Velmarinth$")
            self.assertIsNone(winner.proc.poll())
            winner.kill()
        self.assertLess(time.monotonic() - started, 300)

    def test_different_titles_do_not_see_each_other(self):
        first = self.twin().start()
        second = self.twin(self.title + " other").start()
        self.assertNotEqual(first.wid, second.wid)
        self.assertIsNone(first.proc.poll())

    def test_connections_that_never_finish_cannot_wear_the_first_out(self):
        first = self.twin().start()
        path, = glob.glob(os.path.join(first.env()["XDG_RUNTIME_DIR"], "*.socket"))

        def descriptors():
            return len(os.listdir("/proc/%d/fd" % first.proc.pid))

        def resident_kib():
            with open("/proc/%d/status" % first.proc.pid) as f:
                return int(next(line for line in f if line.startswith("VmRSS:")).split()[1])
        fds, rss = descriptors(), resident_kib()
        peers = []
        try:
            for _ in range(800):
                peer = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
                peer.connect(path)
                peers.append(peer)
            # A few are held at once, the rest closed at once; none is kept beyond two seconds.
            for peer in peers:
                peer.settimeout(10)
                self.assertEqual(peer.recv(16), b"")
            self.assertLess(descriptors(), fds + 10)
            self.assertLess(resident_kib(), rss + 8192)
            # The first is still there for a real second start.
            self.display.x(["xdotool", "windowminimize", "--sync", first.wid])
            wait_for(lambda: "IsViewable" not in self.display.x(["xwininfo", "-id", first.wid]), what="minimized")
            self.second_start()
            wait_for(lambda: "IsViewable" in self.display.x(["xwininfo", "-id", first.wid]), what="restored")
        finally:
            for peer in peers:
                peer.close()

    @unittest.skipUnless(os.environ.get("VEL_FIGURES"), "figures on request (VEL_FIGURES=1)")
    def test_figures_second_start_to_first_window_active(self):
        first = self.twin().start()
        other = self.app().start()
        to_active, lifetimes = [], []
        for _ in range(10):
            self.display.x(["xdotool", "windowactivate", "--sync", other.wid])
            wait_for(lambda: self.active_window() == other.wid, what="other window active")
            begin = time.monotonic()
            second = self.twin().start(wait=False)
            ended = []
            waiter = threading.Thread(target=lambda: ended.append(second.wait_exit(20) is not None and
                                                                  time.monotonic()))
            waiter.start()
            wait_for(lambda: self.active_window() == first.wid, 20, 0.005, what="first window active")
            to_active.append(time.monotonic() - begin)
            waiter.join()
            lifetimes.append(ended[0] - begin)
        print("\nsecond start -> first window active: median %.0f ms (min %.0f, max %.0f); second process lives:"
              " median %.0f ms (max %.0f)" % (statistics.median(to_active) * 1000, min(to_active) * 1000,
                                             max(to_active) * 1000, statistics.median(lifetimes) * 1000,
                                             max(lifetimes) * 1000))


class SingleInstanceMetacityTest(WorkspaceTests, E2ETestCase):
    window_manager = "metacity"


if __name__ == "__main__":
    unittest.main()
