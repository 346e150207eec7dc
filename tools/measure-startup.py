#!/usr/bin/python3
"""Measures the real program on a virtual desktop (the end-to-end tests' one)
side by side with a hello-world Qt Widgets program with a tray icon, built by
this script in a temporary folder, so its figures are ratios that hold on any
machine: the time from launching each to its first window painted on the
screen (the first drawing inside it after it is mapped, seen through the X
DAMAGE extension), and each one's peak memory (peak resident set size), the
program's once every window has been opened. Beside them runs a second
reference built the same way from tools/plainwindows.cpp: plain Qt dialogs
with the same sizes, controls and faces as the program's windows, opened as
the tour opens them (one at a time, the axis window's tools over it), each
with its accessibility tree walked as the tour walks the program's, holding
what a careful program holds (the reference sheet drawn as a band as tall as
its view, no pop-ups the tour does not open);
its peak memory shows what Qt itself asks for windows like these. Each figure
is the median of several runs, the programs taken in turn within each run;
the program starts from a copy of its folder with its own settings, as the
end-to-end tests start it.

Usage: tools/measure-startup.py [--build build] [--runs 7]

The X server runs on a display number it picks itself, or on the one named by
TORVANE_MEASURE_DISPLAY (for example ":97"). Exits non-zero when a median
misses its target: strip painted within 300 ms, peak memory under 80 MB.
"""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "tests", "e2e"))

from Xlib import display as xdisplay  # noqa: E402
from Xlib.ext import damage  # noqa: E402

from desktop import TOOLBAR_TITLE, Desktop, Failure, wait_for  # noqa: E402
from tour import tour  # noqa: E402

START_TARGET_MS = 300
MEMORY_TARGET_MB = 80
HELLO_TITLE = "Hello Torvane"

HELLO_SOURCE = r"""
#include <QApplication>
#include <QLabel>
#include <QPixmap>
#include <QSystemTrayIcon>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QPixmap picture(32, 32);
    picture.fill(Qt::darkCyan);
    QSystemTrayIcon tray{QIcon(picture)};
    tray.show();
    QLabel window(QStringLiteral("Hello, world"));
    window.setWindowTitle(QStringLiteral("%s"));
    window.resize(400, 60);
    window.show();
    return app.exec();
}
""" % HELLO_TITLE


def build(source, program):
    """Compiles a one-file Qt Widgets program with g++ and pkg-config; returns its path."""
    flags = subprocess.run(["pkg-config", "--cflags", "--libs", "Qt6Widgets"], check=True,
                           capture_output=True, text=True).stdout.split()
    subprocess.run(["g++", "-std=c++17", "-O2", "-fPIC", source, "-o", program] + flags, check=True,
                   capture_output=True)
    return program


def build_hello(folder):
    """Builds the hello-world program; returns its path."""
    source = os.path.join(folder, "hello.cpp")
    with open(source, "w") as f:
        f.write(HELLO_SOURCE)
    return build(source, os.path.join(folder, "hello"))


def build_plain(folder):
    """Builds the plain windows program from its source beside this script; returns its path."""
    return build(os.path.join(here, "plainwindows.cpp"), os.path.join(folder, "plainwindows"))


def peak_memory_mb(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1]) / 1024
    raise Failure("no VmHWM for the program")


class PaintWatch:
    """Every drawing on the screen, as rectangles reported by DAMAGE on the root window."""

    def __init__(self, display_name):
        self.x = xdisplay.Display(display_name)
        if not self.x.has_extension("DAMAGE"):
            raise Failure("the X server has no DAMAGE extension")
        self.x.damage_query_version()
        self.root = self.x.screen().root
        self.damage = self.root.damage_create(damage.DamageReportRawRectangles)
        self.x.sync()

    def rectangles(self):
        """The rectangles drawn since the last call, each with the time it was read."""
        found = []
        while self.x.pending_events():
            event = self.x.next_event()
            if hasattr(event, "area"):
                found.append((time.perf_counter(), event.area))
        return found

    def close(self):
        self.x.close()


def inside(area, box):
    x, y, width, height = box
    return (area.x < x + width and x < area.x + area.width and
            area.y < y + height and y < area.y + area.height)


def time_to_painted(d, watch, launch, title):
    """Launches a program and waits for the first drawing inside its window
    after the window is mapped; returns milliseconds and the process."""
    watch.rectangles()
    started = time.perf_counter()
    process = launch()
    deadline = started + 10
    window, box, drawn = None, None, []
    while True:
        drawn += watch.rectangles()
        if window is None:
            window = d.find_window(title)
            if window is not None:
                geometry = window.get_geometry()
                origin = window.translate_coords(d.root, 0, 0)
                box = (-origin.x, -origin.y, geometry.width, geometry.height)
        if box is not None:
            for seen, area in drawn:
                if inside(area, box):
                    return (seen - started) * 1000, process
        if time.perf_counter() > deadline or process.poll() is not None:
            raise Failure(f"{title!r} was not painted")
        time.sleep(0.0005)


