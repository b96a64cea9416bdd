"""Where velmarinth's resident memory goes, mapping by mapping, against the minimal Qt window.

Usage: python3 bench/resident_map.py BUILD_DIR [RUNS] [--pages NAME]
Starts each program RUNS times (default 3) on Xvfb with openbox, reads /proc/PID/smaps once the window has been
up for 3 seconds, and prints the median resident kilobytes of every mapping (a file by its name, else [heap],
[stack], [anon]) for both programs and their difference, largest first. The kernel maps a file's pages around
each page touched (64 KB), so a few scattered reads of a font or library count as many pages; --pages NAME
prints which pages of the mappings whose name contains NAME are resident in velmarinth (from
/proc/PID/pagemap), as ranges of file offsets, to find the tables or functions that were touched.
"""
import collections
import os
import statistics
import struct
import subprocess
import sys
import time

import benchlib

PAGE = 4096


def resident_pages(pid, start, end):
    """Indexes (from start) of the pages of [start, end) that are present in the process."""
    with open("/proc/%d/pagemap" % pid, "rb") as pagemap:
        pagemap.seek(start // PAGE * 8)
        entries = pagemap.read((end - start) // PAGE * 8)
    return [i for i in range(len(entries) // 8) if struct.unpack_from("<Q", entries, i * 8)[0] >> 63]


def sample(display, program, pages_of=None):
    with benchlib.run_environment(display, "vel-resident-home-") as env:
        return sample_in(display, program, env, pages_of)


def sample_in(display, program, env, pages_of):
    proc = subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        benchlib.harness.wait_for(lambda: display.x(["xdotool", "search", "--onlyvisible", "--pid", str(proc.pid)]).strip(),
                         30, what="window of " + program)
        time.sleep(3)
        rows, pages, name, span = collections.Counter(), collections.defaultdict(list), None, None
        with open("/proc/%d/smaps" % proc.pid) as smaps:
            for line in smaps:
                fields = line.split()
                if "-" in fields[0] and not fields[0].endswith(":"):
                    name = os.path.basename(fields[5]) if len(fields) > 5 and fields[5].startswith("/") else (
                        fields[5] if len(fields) > 5 else "[anon]")
                    start, end = (int(v, 16) for v in fields[0].split("-"))
                    span = (start, end, int(fields[2], 16))
                    if pages_of and pages_of in name:
                        pages[name] += [span[2] // PAGE + i for i in resident_pages(proc.pid, start, end)]
                elif fields[0] == "Rss:":
                    rows[name] += int(fields[1])
        return rows, pages
    finally:
        proc.kill()
        proc.wait()


def ranges(numbers):
    out, numbers = [], sorted(set(numbers))
    for n in numbers:
        if out and n == out[-1][1] + 1:
            out[-1][1] = n
        else:
            out.append([n, n])
    return ", ".join("%d-%d" % (a * PAGE, (b + 1) * PAGE) if a != b else "%d" % (a * PAGE) for a, b in out)


def main():
    args = [a for a in sys.argv[1:] if a != "--pages"]
    pages_of = sys.argv[sys.argv.index("--pages") + 1] if "--pages" in sys.argv else None
    if pages_of:
        args.remove(pages_of)
    build = os.path.abspath(args[0])
    runs = int(args[1]) if len(args) > 1 else 3
    with benchlib.programs(build, "vel-resident-") as (_, ours, base, display):
        samples = {p: [sample(display, p, pages_of if p == ours else None) for _ in range(runs)] for p in (ours, base)}
    median = {p: {k: statistics.median(rows[k] for rows, _ in s) for k in set().union(*(r for r, _ in s))}
              for p, s in samples.items()}
    a, b = median[ours], median[base]
    print("resident kB, median of %d: velmarinth %d, minimal Qt window %d, difference %+d"
          % (runs, sum(a.values()), sum(b.values()), sum(a.values()) - sum(b.values())))
    print("%8s %8s %8s  mapping" % ("ours", "minimal", "ours-min"))
    for key in sorted(set(a) | set(b), key=lambda k: -(a.get(k, 0) - b.get(k, 0))):
        if abs(a.get(key, 0) - b.get(key, 0)) >= 16:
            print("%8d %8d %+8d  %s" % (a.get(key, 0), b.get(key, 0), a.get(key, 0) - b.get(key, 0), key))
    for name, offsets in samples[ours][0][1].items():
        print("\nresident in %s (%d kB), file offsets: %s" % (name, len(offsets) * PAGE // 1024, ranges(offsets)))


if __name__ == "__main__":
    main()
