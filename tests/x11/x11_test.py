#!/usr/bin/python3
"""Drives the real calc and paint programs as a person would, under X.

Every run starts its own processes and ends them again, whatever happens:
  - a private Xvfb (96 DPI, -noreset) on a display it picks itself
    (-displayfd), so no other X server is ever touched;
  - a private D-Bus session bus, the AT-SPI bus launcher on it and the
    AT-SPI registry on the accessibility bus;
  - the program of each case, with Qt's accessibility switched on.

Input is real X input (XTest, through xdotool). What the programs show is
read back as an assistive tool reads it (AT-SPI, through pyatspi: a label's
accessible name is its text) and from screenshots of the X screen (xwd).

  x11_test.py --calc PATH --paint PATH [--out DIR] [CASE...]

With no CASE every case runs. On a failure the screen is saved as a PNG in
--out, with the programs' output, so that a person can look at it.

There is no window manager: windows stay where the programs put them, and
the keyboard goes where `xdotool windowfocus` sends it (a closed dialog does
not hand it back to its owner).
"""

import argparse
import ctypes
import os
import re
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time
import traceback
import zlib

TWIPS_PER_PIXEL = 15
POLL = 0.03  # seconds between two looks at the screen or the AT-SPI tree
WAIT = 10.0  # longest wait for anything a person would see at once

# ---------------------------------------------------------------------------
# Processes


class Failure(AssertionError):
    pass


class OutOfTime(BaseException):
    """The whole run took too long: no further case starts."""


def _die_with_parent():
    # Runs in the child before exec: the child gets SIGTERM if this script
    # dies, even by SIGKILL (a CTest time-out), so nothing outlives it.
    libc = ctypes.CDLL("libc.so.6", use_errno=True)
    PR_SET_PDEATHSIG = 1
    libc.prctl(PR_SET_PDEATHSIG, signal.SIGTERM, 0, 0, 0)


class Processes:
    """The processes this script started, ended in reverse order."""

    def __init__(self):
        self.started = []  # (name, Popen)

    def start(self, name, argv, env, **kwargs):
        proc = subprocess.Popen(
            argv,
            env=env,
            stdin=subprocess.DEVNULL,
            start_new_session=True,  # its own process group, ended as one
            preexec_fn=_die_with_parent,
            **kwargs,
        )
        self.started.append((name, proc))
        return proc

    def stop(self, proc, grace=3.0):
        """Ends one process (and its process group) that this script started."""
        if proc.poll() is None:
            for sig, wait in ((signal.SIGTERM, grace), (signal.SIGKILL, grace)):
                try:
                    os.killpg(proc.pid, sig)
                except ProcessLookupError:
                    pass
                try:
                    proc.wait(wait)
                    break
                except subprocess.TimeoutExpired:
                    continue
        else:
            # The leader is gone; end what is left of its group.
            try:
                os.killpg(proc.pid, signal.SIGKILL)
            except (ProcessLookupError, PermissionError):
                pass
        self.started = [(n, p) for (n, p) in self.started if p is not proc]

    def stop_all(self):
        for _, proc in reversed(list(self.started)):
            self.stop(proc)


def need_tools(*tools):
    missing = [t for t in tools if not shutil.which(t) and not os.path.exists(t)]
    if missing:
        raise SystemExit(
            "x11_test: missing " + ", ".join(missing) + " (Debian packages: xvfb xdotool "
            "x11-apps at-spi2-core python3-pyatspi dbus-daemon dbus-bin)"
        )


