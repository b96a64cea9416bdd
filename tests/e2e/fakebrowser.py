"""A fake web browser on a temporary freedesktop.org desktop, for end-to-end tests.

The fake browser is a small POSIX shell script. Each start writes, atomically, its environment (NUL-separated,
as `env -0` gives it) to the record's ".env" file, and then one record file: its working folder (physical
path) on the first line, then each argument on a line of its own. It never interprets its arguments, so a
test can see exactly what a launcher handed over, and in which environment.

The desktop is a folder with its own HOME, XDG config and data folders and a bin/ folder put first on PATH;
environment() gives the variables to start the program under test with, so nothing of the user's own
configuration is read or changed.

    desk = FakeDesktop(tmp)                       # tmp: a temporary folder the test owns
    browser = desk.install_default_browser()      # desktop entry + mimeapps.list for http and https
    subprocess.Popen([binary], env=desk.environment())
    ... make the program open a URL ...
    launch = browser.wait()                       # Launch(cwd=..., args=[...])
    browser.environment()                         # {name: value} of that start

Run this file to check it against xdg-open (when installed) and a direct start.
"""

import os
import shutil
import stat
import subprocess
import sys
import tempfile
import time
from dataclasses import dataclass
from pathlib import Path

# Variables that make xdg-open and Qt take a desktop's own way instead of mimeapps.list.
_DESKTOP_VARIABLES = ("XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID",
                      "BROWSER", "DEFAULT_BROWSER")


@dataclass
class Launch:
    cwd: str
    args: list


