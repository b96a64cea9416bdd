"""Whole-process figures of velmarinth against a minimal Qt window, on Xvfb with openbox.

Usage: python3 bench/process_figures.py BUILD_DIR [RUNS]
Prints the median time from process start to the window being mapped for both programs (measured
alternately in the same run), their ratio, the same for the processor time each had used by then (which a busy
machine disturbs far less than the wall-clock time), and for an idle window its peak resident memory and wakeups,
and the peak resident memory of the minimal window with its menu in Japanese (which loads a Japanese font).
"""
import os
import statistics
import subprocess
import sys

import benchlib


def measure(display, mapped_time, program, idle=0, options=()):
    args = [mapped_time] + (["--idle", str(idle)] if idle else []) + [program] + list(options)
    with benchlib.run_environment(display, "vel-bench-home-") as env:
        out = subprocess.run(args, env=env, capture_output=True, text=True, check=True, timeout=120).stdout
    return dict((line.split()[0], float(line.split()[1])) for line in out.splitlines())


def main():
    build = os.path.abspath(sys.argv[1])
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 10
    mapped_time = os.path.join(build, "bench", "mapped_time")
    with benchlib.programs(build, "vel-bench-") as (_, velmarinth, minimal, display):
        measure(display, mapped_time, velmarinth)  # warm the file cache
        measure(display, mapped_time, minimal)
        ours, base, ours_cpu, base_cpu = [], [], [], []
        for _ in range(runs):
            figures = measure(display, mapped_time, velmarinth)
            ours.append(figures["mapped_ms"])
            ours_cpu.append(figures.get("cpu_ms", 0.0))
            figures = measure(display, mapped_time, minimal)
            base.append(figures["mapped_ms"])
            base_cpu.append(figures.get("cpu_ms", 0.0))
        idle_ours = measure(display, mapped_time, velmarinth, idle=10)
        idle_base = measure(display, mapped_time, minimal, idle=10)
        idle_japanese = measure(display, mapped_time, minimal, idle=10, options=["--japanese"])
    m_ours, m_base = statistics.median(ours), statistics.median(base)
    print("start to mapped, median of %d: velmarinth %.1f ms, minimal Qt window %.1f ms, ratio %.2f"
          % (runs, m_ours, m_base, m_ours / m_base))
    c_ours, c_base = statistics.median(ours_cpu), statistics.median(base_cpu)
    if c_base > 0:
        print("processor time to mapped, median of %d: velmarinth %.1f ms, minimal Qt window %.1f ms, ratio %.2f"
              % (runs, c_ours, c_base, c_ours / c_base))
    print("idle velmarinth: peak RSS %.1f MB, wakeups %.2f/s" % (idle_ours["peak_rss_kb"] / 1024,
                                                                 idle_ours["wakeups_per_s"]))
    print("idle minimal window: peak RSS %.1f MB, wakeups %.2f/s" % (idle_base["peak_rss_kb"] / 1024,
                                                                     idle_base["wakeups_per_s"]))
    print("idle minimal window with a Japanese menu: peak RSS %.1f MB" % (idle_japanese["peak_rss_kb"] / 1024))


if __name__ == "__main__":
    main()