class Session:
    """A private X server, session bus and accessibility bus."""

    def __init__(self, procs, tmp):
        self.procs = procs
        self.tmp = tmp
        self.env = None
        self.display = None

    def start(self):
        home = os.path.join(self.tmp, "home")
        runtime = os.path.join(self.tmp, "runtime")
        for d in (home, runtime):
            os.makedirs(d, mode=0o700)
        # Only what the programs need; nothing of the caller's desktop.
        env = {
            "PATH": os.environ.get("PATH", "/usr/bin:/bin"),
            "HOME": home,
            "XDG_RUNTIME_DIR": runtime,
            "XDG_CONFIG_HOME": os.path.join(home, ".config"),
            "XDG_CACHE_HOME": os.path.join(home, ".cache"),
            "XDG_DATA_HOME": os.path.join(home, ".local/share"),
            "LANG": "C.UTF-8",
        }
        for keep in ("ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"):
            if keep in os.environ:
                env[keep] = os.environ[keep]

        # Xvfb picks a free display itself and writes its number to the pipe.
        read_fd, write_fd = os.pipe()
        xvfb = self.procs.start(
            "Xvfb",
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1024x768x24", "-dpi", "96",
             "-nolisten", "tcp", "-noreset"],
            env,
            pass_fds=(write_fd,),
            stdout=subprocess.DEVNULL,
            stderr=open(os.path.join(self.tmp, "xvfb.log"), "wb"),
        )
        os.close(write_fd)
        number = b""
        deadline = time.monotonic() + WAIT
        os.set_blocking(read_fd, False)
        while not number.endswith(b"\n"):
            if xvfb.poll() is not None or time.monotonic() > deadline:
                raise Failure("Xvfb did not start: " + _tail(os.path.join(self.tmp, "xvfb.log")))
            try:
                chunk = os.read(read_fd, 16)
            except BlockingIOError:
                chunk = b""
            number += chunk
            if not chunk:
                time.sleep(POLL)
        os.close(read_fd)
        self.display = ":" + number.decode().strip()
        env["DISPLAY"] = self.display

        # The session bus, on a socket in this run's own folder.
        bus_socket = os.path.join(runtime, "bus")
        dbus = self.procs.start(
            "dbus-daemon",
            ["dbus-daemon", "--session", "--nofork", "--nopidfile", "--print-address=1",
             "--address=unix:path=" + bus_socket],
            env,
            stdout=subprocess.PIPE,
            stderr=open(os.path.join(self.tmp, "dbus.log"), "wb"),
        )
        address = dbus.stdout.readline().decode().strip()
        if not address:
            raise Failure("dbus-daemon did not start: " + _tail(os.path.join(self.tmp, "dbus.log")))
        env["DBUS_SESSION_BUS_ADDRESS"] = address

        # The accessibility bus, announced on the session bus as org.a11y.Bus.
        self.procs.start(
            "at-spi-bus-launcher",
            ["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
            env,
            stdout=subprocess.DEVNULL,
            stderr=open(os.path.join(self.tmp, "at-spi-bus-launcher.log"), "wb"),
        )
        a11y = wait_for(
            lambda: _a11y_address(env),
            "the AT-SPI bus address on the session bus (org.a11y.Bus.GetAddress)",
        )
        # The registry: started here, before anything asks for it, so that it
        # is this script's child and not one that D-Bus activation leaves behind.
        # AT_SPI_BUS_ADDRESS goes to it alone: a Qt 6.4 program that finds it
        # in its environment connects to the bus but never registers there.
        self.procs.start(
            "at-spi2-registryd",
            ["/usr/libexec/at-spi2-registryd"],
            dict(env, AT_SPI_BUS_ADDRESS=a11y),
            stdout=subprocess.DEVNULL,
            stderr=open(os.path.join(self.tmp, "at-spi2-registryd.log"), "wb"),
        )
        wait_for(
            lambda: _name_has_owner(a11y, "org.a11y.atspi.Registry"),
            "the AT-SPI registry on the accessibility bus",
        )
        self.env = env
        return env


def _a11y_address(env):
    out = subprocess.run(
        ["dbus-send", "--session", "--print-reply=literal", "--reply-timeout=2000",
         "--dest=org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus.GetAddress"],
        env=env, capture_output=True, text=True,
    )
    address = out.stdout.strip()
    return address if out.returncode == 0 and address.startswith("unix:") else None


def _name_has_owner(bus, name):
    out = subprocess.run(
        ["dbus-send", "--bus=" + bus, "--print-reply=literal", "--reply-timeout=2000",
         "--dest=org.freedesktop.DBus", "/org/freedesktop/DBus",
         "org.freedesktop.DBus.NameHasOwner", "string:" + name],
        capture_output=True, text=True,
    )
    return out.returncode == 0 and "true" in out.stdout


def _tail(path, lines=20):
    try:
        with open(path, "rb") as f:
            return "\n" + "\n".join(f.read().decode(errors="replace").splitlines()[-lines:])
    except OSError:
        return ""


def wait_for(probe, what, timeout=WAIT):
    """Polls probe() until it returns something true; returns that.

    what names the awaited thing in the failure; a callable is asked then, so
    that it can tell what was seen instead."""
    deadline = time.monotonic() + timeout
    last = None
    while True:
        try:
            last = probe()
        except Failure:
            raise
        except Exception as error:  # the tree changes under our feet: look again
            last = error
        if last and not isinstance(last, Exception):
            return last
        if time.monotonic() > deadline:
            if callable(what):
                what = what()
            raise Failure(f"timed out after {timeout:g} s waiting for {what} (last: {last!r})")
        time.sleep(POLL)


# ---------------------------------------------------------------------------
# X: input and screenshots


class X:
    def __init__(self, env):
        self.env = env

    def xdotool(self, *args):
        out = subprocess.run(["xdotool", *map(str, args)], env=self.env, capture_output=True,
                             text=True, timeout=WAIT)
        return out

    def click(self, x, y, button=1):
        self.xdotool("mousemove", int(x), int(y), "click", button)

    def move(self, x, y):
        self.xdotool("mousemove", int(x), int(y))

    def key(self, *keys):
        self.xdotool("key", "--clearmodifiers", *keys)

    def windows(self, title):
        """Ids of the visible windows with exactly this title."""
        pattern = re.sub(r"([][.^$*+?(){}|\\])", r"\\\1", title)  # a POSIX extended regex
        out = self.xdotool("search", "--onlyvisible", "--name", "^" + pattern + "$")
        return [int(w) for w in out.stdout.split()]

    def geometry(self, window):
        out = self.xdotool("getwindowgeometry", "--shell", window).stdout
        values = dict(line.split("=", 1) for line in out.split() if "=" in line)
        return tuple(int(values[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))

    def focus(self, window):
        self.xdotool("windowfocus", "--sync", window)

    def focused(self):
        out = self.xdotool("getwindowfocus").stdout.strip()
        return int(out) if out.isdigit() else None

    def screenshot(self):
        data = subprocess.run(["xwd", "-root", "-silent"], env=self.env, capture_output=True,
                              check=True, timeout=WAIT).stdout
        return Screenshot(data)


class Screenshot:
    """The whole X screen, from xwd's output (ZPixmap, TrueColor)."""

    def __init__(self, data):
        h = struct.unpack(">25I", data[:100])
        header_size, fmt = h[0], h[2]
        self.width, self.height = h[4], h[5]
        byte_order, bits_per_pixel, bytes_per_line = h[7], h[11], h[12]
        visual_class, masks, ncolors = h[13], h[14:17], h[19]
        if fmt != 2 or visual_class not in (4, 5) or bits_per_pixel not in (24, 32):
            raise Failure(f"unexpected xwd format {fmt}, visual class {visual_class}")
        self.pixels = data[header_size + 12 * ncolors:]
        self.stride = bytes_per_line
        self.bpp = bits_per_pixel // 8  # Xvfb packs depth 24 in 3 bytes, lines padded
        self.order = "little" if byte_order == 0 else "big"
        self.shifts = [((m & -m).bit_length() - 1, m) for m in masks]

    def rgb(self, x, y):
        at = y * self.stride + x * self.bpp
        value = int.from_bytes(self.pixels[at:at + self.bpp], self.order)
        return tuple((value & m) >> s for (s, m) in self.shifts)

    def save_png(self, path, box=None):
        x0, y0, w, h = box or (0, 0, self.width, self.height)
        rows = []
        for y in range(y0, y0 + h):
            row = bytearray(b"\0")
            for x in range(x0, x0 + w):
                row += bytes(self.rgb(x, y))
            rows.append(bytes(row))

        def chunk(kind, body):
            return (struct.pack(">I", len(body)) + kind + body
                    + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

        with open(path, "wb") as f:
            f.write(b"\x89PNG\r\n\x1a\n")
            f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0)))
            f.write(chunk(b"IDAT", zlib.compress(b"".join(rows), 6)))
            f.write(chunk(b"IEND", b""))


