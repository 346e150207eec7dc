#!/usr/bin/python3
"""End-to-end: axis files checked from a build job's shell, with no display.

Usage: check.py --build BUILD_DIR

The program runs from a copy of its folder, with a home, settings and
runtime folder of its own and no DISPLAY, WAYLAND_DISPLAY or
QT_QPA_PLATFORM, as a continuous-integration job runs it: the README's job
step over a machine's axis files, its exit status, the CSV and JSON read with
Python's standard modules and their figures against ones worked out here,
the text, a PDF report; and nothing of the toolbar left behind (no lock,
socket or settings). Exit status 0 when it all holds.
"""

import argparse
import csv
import io
import json
import math
import os
import shutil
import subprocess
import sys
import tempfile

PROGRAM = "torvane-toolbar"


class Failure(Exception):
    pass


def check(condition, what):
    if not condition:
        raise Failure(what)


def close(actual, expected, what, rel=1e-9):
    check(abs(actual - expected) <= rel * abs(expected), f"{what}: {actual} is not {expected}")


def quantity(value, unit=""):
    return {"value": value, "unit": unit}


def rotary_axis(target_ratio):
    """A load of 1e-3 kg·m² behind a 2 : 1 gearbox, a motor of 2e-4 kg·m²,
    a quarter turn in half a second (triangular), then half a second at rest."""
    return {
        "format": "Torvane axis", "version": 2,
        "gearbox": {"ratio": 2, "inertia": quantity(0)},
        "motor": {"inertia": quantity(2e-4), "targetRatio": target_ratio,
                  "ratedTorque": quantity(5, "N-m"), "peakTorque": quantity(10, "N-m"),
                  "maxSpeed": quantity(3000 * 2 * math.pi / 60, "rpm")},
        "move": {"distance": quantity(math.pi / 2, "deg"), "moveTime": quantity(0.5, "s"),
                 "profile": "triangular", "defaultRamps": True,
                 "accelTime": quantity(0), "decelTime": quantity(0), "dwell": quantity(0.5, "s"),
                 "incline": quantity(0), "friction": 0, "thrust": quantity(0),
                 "mechanismEfficiency": 100, "loadTorque": quantity(0), "gearboxEfficiency": 100},
        "items": [{"kind": "inertia", "name": "table", "quantity": 1, "side": "load",
                   "inertia": quantity(1e-3, "kg-m²")}],
    }


