#!/usr/bin/python3
"""End-to-end scenarios: the real program on a real (virtual) X desktop.

Usage: run.py SCENARIO --build BUILD_DIR [--preload LIBRARY]

Each scenario starts its own desktop (see desktop.py), drives the program as
a user would and checks what the user would see, the clipboard and the files
the program leaves behind. Exit status 0 when the scenario holds.
"""

import argparse
import datetime
import os
import re
import struct
import sys
import time
import traceback
import urllib.parse
from pathlib import Path

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from desktop import Desktop, Failure, check, check_equal, wait_for  # noqa: E402
from expected import conversion_text, float32, inertia, scientific, significant  # noqa: E402
from expected import convert as convert_value  # noqa: E402
from tour import menu, replace_text, toolbar_button  # noqa: E402

UNITS_BUTTON = "Units Calculator"
TRIG_BUTTON = "Trig Reference"
UNITS_WINDOW = "Units Calculator"
# The unit calculator's button on the strip, from the strip's left edge.
UNITS_BUTTON_X = 182

# Controls a user reaches with the mouse or the keyboard; each must have a
# name a screen reader can speak.
INTERACTIVE_ROLES = {"push button", "check box", "radio button", "toggle button", "text", "password text",
                     "combo box", "list", "tree", "table", "tree table", "scroll bar", "slider",
                     "spin button", "menu item", "page tab", "link"}


def check_spoken_names(d, window):
    """Every control of window that a user can reach has an accessible name."""
    unnamed = []

    def walk(node, path):
        for i in range(node.childCount):
            child = node.getChildAtIndex(i)
            if child is None:
                continue
            role = child.getRoleName()
            states = child.getState()
            if not states.contains(d.atspi.STATE_SHOWING):
                continue
            if role in INTERACTIVE_ROLES and not child.name.strip():
                unnamed.append(f"{path}/{role}[{i}]")
            # A control's own parts (a list's rows, a text box's scroll bars)
            # belong to it; menus are walked for their entries.
            if role not in INTERACTIVE_ROLES or role == "menu item":
                walk(child, f"{path}/{role}:{child.name}")

    walk(window, window.name)
    check(not unnamed, "controls without an accessible name: " + ", ".join(unnamed))


def table_rows(d, table):
    t = table.queryTable()
    return [[t.getAccessibleAt(r, c).name for c in range(t.nColumns)] for r in range(t.nRows)]


def conversions(d, window):
    """The unit calculator's list as {unit name (trimmed): value text}."""
    rows = table_rows(d, d.find("Conversions", "tree", window))
    return {unit.strip(): value for _, value, unit in rows}


def wait_conversions(d, window, expected, what):
    """Waits until every listed row shows its expected text."""
    def probe():
        rows = conversions(d, window)
        return rows if all(rows.get(unit) == text for unit, text in expected.items()) else None
    try:
        return wait_for(probe, what)
    except Failure:
        rows = conversions(d, window)
        wrong = {unit: (rows.get(unit), text) for unit, text in expected.items() if rows.get(unit) != text}
        raise Failure(f"{what}: (shown, expected) {wrong}") from None


# ---- scenarios -----------------------------------------------------------


def scenario_start(d):
    started = time.monotonic()
    d.start_program()
    x, y, width, height = d.geometry(d.toolbar)
    check_equal((width, height), (344, 36), "size of the strip")
    icon = wait_for(d.tray_icon, "the tray icon")
    check(d.is_viewable(icon), "the tray icon is not shown")
    print(f"strip and tray icon shown {time.monotonic() - started:.2f} s after the start")

    strip = d.window("Torvane Toolbar")
    buttons = [b.name for b in d.find_all("push button", strip)]
    check_equal(buttons, ["Velmora", UNITS_BUTTON, INERTIA_BUTTON, DENSITY_BUTTON, TRIG_BUTTON, "Axis sizing"],
                "the strip's buttons")
    check_spoken_names(d, strip)

    # A second start ends at once: no window of its own, nothing written, and
    # the first toolbar goes on as it was.
    windows_before = [w.id for w in d.client_windows()]
    settings_before = d.settings()
    files_before = sorted(os.listdir(d.program_dir))
    code, seconds = d.run_program_once()
    check_equal(code, 0, "exit code of the second start")
    print(f"the second start ended after {seconds:.2f} s")
    check_equal([w.id for w in d.client_windows()], windows_before, "windows after the second start")
    check_equal(d.settings(), settings_before, "settings after the second start")
    check_equal(sorted(os.listdir(d.program_dir)), files_before, "program folder after the second start")
    check(d.program.poll() is None, "the first toolbar ended")

    # With the strip closed to the tray, a second start shows it again, with
    # the keyboard.
    d.close_box(d.toolbar)
    d.wait_no_window("Torvane Toolbar")
    code, _ = d.run_program_once()
    check_equal(code, 0, "exit code of the second start with the strip hidden")
    strip = d.wait_toolbar(timeout=5)
    wait_for(lambda: d.active_window() == strip.id, "the strip to be the active window", timeout=5)
    check(d.program.poll() is None, "the first toolbar ended")

    # A second start with an axis file, named from the second start's own
    # folder, opens it in the running toolbar's axis window, in front.
    with open(os.path.join(d.home_dir, "given axis.tvaxis"), "w", encoding="utf-8") as file:
        file.write('{"format": "Torvane axis", "version": 1, "items": [], "gearbox": {"ratio": 3, '
                   '"inertia": {"value": 0, "unit": ""}}, "motor": {"inertia": {"value": 2e-05, '
                   '"unit": ""}, "targetRatio": 10}}')
    code, _ = d.run_program_once("given axis.tvaxis")
    check_equal(code, 0, "exit code of the second start with a file")
    axis = d.wait_window("given axis.tvaxis \u2014 Axis sizing", timeout=10)
    wait_for(lambda: d.active_window() == axis.id, "the axis window to be the active window", timeout=5)
    d.key("Escape")
    d.wait_no_window("given axis.tvaxis \u2014 Axis sizing")