# ---------------------------------------------------------------------------
# AT-SPI


class Atspi:
    def __init__(self):
        import pyatspi  # imported once the private buses are in the environment

        self.pyatspi = pyatspi
        self.desktop = pyatspi.Registry.getDesktop(0)

    def pump(self):
        """Delivers the AT-SPI events that have arrived to their listeners."""
        from gi.repository import GLib

        context = GLib.MainContext.default()
        while context.pending():
            context.iteration(False)

    def application(self, pid):
        for app in self.desktop:
            if app is not None and app.get_process_id() == pid:
                return app
        return None

    def find(self, root, role=None, name=None, where=None):
        """The first accessible under root (depth first) with this role and name."""
        for child in root:
            if child is None:
                continue
            if ((role is None or child.getRoleName() == role)
                    and (name is None or child.name == name)
                    and (where is None or where(child))):
                return child
            found = self.find(child, role, name, where)
            if found is not None:
                return found
        return None

    def extents(self, acc):
        e = acc.queryComponent().getExtents(self.pyatspi.DESKTOP_COORDS)
        return (e.x, e.y, e.width, e.height)


def centre(box):
    x, y, w, h = box
    return x + w // 2, y + h // 2


def twips_box(left, top, width, height):
    px = lambda t: (t + TWIPS_PER_PIXEL // 2) // TWIPS_PER_PIXEL  # noqa: E731
    return (px(left), px(top), px(width), px(height))


# ---------------------------------------------------------------------------
# The cases


class Program:
    """One run of a program: its process, its AT-SPI application and window."""

    def __init__(self, suite, path, title, size, menu_bar=False, extra_env=None, args=(),
                 first=None):
        self.suite = suite
        self.title = title
        log = open(os.path.join(suite.out, os.path.basename(path) + "-" + suite.case + ".log"), "wb")
        self.log_path = log.name
        env = dict(suite.env, QT_ACCESSIBILITY="1", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   QT_QPA_PLATFORM="xcb", **(extra_env or {}))
        self.proc = suite.procs.start(os.path.basename(path), [path, *args], env, stdout=log,
                                      stderr=subprocess.STDOUT)
        at, x = suite.at, suite.x
        self.app = wait_for(lambda: self.alive() and at.application(self.proc.pid),
                            f"{path} on the accessibility bus")
        if first:
            first(self)  # a question at start, answered before the window is looked at
        self.frame = wait_for(lambda: self.alive() and at.find(self.app, "filler", title),
                              f"the window {title!r} over AT-SPI")
        self.window = wait_for(lambda: self.alive() and x.windows(title),
                               f"a visible X window titled {title!r}")[0]
        # No window manager: the window is where the program put it. A menu
        # bar stands above the client area, which positions count from.
        geometry = x.geometry(self.window)
        bar = 0
        if menu_bar:
            bar = at.extents(wait_for(lambda: self.alive() and at.find(self.frame, "menu bar"),
                                      f"the menu bar of {title!r}"))[3]
            suite.check(bar > 0, f"{title}: the menu bar has no height")
        # A status bar, where there is one, stands below it.
        status = at.find(self.frame, "status bar") if menu_bar else None
        below = at.extents(status)[3] if status is not None else 0
        self.origin = (geometry[0], geometry[1] + bar)
        client = (geometry[2], geometry[3] - bar - below)
        suite.check(client == size, f"{title}: client area {client}, want {size}")
        suite.check(at.extents(self.frame) == geometry,
                    f"{title}: AT-SPI puts the window at {at.extents(self.frame)}, X at {geometry}")

    def alive(self):
        if self.proc.poll() is not None:
            raise Failure(f"{self.title}: the program exited with status {self.proc.returncode}"
                          + _tail(self.log_path))
        return True

    def on_screen(self, box):
        """A box in window pixels as screen pixels."""
        x, y, w, h = box
        return (self.origin[0] + x, self.origin[1] + y, w, h)

    def control(self, role, name, box=None):
        """The control with this role and name; with box (window pixels), checks its place."""
        acc = wait_for(lambda: self.alive() and self.suite.at.find(self.frame, role, name),
                       f"a {role} named {name!r} in {self.title!r}")
        if box is not None:
            got = self.suite.at.extents(acc)
            self.suite.check(got == self.on_screen(box),
                             f"{name!r} is at {got} on the screen, the layout puts it at "
                             f"{self.on_screen(box)}")
        return acc

    def click(self, acc):
        self.suite.x.click(*centre(self.suite.at.extents(acc)))

    def dialog(self, role, title):
        return wait_for(lambda: self.alive() and self.suite.at.find(self.app, role, title),
                        f"a {role} titled {title!r} over AT-SPI")

    def no_dialog(self, role, title):
        wait_for(lambda: self.alive() and self.suite.at.find(self.app, role, title) is None,
                 f"the {role} {title!r} to close")

    def stop(self):
        self.alive()
        self.suite.procs.stop(self.proc)


class Suite:
    def __init__(self, args, procs, env):
        self.args = args
        self.procs = procs
        self.env = env
        self.out = args.out
        self.x = X(env)
        self.at = Atspi()
        self.case = ""

    def check(self, condition, message):
        if not condition:
            raise Failure(message)

    def shot(self):
        return self.x.screenshot()

    # -- calc ---------------------------------------------------------------

    CALC_KEYS = {  # accessible name: twips left, top, width, height
        "0": (120, 3000, 1815, 615), "1": (120, 2280, 855, 615), "2": (1080, 2280, 855, 615),
        "3": (2040, 2280, 855, 615), "5": (1080, 1560, 855, 615), "Add": (3000, 840, 1815, 615),
        "Divide": (3000, 1560, 855, 615), "Equals": (3000, 3000, 1815, 615),
        "Subtract one": (4920, 1560, 855, 615), "Square root": (4920, 3000, 1815, 615),
        "Square": (4920, 2280, 1815, 615), "7": (120, 840, 855, 615),
        "Decimal point": (2040, 3000, 855, 615),
    }

    def calc(self, extra_env=None):
        calc = Program(self, self.args.calc, "Calculator", (455, 248), menu_bar=True,
                       extra_env=extra_env)
        display = calc.control("label", None, twips_box(120, 120, 6615, 615))
        self.check(display.name == "0", f"the display starts as {display.name!r}, want '0'")
        return calc, display

    def press(self, calc, display, key, then, spoken=None):
        """Clicks a calculator key with the pointer and waits for the display; spoken is its
        name in the user's language, where that is not English."""
        button = calc.control("push button", spoken or key, twips_box(*self.CALC_KEYS[key]))
        calc.click(button)
        wait_for(lambda: calc.alive() and display.name == then,
                 lambda: f"the display to read {then!r} after {key!r} (it reads {display.name!r})")

    def case_calc_sum(self):
        """1 2 + 3 = shows ' 15'."""
        calc, display = self.calc()
        for key, then in (("1", "1"), ("2", "12"), ("Add", "0"), ("3", "3"), ("Equals", " 15")):
            self.press(calc, display, key, then)
        calc.stop()

    def case_calc_comma_locale(self):
        """Under German, 1 . 5 -1 shows '0.5': the display is read in its own period form; the
        keys are spoken in German."""
        calc, display = self.calc({"LANG": "de_DE.UTF-8", "LC_ALL": "de_DE.UTF-8"})
        for key, then, spoken in (("1", "1", None), ("Decimal point", "1.", "Dezimalpunkt"),
                                  ("5", "1.5", None), ("Subtract one", "0.5", "Eins abziehen")):
            self.press(calc, display, key, then, spoken)
        calc.stop()

    def case_paint_german(self):
        """Under German, the menus and Qt's own buttons speak German; the window's texts stay."""
        paint, _ = self.paint(extra_env={"LANG": "de_DE.UTF-8", "LC_ALL": "de_DE.UTF-8"},
                              canvas="Leinwand")
        for name in ("Datei", "Bearbeiten", "Bild", "Hilfe"):
            paint.control("menu item", name)
        paint.control("push button", "Edit Colors...")
        paint.control("label", "Current Colour:")
        paint.click(paint.control("push button", "Werkzeug gefülltes Rechteck"))
        self.x.click(*self.canvas_point(paint, 40, 30))
        self.x.click(*self.canvas_point(paint, 120, 90))
        self.x.focus(paint.window)
        wait_for(lambda: self.x.focused() == paint.window, "the keyboard focus on Sketchly")
        self.x.key("ctrl+n")  # a new drawing: first the question about the unsaved one
        box = paint.dialog("alert", "Sketchly")
        for button in ("Speichern", "Verwerfen", "Abbrechen"):
            self.check(self.at.find(box, "push button", button) is not None,
                       f"the question has no button {button!r}: "
                       f"{[c.name for c in box if c is not None]}")
        paint.stop()

    def message_box(self, calc, title, text):
        # Read over AT-SPI, not from the screen: under this Xvfb, with or
        # without a window manager, Qt 6.4 leaves a top-level this small
        # (175 x 72) unpainted, black; a plain QMessageBox in a ten-line Qt
        # program does the same, so it is not the calculator's doing.
        box = calc.dialog("alert", title)
        self.check(self.at.find(box, "label", text) is not None,
                   f"the box {title!r} does not say {text!r}: "
                   f"{[c.name for c in box if c is not None]}")
        self.check(self.at.find(box, "push button", "OK") is not None,
                   f"the box {title!r} has no OK button")
        # The run-time error box has the window's own title: not the window.
        windows = wait_for(lambda: [w for w in self.x.windows(title) if w != calc.window],
                           f"an X window titled {title!r}")
        return box, windows[0]

    def dismiss(self, calc, window, title):
        # No window manager: give the box the keyboard as a click would.
        if self.x.focused() != window:
            self.x.focus(window)
        self.x.key("Return")
        calc.no_dialog("alert", title)
        wait_for(lambda: window not in self.x.windows(title), f"the X window {title!r} to go")

    def case_calc_typing(self):
        """Typed 12+3= shows ' 15', told to the focused key; Ctrl+C, Escape, Ctrl+V bring 15 back."""
        calc, display = self.calc()
        for name in ("Square root", "Square", "Subtract one"):
            calc.control("push button", name, twips_box(*self.CALC_KEYS[name]))
        # Orca speaks a notification as it is shown; the number is its name.
        told = []
        event = "object:state-changed:showing"
        listener = lambda e: e.detail1 and told.append(  # noqa: E731
            (e.source.getRoleName(), e.source.name))
        self.at.pyatspi.Registry.registerEventListener(listener, event)
        try:
            self.x.focus(calc.window)
            self.x.xdotool("type", "--delay", "60", "12+3=")
            wait_for(lambda: calc.alive() and display.name == " 15",
                     lambda: f"the display to read ' 15' (it reads {display.name!r})")
            wait_for(lambda: self.at.pump() or ("notification", "15") in told,
                     lambda: f"a notification '15' (told {told[-6:]})")
        finally:
            self.at.pyatspi.Registry.deregisterEventListener(listener, event)
        self.x.key("ctrl+c")
        self.x.key("Escape")
        wait_for(lambda: display.name == "0", lambda: f"Escape to clear (it reads {display.name!r})")
        self.x.key("ctrl+v")
        wait_for(lambda: display.name == "15", lambda: f"paste to show 15 ({display.name!r})")
        calc.stop()

    def case_calc_divide_by_zero(self):
        """5 / 0 = opens 'Calculator Error'; Return closes it; the display reads ' 0'."""
        calc, display = self.calc()
        for key, then in (("5", "5"), ("Divide", "0"), ("0", "0")):
            self.press(calc, display, key, then)
        calc.click(calc.control("push button", "Equals"))
        box, window = self.message_box(calc, "Calculator Error", "Cannot divide by zero")
        # The box is modal: a key clicked meanwhile does nothing.
        calc.click(calc.control("push button", "7"))
        self.x.focus(calc.window)
        self.x.key("7")
        time.sleep(0.3)
        self.check(display.name == "0",
                   f"a 7 clicked or typed behind the modal box changed the display to {display.name!r}")
        self.check(self.at.find(calc.app, "alert", "Calculator Error") is not None,
                   "the box closed on a click behind it")
        self.dismiss(calc, window, "Calculator Error")
        wait_for(lambda: display.name == " 0",
                 lambda: f"the display to read ' 0' (it reads {display.name!r})")
        calc.stop()

    def case_calc_runtime_error(self):
        """0, -1, Square (square root): 'Invalid argument' titled 'Calculator'; the program goes on."""
        calc, display = self.calc()
        self.press(calc, display, "0", "0")
        self.press(calc, display, "Subtract one", "-1")
        calc.click(calc.control("push button", "Square root",
                                twips_box(*self.CALC_KEYS["Square root"])))
        box, window = self.message_box(calc, "Calculator", "Invalid argument")
        self.check(self.at.find(box, "label", None, lambda a: a.name.startswith(
                   "The square root of a negative number is not defined.")) is not None,
                   "the box does not explain the error")
        self.check(box.getRoleName() == "alert", "the error box is not an alert")
        self.dismiss(calc, window, "Calculator")
        calc.alive()
        self.check(self.x.windows("Calculator") == [calc.window],
                   "the calculator's window is gone with the box")
        wait_for(lambda: display.name == "-1",
                 lambda: f"the display to read '-1' (it reads {display.name!r})")
        for key, then in (("Add", "0"), ("3", "3"), ("Equals", " 2")):
            self.press(calc, display, key, then)
        calc.stop()

    # -- paint --------------------------------------------------------------

    CANVAS = (88, 16, 393, 233)  # Picture1, window pixels
    BORDER = 2
    INNER = (CANVAS[0] + BORDER, CANVAS[1] + BORDER, CANVAS[2] - 2 * BORDER, CANVAS[3] - 2 * BORDER)

    def paint(self, args=(), title="Sketchly", extra_env=None, canvas="Canvas", first=None):
        paint = Program(self, self.args.paint, title, (490, 372), menu_bar=True, args=args,
                        extra_env=extra_env, first=first)
        canvas = paint.control("frame", canvas, self.CANVAS)
        return paint, canvas

    def canvas_point(self, paint, x, y):
        """A point of the canvas's inside (0, 0 is its top left pixel) on the screen."""
        return (paint.origin[0] + self.INNER[0] + x, paint.origin[1] + self.INNER[1] + y)

    def canvas_pixels(self, shot, paint):
        ox, oy = paint.origin[0] + self.INNER[0], paint.origin[1] + self.INNER[1]
        for y in range(self.INNER[3]):
            for x in range(self.INNER[2]):
                yield x, y, shot.rgb(ox + x, oy + y)

    def wait_pixels(self, paint, check, what):
        """Takes screenshots until check(shot) returns [] (no complaint)."""
        complaints = []

        def probe():
            complaints[:] = check(self.shot())
            return not complaints

        try:
            wait_for(probe, what, timeout=5)
        except Failure:
            raise Failure(f"{what}: " + "; ".join(complaints[:8])
                          + (f" (and {len(complaints) - 8} more)" if len(complaints) > 8 else ""))

    def case_paint_open_file(self):
        """paint FILE shows the image at its own size at the canvas's top left, on the window's
        background colour, and names it in the caption."""
        width, height, RED = 40, 30, (255, 0, 0)
        rows = b"".join(b"\0" + bytes(RED) * width for _ in range(height))
        chunk = lambda kind, body: (struct.pack(">I", len(body)) + kind + body
                                    + struct.pack(">I", zlib.crc32(kind + body)))
        path = os.path.join(self.out, "red.png")
        with open(path, "wb") as f:
            header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
            f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
                    + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))
        paint, _ = self.paint(args=(path,), title="red.png – Sketchly")

        def complaints(shot):
            pixels = list(self.canvas_pixels(shot, paint))
            background = pixels[-1][2]
            if background in (RED, (0, 0, 0)):
                return [f"the background around the picture is {background}"]
            return [f"{x},{y} is {c}" for x, y, c in pixels
                    if c != (RED if x < width and y < height else background)]
        self.wait_pixels(paint, complaints, "the opened image on the window's background")
        paint.stop()

    def case_paint_drawing(self):
        """A black line with the line tool; a red disc with the filled circle tool."""
        paint, canvas = self.paint()
        WHITE, BLACK, RED = (255, 255, 255), (0, 0, 0), (255, 0, 0)

        self.wait_pixels(paint, lambda s: [f"{x},{y} is {c}" for x, y, c in
                                           self.canvas_pixels(s, paint) if c != WHITE],
                         "a white canvas at the start")

        line_tool = paint.control("push button", "Line tool", twips_box(600, 1560, 615, 615))
        paint.click(line_tool)
        wait_for(lambda: self.at.find(paint.frame, "label", None,
                                      lambda a: a.name.startswith("Line Tool :")),
                 "the line tool's description")
        a, b = (30, 25), (170, 120)  # canvas pixels
        self.x.click(*self.canvas_point(paint, *a))
        self.x.click(*self.canvas_point(paint, *b))

        def distance_to_line(x, y):
            (ax, ay), (bx, by) = a, b
            dx, dy = bx - ax, by - ay
            t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
            return ((x - ax - t * dx) ** 2 + (y - ay - t * dy) ** 2) ** 0.5

        def line_drawn(shot, skip=lambda x, y: False):
            bad = []
            near = {}
            for x, y, c in self.canvas_pixels(shot, paint):
                if skip(x, y):
                    continue
                d = distance_to_line(x, y)
                if d > 1.5 and c != WHITE:
                    bad.append(f"{x},{y} ({d:.1f} px off the line) is {c}, not white")
                if d <= 1.5 and c == BLACK:
                    near[x] = True
                if d <= 1.5 and c not in (BLACK, WHITE):
                    bad.append(f"{x},{y} on the line is {c}")
            gaps = [x for x in range(a[0], b[0] + 1) if x not in near]
            if gaps:
                bad.append(f"no black pixel on the line in columns {gaps[:10]}")
            return bad

        self.wait_pixels(paint, line_drawn, "a black line between the two clicks, white elsewhere")

        # Red, then the filled circle: the centre, then a point 30 px to the right.
        red = paint.control("frame", "Palette colour: red", twips_box(840, 4560, 375, 375))
        paint.click(red)
        wait_for(lambda: self.at.find(paint.frame, "frame", "Current colour: red"),
                 "the current colour to read 'red'")
        filled = paint.control("push button", "Filled circle tool", twips_box(0, 1560, 615, 615))
        paint.click(filled)
        wait_for(lambda: self.at.find(paint.frame, "label", None,
                                      lambda a: a.name.startswith("Filled circle:")),
                 "the filled circle tool's description")
        c, radius = (290, 140), 30
        self.x.click(*self.canvas_point(paint, *c))
        self.x.click(*self.canvas_point(paint, c[0] + radius, c[1]))

        def disc_drawn(shot):
            bad = []
            for x, y, colour in self.canvas_pixels(shot, paint):
                d = ((x - c[0]) ** 2 + (y - c[1]) ** 2) ** 0.5
                if d <= radius - 1.5 and colour != RED:
                    bad.append(f"{x},{y} ({d:.1f} px from the centre) is {colour}, not red")
                elif d >= radius + 1.5 and colour == RED:
                    bad.append(f"{x},{y} ({d:.1f} px from the centre) is red")
                elif d >= radius + 1.5 and distance_to_line(x, y) > 1.5 and colour != WHITE:
                    bad.append(f"{x},{y} ({d:.1f} px from the centre) is {colour}, not white")
            return bad

        self.wait_pixels(paint, disc_drawn, f"a red disc of radius {radius} px, white around it")
        # The line is still there, as it was.
        near_disc = lambda x, y: (x - c[0]) ** 2 + (y - c[1]) ** 2 < (radius + 1.5) ** 2  # noqa: E731
        complaints = line_drawn(self.shot(), near_disc)
        self.check(not complaints, "the line changed when the disc was drawn: "
                   + "; ".join(complaints[:8]))
        paint.stop()

    def readout(self, paint):
        client = self.at.find(paint.frame, "label", "X:").parent
        labels = [c for c in client if c is not None and c.getRoleName() == "label"]
        names = [l.name for l in labels]
        # lblx and lbly have no text of their own: each follows its caption.
        lblx = labels[names.index("X:") + 1]
        lbly = labels[names.index("Y:") + 1]
        self.check(self.at.extents(lblx) == paint.on_screen(twips_box(480, 5160, 615, 255)),
                   f"the X readout is at {self.at.extents(lblx)}")
        self.check(self.at.extents(lbly) == paint.on_screen(twips_box(1680, 5160, 615, 255)),
                   f"the Y readout is at {self.at.extents(lbly)}")
        return lblx, lbly

    def case_paint_pointer_readout(self):
        """Moving the pointer over the canvas shows its place in twips: X across, Y up."""
        paint, canvas = self.paint()
        lblx, lbly = self.readout(paint)
        self.check((lblx.name, lbly.name) == ("", ""),
                   f"the readout shows {lblx.name!r}, {lbly.name!r} before any move")
        for wx, wy in ((200, 100), (90, 18), (478, 246), (123, 201), (300, 30)):
            self.x.move(paint.origin[0] + wx, paint.origin[1] + wy)
            want = (str((wx - 90) * 15), str(3495 - (wy - 18) * 15))
            wait_for(lambda: paint.alive() and (lblx.name, lbly.name) == want,
                     lambda: f"X {want[0]}, Y {want[1]} for the pointer at window pixel {wx},{wy} "
                     f"(it reads X {lblx.name!r}, Y {lbly.name!r})")
        # Off the canvas the readout keeps the last place.
        self.x.move(paint.origin[0] + 20, paint.origin[1] + 300)
        time.sleep(0.2)
        self.check((lblx.name, lbly.name) == ("3150", "3315"),
                   f"off the canvas the readout changed to {lblx.name!r}, {lbly.name!r}")
        paint.stop()

    def case_paint_colour_dialog(self):
        """Alt+E opens the colour dialog; Escape closes it; the program goes on."""
        paint, canvas = self.paint()
        self.x.focus(paint.window)
        wait_for(lambda: self.x.focused() == paint.window, "the keyboard focus on Sketchly")
        self.x.key("alt+e")
        dialog = paint.dialog("dialog", "Select Color")
        windows = wait_for(lambda: self.x.windows("Select Color"), "an X window 'Select Color'")
        self.check(self.at.find(dialog, "push button", "OK") is not None
                   and self.at.find(dialog, "push button", "Cancel") is not None,
                   "the colour dialog has no OK and Cancel buttons")
        if self.x.focused() != windows[0]:
            self.x.focus(windows[0])
        self.x.key("Escape")
        paint.no_dialog("dialog", "Select Color")
        wait_for(lambda: not self.x.windows("Select Color"), "the X window 'Select Color' to go")
        paint.alive()
        self.check(self.x.windows("Sketchly") == [paint.window], "Sketchly's window is gone")
        # Cancel leaves swatch 0 as it was, and the window still answers.
        paint.control("frame", "Palette colour: white", twips_box(120, 4200, 375, 375))
        lblx, lbly = self.readout(paint)
        self.x.move(paint.origin[0] + 150, paint.origin[1] + 50)
        wait_for(lambda: (lblx.name, lbly.name) == ("900", "3015"),
                 lambda: f"the readout X 900, Y 3015 after the dialog "
                 f"(it reads {lblx.name!r}, {lbly.name!r})")
        paint.stop()

    def case_paint_undo_clipboard(self):
        """Ctrl+Z takes a box back, Ctrl+Shift+Z redoes it; Ctrl+C, Clear and Ctrl+V bring it back."""
        paint, canvas = self.paint()
        WHITE, BLACK = (255, 255, 255), (0, 0, 0)
        a, b = (40, 30), (120, 90)

        def box(drawn):
            def check(shot):
                bad = []
                for x, y, c in self.canvas_pixels(shot, paint):
                    inside = drawn and a[0] <= x <= b[0] and a[1] <= y <= b[1]
                    if c != (BLACK if inside else WHITE):
                        bad.append(f"{x},{y} is {c}")
                return bad
            return check

        paint.click(paint.control("push button", "Filled rectangle tool"))
        self.x.click(*self.canvas_point(paint, *a))
        self.x.click(*self.canvas_point(paint, *b))
        self.wait_pixels(paint, box(True), "a black box")
        self.x.focus(paint.window)
        wait_for(lambda: self.x.focused() == paint.window, "the keyboard focus on Sketchly")
        for keys, drawn, what in (("ctrl+z", False, "the box undone"),
                                  ("ctrl+shift+z", True, "the box redone"),
                                  ("ctrl+c", True, "the box copied")):
            self.x.key(keys)
            self.wait_pixels(paint, box(drawn), what)
        paint.click(paint.control("push button", "Clear canvas"))
        self.wait_pixels(paint, box(False), "a cleared canvas")
        self.x.focus(paint.window)
        self.x.key("ctrl+v")
        self.x.key("Return")  # the paste floats until it is set down
        self.wait_pixels(paint, box(True), "the box pasted from the clipboard")
        # A clipboard owner that never answers: Paste gives up within seconds, saying so.
        self.paste_from_silent_owner(paint, "Sketchly")
        paint.stop()

    def paste_from_silent_owner(self, program, title):
        """Ctrl+V while the clipboard's owner never answers: a box within 6.5 s."""
        xlib = ctypes.CDLL("libX11.so.6")
        xlib.XOpenDisplay.restype = ctypes.c_void_p
        xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
        for name in ("XDefaultRootWindow", "XCreateSimpleWindow", "XInternAtom"):
            getattr(xlib, name).restype = ctypes.c_ulong
        xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        xlib.XCreateSimpleWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong] + [ctypes.c_int] * 4 \
            + [ctypes.c_uint, ctypes.c_ulong, ctypes.c_ulong]
        xlib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        xlib.XSetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong,
                                            ctypes.c_ulong]
        xlib.XFlush.argtypes = xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
        silent = xlib.XOpenDisplay(self.x.env["DISPLAY"].encode())
        owner = xlib.XCreateSimpleWindow(silent, xlib.XDefaultRootWindow(silent), 0, 0, 1, 1, 0, 0, 0)
        xlib.XSetSelectionOwner(silent, xlib.XInternAtom(silent, b"CLIPBOARD", 0), owner, 0)
        xlib.XFlush(silent)
        self.x.focus(program.window)
        started = time.monotonic()
        self.x.key("ctrl+v")
        program.dialog("alert", title)
        waited = time.monotonic() - started
        self.check(waited < 6.5, f"Paste waited {waited:.1f} s on a clipboard owner that does not answer")
        print(f"     paste gave up after {waited:.1f} s", flush=True)
        xlib.XCloseDisplay(silent)

    def case_calc_silent_clipboard(self):
        """calc's Paste gives up on a clipboard owner that never answers, as paint's does."""
        calc, display = self.calc()
        self.paste_from_silent_owner(calc, "Calculator")
        calc.stop()


    def case_paint_recovery(self):
        """A drawing killed before it was saved is offered back at the next start, pixel for
        pixel."""
        state = os.path.join(self.out, "state")
        shutil.rmtree(state, ignore_errors=True)  # what an earlier run left
        env = {"XDG_STATE_HOME": state}
        copies = os.path.join(state, "sketchly")
        paint, canvas = self.paint(extra_env=env)
        WHITE, BLACK = (255, 255, 255), (0, 0, 0)
        a, b = (60, 40), (200, 150)

        def box(shot):
            return [f"{x},{y} is {c}" for x, y, c in self.canvas_pixels(shot, paint)
                    if c != (BLACK if a[0] <= x <= b[0] and a[1] <= y <= b[1] else WHITE)]

        paint.click(paint.control("push button", "Filled rectangle tool"))
        self.x.click(*self.canvas_point(paint, *a))
        self.x.click(*self.canvas_point(paint, *b))
        self.wait_pixels(paint, box, "a black box")
        started = time.monotonic()
        wait_for(lambda: os.path.isdir(copies)
                 and [n for n in os.listdir(copies) if n.endswith(".recovery")],
                 "a recovery copy in the state folder", timeout=10)
        print(f"     the copy was written {time.monotonic() - started:.1f} s after the stroke",
              flush=True)
        os.kill(paint.proc.pid, signal.SIGKILL)
        paint.proc.wait(timeout=WAIT)

        def recover(program):
            question = wait_for(lambda: program.alive() and self.at.find(
                program.app, None, None,
                lambda acc: "was not closed properly" in (acc.name or "")),
                "the question to recover the drawing")
            self.check("Recover the unsaved drawing from" in question.name,
                       f"the question reads {question.name!r}")
            button = wait_for(lambda: self.at.find(program.app, "push button", "Recover"),
                              "a Recover button")
            button.queryAction().doAction(0)

        paint, canvas = self.paint(extra_env=env, first=recover)
        self.wait_pixels(paint, box, "the recovered black box")
        paint.stop()

