"""`cmake --install` into a throwaway prefix: every file where a Linux desktop looks for it, valid for the desktop's
own tools, and naming each other (menu entry, icon, program, window class) consistently."""
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest

BUILD_DIR = os.environ["VEL_BUILD_DIR"]
CMAKE = os.environ.get("VEL_CMAKE", "cmake")
ICON_SIZES = (16, 32, 48, 256)
DESKTOP = "share/applications/velmarinth.desktop"
METAINFO = "share/metainfo/io.github.velmarinth.velmarinth.metainfo.xml"
EXPECTED = {
    "bin/velmarinth",
    "share/velmarinth/Velmarinth.txt",
    DESKTOP,
    METAINFO,
    "share/icons/hicolor/scalable/apps/velmarinth.svg",
} | {"share/icons/hicolor/%dx%d/apps/velmarinth.png" % (s, s) for s in ICON_SIZES}


def desktop_entry(path):
    """The [Desktop Entry] group's keys, values unescaped as the desktop entry format defines."""
    entry, group = {}, None
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.strip()
            if line.startswith("["):
                group = line
            elif group == "[Desktop Entry]" and "=" in line and not line.startswith("#"):
                key, value = line.split("=", 1)
                entry[key.strip()] = value.strip().replace("\\s", " ")
    return entry


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n" or head[12:16] != b"IHDR":
        return None
    return struct.unpack(">II", head[16:24])


class InstallTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.prefix = tempfile.mkdtemp(prefix="vel-install-")
        subprocess.run([CMAKE, "--install", BUILD_DIR, "--prefix", cls.prefix], check=True,
                       stdout=subprocess.DEVNULL)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.prefix, ignore_errors=True)

    def path(self, relative):
        return os.path.join(self.prefix, relative)

    def test_installs_exactly_the_expected_files(self):
        installed = {os.path.relpath(os.path.join(folder, name), self.prefix)
                     for folder, _, names in os.walk(self.prefix) for name in names}
        self.assertEqual(installed, EXPECTED)
        self.assertTrue(os.access(self.path("bin/velmarinth"), os.X_OK))

    def test_desktop_tools_accept_the_entry_and_the_metainfo(self):
        for command in (["desktop-file-validate", self.path(DESKTOP)],
                        # validate-tree also checks the metainfo against the installed desktop entry.
                        ["appstreamcli", "validate-tree", "--no-net", self.prefix]):
            with self.subTest(command=command[0]):
                result = subprocess.run(command, capture_output=True, text=True)
                self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
                self.assertNotRegex(result.stdout + result.stderr, r"(?i)\b(error|warning)\b")

    def test_icon_pngs_have_their_stated_sizes(self):
        for size in ICON_SIZES:
            with self.subTest(size=size):
                path = self.path("share/icons/hicolor/%dx%d/apps/velmarinth.png" % (size, size))
                self.assertEqual(png_size(path), (size, size))

    def test_entry_names_the_installed_program_and_icon(self):
        entry = desktop_entry(self.path(DESKTOP))
        self.assertTrue(os.path.exists(self.path(os.path.join("bin", entry["Exec"].split()[0]))))
        self.assertTrue(os.path.exists(self.path("share/icons/hicolor/scalable/apps/%s.svg" % entry["Icon"])))

    def test_window_class_matches_the_entry(self):
        # The desktop groups the running window under the menu entry by this class.
        sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "e2e"))
        import harness

        harness.BINARY = self.path("bin/velmarinth")
        display = harness.Display().start()
        folder = tempfile.mkdtemp(prefix="vel-install-run-")
        app = harness.App(display, folder)
        try:
            app.start()
            wm_class = display.x(["xprop", "-id", str(app.wid), "WM_CLASS"])
        finally:
            app.kill()
            display.stop()
            shutil.rmtree(folder, ignore_errors=True)
        # xprop prints: WM_CLASS(STRING) = "instance", "class"
        _, window_class = [part.strip().strip('"') for part in wm_class.split("=", 1)[1].split('",')]
        self.assertEqual(window_class, desktop_entry(self.path(DESKTOP))["StartupWMClass"])


if __name__ == "__main__":
    unittest.main()