class FakeBrowser:
    """A program that records how it was started."""

    def __init__(self, path, record):
        self.path = Path(path)
        self.record = Path(record)
        self.env_record = self.record.with_name(self.record.name + ".env")

    def clear(self):
        """Forgets the last start, so that wait() waits for the next one."""
        self.record.unlink(missing_ok=True)
        self.env_record.unlink(missing_ok=True)

    def environment(self):
        """The environment of the last start (written before its record), or None when there was none."""
        try:
            data = self.env_record.read_bytes()
        except FileNotFoundError:
            return None
        env = {}
        for entry in data.split(b"\0"):
            name, sep, value = entry.partition(b"=")
            if sep:
                env[name.decode("utf-8", "surrogateescape")] = value.decode("utf-8", "surrogateescape")
        return env

    def started(self):
        return self.record.exists()

    def read(self):
        """The last start, or None when there was none."""
        try:
            text = self.record.read_text(encoding="utf-8", errors="surrogateescape")
        except FileNotFoundError:
            return None
        lines = text.split("\n")
        if lines and lines[-1] == "":
            lines.pop()
        return Launch(cwd=lines[0] if lines else "", args=lines[1:])

    def wait(self, timeout=20.0):
        """The next start (or the last one, if it has not been cleared); raises TimeoutError."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            launch = self.read()
            if launch is not None:
                return launch
            time.sleep(0.02)
        raise TimeoutError(f"{self.path} was not started within {timeout} s")


def _quote(text):
    """Single-quotes text for the script itself (the record path), never for what the browser receives."""
    return "'" + str(text).replace("'", "'\\''") + "'"


def make_fake_browser(path, record=None):
    """Writes a fake browser program at path; its record goes to record (default: path + '.record')."""
    path = Path(path)
    record = Path(record) if record else path.with_name(path.name + ".record")
    path.parent.mkdir(parents=True, exist_ok=True)
    tmp = _quote(f"{record}.tmp")
    env_tmp, env_record = _quote(f"{record}.env.tmp"), _quote(f"{record}.env")
    path.write_text(
        "#!/bin/sh\n"
        "# Records its environment, then its working folder and arguments, one a line, never evaluating them.\n"
        f"env -0 > {env_tmp} && mv {env_tmp} {env_record}\n"
        f"{{ pwd -P; for a in \"$@\"; do printf '%s\\n' \"$a\"; done; }} > {tmp} && mv {tmp} {_quote(record)}\n",
        encoding="utf-8")
    path.chmod(path.stat().st_mode | stat.S_IXUSR | stat.S_IXGRP | stat.S_IXOTH)
    return FakeBrowser(path, record)


class FakeDesktop:
    """A temporary home with XDG folders: home/, config/, etc/, data/, share/ and bin/ below root."""

    def __init__(self, root):
        self.root = Path(root).resolve()
        self.home = self.root / "home"
        self.config_home = self.root / "config"
        self.config_dirs = self.root / "etc"
        self.data_home = self.root / "data"
        self.data_dirs = self.root / "share"
        self.bin = self.root / "bin"
        for folder in (self.home, self.config_home, self.config_dirs, self.data_home / "applications",
                       self.data_dirs / "applications", self.bin):
            folder.mkdir(parents=True, exist_ok=True)

    def write_desktop_entry(self, desktop_id, exec_line, icon="", name="Fake Browser"):
        """A desktop entry in the data home's applications folder; returns its path."""
        entry = self.data_home / "applications" / desktop_id
        entry.write_text("[Desktop Entry]\nType=Application\n"
                         f"Name={name}\nExec={exec_line}\nIcon={icon}\n"
                         "MimeType=x-scheme-handler/http;x-scheme-handler/https;\n", encoding="utf-8")
        return entry

    def set_default(self, desktop_id, mime_types=("x-scheme-handler/http", "x-scheme-handler/https")):
        """Makes desktop_id the default application for mime_types in the config home's mimeapps.list."""
        lines = ["[Default Applications]"] + [f"{m}={desktop_id}" for m in mime_types]
        (self.config_home / "mimeapps.list").write_text("\n".join(lines) + "\n", encoding="utf-8")

    def install_default_browser(self, name="fakebrowser", desktop_id="velfake-browser.desktop", icon=""):
        """A fake browser in bin/, started by its desktop entry, made the default for http and https."""
        browser = make_fake_browser(self.bin / name)
        self.write_desktop_entry(desktop_id, f"{name} %u", icon=icon)
        self.set_default(desktop_id)
        return browser

    def install_fallback_browser(self, name="x-www-browser"):
        """A fake browser found as x-www-browser on PATH (the fallback when there is no default handler)."""
        return make_fake_browser(self.bin / name)

    def environment(self, base=None):
        """The variables to start a program with: base (default os.environ) pointed at this desktop."""
        env = dict(os.environ if base is None else base)
        for name in _DESKTOP_VARIABLES:
            env.pop(name, None)
        env.update({
            "HOME": str(self.home),
            "XDG_CONFIG_HOME": str(self.config_home),
            "XDG_CONFIG_DIRS": str(self.config_dirs),
            "XDG_DATA_HOME": str(self.data_home),
            "XDG_DATA_DIRS": str(self.data_dirs),
            "XDG_CACHE_HOME": str(self.root / "cache"),
            "PATH": f"{self.bin}:{env.get('PATH', '/usr/bin:/bin')}",
        })
        return env


def _self_test():
    url = "http://x/?a=1;b|c$(touch${IFS}pwned)`touch${IFS}pwned`'q'"
    with tempfile.TemporaryDirectory() as tmp:
        desk = FakeDesktop(tmp)
        browser = desk.install_default_browser()
        subprocess.run([str(browser.path), url, "", "two words"], cwd=desk.home, check=True)
        launch = browser.wait(5)
        assert launch == Launch(str(desk.home), [url, "", "two words"]), launch
        assert browser.environment()["HOME"] == os.environ.get("HOME"), browser.environment()
        browser.clear()
        assert browser.environment() is None
        subprocess.run([str(browser.path)], cwd=desk.home, env=dict(os.environ, VEL_PROBE="a=b c"), check=True)
        browser.wait(5)
        assert browser.environment()["VEL_PROBE"] == "a=b c", browser.environment()
        browser.clear()
        if shutil.which("xdg-open"):
            env = desk.environment()
            # xdg-open asks for the default handler only when it sees a display.
            env.setdefault("DISPLAY", ":65534")
            subprocess.run(["xdg-open", "http://www.qq.co.jp/a"], env=env, cwd=desk.home, check=True,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            launch = browser.wait(20)
            assert launch.args == ["http://www.qq.co.jp/a"], launch
        stray = [p for p in Path(tmp).rglob("pwned*")]
        assert not stray, stray
    print("1 passed, 0 failed")


if __name__ == "__main__":
    sys.exit(_self_test())
