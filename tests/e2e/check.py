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


def rotary_axis(target_ratio, max_rpm=3000):
    """A load of 1e-3 kg·m² behind a 2 : 1 gearbox of 90 % efficiency, a motor
    of 2e-4 kg·m², a quarter turn in half a second (triangular), then half a
    second at rest."""
    return {
        "format": "Torvane axis", "version": 2,
        "gearbox": {"ratio": 2, "inertia": quantity(0)},
        "motor": {"inertia": quantity(2e-4), "targetRatio": target_ratio,
                  "ratedTorque": quantity(5, "N-m"), "peakTorque": quantity(10, "N-m"),
                  "maxSpeed": quantity(max_rpm * 2 * math.pi / 60, "rpm")},
        "move": {"distance": quantity(math.pi / 2, "deg"), "moveTime": quantity(0.5, "s"),
                 "profile": "triangular", "defaultRamps": True,
                 "accelTime": quantity(0), "decelTime": quantity(0), "dwell": quantity(0.5, "s"),
                 "incline": quantity(0), "friction": 0, "thrust": quantity(0),
                 "mechanismEfficiency": 100, "loadTorque": quantity(0), "gearboxEfficiency": 90},
        "items": [{"kind": "inertia", "name": "table", "quantity": 1, "side": "load",
                   "inertia": quantity(1e-3, "kg-m²")}],
    }


# Worked out apart: the motor turns π/2 · 2 = π rad in 0.5 s, half
# accelerating, half braking, so its peak speed is 2π/0.5 = 4π rad/s (120 rpm)
# and its acceleration 4π/0.25 = 16π rad/s². The rotor takes 2e-4 · 16π N·m
# itself; the load, 1e-3 / 2² = 2.5e-4 kg·m² at the motor, takes 2.5e-4 · 16π
# through the gearbox. The efficiency follows the power flow: accelerating,
# the motor drives the load and the gearbox's loss adds (÷ 0.9); braking, the
# load drives the motor back and the loss helps brake it (× 0.9). Each ramp
# lasts 0.25 s, then 0 N·m through the 0.5 s dwell. λ = 2.5e-4 / 2e-4 = 1.25.
PEAK_SPEED = 4 * math.pi
ALPHA = 16 * math.pi
LOAD = 1e-3 / 2 ** 2


def motor_torque(alpha):
    load = LOAD * alpha
    return 2e-4 * alpha + (load / 0.9 if load >= 0 else load * 0.9)