def run_hello(d, watch, hello):
    ms, process = time_to_painted(d, watch, lambda: d._spawn([hello], env=d.program_env), HELLO_TITLE)
    time.sleep(0.3)  # the tray icon docks and paints too
    memory = peak_memory_mb(process.pid)
    process.terminate()
    process.wait(timeout=10)
    return ms, memory


def accessible_window(d, application, title):
    """A shown top-level window of a program by its accessible name, or None."""
    desktop = d.atspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is None or app.name != application:
            continue
        for j in range(app.childCount):
            window = app.getChildAtIndex(j)
            if (window is not None and window.name == title
                    and window.getState().contains(d.atspi.STATE_SHOWING)):
                return window
    return None


def run_plain(d, plain, *arguments):
    """Runs the plain windows through to their end, walking each window's
    accessibility tree as the tour's searches walk the program's; returns the
    peak memory."""
    process = d._spawn([plain, *arguments], env=d.program_env, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                       text=True)
    try:
        for line in process.stdout:
            if line.startswith("shown "):
                window = wait_for(lambda: accessible_window(d, "plainwindows", line[6:].strip()),
                                  f"plain window {line[6:].strip()!r} on the accessibility bus")
                d.find_all(None, window)
            elif line.strip() == "done":
                return peak_memory_mb(process.pid)
            process.stdin.write("\n")
            process.stdin.flush()
        raise Failure("the plain windows ended early")
    finally:
        process.stdin.close()
        process.wait(timeout=30)


def run_program(d, watch, error_report):
    def launch():
        d.start_program(wait=False)
        return d.program
    ms, _ = time_to_painted(d, watch, launch, TOOLBAR_TITLE)
    d.wait_toolbar()
    d.app()
    tour(d, lambda name, title: None, error_report=error_report)
    memory = peak_memory_mb(d.program.pid)
    d.exit_from_tray()
    d.wait_program_end()
    return ms, memory


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default=os.path.normpath(os.path.join(here, "..", "build")))
    parser.add_argument("--runs", type=int, default=7)
    args = parser.parse_args()
    preload = os.path.abspath(os.path.join(args.build, "tests", "libe2e_failinglinkhandler.so"))
    error_report = os.path.exists(preload)
    if not error_report:
        print("note: no tests built, so the error report is left out of the tour")

    folder = tempfile.mkdtemp(prefix="torvane-hello-")
    try:
        hello = build_hello(folder)
        plain = build_plain(folder)
        figures = {"program": ([], []), "hello": ([], []), "plain": ([], [])}
        with Desktop(args.build, preload=preload if error_report else None,
                     display=os.environ.get("TORVANE_MEASURE_DISPLAY") or None) as d:
            watch = PaintWatch(d.display)
            try:
                # One start of each to warm the caches, as every start after a user's first is.
                run_hello(d, watch, hello)
                run_plain(d, plain)
                d.start_program()
                d.exit_from_tray()
                d.wait_program_end()
                for run in range(args.runs):
                    for name, measure in (("hello", lambda: run_hello(d, watch, hello)),
                                          ("plain", lambda: (None, run_plain(d, plain))),
                                          ("program", lambda: run_program(d, watch, error_report))):
                        ms, memory = measure()
                        figures[name][0].append(ms)
                        figures[name][1].append(memory)
                        painted = f"painted after {ms:.0f} ms, " if ms is not None else "every window opened, "
                        print(f"run {run + 1}: {name} {painted}peak memory {memory:.1f} MB", flush=True)
            finally:
                watch.close()
    finally:
        shutil.rmtree(folder, ignore_errors=True)

    start, memory = (statistics.median(v) for v in figures["program"])
    hello_start, hello_memory = (statistics.median(v) for v in figures["hello"])
    plain_memory = statistics.median(figures["plain"][1])
    start_ok = start <= START_TARGET_MS
    memory_ok = memory < MEMORY_TARGET_MB
    print(f"start-up to strip painted: median {start:.0f} ms of {args.runs} runs, "
          f"{start / hello_start:.2f} x the hello-world's {hello_start:.0f} ms "
          f"(target {START_TARGET_MS} ms: {'met' if start_ok else 'MISSED'})")
    print(f"peak memory after opening every window: median {memory:.1f} MB, "
          f"{memory / hello_memory:.2f} x the hello-world's {hello_memory:.1f} MB "
          f"(target under {MEMORY_TARGET_MB} MB: {'met' if memory_ok else 'MISSED'})")
    print(f"peak memory of plain Qt windows of the same kinds, sizes and controls, opened as the "
          f"tour opens them (the axis window's tools over it): median {plain_memory:.1f} MB, {plain_memory / hello_memory:.2f} x the "
          f"hello-world's; the program is {memory / plain_memory:.2f} x theirs")
    return 0 if start_ok and memory_ok else 1


if __name__ == "__main__":
    sys.exit(main())
