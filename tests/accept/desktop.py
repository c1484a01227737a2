"""The acceptance tests' hands and eyes: a private X display and Wine prefix, Tikora.exe started
from a fresh copy of its runtime folder inside Wine's virtual desktop (which has a taskbar with a
tray), real X input through xdotool, and what a user sees read back: windows and their texts (the
probe program), the settings file, and screenshot pixels."""

import configparser
import contextlib
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

WINE = "/usr/lib/wine/wine64"
WINESERVER = "/usr/lib/wine/wineserver"
SCREEN = (1024, 768)
DESKTOP = "accept"
TITLE = "Tikora 1.5-e"


class Failure(AssertionError):
    """A condition the user would have seen did not come about."""


# How much slower than a quiet machine Wine answers right now. Every wait's limit is stretched by
# it, so a busy machine gets more time instead of a fixed 10 s: it is the time the last few probe
# runs took, against what one takes on a quiet machine of this kind.
QUIET_PROBE_SECONDS = 0.25
_probe_times = []


def slowness():
    if not _probe_times:
        return 1.0
    recent = sorted(_probe_times[-5:])
    return min(max(recent[len(recent) // 2] / QUIET_PROBE_SECONDS, 1.0), 8.0)


def wait_for(condition, what, timeout=10.0, interval=0.1):
    """Polls `condition` until it returns something true and returns that; fails after `timeout`
    (stretched by the machine's slowness). `what` names the condition; a callable is asked at the
    failure, to tell what was seen then."""
    began = time.monotonic()
    while True:
        value = condition()
        if value:
            return value
        limit = timeout * slowness()
        if time.monotonic() - began > limit:
            raise Failure(f"timed out after {limit:.3g} s waiting for {what() if callable(what) else what}")
        time.sleep(interval)


class Win:
    """One window as the probe saw it. Rectangles are screen pixels: left, top, right, bottom."""

    def __init__(self, fields):
        kind, handle, relative, pid, cls, visible, enabled, l, t, r, b, ident, text = fields
        self.kind = kind
        self.handle = int(handle, 16)
        self.relative = int(relative, 16)  # owner of a top-level window, parent of a control
        self.pid = int(pid)
        self.cls = cls
        self.visible = visible == "1"
        self.enabled = enabled == "1"
        self.rect = (int(l), int(t), int(r), int(b))
        self.id = int(ident)
        self.text = text.replace("\\t", "\t").replace("\\n", "\n").replace("\\r", "\r").replace("\\\\", "\\")

    @property
    def width(self):
        return self.rect[2] - self.rect[0]

    @property
    def height(self):
        return self.rect[3] - self.rect[1]

    def __repr__(self):
        return f"<{self.cls} {self.text!r} {self.rect} visible={self.visible}>"


class Desktop:
    """One X display and one Wine prefix for the whole run; each program gets the prefix to itself."""

    def __init__(self, build_dir, state_dir):
        self.runtime = os.path.join(build_dir, "Tikora")
        self.probe = os.path.join(build_dir, "accept_probe.exe")
        self.state = state_dir
        self.prefix = os.path.join(state_dir, "prefix")
        self.xvfb = None
        self.env = None
        self.failure_shot = None
        self.failure_windows = []
        self.focus_given = 0  # times the X focus had to be given back to the Wine desktop
        self.desktop_restarts = 0  # starts whose desktop never came up

    def start(self):
        os.makedirs(self.state, exist_ok=True)
        number = next(n for n in range(150, 250)
                      if not os.path.exists(f"/tmp/.X{n}-lock") and not os.path.exists(f"/tmp/.X11-unix/X{n}"))
        log = open(os.path.join(self.state, "xvfb.log"), "w")
        self.xvfb = subprocess.Popen(["Xvfb", f":{number}", "-screen", "0", f"{SCREEN[0]}x{SCREEN[1]}x24",
                                      "-nolisten", "tcp"], stdout=log, stderr=log)
        self.env = dict(os.environ, DISPLAY=f":{number}", WINEPREFIX=self.prefix, WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml=")
        wait_for(lambda: os.path.exists(f"/tmp/.X11-unix/X{number}"), "the X display")
        ready = os.path.join(self.prefix, ".tikora-accept-ready")
        if not os.path.exists(ready):  # made once per build tree, about ten seconds
            subprocess.run([WINE, "wineboot", "--init"], env=self.env, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL)
            subprocess.run([WINESERVER, "-w"], env=self.env)
            open(ready, "w").close()

    def stop(self):
        if self.env:
            self.end_wine()
        if self.xvfb:
            self.xvfb.send_signal(signal.SIGTERM)
            self.xvfb.wait(timeout=10)
            self.xvfb = None

    def end_wine(self):
        """Ends every process of this run's prefix (and only of it)."""
        subprocess.run([WINESERVER, "-k"], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        subprocess.run([WINESERVER, "-w"], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def wine_command(self, *args):
        """Runs a Wine command-line program (reg, ...) and returns its exit code and output."""
        with tempfile.TemporaryFile() as out:  # a file, not a pipe: see run_probe
            code = subprocess.run([WINE, *args], env=self.env, stdout=out, stderr=subprocess.DEVNULL,
                                  timeout=60).returncode
            out.seek(0)
            return code, out.read().decode("latin-1")

    @contextlib.contextmanager
    def windows_version(self, version):
        """Inside the block, programs started in the prefix are told they run on another version of
        Windows (Wine's HKCU\\Software\\Wine "Version": "winxp" is 5.1); afterwards the prefix's
        own setting (normally none) is put back, so the other flows see the usual version."""
        key = "HKCU\\Software\\Wine"
        code, out = self.wine_command("reg", "query", key, "/v", "Version")
        fields = next((line.split(None, 2) for line in out.splitlines() if line.split()[:1] == ["Version"]), None)
        before = fields[2].strip() if code == 0 and fields and len(fields) == 3 else None
        if self.wine_command("reg", "add", key, "/v", "Version", "/d", version, "/f")[0] != 0:
            raise Failure(f"cannot set the prefix's Windows version to {version}")
        try:
            yield
        finally:
            self.end_wine()
            if before is None:
                self.wine_command("reg", "delete", key, "/v", "Version", "/f")
            else:
                self.wine_command("reg", "add", key, "/v", "Version", "/d", before, "/f")

    def unix_to_windows(self, path):
        return "Z:" + os.path.abspath(path).replace("/", "\\")

    # -- input: real X events, which the Wine desktop turns into hardware input ---------------
    def xdotool(self, *args):
        subprocess.run(["xdotool", *map(str, args)], env=self.env, check=True, capture_output=True)

    def move(self, x, y):
        self.xdotool("mousemove", "--sync", x, y)

    def press(self, x, y, button=1):
        """Moves the pointer to x, y and presses (without releasing) the button."""
        self.move(x, y)
        self.xdotool("mousedown", button)

    def release(self, button=1):
        self.xdotool("mouseup", button)

    def click(self, x, y, button=1):
        self.press(x, y, button)
        self.release(button)

    def x_focus(self):
        """The X server's focus: a window id, "pointer" (keys go to the window under the pointer)
        or None (keys reach nobody)."""
        done = subprocess.run(["xdotool", "getwindowfocus"], env=self.env, capture_output=True, text=True)
        if done.returncode == 0:
            return done.stdout.strip()
        return "pointer" if "focused window of 1" in done.stdout + done.stderr else None

    def x_has_focus(self):
        """Whether keys pressed now reach a Wine window. Wine hands the keys of any of its X windows
        to its own foreground window, so any X focus will do, but none: after the X window that
        had the focus is unmapped, the X server may have no focus window at all. With no window
        manager to give it one back, it would stay so; the focus is then given to the Wine
        desktop's window, as a window manager would, and Wine keeps its own foreground window."""
        if self.x_focus() is not None:
            return True
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{DESKTOP} - Wine desktop$"],
                               env=self.env, capture_output=True, text=True).stdout.split()
        if not found:
            return False
        subprocess.run(["xdotool", "windowfocus", "--sync", found[0]], env=self.env, capture_output=True, timeout=10)
        self.focus_given += 1
        return self.x_focus() is not None

    def desktop_mapped(self):
        """Whether the Wine desktop's X window is on the screen: on a busy machine Wine now and then
        keeps it unmapped, and the screen stays black while its windows exist."""
        return bool(subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{DESKTOP} - Wine desktop$"],
                                   env=self.env, capture_output=True, text=True).stdout.split())

    def keys(self, *names):
        """Presses and releases keys by their X names: "Escape", "Up", "Return", "alt+F4"."""
        wait_for(self.x_has_focus, "an X focus window for the keys", 5)
        self.xdotool("key", "--delay", "30", *names)

    def type(self, text):
        wait_for(self.x_has_focus, "an X focus window for the keys", 5)
        self.xdotool("type", "--delay", "30", text)

    # -- what the user sees ------------------------------------------------------------------
    def windows(self):
        """Every window of the desktop, top-level ones followed by their controls."""
        return [Win(line.split("\t")) for line in self.run_probe("list", DESKTOP).splitlines()
                if line.count("\t") == 12]

    def run_probe(self, *args):
        # Output through a file, not a pipe: a Wine process that the probe happens to start (the
        # wineserver, a desktop) would hold a pipe open long after the probe ended.
        with tempfile.TemporaryFile() as out:
            began = time.monotonic()
            subprocess.run([WINE, self.probe, *args], env=self.env, stdout=out, stderr=subprocess.DEVNULL,
                           timeout=60)
            _probe_times.append(time.monotonic() - began)
            del _probe_times[:-5]
            out.seek(0)
            return out.read().decode("latin-1")

    def highlight_colour(self):
        if not hasattr(self, "_highlight"):
            self._highlight = tuple(int(v) for v in self.run_probe("highlight").split())
        return self._highlight

    def screenshot(self):
        """The screen as (width, height, RGB bytes)."""
        raw = subprocess.run(["import", "-window", "root", "-depth", "8", "rgb:-"], env=self.env,
                             capture_output=True, check=True).stdout
        return SCREEN[0], SCREEN[1], raw

    def record_failure(self):
        """Keeps the screen and the window list of the moment a flow failed, for the report."""
        self.failure_shot = os.path.join(self.state, "failure.png")
        self.save_screenshot(self.failure_shot)
        try:
            self.failure_windows = [w for w in self.windows() if w.kind != "child" and (w.visible or w.kind != "top")]
        except Exception:  # the listing is a help, never a second failure
            self.failure_windows = []

    def save_screenshot(self, path):
        subprocess.run(["import", "-window", "root", path], env=self.env, capture_output=True)


def colour_box(shot, rect, colour):
    """The bounding box (left, top, right, bottom) of the pixels of `colour` inside rect, or None."""
    width = shot[0]
    l, t, r, b = rect
    wanted = bytes(colour)
    xs, ys = [], []
    for y in range(max(t, 0), min(b, shot[1])):
        row = y * width * 3
        for x in range(max(l, 0), min(r, width)):
            i = row + x * 3
            if shot[2][i:i + 3] == wanted:
                xs.append(x)
                ys.append(y)
    if not xs:
        return None
    return min(xs), min(ys), max(xs) + 1, max(ys) + 1


class Program:
    """Tikora.exe run from a fresh copy of the runtime folder, in the desktop's virtual desktop."""

    def __init__(self, desktop, settings=None, log=None):
        """`log`: an open file that takes the standard error of the processes this start runs
        (Wine's debug channels write there); none by default."""
        self.desktop = desktop
        self.log = log
        self.folder = tempfile.mkdtemp(prefix="tikora-accept-")
        shutil.copytree(desktop.runtime, os.path.join(self.folder, "Tikora"))
        self.home = os.path.join(self.folder, "Tikora")
        if settings is not None:
            with open(os.path.join(self.home, "MyIni.ini"), "w", newline="\r\n") as f:
                f.write(settings)
        self.exit_file = os.path.join(self.folder, "exit-code")
        self.launcher = None
        self.pid = None

    # -- start and stop ----------------------------------------------------------------------
    def start(self, timeout=30):
        """Starts the program and waits until its clock window and tray icon are there. Wine's
        virtual desktop now and then never comes up on a busy machine (the screen stays black,
        no window of any program, or windows that never reach the screen): that start is ended and
        made once more."""
        d = self.desktop
        for attempt in (1, 2):
            self.launcher = subprocess.Popen(
                [WINE, "explorer", f"/desktop={DESKTOP},{SCREEN[0]}x{SCREEN[1]}", d.unix_to_windows(d.probe), "run",
                 d.unix_to_windows(self.exit_file), d.unix_to_windows(os.path.join(self.home, "Tikora.exe"))],
                env=d.env, stdout=subprocess.DEVNULL, stderr=self.log or subprocess.DEVNULL, cwd=self.home)
            try:
                wait_for(lambda: any(w.kind == "top" for w in d.windows()), "Wine's desktop", timeout)
                wait_for(d.desktop_mapped, "Wine's desktop on the screen", timeout)
                break
            except Failure:
                if attempt == 2:
                    raise
                print("note: Wine's desktop did not come up; starting it once more", file=sys.stderr, flush=True)
                d.desktop_restarts += 1
                d.end_wine()
                self.launcher.wait(timeout=10)
        def not_started():
            ended = open(self.exit_file).read().strip() if os.path.exists(self.exit_file) else None
            tops = sorted({w.cls for w in d.windows() if w.kind == "top" and w.visible})
            return (f"the program to start (it {'ended with exit code ' + ended if ended else 'has not ended'}; "
                    f"visible windows: {tops})")
        app = wait_for(lambda: self.find(cls="TApplication", text=TITLE, mine=False), not_started, timeout)
        self.pid = app.pid
        self.wait_window("TForm1", timeout=timeout)
        wait_for(lambda: self.find(cls="Shell_TrayWnd", mine=False), "the taskbar", timeout)
        return self

    def exit_code(self, timeout=10):
        """Waits for the program to end and returns its exit code."""
        wait_for(lambda: os.path.exists(self.exit_file) and open(self.exit_file).read().strip(),
                 "the program to end", timeout)
        return int(open(self.exit_file).read())

    def stop(self):
        """Ends every process this program's run started (the prefix is this run's own) and
        removes the copied folder."""
        self.desktop.end_wine()
        if self.launcher:
            self.launcher.wait(timeout=10)
        shutil.rmtree(self.folder, ignore_errors=True)

    def __enter__(self):
        return self.start()

    def __exit__(self, kind, *exc):
        if kind is not None:  # what the screen showed at the failure, before everything ends
            self.desktop.record_failure()
        self.stop()

    # -- windows -----------------------------------------------------------------------------
    def find(self, cls=None, text=None, visible=None, mine=True, kind="top", among=None):
        """The first window matching every condition given, or None."""
        for w in among if among is not None else self.desktop.windows():
            if w.kind != kind or (mine and w.pid != self.pid):
                continue
            if (cls is None or w.cls == cls) and (text is None or w.text == text) and \
                    (visible is None or w.visible == visible):
                return w
        return None

    def wait_window(self, cls=None, text=None, visible=True, timeout=10):
        """Waits until a window of the program with that class and/or caption is (in)visible."""
        return wait_for(lambda: self.find(cls=cls, text=text, visible=visible),
                        f"window {cls or ''} {text or ''} visible={visible}", timeout)

    def wait_foreground(self, cls, focus=None, timeout=10):
        """Waits until a window of the program with that class takes keys: Wine has made it the
        foreground window, the keyboard focus is on it or one of its controls (of class `focus`
        when given), and the X server has a focus window again (after a window with the focus is
        unmapped it has none for a moment, and keys pressed then reach nobody)."""
        def ready():
            seen = self.desktop.windows()
            front = self.find(cls=cls, kind="foreground", among=seen)
            held = self.find(kind="focus", among=seen)
            return front and held and held.relative == front.handle and \
                (focus is None or held.cls == focus) and self.desktop.x_has_focus() and front

        def seen():
            windows = self.desktop.windows()
            return (f"{cls} in the foreground with the focus{' on a ' + focus if focus else ''}; in front: "
                    f"{self.find(kind='foreground', mine=False, among=windows)}, focus: "
                    f"{self.find(kind='focus', mine=False, among=windows)}, X focus: {self.desktop.x_has_focus()}")
        return wait_for(ready, seen, timeout)

    def wait_gone(self, cls, timeout=10):
        """Waits until no window of that class is visible."""
        wait_for(lambda: not self.find(cls=cls, visible=True), f"{cls} to close", timeout)

    def controls(self, window):
        return [w for w in self.desktop.windows() if w.kind == "child" and w.relative == window.handle]

    def control_text(self, window, control_id):
        for w in self.controls(window):
            if w.id == control_id:
                return w.text
        raise Failure(f"no control {control_id} in {window}")

    def click_in(self, window, x, y, button=1):
        """Clicks at a point relative to the window's top-left corner."""
        self.desktop.click(window.rect[0] + x, window.rect[1] + y, button)

    def click_control(self, window, text):
        """Clicks the middle of the visible control that carries `text`."""
        for w in self.controls(window):
            if w.text == text and w.visible:
                self.desktop.click((w.rect[0] + w.rect[2]) // 2, (w.rect[1] + w.rect[3]) // 2)
                return
        raise Failure(f"no control {text!r} in {window}")

    # -- the tray and its menus --------------------------------------------------------------
    def tray_icon_point(self):
        """The middle of our icon: the only one, at the right end of the taskbar's notification area."""
        bar = self.find(cls="Shell_TrayWnd", mine=False)
        return bar.rect[2] - 11, (bar.rect[1] + bar.rect[3]) // 2

    def open_menu(self, button):
        """Presses the tray icon with the button, waits (button still down) for a menu to show,
        then releases it. Returns the menu window."""
        x, y = self.tray_icon_point()
        self.desktop.press(x, y, button)
        try:
            menu = self.wait_menu()
        finally:
            self.desktop.release(button)
        # The menu's keys reach it through the program's own input: the tray press makes one of
        # its windows the foreground window. Just after a window with the X focus was hidden the
        # X server has none, and keys would reach nobody; the press gives it one back.
        wait_for(lambda: self.desktop.x_has_focus() and self.find(kind="foreground"),
                 lambda: f"the program in front for its menu (in front: "
                         f"{self.find(kind='foreground', mine=False)}, X focus: {self.desktop.x_has_focus()})")
        return menu

    def wait_menu(self, timeout=10):
        return self.wait_window("#32768", timeout=timeout)

    def open_menus(self):
        return [w for w in self.desktop.windows() if w.kind == "top" and w.cls == "#32768" and w.visible
                and w.pid == self.pid]

    def wait_menus_closed(self, timeout=5):
        wait_for(lambda: not self.open_menus(), "the menu to close", timeout)

    def click_menu_item_by_keys(self, menu, *keys):
        """Highlights an item with the keyboard, finds the highlight on the screen and clicks it with
        the pointer (another process cannot read a menu's items under Wine)."""
        d = self.desktop
        d.move(SCREEN[0] // 2, SCREEN[1] // 3)  # off the menu, so the pointer selects nothing
        d.keys(*keys)

        def highlight():
            box = colour_box(d.screenshot(), menu.rect, d.highlight_colour())
            # The highlight is a bar across the menu; anything narrower is still being drawn.
            return box if box and box[2] - box[0] > menu.width // 2 else None

        l, t, r, b = wait_for(highlight, "the menu item's highlight", 5, 0.2)
        d.click((l + r) // 2, (t + b) // 2)

    # -- the settings file -------------------------------------------------------------------
    def settings(self):
        """MyIni.ini as written by the program (names case-insensitive, as the profile API reads them)."""
        ini = configparser.ConfigParser(interpolation=None, strict=False)
        path = os.path.join(self.home, "MyIni.ini")
        if os.path.exists(path):
            ini.read(path, encoding="latin-1")
        return ini


def live_text(desktop, window):
    """A control's text asked of the control itself (an edit's contents, a drop-down list's
    selected entry); the listing only has the text the system keeps for the window."""
    return desktop.run_probe("text", DESKTOP, f"{window.handle:x}").rstrip("\r\n").replace("\\\\", "\\")


def list_items(desktop, window):
    """The entries of a list box, in its order."""
    return [line.replace("\\\\", "\\") for line in desktop.run_probe("items", DESKTOP, f"{window.handle:x}").splitlines()]


def window_alpha(desktop, window):
    """A layered window's alpha (0 to 255), or None when it is not layered or has no alpha."""
    answer = desktop.run_probe("alpha", DESKTOP, f"{window.handle:x}").strip()
    return None if answer == "none" else int(answer)