ACCEL_TORQUE = motor_torque(ALPHA)
DECEL_TORQUE = motor_torque(-ALPHA)
RMS = math.sqrt((ACCEL_TORQUE ** 2 * 0.25 + DECEL_TORQUE ** 2 * 0.25) / 1.0)
RATIO = 1.25
MEAN_SPEED = (PEAK_SPEED / 2 * 0.25 * 2) / 1.0  # rad/s over the 1 s cycle
BRAKING_ENERGY = -DECEL_TORQUE * PEAK_SPEED / 2 * 0.25  # J a cycle
# The breakaway is the first instant's torque: no friction here, so the
# accelerating torque, against the peak torque at standstill.
BREAKAWAY = ACCEL_TORQUE
REQUIRED = 0.2  # every check but the ratio needs 20 % to spare


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
        # x passes; y fails on its ratio alone; w's motor reaches the speed,
        # 120 rpm of 135, but without the 20 % to spare.
        for name, axis in (("w", rotary_axis(10, 135)), ("x", rotary_axis(10)), ("y", rotary_axis(1))):
            with open(os.path.join(machine, "axes", f"{name}.tvaxis"), "w", encoding="utf-8") as f:
                json.dump(axis, f)

        def shell(command):
            return subprocess.run(["bash", "-c", command], cwd=machine, env=env, capture_output=True,
                                  text=True, timeout=60)

        # The README's job step: the whole machine at once.
        step = shell("torvane-toolbar --check --format csv axes/*.tvaxis > axes.csv")
        check(step.returncode == 1, f"the y axis's ratio fails the job, exit {step.returncode}: {step.stderr}")
        check(step.stderr == "", f"nothing on standard error: {step.stderr!r}")
        with open(os.path.join(machine, "axes.csv"), newline="", encoding="utf-8") as f:
            rows = list(csv.DictReader(f))
        check([r["file"] for r in rows] == ["axes/w.tvaxis", "axes/x.tvaxis", "axes/y.tvaxis"],
              f"one row a file: {rows}")
        w, x, y = rows
        check([r["status"] for r in rows] == ["fail", "pass", "fail"], "x passes, w and y fail")
        kinds = ("peakTorque", "rmsTorque", "maximumSpeed", "inertiaRatio", "breakawayTorque")
        check([y[f"{k} check"] for k in kinds] == ["pass", "pass", "pass", "fail", "pass"],
              "y fails on its ratio alone")
        check([w[f"{k} check"] for k in kinds] == ["pass", "pass", "fail", "pass", "pass"],
              "w fails on its speed's margin alone")
        close(float(w["maximumSpeed margin (%)"]), 100 * (1 - 120 / 135), "w's speed margin", rel=1e-6)
        check(w["maximumSpeed required margin (%)"] == "20", "the required margin")
        close(float(x["ratio"]), RATIO, "the inertia ratio")
        check(x["motorSpeed unit"] == "rpm", "the window's default speed unit")
        # Through the unit table's single-precision factor.
        close(float(x["motorSpeed"]), 120, "peak motor speed, rpm", rel=1e-6)
        close(float(x["peakTorque"]), ACCEL_TORQUE, "peak torque, N·m")
        close(float(x["decelTorque"]), -DECEL_TORQUE, "deceleration torque, N·m")
        close(float(x["rmsTorque speed (rpm)"]), MEAN_SPEED * 60 / (2 * math.pi), "mean speed, rpm", rel=1e-6)
        close(float(x["breakawayTorque value (N-m)"]), BREAKAWAY, "breakaway torque, N·m")
        close(float(x["brakingEnergy"]), BRAKING_ENERGY, "braking energy, J")
        check(x["brakingEnergy unit"] == "J", "the window's default energy unit")

        result = shell("torvane-toolbar --check --format json axes/x.tvaxis")
        check(result.returncode == 0, f"x passes: {result.stderr}")
        document = json.loads(result.stdout)
        check(document["format"] == "Torvane axis check" and document["version"] == 1, "the JSON form")
        (axis,) = document["files"]
        figures = {f["key"]: f for f in axis["move"]}
        close(figures["motorSpeed"]["value"], PEAK_SPEED, "peak motor speed, rad/s")
        check(figures["motorSpeed"]["unit"] == "rad/s", "JSON in SI")
        close(figures["peakTorque"]["value"], ACCEL_TORQUE, "peak torque")
        close(figures["rmsTorque"]["value"], RMS, "RMS torque")
        checks = {c["key"]: c for c in axis["checks"]}
        close(figures["meanSpeed"]["value"], MEAN_SPEED, "mean speed")
        close(figures["brakingEnergy"]["value"], BRAKING_ENERGY, "braking energy")
        close(figures["brakingPower"]["value"], BRAKING_ENERGY / 1.0, "average braking power")
        close(figures["peakBrakingPower"]["value"], -DECEL_TORQUE * PEAK_SPEED, "peak braking power")
        check(figures["brakingEnergy"]["unit"] == "J" and figures["brakingPower"]["unit"] == "W",
              "energy and power in SI")
        checks = {c["key"]: c for c in axis["checks"]}
        check(sorted(checks) == sorted(kinds), f"every check: {sorted(checks)}")
        close(checks["peakTorque"]["margin"]["value"], 1 - ACCEL_TORQUE / 10, "peak margin")
        check(checks["peakTorque"]["point"]["segment"] == "accelerate", "the peak while accelerating")
        close(checks["rmsTorque"]["margin"]["value"], 1 - RMS / 5, "RMS margin")
        close(checks["rmsTorque"]["speed"]["value"], MEAN_SPEED, "RMS judged at the mean speed")
        close(checks["breakawayTorque"]["value"]["value"], BREAKAWAY, "breakaway torque")
        close(checks["breakawayTorque"]["margin"]["value"], 1 - BREAKAWAY / 10, "breakaway margin")
        for key in kinds:
            close(checks[key]["required"]["value"], 0 if key == "inertiaRatio" else REQUIRED,
                  f"{key}'s required margin")
        check(all(c["status"] == "pass" for c in axis["checks"]), "every check of x passes")

        result = shell("torvane-toolbar --check --units inch-pound --report x.pdf axes/x.tvaxis")
        check(result.returncode == 0, f"report written: {result.stderr}")
        check(result.stdout.startswith("axes/x.tvaxis: passes\n")
              and " lbf-in at standstill: passes" in result.stdout
              and "at the mean speed 30.0 rpm: passes" in result.stdout,
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
