#!/usr/bin/python3
"""Measures the real program on a virtual desktop (the end-to-end tests' one):
the time from launching it to its strip being mapped on the screen, and its
peak memory (peak resident set size) once every window has been opened. Each
figure is the median of several runs; the program starts from a copy of its
folder with its own settings, as the end-to-end tests start it.

Usage: tools/measure-startup.py [--build build] [--runs 7]

Exits non-zero when a median misses its target: strip mapped within 300 ms,
peak memory under 80 MB.
"""

import argparse
import os
import statistics
import sys
import time

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "tests", "e2e"))

from desktop import TOOLBAR_TITLE, Desktop, Failure, wait_for  # noqa: E402
from tour import tour  # noqa: E402

START_TARGET_MS = 300
MEMORY_TARGET_MB = 80


def peak_memory_mb(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1]) / 1024
    raise Failure("no VmHWM for the program")


def time_to_strip(d):
    """Launches the program and polls until its strip is mapped."""
    started = time.perf_counter()
    d.start_program(wait=False)
    deadline = started + 10
    while d.find_window(TOOLBAR_TITLE) is None:
        if time.perf_counter() > deadline or d.program.poll() is not None:
            raise Failure("the strip did not appear")
        time.sleep(0.001)
    return (time.perf_counter() - started) * 1000


def one_run(d, error_report):
    start_ms = time_to_strip(d)
    d.wait_toolbar()
    d.app()
    tour(d, lambda name, title: None, error_report=error_report)
    memory = peak_memory_mb(d.program.pid)
    d.exit_from_tray()
    d.wait_program_end()
    return start_ms, memory


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default=os.path.normpath(os.path.join(here, "..", "build")))
    parser.add_argument("--runs", type=int, default=7)
    args = parser.parse_args()
    preload = os.path.abspath(os.path.join(args.build, "tests", "libe2e_failinglinkhandler.so"))
    error_report = os.path.exists(preload)
    if not error_report:
        print("note: no tests built, so the error report is left out of the tour")

    starts, memories = [], []
    with Desktop(args.build, preload=preload if error_report else None) as d:
        # One start to warm the caches, as every start after a user's first is.
        d.start_program()
        d.exit_from_tray()
        d.wait_program_end()
        for run in range(args.runs):
            start_ms, memory = one_run(d, error_report)
            starts.append(start_ms)
            memories.append(memory)
            print(f"run {run + 1}: strip mapped after {start_ms:.0f} ms, peak memory {memory:.1f} MB")

    start_median = statistics.median(starts)
    memory_median = statistics.median(memories)
    start_ok = start_median <= START_TARGET_MS
    memory_ok = memory_median < MEMORY_TARGET_MB
    print(f"start-up to strip mapped: median {start_median:.0f} ms of {args.runs} runs "
          f"(target {START_TARGET_MS} ms: {'met' if start_ok else 'MISSED'})")
    print(f"peak memory after opening every window: median {memory_median:.1f} MB of {args.runs} runs "
          f"(target under {MEMORY_TARGET_MB} MB: {'met' if memory_ok else 'MISSED'})")
    return 0 if start_ok and memory_ok else 1


if __name__ == "__main__":
    sys.exit(main())
