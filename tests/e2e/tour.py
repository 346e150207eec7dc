"""A walk through every window of the program, each brought up the way a user
does and left in a typical state. The screenshot script pictures each stop;
the start-up measurement opens them all to find the program's peak memory."""

from desktop import wait_for

UNITS_BUTTON = "Units Calculator"
TRIG_BUTTON = "Trig Reference"
DENSITY_BUTTON = "Table of densities"
INERTIA_BUTTON = "Inertia Calculator"
AXIS_BUTTON = "Axis sizing"
AXIS_TITLE = "Untitled \u2014 Axis sizing"

# (shape, from its density?, [(box, text)]), in an order that needs the mode
# chosen only where the window would not keep it.
SHAPE_EXAMPLES = [
    ("Cylinder", True, [("Density", "7850"), ("Length (L)", "0.5"), ("Outside dia. (OD)", "0.1"),
                        ("Inside dia. (ID)", "0.04")]),
    ("Parallelepiped", False, [("Density", "2700"), ("Length (L)", "0.4"), ("Width (W)", "0.2"),
                               ("Height (H)", "0.05")]),
    ("Sphere", False, [("Density", "7850"), ("Radius (R)", "0.05")]),
    ("Spherical shell", False, [("Mass", "1.2"), ("Radius (R)", "0.15")]),
    ("Slender rod", False, [("Mass", "0.8"), ("Length (L)", "1.2")]),
    ("Tetrahedron", False, [("Mass", "1.5"), ("Length (L)", "0.3"), ("Width (W)", "0.2"),
                            ("Height (H)", "0.25")]),
]


def toolbar_button(d, name):
    d.click_control(d.find(name, "push button", d.window("Torvane Toolbar")))


def menu(d, window, *path):
    """Chooses a menu entry by clicking through the menu bar."""
    node = window
    for entry in path:
        item = d.find(entry, "menu item", node)
        d.click_control(item)
        node = item


def replace_text(d, window, name, text):
    """Types over the whole text of a box that keeps its text on a click."""
    box = d.find(name, "text", window)
    d.click_control(box)
    wait_for(lambda: box.getState().contains(d.atspi.STATE_FOCUSED), f"the focus in {name!r}")
    d.key("ctrl+a")
    d.type(text)
    wait_for(lambda: d.text(box) == text, f"{text!r} in {name!r}")


