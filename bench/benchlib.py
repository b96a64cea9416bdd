"""What the whole-process figures share: velmarinth and the minimal Qt window side by side, each run with a home
of its own on a display of the e2e harness (Xvfb with openbox)."""
import contextlib
import os
import shutil
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import harness  # noqa: E402,F401  (the scripts use it through this module)


@contextlib.contextmanager
def programs(build, prefix):
    """(folder, velmarinth, minimal window, display): velmarinth copied into a folder of its own, so that every
    run starts from fresh settings, and a started display; both go at the end."""
    folder = tempfile.mkdtemp(prefix=prefix)
    velmarinth = os.path.join(folder, "velmarinth")
    shutil.copy2(os.path.join(build, "src", "gui", "velmarinth"), velmarinth)
    display = harness.Display().start()
    try:
        yield folder, velmarinth, os.path.join(build, "bench", "minimal_window"), display
    finally:
        display.stop()
        shutil.rmtree(folder, ignore_errors=True)


@contextlib.contextmanager
def run_environment(display, prefix):
    """The environment of one run: the display, the X11 platform and an empty home (also the runtime folder)."""
    home = tempfile.mkdtemp(prefix=prefix)
    try:
        yield dict(os.environ, DISPLAY=display.name, HOME=home, XDG_RUNTIME_DIR=home, QT_QPA_PLATFORM="xcb")
    finally:
        shutil.rmtree(home, ignore_errors=True)