# Worked out apart: the motor turns π/2 · 2 = π rad in 0.5 s, half
# accelerating, half braking, so its peak speed is 2π/0.5 = 4π rad/s (120 rpm)
# and its acceleration 4π/0.25 = 16π rad/s²; the inertia at the motor is
# 2e-4 + 1e-3 / 2² = 4.5e-4 kg·m², so the torque is ±4.5e-4 · 16π N·m for
# 0.25 s each, and 0 through the 0.5 s dwell; λ = 2.5e-4 / 2e-4 = 1.25.
PEAK_SPEED = 4 * math.pi
TORQUE = 4.5e-4 * 16 * math.pi
RMS = TORQUE * math.sqrt(0.5 / 1.0)
RATIO = 1.25


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", required=True, help="the build folder holding torvane-toolbar")
    args = parser.parse_args()

    scratch = tempfile.mkdtemp(prefix="torvane-check-")
    try:
        program_dir = os.path.join(scratch, "program")
        os.makedirs(program_dir)
        for name in (PROGRAM, "converts.dat"):
            shutil.copy2(os.path.join(args.build, name), program_dir)
        home = os.path.join(scratch, "home")
        runtime = os.path.join(scratch, "runtime")
        for folder in (home, runtime):
            os.makedirs(folder, mode=0o700)
        env = {k: v for k, v in os.environ.items()
               if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
        env.update(HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"),
                   XDG_DATA_HOME=os.path.join(home, ".local/share"), XDG_RUNTIME_DIR=runtime,
                   PATH=program_dir + os.pathsep + env.get("PATH", ""))

        machine = os.path.join(scratch, "machine")
        os.makedirs(os.path.join(machine, "axes"))
        for name, target in (("x", 10), ("y", 1)):
            with open(os.path.join(machine, "axes", f"{name}.tvaxis"), "w", encoding="utf-8") as f:
                json.dump(rotary_axis(target), f)

        def shell(command):
            return subprocess.run(["bash", "-c", command], cwd=machine, env=env, capture_output=True,
                                  text=True, timeout=60)

        # The README's job step: the whole machine at once.
        step = shell("torvane-toolbar --check --format csv axes/*.tvaxis > axes.csv")
        check(step.returncode == 1, f"the y axis's ratio fails the job, exit {step.returncode}: {step.stderr}")
        check(step.stderr == "", f"nothing on standard error: {step.stderr!r}")
        with open(os.path.join(machine, "axes.csv"), newline="", encoding="utf-8") as f:
            rows = list(csv.DictReader(f))
        check([r["file"] for r in rows] == ["axes/x.tvaxis", "axes/y.tvaxis"], f"one row a file: {rows}")
        check([r["status"] for r in rows] == ["pass", "fail"], "x passes, y fails")
        check(rows[1]["inertiaRatio check"] == "fail" and rows[1]["peakTorque check"] == "pass",
              "y fails on its ratio alone")
        close(float(rows[0]["ratio"]), RATIO, "the inertia ratio")
        check(rows[0]["motorSpeed unit"] == "rpm", "the window's default speed unit")
        # Through the unit table's single-precision factor.
        close(float(rows[0]["motorSpeed"]), 120, "peak motor speed, rpm", rel=1e-6)
        close(float(rows[0]["peakTorque"]), TORQUE, "peak torque, N·m")

        result = shell("torvane-toolbar --check --format json axes/x.tvaxis")
        check(result.returncode == 0, f"x passes: {result.stderr}")
        document = json.loads(result.stdout)
        check(document["format"] == "Torvane axis check" and document["version"] == 1, "the JSON form")
        (axis,) = document["files"]
        figures = {f["key"]: f for f in axis["move"]}
        close(figures["motorSpeed"]["value"], PEAK_SPEED, "peak motor speed, rad/s")
        check(figures["motorSpeed"]["unit"] == "rad/s", "JSON in SI")
        close(figures["peakTorque"]["value"], TORQUE, "peak torque")
        close(figures["rmsTorque"]["value"], RMS, "RMS torque")
        checks = {c["key"]: c for c in axis["checks"]}
        close(checks["rmsTorque"]["margin"]["value"], 1 - RMS / 5, "RMS margin")
        check(all(c["status"] == "pass" for c in axis["checks"]), "every check of x passes")

        result = shell("torvane-toolbar --check --units inch-pound --report x.pdf axes/x.tvaxis")
        check(result.returncode == 0, f"report written: {result.stderr}")
        check(result.stdout.startswith("axes/x.tvaxis: passes\n") and " lbf-in: passes" in result.stdout,
              f"the text in inch-pound units: {result.stdout}")
        with open(os.path.join(machine, "x.pdf"), "rb") as f:
            check(f.read(5) == b"%PDF-", "a PDF report")

        with open(os.path.join(machine, "axes", "z.tvaxis"), "w", encoding="utf-8") as f:
            f.write('{"format": "Torvane axis", "version": 99}')
        result = shell("torvane-toolbar --check axes/*.tvaxis")
        check(result.returncode == 2, f"a refused file, exit {result.returncode}")
        check("Could not open axes/z.tvaxis: it was written by a newer version" in result.stderr,
              f"the refusal names the file and the problem: {result.stderr}")
        check("axes/x.tvaxis: passes" in result.stdout, "the other files are checked still")

        left = sorted(os.listdir(runtime)) + sorted(os.listdir(home))
        check(left == [], f"nothing of the toolbar started or written: {left}")
    except Failure as failure:
        print(f"FAIL: check: {failure}")
        return 1
    finally:
        shutil.rmtree(scratch, ignore_errors=True)
    print("PASS: check")
    return 0


if __name__ == "__main__":
    sys.exit(main())