def tour(d, visit, error_report=True):
    """Calls visit(name, window title) while each window is shown. The
    program must be running with its strip shown; error_report needs the
    failing link handler preloaded."""
    visit("toolbar", "Torvane Toolbar")

    d.set_clipboard("12.75 lb")
    toolbar_button(d, UNITS_BUTTON)
    calculator = d.window("Units Calculator")
    visit("unit-calculator", "Units Calculator")

    menu(d, calculator, "Help", "About Torvane Toolbar")
    about = d.window("TORVANE Toolbar (TM)")
    visit("about", "TORVANE Toolbar (TM)")
    d.click_control(d.find("OK", "push button", about))
    d.wait_no_window("TORVANE Toolbar (TM)")

    menu(d, calculator, "Help", "Contents")
    d.wait_window("Torvane Toolbar Help")
    visit("help", "Torvane Toolbar Help")
    d.key("Escape")
    d.wait_no_window("Torvane Toolbar Help")

    d.click_control(d.find("Click to close the calculator", "push button", calculator))
    d.wait_no_window("Units Calculator")

    # Every shape with a typical part: steel and aluminium from their
    # densities, the others from their masses.
    toolbar_button(d, INERTIA_BUTTON)
    inertia = d.window("Inertia calculator")
    shapes = d.combo_described(inertia, "Select shape for inertia")
    for shape, density, entries in SHAPE_EXAMPLES:
        d.choose(shapes, shape, unit=False)
        if density:
            d.click_control(d.find("Density", "radio button", inertia))
        for box, text in entries:
            d.enter(inertia, box, text)
        d.move_mouse(4, 1000)
        visit("inertia-" + shape.lower().replace(" ", "-"), "Inertia calculator")

    menu(d, inertia, "Options", "Set default units")
    defaults = d.window("Set default units")
    visit("default-units", "Set default units")
    d.click_control(d.find("Cancel", "push button", defaults))
    d.wait_no_window("Set default units")
    d.click_control(d.find("Click to exit calculator", "push button", inertia))
    d.wait_no_window("Inertia calculator")

    toolbar_button(d, DENSITY_BUTTON)
    density = d.window("Material density select")
    x, y, _, _ = d.extents(d.find("Materials", "list", density))
    d.click(x + 40, y + 8)
    d.type("Steel")
    visit("density", "Material density select")
    d.click_control(d.find("Off: exit density select", "push button", density))
    d.wait_no_window("Material density select")

    toolbar_button(d, TRIG_BUTTON)
    d.window("Trigonometric/Calculus Reference")
    visit("reference", "Trigonometric/Calculus Reference")
    d.close_box(d.wait_window("Trigonometric/Calculus Reference"))
    d.wait_no_window("Trigonometric/Calculus Reference")

    # A new axis on its Move tab: a quarter turn in half a second, plotted.
    toolbar_button(d, AXIS_BUTTON)
    d.wait_window(AXIS_TITLE)
    axis = d.window(AXIS_BUTTON)
    d.click_control(d.find("Move", "page tab", axis))
    for box, text in (("Move distance", "90"), ("Move time", "0.5")):
        replace_text(d, axis, box, text)
    d.key("Tab")
    # A cycle of three moves: out, back on an S-curve carrying a part, and
    # out again.
    moves = d.find("Moves of the cycle", "table", axis)
    add = d.find("Add move", "push button", axis)
    d.click_control(add)
    wait_for(lambda: moves.queryTable().nRows == 2, "a second move")
    # A list is named by its entry.
    d.choose(d.find("Trapezoidal, ramps t/3 each", "combo box", axis), "S-curve", unit=False)
    replace_text(d, axis, "Payload carried through the move and its dwell", "0.001")
    d.click_control(add)
    wait_for(lambda: moves.queryTable().nRows == 3, "a third move")
    d.move_mouse(4, 1000)
    visit("axis-move", "Untitled* \u2014 Axis sizing")
    # The motor's curves and the mechanism's losses, then the tools over the axis.
    d.click_control(d.find("Motor", "page tab", axis))
    visit("axis-motor", "Untitled* \u2014 Axis sizing")
    menu(d, axis, "Tools", "Best gearbox ratio\u2026")
    visit("best-ratio", "Best gearbox ratio")
    d.key("Escape")
    d.wait_no_window("Best gearbox ratio")
    menu(d, axis, "Tools", "Motor and gearbox tables\u2026")
    visit("drive-tables", "Motor and gearbox tables")
    d.key("Escape")
    d.wait_no_window("Motor and gearbox tables")
    menu(d, axis, "Tools", "Compare motors\u2026")
    visit("compare-motors", "Compare motors")
    d.key("Escape")
    d.wait_no_window("Compare motors")
    d.key("Escape")
    d.click_control(d.find("Discard", "push button"))
    d.wait_no_window("Untitled* \u2014 Axis sizing")

    toolbar_button(d, "Velmora")
    contact = d.window("About Velmora")
    visit("contact", "About Velmora")
    if not error_report:
        d.click_control(d.find("OK", "push button", contact))
        d.wait_no_window("About Velmora")
        return

    # A link whose handler fails brings up the error report.
    d.click_control(d.find("www.velmora.example", "link", contact))
    report = d.window("Error Handler")
    d.type("Ada Tester")
    d.key("Tab")
    d.type("Clicked the web address in About Velmora.")
    wait_for(lambda: d.text(d.find("User comments", "text", report)).endswith("Velmora."), "the comments")
    visit("error-report", "Error Handler")
    d.click_control(d.find("Exit bug report form", "push button", report))
    d.wait_no_window("Error Handler")
    d.click_control(d.find("OK", "push button", d.window("About Velmora")))
    d.wait_no_window("About Velmora")
