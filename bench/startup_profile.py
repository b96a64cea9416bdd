"""Where the start-up goes: instructions from process start to the window's map request, under callgrind.

Usage: python3 bench/startup_profile.py BUILD_DIR [TOP]
Runs velmarinth and the minimal Qt window on Xvfb with openbox, each under valgrind's callgrind, which counts
the instructions both run up to their first xcb_map_window call (the moment the window is asked to appear).
Counted instructions do not depend on how busy the machine is, so this ranks causes where wall-clock figures
(bench/process_figures.py) cannot. Prints both totals and their ratio, then velmarinth's TOP (default 10)
functions of its own by inclusive count, and its TOP library functions by their own count.
"""
import os
import re
import subprocess
import sys

import benchlib


def profile(display, program, folder):
    """The callgrind file of program's run up to its first map request."""
    name = os.path.basename(program)
    out = os.path.join(folder, name + ".%p.out")
    with benchlib.run_environment(display, "vel-profile-home-") as env:
        proc = subprocess.Popen(["valgrind", "--tool=callgrind", "--dump-before=xcb_map_window",
                                 "--callgrind-out-file=" + out, program],
                                env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        first = os.path.join(folder, "%s.%d.out.1" % (name, proc.pid))
        try:
            benchlib.harness.wait_for(lambda: os.path.exists(first) and proc.poll() is None and
                                      subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(proc.pid)],
                                                     env=env, capture_output=True).returncode == 0,
                                      300, 0.2, name + " mapped under callgrind")
        finally:
            proc.kill()
            proc.wait()
    return first


def annotate(path, inclusive):
    args = ["callgrind_annotate", "--threshold=100", "--inclusive=" + ("yes" if inclusive else "no"), path]
    out = subprocess.run(args, capture_output=True, text=True, check=True).stdout
    rows = []
    for line in out.splitlines():
        match = re.match(r"\s*([\d,]+)\s+\([\s\d.]+%\)\s+(.*)$", line)
        if match:
            rows.append((int(match.group(1).replace(",", "")), match.group(2)))
    return rows


def short(entry):
    entry = re.sub(r"^\?\?\?:|^\./[^:]*:", "", entry).replace("(anonymous namespace)::", "")
    entry = re.sub(r"\(.*\)(?= \[| const|$)", "()", entry)
    return entry.replace("/usr/lib/x86_64-linux-gnu/", "")


def main():
    build = os.path.abspath(sys.argv[1])
    top = int(sys.argv[2]) if len(sys.argv) > 2 else 10
    with benchlib.programs(build, "vel-profile-") as (folder, velmarinth, minimal, display):
        ours = profile(display, velmarinth, folder)
        base = profile(display, minimal, folder)
        total_ours = annotate(ours, False)[0][0]
        total_base = annotate(base, False)[0][0]
        print("instructions to the map request: velmarinth %.1f M, minimal Qt window %.1f M, ratio %.2f"
              % (total_ours / 1e6, total_base / 1e6, total_ours / total_base))
        own = [r for r in annotate(ours, True) if "[" + velmarinth + "]" in r[1] and "below main" not in r[1]]
        print("\nvelmarinth's own functions, inclusive:")
        for count, entry in own[1:top + 1]:  # the first is main
            print("%8.2f M  %s" % (count / 1e6, short(entry).replace(" [" + velmarinth + "]", "")))
        print("\nall functions, own count:")
        for count, entry in annotate(ours, False)[1:top + 1]:
            print("%8.2f M  %s" % (count / 1e6, short(entry)))


if __name__ == "__main__":
    main()
