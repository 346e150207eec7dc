#!/usr/bin/python3
"""Takes a picture of every window of the real program, each in a typical
state, on a virtual desktop (the end-to-end tests' one), into
docs/screenshots/ (or the folder given).

Usage: tools/screenshots.py [--build build] [--out docs/screenshots]

Needs a build with its tests (for the stand-in link handler that brings up
the error report) and the desktop tools tools/setup.sh installs.
"""

import argparse
import os
import subprocess
import sys
import time

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "tests", "e2e"))

from desktop import Desktop, wait_for  # noqa: E402
from tour import tour  # noqa: E402


class Camera:
    def __init__(self, desktop, folder):
        self.d = desktop
        self.folder = folder
        self.taken = []

    def shoot(self, name, title):
        """Pictures the newest window of that title, frame and title bar included."""
        d = self.d
        window = d.wait_window(title)
        # Out of the way, so no hover or tooltip shows.
        d.move_mouse(4, 1000)
        frame = d.frame(window)

        def settled():
            first = d.pixels(*d.geometry(frame))
            time.sleep(0.15)
            return first == d.pixels(*d.geometry(frame))
        wait_for(settled, f"{title!r} to finish drawing")
        path = os.path.join(self.folder, name + ".png")
        raw = path + ".raw.png"
        d.screenshot(frame, raw)
        # Small files: no metadata, a 256-colour palette (plenty for a
        # window), the highest compression.
        subprocess.run(["convert", raw, "-strip", "+dither", "-colors", "256", "-define",
                        "png:compression-level=9", "PNG8:" + path], check=True, timeout=60)
        os.remove(raw)
        self.taken.append(path)
        print(path)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default=os.path.normpath(os.path.join(here, "..", "build")))
    parser.add_argument("--out", default=os.path.normpath(os.path.join(here, "..", "docs", "screenshots")))
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    preload = os.path.abspath(os.path.join(args.build, "tests", "libe2e_failinglinkhandler.so"))
    if not os.path.exists(preload):
        sys.exit(f"{preload} is missing: build with the tests first")
    with Desktop(args.build, preload=preload) as d:
        d.start_program()
        tour(d, Camera(d, args.out).shoot)
    return 0


if __name__ == "__main__":
    sys.exit(main())
