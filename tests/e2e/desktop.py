"""A throw-away desktop for driving the real program as a user does.

Desktop() starts, each in a scratch folder of its own: an X server (Xvfb, on
a display number it picks itself), a session message bus (the accessibility
bus is started on it on demand), a window manager (openbox) and a panel with a
notification area (tint2). The program runs from a copy of its folder
(executable, converts.dat, the shipped density.dat) with its own home,
settings and runtime folders, so nothing of the developer's is read or
written and several desktops can run side by side.

It is driven the way a user drives it: mouse and keyboard through the X
server's test extension (xdotool), the clipboard through xclip, and controls
found by their accessible names through AT-SPI, which is also what a screen
reader sees. Every wait polls with a deadline; every process started here is
ended when the desktop closes.
"""

import configparser
import ctypes
import os
import shutil
import signal
import subprocess
import tempfile
import time

from Xlib import X, display as xdisplay, error as xerror

PROGRAM = "torvane-toolbar"
TOOLBAR_TITLE = "Torvane Toolbar"
# Generous: under a loaded machine (a parallel build) the program may take
# many seconds for a step; a wait ends as soon as its state is there.
DEFAULT_TIMEOUT = 30.0

_libc = ctypes.CDLL(None, use_errno=True)


def _die_with_parent():
    # A helper left behind by a killed test run would hold its display.
    _libc.prctl(1, signal.SIGKILL)  # PR_SET_PDEATHSIG
    os.setpgrp()



def sanitizer_runtimes(library):
    """The sanitizer runtimes a library was linked with (a sanitizer build):
    AddressSanitizer must come first in the list of preloaded libraries."""
    try:
        listing = subprocess.run(["ldd", library], capture_output=True, text=True, timeout=10).stdout
    except (OSError, subprocess.SubprocessError):
        return []
    runtimes = []
    for line in listing.splitlines():
        parts = line.split()
        if len(parts) >= 3 and parts[0].startswith(("libasan.", "libubsan.")) and parts[1] == "=>":
            runtimes.append(parts[2])
    return sorted(runtimes, key=lambda path: "libasan." not in path)

class Failure(AssertionError):
    pass


def wait_for(probe, what, timeout=DEFAULT_TIMEOUT, interval=0.02):
    """Polls probe() until it returns something true and returns that."""
    deadline = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(interval)


def check(condition, message):
    if not condition:
        raise Failure(message)


def check_equal(actual, expected, what):
    if actual != expected:
        raise Failure(f"{what}: expected {expected!r}, got {actual!r}")