CASES = [
    "calc_sum",
    "calc_silent_clipboard",
    "calc_typing",
    "calc_divide_by_zero",
    "calc_runtime_error",
    "calc_comma_locale",
    "paint_drawing",
    "paint_open_file",
    "paint_pointer_readout",
    "paint_colour_dialog",
    "paint_undo_clipboard",
    "paint_german",
    "paint_recovery",
]


def save_screen(suite, case):
    try:
        path = os.path.join(suite.out, f"{case}-failure.png")
        suite.x.screenshot().save_png(path)
        print(f"     screen saved as {path}", flush=True)
    except Exception as error:  # the screen is a help, not the verdict
        print(f"     (no screenshot: {error})", flush=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--calc", required=True)
    parser.add_argument("--paint", required=True)
    parser.add_argument("--out", default=None, help="folder for logs and failure screenshots")
    parser.add_argument("--timeout", type=float, default=90, help="seconds for the whole run")
    parser.add_argument("cases", nargs="*", metavar="CASE", help=" ".join(CASES))
    args = parser.parse_args()
    cases = args.cases or CASES
    for case in cases:
        if case not in CASES:
            parser.error(f"no case {case!r}; the cases are: {' '.join(CASES)}")
    args.calc, args.paint = os.path.abspath(args.calc), os.path.abspath(args.paint)
    need_tools("Xvfb", "xdotool", "xwd", "dbus-daemon", "dbus-send",
               "/usr/libexec/at-spi-bus-launcher", "/usr/libexec/at-spi2-registryd",
               args.calc, args.paint)

    procs = Processes()
    tmp = tempfile.mkdtemp(prefix="x11_test.")
    args.out = os.path.abspath(args.out or tmp)
    os.makedirs(args.out, exist_ok=True)

    def on_signal(signum, _frame):
        raise SystemExit(f"x11_test: stopped by signal {signum}")

    def on_alarm(_signum, _frame):
        raise OutOfTime(f"the run took longer than {args.timeout:g} s")

    for sig in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
        signal.signal(sig, on_signal)
    signal.signal(signal.SIGALRM, on_alarm)
    signal.setitimer(signal.ITIMER_REAL, args.timeout)

    passed, failed = [], []
    try:
        env = Session(procs, tmp).start()
        os.environ.update(env)  # for pyatspi in this process
        suite = Suite(args, procs, env)
        print(f"x11_test: display {env['DISPLAY']}, logs in {args.out}"
              + ("" if args.out != tmp else " (kept only on a failure)"), flush=True)
        for case in cases:
            suite.case = case
            started = time.monotonic()
            out_of_time = False
            try:
                getattr(suite, "case_" + case)()
                passed.append(case)
                print(f"PASS {case} ({time.monotonic() - started:.1f} s)", flush=True)
            except (Failure, OutOfTime) as error:
                out_of_time = isinstance(error, OutOfTime)
                failed.append(case)
                print(f"FAIL {case} ({time.monotonic() - started:.1f} s): {error}", flush=True)
                save_screen(suite, case)
            except Exception:
                failed.append(case)
                print(f"FAIL {case}: error\n{traceback.format_exc()}", flush=True)
                save_screen(suite, case)
            finally:
                # A case that failed half-way leaves its program: end it here.
                for name, proc in list(procs.started):
                    if name in (os.path.basename(args.calc), os.path.basename(args.paint)):
                        procs.stop(proc)
            if out_of_time:
                break
    except Failure as error:
        print(f"x11_test: could not set up the session: {error}", flush=True)
        failed.append("setup")
    except OutOfTime as error:
        print(f"x11_test: {error}", flush=True)
        failed.append("time")
    finally:
        signal.setitimer(signal.ITIMER_REAL, 0)
        procs.stop_all()
        if args.out != tmp or not failed:
            shutil.rmtree(tmp, ignore_errors=True)
    print(f"{len(passed)} passed, {len(failed)} failed")
    return 1 if failed or not passed else 0


if __name__ == "__main__":
    sys.exit(main())
