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
    "share/velmarinth/Velmarinth_en.txt",
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

    def test_desktop_entry_draws_not_even_a_hint(self):
        # A hint is how the validator says the menu may list the program twice (two main categories).
        result = subprocess.run(["desktop-file-validate", self.path(DESKTOP)], capture_output=True, text=True)
        self.assertEqual((result.returncode, result.stdout + result.stderr), (0, ""))
        main = {"AudioVideo", "Audio", "Video", "Development", "Education", "Game", "Graphics", "Network", "Office",
                "Science", "Settings", "System", "Utility"}
        categories = [c for c in desktop_entry(self.path(DESKTOP))["Categories"].split(";") if c in main]
        self.assertEqual(len(categories), 1, categories)

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


class PackageTest(unittest.TestCase):
    """The Debian package built from the same install rules: its files, its dependencies, and an install into a
    throwaway root that leaves the machine's own package database alone."""

    def test_package_installs_into_a_throwaway_root(self):
        work = tempfile.mkdtemp(prefix="vel-package-")
        try:
            subprocess.run(["cpack", "--config", os.path.join(BUILD_DIR, "CPackConfig.cmake"), "-B", work],
                           check=True, stdout=subprocess.DEVNULL)
            deb = [name for name in os.listdir(work) if name.endswith(".deb")]
            self.assertEqual(len(deb), 1, os.listdir(work))
            deb = os.path.join(work, deb[0])
            listed = subprocess.run(["dpkg-deb", "-c", deb], capture_output=True, text=True, check=True).stdout
            files = {line.split()[-1].lstrip(".").lstrip("/") for line in listed.splitlines()
                     if not line.startswith("d")}
            self.assertEqual(files, {"usr/" + name for name in EXPECTED})
            depends = subprocess.run(["dpkg-deb", "-f", deb, "Depends"], capture_output=True, text=True,
                                     check=True).stdout
            for package in ("fonts-ipafont-gothic", "qt6-translations-l10n", "qt6-wayland", "libqt6widgets6"):
                self.assertIn(package, depends)
            if os.geteuid() != 0:
                self.skipTest("installing into a dpkg root needs root")
            root = os.path.join(work, "root")
            for folder in ("var/lib/dpkg/info", "var/lib/dpkg/updates"):
                os.makedirs(os.path.join(root, folder))
            open(os.path.join(root, "var/lib/dpkg/status"), "w").close()
            # The throwaway database knows none of the dependencies; the machine's own is not consulted.
            subprocess.run(["dpkg", "--root=" + root, "--force-depends", "--force-not-root", "-i", deb],
                           check=True, capture_output=True)
            self.assertTrue(os.access(os.path.join(root, "usr/bin/velmarinth"), os.X_OK))
            status = subprocess.run(["dpkg-query", "--admindir=" + os.path.join(root, "var/lib/dpkg"), "-W",
                                     "-f=${Status}", "velmarinth"], capture_output=True, text=True).stdout
            self.assertEqual(status, "install ok installed")
        finally:
            shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    unittest.main()