class Desktop:
    def __init__(self, build_dir, width=1280, height=1024, wait_tray=True, preload=None, display=None):
        self.build_dir = os.path.abspath(build_dir)
        self.scratch = tempfile.mkdtemp(prefix="torvane-e2e-")
        self.program_dir = os.path.join(self.scratch, "program")
        self.config_dir = os.path.join(self.scratch, "config")
        # A desktop session's runtime folder lives in memory (/run/user/<uid>):
        # a lock or socket made there costs no write to disk.
        memory = "/dev/shm"
        self.runtime_dir = (tempfile.mkdtemp(prefix="torvane-e2e-runtime-", dir=memory)
                            if os.path.isdir(memory) and os.access(memory, os.W_OK)
                            else os.path.join(self.scratch, "runtime"))
        self.home_dir = os.path.join(self.scratch, "home")
        self._processes = []
        self.program = None
        self._x = None
        self._atspi = None
        self._preload = preload
        self._fixed_display = display
        try:
            for folder in (self.program_dir, self.config_dir, self.runtime_dir, self.home_dir):
                os.makedirs(folder, mode=0o700, exist_ok=True)
            self.install_program()
            self._start_session(width, height, wait_tray)
        except BaseException:
            self.close()
            raise

    # ---- set-up and tear-down ------------------------------------------

    def install_program(self):
        shutil.copy2(os.path.join(self.build_dir, PROGRAM), self.program_dir)
        shutil.copy2(os.path.join(self.build_dir, "converts.dat"), self.program_dir)
        shutil.copy2(os.path.join(self.build_dir, "shipped", "density.dat"), self.program_dir)
        # The print module, loaded from beside the program on the first print.
        module = os.path.join(self.build_dir, "torvane-print.so")
        if os.path.exists(module):
            shutil.copy2(module, self.program_dir)
        # The shipped example tables, not the build folder's (which may hold edits).
        tables = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources", "tables")
        for table in ("motors.csv", "gearboxes.csv"):
            shutil.copy2(os.path.join(tables, table), self.program_dir)

    def _spawn(self, args, **kwargs):
        kwargs.setdefault("stdin", subprocess.DEVNULL)
        kwargs.setdefault("stdout", subprocess.DEVNULL)
        kwargs.setdefault("stderr", subprocess.DEVNULL)
        kwargs.setdefault("env", self.env)
        process = subprocess.Popen(args, preexec_fn=_die_with_parent, **kwargs)
        self._processes.append(process)
        return process

    def _start_session(self, width, height, wait_tray):
        # Nothing of the caller's desktop reaches the program: its Qt and
        # font settings, locale and time zone are the session's own. The
        # fonts are the tests' fontconfig (FONTCONFIG_FILE, set by CTest).
        base = {k: v for k, v in os.environ.items()
                if not k.startswith(("QT_", "DBUS_", "XDG_", "DISPLAY", "WAYLAND", "LC_", "AT_SPI", "LANGUAGE",
                                     "DESKTOP_SESSION", "KDE_", "GNOME_", "FONTCONFIG_PATH", "FONTCONFIG_SYSROOT"))}
        base.update(HOME=self.home_dir, XDG_CONFIG_HOME=self.config_dir,
                    XDG_RUNTIME_DIR=self.runtime_dir, LANG="C.UTF-8", LC_ALL="C.UTF-8", TZ="UTC")
        self.env = base

        if self._fixed_display:
            # A display the caller chose: up once a client can connect to it.
            self._spawn(["Xvfb", self._fixed_display, "-screen", "0", f"{width}x{height}x24",
                         "-nolisten", "tcp", "-noreset"])
            self.display = self._fixed_display
            wait_for(self._can_connect, "the X server")
        else:
            self.display = self._pick_display(width, height)
        self.env["DISPLAY"] = self.display
        self._x = xdisplay.Display(self.display)
        self.root = self._x.screen().root

        bus = self._spawn(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                          stdout=subprocess.PIPE)
        address = bus.stdout.readline().decode().strip()
        check(address, "the session bus did not start")
        self.env["DBUS_SESSION_BUS_ADDRESS"] = address

        self._spawn(["openbox", "--sm-disable"])
        wait_for(lambda: self._property(self.root, "_NET_SUPPORTING_WM_CHECK"), "the window manager")
        tint2rc = os.path.join(self.scratch, "tint2rc")
        with open(tint2rc, "w") as f:
            f.write(TINT2RC)
        self._spawn(["tint2", "-c", tint2rc])
        if wait_tray:
            tray = self._x.intern_atom("_NET_SYSTEM_TRAY_S0")
            wait_for(lambda: self._x.get_selection_owner(tray) != X.NONE, "the notification area")

        self.program_env = dict(self.env, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        if self._preload:
            self.program_env["LD_PRELOAD"] = " ".join(sanitizer_runtimes(self._preload) + [self._preload])

    def _pick_display(self, width, height):
        # The X server tells its display number through a pipe once it listens.
        read_end, write_end = os.pipe()
        self._spawn(["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{width}x{height}x24",
                     "-nolisten", "tcp", "-noreset"], pass_fds=[write_end])
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + DEFAULT_TIMEOUT
        while not number.endswith(b"\n") and time.monotonic() < deadline:
            chunk = os.read(read_end, 16)
            if not chunk:
                break
            number += chunk
        os.close(read_end)
        check(number.strip().isdigit(), "the X server did not start")
        return ":" + number.decode().strip()

    def _can_connect(self):
        try:
            xdisplay.Display(self.display).close()
            return True
        except Exception:
            return False

    def close(self):
        for process in reversed(self._processes):
            if process.poll() is None:
                process.terminate()
        for process in reversed(self._processes):
            try:
                process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait(timeout=5)
            if process.stdout:
                process.stdout.close()
        self._processes.clear()
        shutil.rmtree(self.scratch, ignore_errors=True)
        shutil.rmtree(self.runtime_dir, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    # ---- the program ---------------------------------------------------

    def start_program(self, wait=True, cwd=None):
        """Starts the program (from another folder than its own) and waits
        for the strip to be shown and its accessibility tree to be there."""
        self.program = self._spawn([os.path.join(self.program_dir, PROGRAM)],
                                   env=self.program_env, cwd=cwd or self.home_dir,
                                   stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        if wait:
            self.wait_toolbar()
            self.app()
        return self.program

    def run_program_once(self, *arguments, timeout=DEFAULT_TIMEOUT):
        """Runs one more copy (from the home folder) to its end and returns its exit code."""
        start = time.monotonic()
        try:
            completed = subprocess.run([os.path.join(self.program_dir, PROGRAM), *arguments], env=self.program_env,
                                       cwd=self.home_dir, stdin=subprocess.DEVNULL, capture_output=True,
                                       timeout=timeout, preexec_fn=_die_with_parent)
        except subprocess.TimeoutExpired:
            raise Failure(f"another start did not end within {timeout:.0f} s") from None
        return completed.returncode, time.monotonic() - start

    def wait_program_end(self, timeout=DEFAULT_TIMEOUT):
        try:
            return self.program.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise Failure("the program did not end") from None

    def settings(self):
        """The settings file as sections of keys (spaces decoded)."""
        path = self.settings_path()
        parser = configparser.RawConfigParser()
        parser.optionxform = str
        if os.path.exists(path):
            parser.read(path, encoding="utf-8")
        return {section.replace("%20", " "): {key.replace("%20", " "): value
                                              for key, value in parser[section].items()}
                for section in parser.sections()}

    def wait_settings(self, section, expected, what):
        """Waits until a section of the settings file holds exactly expected:
        the program writes it after its window has gone."""
        try:
            return wait_for(lambda: self.settings().get(section) == expected, what)
        except Failure:
            raise Failure(f"{what}: expected {expected!r}, got {self.settings().get(section)!r}") from None

    def settings_path(self):
        return os.path.join(self.config_dir, TOOLBAR_TITLE, TOOLBAR_TITLE + ".ini")

    def write_settings(self, text):
        os.makedirs(os.path.dirname(self.settings_path()), exist_ok=True)
        with open(self.settings_path(), "w", encoding="utf-8") as f:
            f.write(text)

    # ---- X windows -----------------------------------------------------

    def _atom(self, name):
        return self._x.intern_atom(name)

    def _property(self, window, name):
        try:
            value = window.get_full_property(self._atom(name), X.AnyPropertyType)
        except xerror.XError:
            return None
        return value.value if value else None

    def title(self, window):
        name = self._property(window, "_NET_WM_NAME") or self._property(window, "WM_NAME")
        if isinstance(name, bytes):
            return name.decode("utf-8", "replace")
        return name or ""

    def client_windows(self):
        """The windows the window manager manages, bottom to top."""
        ids = self._property(self.root, "_NET_CLIENT_LIST_STACKING") or []
        return [self._x.create_resource_object("window", i) for i in ids]

    def find_window(self, title):
        for window in reversed(self.client_windows()):
            if self.title(window) == title and self.is_viewable(window):
                return window
        return None

    def wait_window(self, title, timeout=DEFAULT_TIMEOUT):
        return wait_for(lambda: self.find_window(title), f"window {title!r}", timeout)

    def wait_no_window(self, title, timeout=DEFAULT_TIMEOUT):
        wait_for(lambda: not self.find_window(title), f"window {title!r} to close", timeout)

    def is_viewable(self, window):
        try:
            return window.get_attributes().map_state == X.IsViewable
        except xerror.XError:
            return False

    def wait_toolbar(self, timeout=DEFAULT_TIMEOUT):
        self.toolbar = self.wait_window(TOOLBAR_TITLE, timeout)
        return self.toolbar

    def frame(self, window):
        """The outermost ancestor below the root: the window manager's frame."""
        current = window
        while True:
            parent = current.query_tree().parent
            if parent.id == self.root.id:
                return current
            current = parent

    def geometry(self, window):
        """(x, y, width, height) of a window on the screen."""
        g = window.get_geometry()
        origin = self.root.translate_coords(window, 0, 0)
        return (origin.x, origin.y, g.width, g.height)

    def wm_state(self, window):
        atoms = self._property(window, "_NET_WM_STATE") or []
        return {self._x.get_atom_name(a) for a in atoms}

    def active_window(self):
        ids = self._property(self.root, "_NET_ACTIVE_WINDOW")
        return ids[0] if ids else None

    def tray_icon(self):
        """The program's icon window inside the panel's notification area."""
        def search(window, inside_panel):
            for child in window.query_tree().children:
                try:
                    wm_class = child.get_wm_class() or ()
                except xerror.XError:
                    continue
                panel = inside_panel or "tint2" in wm_class
                if inside_panel and PROGRAM in wm_class and self.is_viewable(child):
                    return child
                found = search(child, panel)
                if found:
                    return found
            return None
        return search(self.root, False)

    def popup_window(self):
        """The program's open popup (a menu), or None."""
        for child in reversed(self.root.query_tree().children):
            try:
                attributes = child.get_attributes()
                if attributes.map_state == X.IsViewable and attributes.override_redirect and \
                        PROGRAM in (child.get_wm_class() or ()):
                    return child
            except xerror.XError:
                continue
        return None

    def open_tray_menu(self):
        """Right click on the tray icon; returns the menu's window. A click
        that comes a few milliseconds after a window closed can go unseen,
        so, as a user would, it clicks again when no menu opens."""
        for _ in range(2):
            self.click_window(self.tray_icon(), button=3)
            try:
                return wait_for(self.popup_window, "the tray icon's menu", timeout=2)
            except Failure:
                pass
        self.click_window(self.tray_icon(), button=3)
        return wait_for(self.popup_window, "the tray icon's menu")

    def exit_from_tray(self):
        """Right click on the tray icon, then "Exit", the menu's last entry."""
        menu = self.open_tray_menu()
        self.click_window(menu, y=self.geometry(menu)[3] - 12)

    def screenshot(self, window, path):
        subprocess.run(["import", "-window", hex(window.id), path], env=self.env, check=True,
                       timeout=30, stdin=subprocess.DEVNULL)

    def pixels(self, x, y, width, height):
        """The screen's raw pixels in that rectangle."""
        return self.root.get_image(x, y, width, height, X.ZPixmap, 0xFFFFFFFF).data

    # ---- input ---------------------------------------------------------

    def xdotool(self, *args):
        completed = subprocess.run(["xdotool", *map(str, args)], env=self.env, capture_output=True,
                                   text=True, timeout=DEFAULT_TIMEOUT, stdin=subprocess.DEVNULL)
        if completed.returncode != 0:
            raise Failure(f"xdotool {' '.join(map(str, args))}: {completed.stderr.strip()}")
        return completed.stdout

    def _move_args(self, x, y):
        """xdotool's arguments that bring the pointer to (x, y). Its --sync
        waits for a motion that never comes when the pointer is already there.
        A move and what follows it go in one xdotool run: the X server may
        take requests from separate runs out of order on a loaded machine."""
        pointer = self.root.query_pointer()
        if (pointer.root_x, pointer.root_y) != (int(x), int(y)):
            return ["mousemove", "--sync", int(x), int(y)]
        return []

    def move_mouse(self, x, y):
        args = self._move_args(x, y)
        if args:
            self.xdotool(*args)

    def click(self, x, y, button=1, repeat=1):
        self.xdotool(*self._move_args(x, y), "click", "--repeat", repeat, "--delay", 60, button)

    def click_window(self, window, x=None, y=None, button=1, repeat=1):
        left, top, width, height = self.geometry(window)
        self.click(left + (width // 2 if x is None else x), top + (height // 2 if y is None else y),
                   button, repeat)

    def drag(self, x1, y1, x2, y2, arrived, what, steps=10):
        """Drags with the left button from (x1, y1) to (x2, y2) and lets go
        only once arrived() holds. A window manager that falls behind takes
        the queued moves together: the first starts its move and the rest are
        merged into it, so the window stays put. Until the drag has arrived,
        the pointer goes a pixel aside and back, which that move then follows."""
        moves = []
        for i in range(1, steps + 1):
            moves += ["mousemove", "--sync", x1 + (x2 - x1) * i // steps, y1 + (y2 - y1) * i // steps]
        self.xdotool(*self._move_args(x1, y1), "mousedown", 1, *moves)
        try:
            def follow():
                if arrived():
                    return True
                self.xdotool("mousemove", "--sync", x2 + 1, y2, "mousemove", "--sync", x2, y2)
                return arrived()
            wait_for(follow, what, interval=0.25)
        finally:
            self.xdotool("mouseup", 1)
        # The window manager holds the pointer and the keyboard while it
        # moves a window: keys sent before it has let go are its own.
        wait_for(self._pointer_free, "the window manager to end the move")

    def _pointer_free(self):
        """Whether no client holds the pointer (a grab of it succeeds, and is let go)."""
        status = self.root.grab_pointer(False, 0, X.GrabModeAsync, X.GrabModeAsync, X.NONE, X.NONE, X.CurrentTime)
        if status != X.GrabSuccess:
            return False
        self._x.ungrab_pointer(X.CurrentTime)
        self._x.sync()
        return True

    def is_iconic(self, window):
        """Whether the window manager has minimised the window (its WM_STATE
        says so, which is what the program reads)."""
        state = self._property(window, "WM_STATE")
        return bool(state) and state[0] == 3

    def key(self, *keys):
        self.xdotool("key", "--delay", 30, *keys)

    def type(self, text):
        self.xdotool("type", "--delay", 30, text)

    def close_box(self, window):
        """Clicks the close button in the window's title bar (the rightmost
        button of openbox's default layout)."""
        left, top, width, _ = self.geometry(self.frame(window))
        client_top = self.geometry(window)[1]
        self.click(left + width - 12, top + (client_top - top) // 2)

    # ---- clipboard -----------------------------------------------------

    def set_clipboard(self, text):
        # xclip stays in the background to serve the text; it ends when the
        # clipboard changes hands or the X server goes.
        subprocess.run(["xclip", "-selection", "clipboard", "-i"], input=text.encode(), env=self.env,
                       check=True, timeout=DEFAULT_TIMEOUT, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)

    def clipboard(self):
        completed = subprocess.run(["xclip", "-selection", "clipboard", "-o"], env=self.env,
                                   capture_output=True, timeout=DEFAULT_TIMEOUT, stdin=subprocess.DEVNULL)
        return completed.stdout.decode("utf-8") if completed.returncode == 0 else None

    def wait_clipboard(self, expected, what):
        try:
            return wait_for(lambda: self.clipboard() == expected, what)
        except Failure:
            raise Failure(f"{what}: expected {expected!r} on the clipboard, got {self.clipboard()!r}")

    # ---- accessibility -------------------------------------------------

    @property
    def atspi(self):
        if self._atspi is None:
            # The accessibility library finds its bus through these at import.
            os.environ["DBUS_SESSION_BUS_ADDRESS"] = self.env["DBUS_SESSION_BUS_ADDRESS"]
            os.environ["DISPLAY"] = self.display
            import pyatspi
            self._atspi = pyatspi
        return self._atspi

    def app(self, timeout=DEFAULT_TIMEOUT):
        def probe():
            desktop = self.atspi.Registry.getDesktop(0)
            for i in range(desktop.childCount):
                child = desktop.getChildAtIndex(i)
                if child is not None and child.name == TOOLBAR_TITLE and child.childCount > 0:
                    return child
            return None
        return wait_for(probe, "the program on the accessibility bus", timeout)

    def find(self, name=None, role=None, root=None, timeout=DEFAULT_TIMEOUT, showing=True):
        """The first control (depth first) with this accessible name and role."""
        def probe():
            return self._search(root or self.app(), name, role, showing)
        return wait_for(probe, f"control {name!r} ({role or 'any role'})", timeout)

    def find_all(self, role, root, showing=True):
        found = []
        self._search(root, None, role, showing, found)
        return found

    def _search(self, node, name, role, showing, found=None):
        for i in range(node.childCount):
            try:
                child = node.getChildAtIndex(i)
                if child is None:
                    continue
                states = child.getState()
                if showing and not states.contains(self.atspi.STATE_SHOWING):
                    continue
                if (name is None or child.name == name) and (role is None or child.getRoleName() == role):
                    if found is None:
                        return child
                    found.append(child)
                result = self._search(child, name, role, showing, found)
                if result is not None:
                    return result
            except Exception:  # a control that went away while we looked
                continue
        return None

    def window(self, name, timeout=DEFAULT_TIMEOUT):
        """A top-level window of the program by its accessible name, once the
        window manager has placed it (its place on the screen holds still), so
        clicks at its controls' places reach them."""
        window = wait_for(lambda: (self.windows(name) or [None])[-1],
                          f"window {name!r} on the accessibility bus", timeout)
        self.wait_steady(lambda: self.extents(window), f"window {name!r} to hold still", timeout)
        return window

    def wait_steady(self, probe, what, timeout=DEFAULT_TIMEOUT, interval=0.15):
        """Polls probe() until two reads a moment apart agree, and returns the value."""
        last = [probe()]

        def settled():
            time.sleep(interval)
            value = probe()
            same = value == last[0]
            last[0] = value
            return same
        wait_for(settled, what, timeout)
        return last[0]

    def windows(self, name):
        """The program's shown top-level windows of that name, oldest first."""
        app = self.app()
        found = []
        for i in range(app.childCount):
            child = app.getChildAtIndex(i)
            if child is not None and child.name == name and child.getState().contains(self.atspi.STATE_SHOWING):
                found.append(child)
        return found

    def extents(self, accessible):
        e = accessible.queryComponent().getExtents(self.atspi.DESKTOP_COORDS)
        return e.x, e.y, e.width, e.height

    def click_control(self, accessible, button=1, repeat=1):
        x, y, w, h = self.extents(accessible)
        check(w > 0 and h > 0, f"control {accessible.name!r} has no area on the screen")
        self.click(x + w // 2, y + h // 2, button, repeat)

    def press(self, accessible):
        """Presses a control through the accessibility interface."""
        action = accessible.queryAction()
        for i in range(action.nActions):
            if action.getName(i) in ("Press", "press", "click"):
                action.doAction(i)
                return
        raise Failure(f"control {accessible.name!r} cannot be pressed")

    def combo_entry(self, combo):
        """A drop-down list's current entry: a unit list gives its unit as its
        text (its name is what the unit is for), another list as its name."""
        try:
            return self.text(combo)
        except NotImplementedError:
            return combo.name

    def combo_described(self, window, description):
        """A drop-down list by its description."""
        for combo in self.find_all("combo box", window):
            if combo.description == description:
                return combo
        raise Failure(f"no drop-down list described as {description!r}")

    def choose(self, combo, entry, unit=True):
        """Picks an entry of a drop-down list with the mouse (unit names are
        listed with their padding)."""
        self.click_control(combo)
        self.click_control(self.find(entry.ljust(15) if unit else entry, "list item", combo))
        wait_for(lambda: self.combo_entry(combo).strip() == entry, f"{entry!r} chosen")

    def focus(self, control):
        """Clicks an entry box and waits until it has the focus with its text
        selected. Input from separate xdotool runs may reach the program out
        of order on a loaded machine, so keys must not follow a click before
        its effect is seen."""
        self.click_control(control)

        def ready():
            if not control.getState().contains(self.atspi.STATE_FOCUSED):
                return False
            t = control.queryText()
            return t.characterCount == 0 or t.getNSelections() > 0
        wait_for(ready, f"the focus in {control.name!r} with its text selected")

    def type_into(self, control, text, shown=None):
        """Focuses an entry box, types text over what it held and waits until
        the box shows it (or shown)."""
        self.focus(control)
        self.type(text)
        wait_for(lambda: self.text(control) == (text if shown is None else shown), f"{text!r} in {control.name!r}")

    def enter(self, window, box, text):
        """Clicks into an entry box (which selects its text) and types."""
        self.type_into(self.find(box, "text", window), text)

    def click_checked(self, control, checked=True):
        """Clicks a radio button, check box or toggle key and waits for its state."""
        self.click_control(control)
        wait_for(lambda: self.checked(control) == checked, f"{control.name!r} {'on' if checked else 'off'}")

    def text(self, accessible):
        t = accessible.queryText()
        return t.getText(0, t.characterCount)

    def value(self, accessible):
        return accessible.queryValue().currentValue

    def checked(self, accessible):
        states = accessible.getState()
        return states.contains(self.atspi.STATE_CHECKED) or states.contains(self.atspi.STATE_PRESSED)


TINT2RC = """\
# A bare panel: window list and notification area.
panel_items = TS
panel_size = 100% 30
panel_position = bottom center horizontal
panel_layer = top
panel_background_id = 0
systray_padding = 4 4 4
systray_icon_size = 22
systray_sort = ascending
taskbar_mode = single_desktop
task_text = 1
task_icon = 1
"""