def drag_strip(d, frame, dx, dy):
    """Drags the strip (or another window) by its title bar by (dx, dy), once
    the window manager has placed it. Returns the frame's new place."""
    fx, fy, _, _ = d.wait_steady(lambda: d.geometry(frame), "the strip to hold still")
    target = (fx + dx, fy + dy)
    d.drag(fx + 100, fy + 8, fx + 100 + dx, fy + 8 + dy, lambda: d.geometry(frame)[:2] == target,
           f"the strip to move to {target}")
    return target


def scenario_tray(d):
    d.start_program()
    check_equal(d.settings().get("Toolbar"), None, "stored position before the first exit")

    # The close box only hides the strip; the tray icon stays.
    d.close_box(d.toolbar)
    d.wait_no_window("Torvane Toolbar")
    check(d.program.poll() is None, "the close box ended the program")
    check(d.tray_icon() is not None, "the tray icon went away with the strip")

    # A left click on the tray icon shows it again, above other windows.
    d.click_window(d.tray_icon())
    strip = d.wait_toolbar()
    wait_for(lambda: "_NET_WM_STATE_ABOVE" in d.wm_state(strip), "the strip to stay on top")
    wait_for(lambda: d.client_windows()[-1].id == strip.id, "the strip as the topmost window")

    # Drag it by its title bar to a new place.
    target = drag_strip(d, d.frame(strip), -420, 370)

    # The tray menu opens the windows too, by their access keys. A window
    # moved by its title bar keeps its new place.
    d.open_tray_menu()
    d.key("u")
    calculator = d.wait_window(UNITS_WINDOW)

    # It stands apart from the strip: beside it, not over it; in the taskbar
    # (no window it is transient for); minimised alone. The tray icon, and a
    # click on the strip, bring it back to the front.
    def overlap(a, b):
        return a[0] < b[0] + b[2] and b[0] < a[0] + a[2] and a[1] < b[1] + b[3] and b[1] < a[1] + a[3]
    check(not overlap(d.geometry(d.frame(calculator)), d.geometry(d.frame(strip))),
          "the unit calculator over the strip")
    check(d._property(calculator, "WM_TRANSIENT_FOR") is None, "the unit calculator left out of the taskbar")
    d.xdotool("windowminimize", calculator.id)
    wait_for(lambda: d.is_iconic(calculator) and not d.is_viewable(calculator), "the unit calculator minimised")
    check(d.is_viewable(strip), "the strip minimised with the unit calculator")
    d.click_window(d.tray_icon())
    wait_for(lambda: d.is_viewable(calculator) and d.active_window() == calculator.id,
             "the tray icon to bring the unit calculator back")
    d.click_window(strip, x=20)
    check_equal(d.wait_steady(d.active_window, "the active window after a click on the strip"), calculator.id,
                "the active window after a click on the strip (the unit calculator)")

    # Minimised again, it comes back from its own button on the strip,
    # restored and with the keyboard; no second one opens.
    d.xdotool("windowminimize", calculator.id)
    wait_for(lambda: d.is_iconic(calculator) and not d.is_viewable(calculator),
             "the unit calculator minimised again")
    d.click_window(strip, x=UNITS_BUTTON_X)
    wait_for(lambda: d.is_viewable(calculator) and d.active_window() == calculator.id,
             "the strip's button to bring the unit calculator back")
    check_equal(len(d.windows(UNITS_WINDOW)), 1, "unit calculators open")

    drag_strip(d, d.frame(calculator), 60, -50)
    placed = d.geometry(calculator)
    d.key("Escape")
    d.wait_no_window(UNITS_WINDOW)
    d.wait_settings("Window Places", {"frmUnitCalculator": '"' + ",".join(map(str, placed)) + '"'},
                    "the unit calculator's place stored as it closed")

    # "Exit" in the tray menu ends the program and stores the place in twips.
    d.exit_from_tray()
    check_equal(d.wait_program_end(), 0, "exit code after Exit")
    stored = d.settings().get("Toolbar", {})
    check_equal((stored.get("X"), stored.get("Y")), (str(target[0] * 15), str(target[1] * 15)),
                "stored toolbar position (twips)")

    # The next start puts the strip back there, and the unit calculator opens
    # where it was left.
    d.start_program()
    frame = d.frame(d.toolbar)
    wait_for(lambda: d.geometry(frame)[:2] == target, f"the restarted strip at {target}")
    d.open_tray_menu()
    d.key("u")
    calculator = d.wait_window(UNITS_WINDOW)
    wait_for(lambda: d.geometry(calculator) == placed, f"the unit calculator at {placed}")
    d.key("Escape")
    d.wait_no_window(UNITS_WINDOW)

    # Ctrl+Q in the strip ends the program as Exit does, storing its place.
    moved = drag_strip(d, frame, 50, 60)
    wait_for(lambda: d.active_window() == d.toolbar.id, "the strip to be the active window")
    d.key("ctrl+q")
    check_equal(d.wait_program_end(), 0, "exit code after Ctrl+Q")
    stored = d.settings().get("Toolbar", {})
    check_equal((stored.get("X"), stored.get("Y")), (str(moved[0] * 15), str(moved[1] * 15)),
                "stored toolbar position after Ctrl+Q (twips)")


MASS_UNITS = ["g", "gr", "kgf-s²/m", "lb", "lbf-s²/in", "long-ton", "mg", "oz", "ozf-s²/in", "short-ton",
              "slug", "t", "µg"]


def expected_rows(value, source, targets, **display):
    return {unit: conversion_text(value, source, unit, **display) for unit in targets}


def row_cell(d, window, unit, column=1):
    """The cell of the conversion list in the row of unit."""
    t = d.find("Conversions", "tree", window).queryTable()
    for r in range(t.nRows):
        if t.getAccessibleAt(r, 2).name.strip() == unit:
            return t.getAccessibleAt(r, column)
    raise Failure(f"no row for {unit!r} in the conversion list")


def select_row(d, window, unit):
    """Clicks the row of unit in the conversion list and waits until it is selected."""
    d.click_control(row_cell(d, window, unit))
    wait_for(lambda: row_cell(d, window, unit).getState().contains(d.atspi.STATE_SELECTED), f"the {unit} row selected")


def open_unit_calculator(d):
    d.click_control(d.find(UNITS_BUTTON, "push button", d.window("Torvane Toolbar")))
    return d.window(UNITS_WINDOW)


def scenario_unitcalc(d):
    d.start_program()

    # A "number unit" text on the clipboard is taken when the window opens.
    d.set_clipboard("2.5 kg")
    window = open_unit_calculator(d)
    check_spoken_names(d, window)
    number = d.find("Value to be converted", "text", window)
    units = d.find(None, "combo box", d.find("Value and unit", "frame", window))
    types = d.find("Unit type", "list", window)
    digits = d.find("Significant digits", "text", window)
    check_equal(d.text(number), "2.5", "value taken from the clipboard")
    check_equal(d.combo_entry(units).strip(), "kg", "unit taken from the clipboard")
    check_equal(units.name, "Units to convert from", "the unit list's own spoken name")
    check_equal([i.name.strip() for i in d.find_all("list item", types)
                 if i.getState().contains(d.atspi.STATE_SELECTED)], ["Mass"], "unit type shown")
    check_equal(d.text(digits), "6", "significant digits at the first start")
    rows = wait_conversions(d, window, expected_rows(2.5, "kg", ["g", "lb", "oz", "slug", "short-ton", "mg",
                                                                "lbf-s²/in"]), "2.5 kg converted")
    check_equal(sorted(rows), sorted(MASS_UNITS), "units listed for a mass in kg")

    # Typing a value: the window opens with the value's text selected, so
    # typing replaces it.
    wait_for(lambda: number.getState().contains(d.atspi.STATE_FOCUSED), "the focus in the value box")
    d.type("12.75")
    wait_for(lambda: d.text(number) == "12.75", "the typed value")
    wait_conversions(d, window, expected_rows(12.75, "kg", ["lb", "oz", "g"]), "12.75 kg converted")

    # Another source unit from the drop-down list.
    d.click_control(units)
    d.click_control(d.find("lb".ljust(15), "list item", units))
    wait_for(lambda: d.combo_entry(d.find(None, "combo box", d.find("Value and unit", "frame", window))).strip()
             == "lb",
             "lb as the source unit")
    wait_conversions(d, window, expected_rows(12.75, "lb", ["kg", "oz", "g", "short-ton"]), "12.75 lb converted")

    # Digits: the upper arrow adds one, the lower takes one away.
    bar = d.find("Change displayed significant digits", "scroll bar", window)
    x, y, w, h = d.extents(bar)
    d.click(x + w // 2, y + 3)
    wait_for(lambda: d.text(digits) == "7", "7 significant digits")
    wait_conversions(d, window, expected_rows(12.75, "lb", ["kg", "oz", "g"], digits=7), "7 digits")
    for _ in range(4):
        d.click(x + w // 2, y + h - 3)
    wait_for(lambda: d.text(digits) == "3", "3 significant digits")
    check_equal(d.value(bar), 3.0, "the digits scroll bar's value")
    wait_conversions(d, window, expected_rows(12.75, "lb", ["kg", "oz", "g", "short-ton"], digits=3),
                     "3 digits")

    # The decimal convention: a comma, then back to a point; the two buttons act as a pair.
    european = d.find("Click to use European-style decimal", "check box", window)
    american = d.find("Click to use American-style decimals", "check box", window)
    d.click_checked(european)
    wait_conversions(d, window, expected_rows(12.75, "lb", ["kg", "oz"], digits=3, point=","), "decimal comma")
    check(d.checked(european) and not d.checked(american), "the European button is not the one pressed")

    # Scientific notation on and off again.
    notation = d.find("Turns scientific notation on/off", "check box", window)
    d.click_checked(notation)
    wait_conversions(d, window, expected_rows(12.75, "lb", ["kg", "oz", "g"], digits=3, notation=True, point=","),
                     "scientific notation")
    d.click_checked(notation, False)
    wait_conversions(d, window, expected_rows(12.75, "lb", ["kg", "oz"], digits=3, point=","), "notation off")

    # Copy buttons: the selected row's value, then value and unit.
    oz = conversion_text(12.75, "lb", "oz", digits=3, point=",")
    select_row(d, window, "oz")
    d.click_control(d.find("Click to copy numeric value to clipboard", "push button", window))
    d.wait_clipboard(oz, "copy value")
    d.click_control(d.find("Click to copy numeric value and units to clipboard", "push button", window))
    d.wait_clipboard(oz + " " + "oz", "copy value and unit")

    # A double-click copies that row and closes the window.
    kg = conversion_text(12.75, "lb", "kg", digits=3, point=",")
    d.click_control(row_cell(d, window, "kg"), repeat=2)
    d.wait_no_window(UNITS_WINDOW)
    d.wait_clipboard(kg + " " + "kg", "double-click on a row")
    d.wait_settings("Units Calculator", {"Digits": "3", "US Convention": "False", "NotationMode": "False"},
                    "settings after closing")

    # Reopened, the window takes the copied text back (its comma read as the
    # point of this locale) with the display it had.
    window = open_unit_calculator(d)
    number = d.find("Value to be converted", "text", window)
    check_equal(d.text(number), kg.replace(",", "."), "value pasted back")
    check_equal(d.combo_entry(d.find(None, "combo box", d.find("Value and unit", "frame", window))).strip(), "kg",
                "unit pasted back")
    check_equal(d.text(d.find("Significant digits", "text", window)), "3", "digits kept")
    check(d.checked(d.find("Click to use European-style decimal", "check box", window)),
          "the decimal comma was not kept")
    d.click_control(d.find("Click to close the calculator", "push button", window))
    d.wait_no_window(UNITS_WINDOW)


REPORT_WINDOW = "Error Handler"


def report_field(d, window, name):
    """A value of the error report as a screen reader hears it."""
    label = d.find(name, "label", window)
    return label.description


def answer_message(d, title, *text_parts):
    """Checks a message box's text and closes it with its OK button."""
    box = d.window(title)
    texts = [label.name for label in d.find_all("label", box)]
    for part in text_parts:
        check(any(part in text for text in texts), f"message {title!r} says {texts!r}")
    d.click_control(d.find("OK", "push button", box))
    d.wait_no_window(title)


def contact_closes_next(d):
    """After the report of its failed link, the contact window's OK closes it:
    no other message came up over it for the same failure."""
    d.click_control(d.find("OK", "push button", d.window("About Velmora")))
    d.wait_no_window("About Velmora")
    check(d.find_window("Hyperlink Aborted") is None, "a second message for the failed link")


def scenario_errorreport(d):
    d.start_program()
    log = os.path.join(d.program_dir, "buglog.txt")

    # A link whose handler fails: the contact window's web address, opened
    # while the desktop's link handler throws.
    d.click_control(d.find("Velmora", "push button", d.window("Torvane Toolbar")))
    contact = d.window("About Velmora")
    check_spoken_names(d, contact)
    d.click_control(d.find("www.velmora.example", "link", contact))
    report = d.window(REPORT_WINDOW)
    check_spoken_names(d, report)
    check_equal(report_field(d, report, "Application"), "Torvane Toolbar", "application")
    check(re.fullmatch(r"\d+\.\d+\.\d+", report_field(d, report, "Version")), "version")
    check_equal(report_field(d, report, "Procedure"), "ShellHyperlink in mdlConvert", "procedure")
    error_number = report_field(d, report, "Error number")
    check(error_number.isdigit() and error_number != "0", f"error number {error_number!r}")
    description = d.text(d.find("Error description", "text", report))
    check_equal(description, "No program could open http://www.velmora.example", "error description")

    # The user's name (trimmed when the box is left) and comments (the quote
    # characters are refused as typed).
    reporter = d.find("Reported by", "text", report)
    wait_for(lambda: reporter.getState().contains(d.atspi.STATE_FOCUSED), "the focus in the name box")
    d.type("  Ada Tester  ")
    d.key("Tab")
    comments = d.find("User comments", "text", report)
    wait_for(lambda: comments.getState().contains(d.atspi.STATE_FOCUSED), "the focus in the comments box")
    d.type('It said "no", then it\'s gone.')
    wait_for(lambda: d.text(comments) == "It said no, then its gone.", "the comments without quotes")
    wait_for(lambda: d.text(reporter) == "Ada Tester", "the name trimmed after leaving its box")

    # A log that cannot be written (a folder stands where the file goes):
    # one message naming the file, no second report, the report stays open.
    os.mkdir(log)
    d.click_control(d.find("E-mail bug report", "push button", report))
    answer_message(d, "Bug report not saved", f"could not be saved to {log}")
    check_equal(len(d.windows(REPORT_WINDOW)), 1, "report windows after the log failure")
    check(os.path.isdir(log), "the failed log touched the folder in its way")

    # With the way clear the log succeeds and the report closes; the mail
    # program (the failing desktop handler) does not open, and the message
    # says so rather than that anything was sent. The failed link was told
    # by the report: no second message follows it.
    os.rmdir(log)
    d.click_control(d.find("E-mail bug report", "push button", d.window(REPORT_WINDOW)))
    logged_at = datetime.datetime.now()
    answer_message(d, "Bug report saved, not sent", f"The bug report has been saved to {log}.",
                   "Your mail program could not be opened, so nothing has been sent.")
    wait_for(lambda: not d.windows(REPORT_WINDOW), "the report to close")
    contact_closes_next(d)

    with open(log, "rb") as f:
        lines = f.read().split(b"\r\n")
    check_equal(len(lines), 2, "lines in the bug log (and the end after the last)")
    check_equal(lines[1], b"", "end of the bug log")
    fields = re.fullmatch(rb'"([^"]*)","([^"]*)","([^"]*)","([^"]*)","([^"]*)","([^"]*)","([^"]*)",'
                          rb'"([^"]*)","([^"]*)"', lines[0])
    check(fields, f"bug log line {lines[0]!r}")
    fields = [f.decode() for f in fields.groups()]
    check_equal(fields[:7] + fields[8:], ["Torvane Toolbar", report_field_version(fields), error_number,
                                          description, "ShellHyperlink in mdlConvert",
                                          "It said no, then its gone.", fields[6], "Ada Tester"],
                "bug log fields")
    stamp = datetime.datetime.strptime(fields[6] + " " + fields[7], "%m/%d/%Y %H:%M")
    check(abs((stamp - logged_at).total_seconds()) < 120, f"logged at {stamp}, expected about {logged_at}")
    check(d.program.poll() is None, "the program ended")
    check(d.find_window("Torvane Toolbar") is not None, "the strip went away")


# A stand-in for the desktop's xdg-open: it records the address it was given,
# as a mail program would take it.
XDG_OPEN = """#!/bin/sh
printf '%s\\n' "$1" >> "$0.calls"
"""


def scenario_mailreport(d):
    """The error report with a mail handler that works: the message says the
    mail program was asked to open, and the mailto: link it got holds the
    report."""
    helpers = os.path.join(d.scratch, "bin")
    os.makedirs(helpers)
    handler = os.path.join(helpers, "xdg-open")
    with open(handler, "w") as f:
        f.write(XDG_OPEN)
    os.chmod(handler, 0o755)
    d.program_env["PATH"] = helpers + os.pathsep + d.program_env.get("PATH", os.defpath)
    d.program_env["TORVANE_E2E_MAIL_WORKS"] = "1"
    d.start_program()
    log = os.path.join(d.program_dir, "buglog.txt")

    # The web link still fails, which opens the report.
    d.click_control(d.find("Velmora", "push button", d.window("Torvane Toolbar")))
    d.click_control(d.find("www.velmora.example", "link", d.window("About Velmora")))
    report = d.window(REPORT_WINDOW)
    error_number = report_field(d, report, "Error number")
    version = report_field(d, report, "Version")
    comments = d.find("User comments", "text", report)
    d.focus(comments)
    d.type("Mail & more = 100%")
    wait_for(lambda: d.text(comments) == "Mail & more = 100%", "the comments typed")

    d.click_control(d.find("E-mail bug report", "push button", report))
    answer_message(d, "Bug report saved", f"The bug report has been saved to {log}.",
                   "Your mail program was asked to open with the report filled in")
    wait_for(lambda: not d.windows(REPORT_WINDOW), "the report to close")
    contact_closes_next(d)

    calls = wait_for(lambda: os.path.exists(handler + ".calls") and open(handler + ".calls").read().split(),
                     "the mail program to be given the report")
    check_equal(len(calls), 1, "addresses handed to the mail program")
    url = urllib.parse.urlsplit(calls[0])
    check_equal(url.scheme, "mailto", "the link's scheme")
    fields = urllib.parse.parse_qs(url.query, strict_parsing=True)
    check_equal(sorted(fields), ["body", "subject"], "the link's fields")
    check_equal(fields["subject"], [f"Bug report: Torvane Toolbar {version}, error {error_number}"], "the subject")
    body = fields["body"][0]
    for line in ("Application: Torvane Toolbar", f"Error number: {error_number}",
                 "Error description: No program could open http://www.velmora.example",
                 "Procedure: ShellHyperlink in mdlConvert", "Comments:\r\nMail & more = 100%"):
        check(line in body, f"the body holds {line!r}: {body!r}")
    with open(log, "rb") as f:
        check(b"Mail & more = 100%" in f.read(), "the bug log holds the comment")


def report_field_version(fields):
    check(re.fullmatch(r"\d+\.\d+\.\d+", fields[1]), f"version field {fields[1]!r}")
    return fields[1]


REFERENCE_WINDOW = "Trigonometric/Calculus Reference"


def scenario_reference(d):
    d.start_program()
    d.click_control(d.find(TRIG_BUTTON, "push button", d.window("Torvane Toolbar")))
    window = d.window(REFERENCE_WINDOW)
    check_spoken_names(d, window)
    sheet = d.find("Trigonometric and calculus reference sheet", None, window)
    bar = d.find("Scroll the reference sheet", "scroll bar", window)
    maximum = bar.queryValue().maximumValue
    check(maximum > 3500, f"scroll range {maximum} for a sheet of over 4000 rows")
    check_equal(d.value(bar), 0.0, "scroll position at the start")

    def shown():
        return d.pixels(*d.extents(sheet))

    def scrolled_to(value, what):
        try:
            wait_for(lambda: d.value(bar) == value, what)
        except Failure:
            raise Failure(f"{what}: at {d.value(bar)}, expected {value}") from None

    # The sheet's top once painted: something drawn, and the same picture twice running.
    wait_for(lambda: len(set(shown())) > 1, "the sheet to show something")
    top = d.wait_steady(shown, "the sheet's top to hold still")
    x, y, w, h = d.extents(bar)

    # The lower arrow scrolls by five rows, and the picture follows.
    d.click(x + w // 2, y + h - 4)
    scrolled_to(5.0, "a click on the lower arrow")
    wait_for(lambda: shown() != top, "the picture to move with the scroll bar")

    # A click in the trough below the thumb scrolls by a tenth of the range.
    d.click(x + w // 2, y + h - 40)
    step = round(maximum / 10)
    scrolled_to(5.0 + step, "a click in the trough")

    # The keyboard: End shows the foot of the sheet, Home its top again.
    d.key("End")
    scrolled_to(maximum, "End")
    wait_for(lambda: shown() != top, "the foot of the sheet, unlike its top")
    d.key("Home")
    scrolled_to(0.0, "Home")
    wait_for(lambda: shown() == top, "the top of the sheet again")

    # The mouse wheel over the sheet.
    sx, sy, sw, sh = d.extents(sheet)
    d.click(sx + sw // 2, sy + sh // 2, button=5)
    wait_for(lambda: d.value(bar) > 0, "the wheel to scroll the sheet")

    # The contents list: Ctrl+G, then a section chosen with the arrow keys
    # scrolls that section to the top.
    tops = reference_section_tops(d)
    d.key("ctrl+g")
    wait_for(d.popup_window, "the contents list")
    d.key(*["Down"] * (list(tops).index("Hyperbolic functions") + 1), "Return")
    scrolled_to(float(tops["Hyperbolic functions"]), "the contents list's Hyperbolic functions")

    # Search: Ctrl+F and a formula's words go to the section that holds them.
    d.key("ctrl+f")
    find = d.find("Find in the reference sheet", "text", window)
    d.type("artanh")
    scrolled_to(float(tops["Hyperbolic functions"]), "finding artanh")
    d.key("Escape")
    wait_for(lambda: not d.find_all("text", window), "the find bar to close", timeout=5)
    check(find is not None, "no find box")

    # The text a screen reader reads: every formula in a linear notation.
    d.key("ctrl+t")
    text = d.text(d.find("Reference sheet as text", None, window))
    check("sin(α ± β) = sin α cos β ± cos α sin β" in text, "the sum formula missing from the spoken text")
    check("∫ e^(ax) sin bx dx" in text, "the integral of e^(ax) sin bx missing from the spoken text")
    d.key("ctrl+t")

    d.close_box(d.wait_window(REFERENCE_WINDOW))
    d.wait_no_window(REFERENCE_WINDOW)
    check(d.program.poll() is None, "closing the reference ended the program")


def reference_section_tops(d):
    """Each section of the reference sheet and its top row, from the sheet's text beside it."""
    path = Path(__file__).resolve().parents[2] / "resources" / "reference" / "sheet.txt"
    tops = {}
    for line in path.read_text(encoding="utf-8").splitlines():
        if line.startswith("== "):
            _, top, title = line.split(" ", 2)
            tops[title] = int(top)
    return tops


DENSITY_BUTTON = "Table of densities"
DENSITY_WINDOW = "Material density select"


def density_records(path):
    """density.dat as (name, kg/m³) pairs: 24-byte records, a 20-character
    Windows-1252 name and a little-endian single-precision value."""
    with open(path, "rb") as f:
        data = f.read()
    check(len(data) % 24 == 0, f"density.dat of {len(data)} bytes is not whole records")
    return [(data[i:i + 20].decode("cp1252"), struct.unpack("<f", data[i + 20:i + 24])[0])
            for i in range(0, len(data), 24)]


def material_line(name, kg_per_m3, digits=6):
    return name.ljust(20)[:20] + " " + significant(float32(kg_per_m3), digits).rjust(12)[-12:]


def material_lines(d, window):
    return [item.name for item in d.find_all("list item", d.find("Materials", "list", window), showing=False)]


def open_density_window(d):
    d.click_control(d.find(DENSITY_BUTTON, "push button", d.window("Torvane Toolbar")))
    return d.window(DENSITY_WINDOW)


def scenario_density(d):
    d.start_program()
    table = os.path.join(d.program_dir, "density.dat")
    shipped = density_records(table)
    window = open_density_window(d)
    check_spoken_names(d, window)
    lines = material_lines(d, window)
    check_equal(lines, [material_line(name, value) for name, value in shipped], "the list of the shipped table")

    def button(name):
        return d.find(name, "push button", window)

    name_box = d.find("Material", "text", window)
    density_box = d.find("Density", "text", window)
    units = [c for c in d.find_all("combo box", window) if c.description != "Units for display densities"][0]

    # Add: the window opens ready to save; Cancel brings back Add.
    d.click_control(button("Cancel"))
    d.click_control(button("Add"))
    wait_for(lambda: name_box.getState().contains(d.atspi.STATE_FOCUSED), "the focus in the name box")
    d.type("Abradable coating")
    wait_for(lambda: d.text(name_box).strip() == "Abradable coating", "the new name in its box")
    d.type_into(density_box, "7.5")
    d.choose(units, "g/cm³")
    d.click_control(button("Save"))
    added = material_line("Abradable coating", 7500)
    wait_for(lambda: material_lines(d, window)[:1] == [added], "the new material at the top of the list")
    wait_for(lambda: density_records(table)[:1] == [("Abradable coating".ljust(20), 7500.0)],
             "the new record in the file")

    # Edit: the line's values come back into the boxes, in the list's unit.
    d.click_control(d.find(added, "list item", window))
    wait_for(lambda: d.text(name_box) == "Abradable coating".ljust(20), "the name in its box")
    wait_for(lambda: d.text(density_box) == "7500", "the density in its box")
    d.type_into(density_box, "7150")
    d.click_control(button("Save"))
    edited = material_line("Abradable coating", 7150)
    wait_for(lambda: material_lines(d, window)[:1] == [edited], "the edited material")

    # Delete a shipped material, found by typing its name in the list.
    d.click_control(d.find(edited, "list item", window))
    materials = d.find("Materials", "list", window)
    wait_for(lambda: materials.getState().contains(d.atspi.STATE_FOCUSED), "the focus in the list")
    d.type("Balsa")
    balsa = next(line for line in lines if line.startswith("Balsa "))
    wait_for(lambda: d.find(balsa, "list item", window).getState().contains(d.atspi.STATE_SELECTED),
             "Balsa selected by typing")
    d.click_control(button("Delete"))
    wait_for(lambda: balsa not in material_lines(d, window), "Balsa gone from the list")

    expected = sorted([r for r in shipped if not r[0].startswith("Balsa ")] +
                      [("Abradable coating".ljust(20), 7150.0)], key=lambda r: r[0].upper())
    wait_for(lambda: density_records(table) == expected, "density.dat after add, edit and delete")
    left = [material_line(name, value) for name, value in expected]
    wait_for(lambda: material_lines(d, window) == left, "the list as left")

    # Select hands the density, with its unit, to the clipboard and closes.
    # The list scrolled down to Balsa; Home goes back to the first line.
    x, y, _, _ = d.extents(materials)
    d.click(x + 40, y + 8)
    wait_for(lambda: materials.getState().contains(d.atspi.STATE_FOCUSED), "the focus in the list")
    d.key("Home")
    wait_for(lambda: d.find(edited, "list item", window, showing=False).getState().contains(
        d.atspi.STATE_SELECTED), "the first line selected")
    d.click_control(button("Select"))
    d.wait_no_window(DENSITY_WINDOW)
    d.wait_clipboard("7150 " + "kg/m³", "the selected density")

    # After a restart the file and the list are as left.
    d.exit_from_tray()
    d.wait_program_end()
    d.start_program()
    window = open_density_window(d)
    check_equal(density_records(table), expected, "density.dat after a restart")
    wait_for(lambda: material_lines(d, window) == left, "the list after a restart")
    d.click_control(d.find("Off: exit density select", "push button", window))
    d.wait_no_window(DENSITY_WINDOW)
    d.wait_settings("Density Select", {"Digits": "6", "NotationMode": "False"}, "density window settings")

    # The inertia calculator's find-density key: the density chosen in
    # g/cm³ comes back with its unit and gives the cylinder its mass.
    inertia_window = open_inertia(d)
    d.click_control(d.find("Find density", "push button", inertia_window))
    window = d.window(DENSITY_WINDOW)
    d.choose(d.combo_described(window, "Units for display densities"), "g/cm³")
    wait_for(lambda: material_lines(d, window)[:1] == ["Abradable coating".ljust(20) + " " + "7.15".rjust(12)],
             "the list in g/cm³")
    x, y, _, _ = d.extents(d.find("Materials", "list", window))
    d.click(x + 40, y + 8)
    wait_for(lambda: d.text(d.find("Material", "text", window)).strip() == "Abradable coating",
             "the material chosen in the list")
    d.click_control(d.find("Select", "push button", window))
    d.wait_no_window(DENSITY_WINDOW)
    density_box = d.find("Density", "text", inertia_window)
    wait_for(lambda: d.text(density_box) == "7.15", "the density handed over")
    wait_for(lambda: "g/cm³" in [d.combo_entry(c).strip() for c in d.find_all("combo box", inertia_window)],
             "the density's unit handed over")
    wait_for(lambda: density_box.getState().contains(d.atspi.STATE_FOCUSED), "the focus in the density box")
    d.enter(inertia_window, "Length (L)", "1")
    d.enter(inertia_window, "Outside dia. (OD)", "0.2")
    expected, mass = inertia("cylinder", density=convert_value(7.15, "g/cm³", "kg/m³"), L=1.0, OD=0.2, ID=0.0)
    wait_for(lambda: d.text(d.find("Mass", "text", inertia_window)) == f"{mass:.7G}", f"the mass {mass:.7G}")
    check_results(d, inertia_window, expected, "kg-m²", what="cylinder of the chosen material")


INERTIA_BUTTON = "Inertia Calculator"
INERTIA_WINDOW = "Inertia calculator"
AXES = ["Ixx", "Iyy", "Izz", "Ix'x'", "Iy'y'"]
BOXES = {"L": "Length (L)", "W": "Width (W)", "H": "Height (H)", "R": "Radius (R)", "OD": "Outside dia. (OD)",
         "ID": "Inside dia. (ID)", "m": "Mass", "rho": "Density"}


def open_inertia(d):
    d.click_control(d.find(INERTIA_BUTTON, "push button", d.window("Torvane Toolbar")))
    return d.window(INERTIA_WINDOW)


def check_results(d, window, expected, unit, digits=6, notation=False, what=""):
    """Reads every result through its copy key; with its unit for Ixx."""
    for axis, value in zip(AXES, expected):
        key = f"Copy {axis} value to clipboard"
        if value is None:
            wait_for(lambda: key not in [b.name for b in d.find_all("push button", window)],
                     f"{what}: {axis} hidden for a shape without it")
            continue
        shown = convert_value(value, "kg-m²", unit)
        text = scientific(shown, digits) if notation else significant(shown, digits)
        d.click_control(d.find(key, "push button", window))
        d.wait_clipboard(text, f"{what}: {axis}")
        if axis == "Ixx":
            d.click_control(d.find("Copy Ixx and units to clipboard", "push button", window))
            d.wait_clipboard(text + " " + unit, f"{what}: Ixx with its unit")


def scenario_inertia(d):
    d.start_program()
    window = open_inertia(d)
    check_spoken_names(d, window)
    shapes = d.combo_described(window, "Select shape for inertia")
    result_units = d.combo_described(window, "Select units for calculated inertias")

    # One example per shape, typed in base units; the cylinder and the
    # parallelepiped in mass mode, the sphere in density mode.
    examples = [
        ("Cylinder", {"L": "1", "OD": "0.2", "ID": "0", "m": "10"}, "kg-m²"),
        ("Parallelepiped", {"L": "2", "W": "1", "H": "0.5", "m": "12"}, "lb-in²"),
        ("Spherical shell", {"R": "0.1", "m": "2"}, "lb-in²"),
        ("Slender rod", {"L": "3", "m": "4"}, "kg-m²"),
        ("Tetrahedron", {"L": "3", "W": "1", "H": "2", "m": "10"}, "kg-m²"),
    ]
    for shape, given, unit in examples:
        d.choose(shapes, shape, unit=False)
        if shape == "Cylinder":
            d.click_checked(d.find("Mass", "radio button", window))
        if d.combo_entry(result_units).strip() != unit:
            d.choose(result_units, unit)
        for key, text in given.items():
            d.enter(window, BOXES[key], text)
        expected, _ = inertia(shape.lower(), **{k: float(t) for k, t in given.items()})
        check_results(d, window, expected, unit, what=shape)

    # Density mode: the mass follows from the density and is shown.
    d.choose(shapes, "Sphere", unit=False)
    d.click_checked(d.find("Density", "radio button", window))
    d.enter(window, "Radius (R)", "1")
    d.enter(window, "Density", "1000")
    expected, mass = inertia("sphere", density=1000.0, R=1.0)
    wait_for(lambda: d.text(d.find("Mass", "text", window)) == f"{mass:.7G}", f"the mass {mass:.7G} shown")
    check_results(d, window, expected, "kg-m²", what="Sphere from its density")

    # A pasted "number unit" in Arabic-Indic digits picks its unit; an inside
    # diameter beyond the outside one is told, never computed.
    d.choose(shapes, "Cylinder", unit=False)
    d.click_control(d.find("Mass", "radio button", window))
    for key, text in {"L": "1", "ID": "0", "m": "10"}.items():
        d.enter(window, BOXES[key], text)
    d.set_clipboard("\u0662\u0660\u0660 mm")
    outside = d.find(BOXES["OD"], "text", window)
    d.click_control(outside)
    d.key("ctrl+v")
    wait_for(lambda: d.text(outside) == "200", "the pasted outside diameter")
    expected, _ = inertia("cylinder", L=1.0, OD=0.2, ID=0.0, m=10.0)
    check_results(d, window, expected, "kg-m²", what="pasted outside diameter in mm")
    d.enter(window, BOXES["ID"], "0.3")
    problem = d.find("Input problem", "label", window)
    wait_for(lambda: problem.description == "Inside diameter exceeds outside diameter", "the reason")
    d.click_control(d.find("Copy Ixx value to clipboard", "push button", window))
    d.wait_clipboard("Invalid input", "an impossible cylinder")
    d.enter(window, BOXES["ID"], "0")

    # Display: scientific notation, then one digit fewer.
    d.click_checked(d.find("Scientific notation on/off", None, window))
    check_results(d, window, expected, "kg-m²", notation=True, what="scientific notation")
    bar = d.find("Change displayed significant digits", "scroll bar", window)
    x, y, w, h = d.extents(bar)
    d.click(x + w // 2, y + h - 3)
    wait_for(lambda: d.value(bar) == 5, "5 significant digits")
    check_results(d, window, expected, "kg-m²", digits=5, notation=True, what="5 digits")

    d.click_control(d.find("Click to exit calculator", "push button", window))
    d.wait_no_window(INERTIA_WINDOW)
    d.wait_settings("Inertia Calculator", {"Digits": "5", "NotationMode": "True"}, "inertia settings after closing")


AXIS_BUTTON = "Axis sizing"


def axis_title(name="Untitled", modified=False):
    return f"{name}{'*' if modified else ''} \u2014 Axis sizing"


def shown_value(d, window, name):
    """A result label's text, which it also gives as its description."""
    return d.find(name, "label", window).description


def wait_shown(d, window, expected, what):
    """Waits until each named result label shows its expected text."""
    def probe():
        return all(shown_value(d, window, name) == text for name, text in expected.items())
    try:
        wait_for(probe, what)
    except Failure:
        shown = {name: shown_value(d, window, name) for name in expected}
        raise Failure(f"{what}: shown {shown!r}, expected {expected!r}") from None


def scenario_axis(d):
    d.start_program()
    toolbar_button(d, AXIS_BUTTON)
    d.wait_window(axis_title())
    window = d.window(AXIS_BUTTON)
    check_spoken_names(d, window)

    # A solid cylinder from the inertia calculator's pick mode:
    # Add > Shape... (the first entry of the key's menu), about its own axis.
    d.click_control(d.find("Add", "push button", window))
    wait_for(d.popup_window, "the Add menu")
    d.key("Down", "Return")
    calculator = d.window(INERTIA_WINDOW)
    check_spoken_names(d, calculator)
    d.click_checked(d.find("Mass", "radio button", calculator))
    cylinder = {"L": "1", "OD": "0.2", "ID": "0", "m": "10"}
    for key, text in cylinder.items():
        d.enter(calculator, BOXES[key], text)
    check_equal(d.find(None, "combo box", d.find("Add to axis", "panel", calculator)).name, "Izz",
                "the result offered first")
    (_, _, izz, _, _), _ = inertia("cylinder", **{k: float(t) for k, t in cylinder.items()})
    wait_for(lambda: shown_value(d, calculator, "Izz") == significant(izz, 6), "the cylinder's Izz")
    d.click_control(d.find("Add to axis", "push button", calculator))
    d.wait_no_window(INERTIA_WINDOW)

    # The rotor, then a 3:1 gearbox: the load side is reflected by 1/i².
    replace_text(d, window, "Rotor inertia", "0.002")

    def check_axis(ratio, title):
        at_motor = izz / ratio ** 2
        j, jm, lam = (significant(float32(x), 6) for x in (izz, at_motor, at_motor / 0.002))
        # Every column but the inputs' summary.
        row = [["Shape", "Cylinder", "1", "Load side", j, jm, "100.0 %"]]
        items = d.find("Items", "table", window)
        try:
            wait_for(lambda: [r[:3] + r[4:] for r in table_rows(d, items)] == row, f"the item row at i = {ratio}")
        except Failure:
            raise Failure(f"the item row at i = {ratio}: {table_rows(d, items)!r}, expected {row!r}") from None
        wait_shown(d, window, {"Load-side inertia J L": j, "Inertia at the motor J M": jm,
                               "Inertia ratio": lam}, f"the results at i = {ratio}")
        d.wait_window(title)

    check_axis(1, axis_title(modified=True))
    replace_text(d, window, "Gearbox ratio", "3")
    check_axis(3, axis_title(modified=True))

    # Saved under a new name: the title drops its mark.
    path = os.path.join(d.home_dir, "axis.tvaxis")
    menu(d, window, "File", "Save As…")
    dialog = d.window("Save axis")
    d.type_into(d.find("File name:", "text", dialog), "axis")
    d.key("Return")
    d.wait_no_window("Save axis")
    d.wait_window(axis_title("axis.tvaxis"))
    check(os.path.exists(path), "the saved file, its suffix added")

    # Undo and redo in the window (the focus on the item table, not in a
    # box, which keeps its own undo): the figures and the mark follow.
    items = d.find("Items", "table", window)
    d.click_control(items.queryTable().getAccessibleAt(0, 1))
    wait_for(lambda: items.getState().contains(d.atspi.STATE_FOCUSED), "the focus on the item table")
    d.key("ctrl+z")
    check_axis(1, axis_title("axis.tvaxis", modified=True))
    wait_for(lambda: d.text(d.find("Gearbox ratio", "text", window)) == "1", "the ratio box back to 1")
    d.key("ctrl+shift+z")
    check_axis(3, axis_title("axis.tvaxis"))

    # Closed and opened again from the recent files: all there, unmodified.
    d.key("Escape")
    d.wait_no_window(axis_title("axis.tvaxis"))
    toolbar_button(d, AXIS_BUTTON)
    d.wait_window(axis_title())
    window = d.window(AXIS_BUTTON)
    menu(d, window, "File", "Open Recent", f"1  axis.tvaxis  ({d.home_dir})")
    check_axis(3, axis_title("axis.tvaxis"))
    check_equal([d.text(d.find(box, "text", window)) for box in ("Gearbox ratio", "Rotor inertia")],
                ["3", "0.002"], "the drive as reopened")

    d.click_control(d.find("Move", "page tab", window))
    # A quarter turn in half a second, ramps of a third each: the peak speed
    # is 1.5 x the mean, at the load and, through the gearbox, at the motor.
    for box, text in (("Move distance", "90"), ("Move time", "0.5")):
        replace_text(d, window, box, text)
    peak = 1.5 * 90 / 360 / 0.5 * 60
    wait_shown(d, window, {"Peak load speed": significant(float32(peak), 6),
                           "Maximum motor speed": significant(float32(3 * peak), 6)}, "the move's speeds in rpm")
    d.wait_window(axis_title("axis.tvaxis", modified=True))
    d.key("Escape")
    d.click_control(d.find("Discard", "push button"))
    d.wait_no_window(axis_title("axis.tvaxis", modified=True))


SCENARIOS = {
    "start": scenario_start,
    "inertia": scenario_inertia,
    "density": scenario_density,
    "tray": scenario_tray,
    "unitcalc": scenario_unitcalc,
    "errorreport": scenario_errorreport,
    "mailreport": scenario_mailreport,
    "reference": scenario_reference,
    "axis": scenario_axis,
}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("scenario", choices=sorted(SCENARIOS))
    parser.add_argument("--build", required=True, help="the build folder holding torvane-toolbar")
    parser.add_argument("--preload", help="library that stands in for a failing desktop link handler")
    parser.add_argument("--keep-shots", help="folder for a screenshot of the screen when a scenario fails")
    args = parser.parse_args()

    reports = ("errorreport", "mailreport")
    if args.scenario in reports and not (args.preload and os.path.exists(args.preload)):
        print(f"FAIL: {args.scenario} needs --preload with the failing link handler library")
        return 1
    started = time.monotonic()
    preload = os.path.abspath(args.preload) if args.preload and args.scenario in reports else None
    with Desktop(args.build, preload=preload) as d:
        try:
            SCENARIOS[args.scenario](d)
        except Failure as failure:
            print(f"FAIL: {args.scenario}: {failure}")
            shot = os.path.join(args.keep_shots or os.getcwd(), f"e2e-{args.scenario}-failure.png")
            try:
                d.screenshot(d.root, shot)
                print(f"screen at the failure: {shot}")
            except Exception:
                pass
            if d.program is not None and d.program.poll() is not None and d.program.stdout:
                print("program output:", d.program.stdout.read().decode(errors="replace"))
            return 1
        except Exception:
            traceback.print_exc()
            return 1
    print(f"PASS: {args.scenario} ({time.monotonic() - started:.1f} s)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
