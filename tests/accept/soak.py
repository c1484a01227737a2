#!/usr/bin/env python3
"""A long run of Tikora under fast time, used the whole time through its menus and windows with real
input, while its memory, handles and objects are sampled and its chimes, alarm rings and reminders
are counted against what was due.

    soak.py BUILD_DIR MINUTES [--speed N]

The program's clock runs N times as fast as the real one (Debian's libfaketime, preloaded into every
Wine process of the run's prefix, the wineserver included, all from one shared start; the monotonic
clock stays real, so the 20 ms tick and the 1 s reminder timer keep their real pace and see every
fast second while N stays below about 40). What is counted, and how:
  - chimes and rings: every call of the system's sound function, by file, from Wine's "winmm" debug
    channel (this machine has no sound device: each call returns at once);
  - reminders: the message boxes, read and answered as a user would;
  - memory: the resident size of the program and of the wineserver, from /proc;
  - handles and objects, at the end of every round of actions (nothing but the clock showing):
    GetProcessHandleCount and GetGuiResources as the system reports them, the process's entries in
    the system's handle list, the live entries of its GDI handle table and its windows (the probe).
Prints the figures, one verdict a check and a closing line "soak: N passed, N failed"; exits non-zero
when a check failed."""

import argparse
import datetime
import os
import re
import shutil
import statistics
import struct
import subprocess
import sys
import threading
import time
import traceback
import zlib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from desktop import DESKTOP, Desktop, Failure, Program, wait_for  # noqa: E402
from flows import OUTSIDE, click_anywhere_in  # noqa: E402
from flows_search import browse_to, child, press_tool_button  # noqa: E402

FAKETIME_LIB = "/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1"
CLOCK_START = datetime.time(8, 40)   # the program's time when the run's clock starts
PICTURES, TREE = "soakpics", "soaktree"
PICTURE_COUNT, TREE_DIRS, TREE_FILES = 300, 100, 100  # 10,000 files, 1,000 of them .mp3
RING_COUNT = 5                       # the alarm dialog's ring count at start
REMINDER_CAPTION = " Tikora Reminder..."
# Growth allowed from the end of the first round to the end of the last (see the notes in
# docs/decisions.md for where these come from).
BOUNDS = {"rss_mb": 6.0, "server_rss_mb": 6.0, "handles": 10, "gdi": 10, "windows": 0}


# -- the fast clock ------------------------------------------------------------------------------
class FastClock:
    """One libfaketime start shared by every process of the run: a holder process made by the
    `faketime` wrapper keeps the shared start alive until stop()."""

    def __init__(self, start, speed):
        self.speed = speed
        spec = f"@{start:%Y-%m-%d %H:%M:%S} x{speed}"
        base = dict(os.environ, FAKETIME_DONT_FAKE_MONOTONIC="1", NO_FAKE_STAT="1")
        self.holder = subprocess.Popen(["faketime", "-f", spec, "sh", "-c", 'echo "$FAKETIME_SHARED"; exec sleep infinity'],
                                       stdout=subprocess.PIPE, text=True, env=base)
        shared = self.holder.stdout.readline().strip()
        if not shared:
            raise Failure("faketime gave no shared start")
        # Stat times are left alone: Wine compares a file's time with one it stored to decide
        # whether its prefix needs an update.
        self.env = {"LD_PRELOAD": FAKETIME_LIB, "FAKETIME": spec, "FAKETIME_SHARED": shared,
                    "FAKETIME_DONT_RESET": "1", "FAKETIME_DONT_FAKE_MONOTONIC": "1", "NO_FAKE_STAT": "1"}
        before = time.time()
        fake = subprocess.run(["date", "+%s.%N"], env=dict(os.environ, **self.env), capture_output=True,
                              text=True, check=True).stdout
        self.real0 = (before + time.time()) / 2
        self.fake0 = float(fake)

    def now(self):
        return datetime.datetime.fromtimestamp(self.fake0 + (time.time() - self.real0) * self.speed)

    def stop(self):
        # Ending the wrapper's child lets the wrapper remove the shared memory it made.
        try:
            with open(f"/proc/{self.holder.pid}/task/{self.holder.pid}/children") as f:
                for pid in f.read().split():
                    os.kill(int(pid), 15)
        except OSError:
            self.holder.terminate()
        self.holder.wait(timeout=10)


# -- generated data ------------------------------------------------------------------------------
def png(width, height, shade):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    row = b"\0" + bytes((shade, (shade * 7) & 255, 128)) * (width // 2) + bytes((255 - shade, 64, 32)) * (width - width // 2)
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(row * height, 6)) + chunk(b"IEND", b"")


def bmp(width, height, shade):
    stride = (width * 3 + 3) & ~3
    row = (bytes((shade, 200, 255 - shade)) * width).ljust(stride, b"\0")
    pixels = row * height
    return (b"BM" + struct.pack("<IHHI", 54 + len(pixels), 0, 0, 54) +
            struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0) + pixels)


def make_pictures(root):
    """300 pictures, PNG and BMP, each of its own size; every 25th larger than the screen."""
    shutil.rmtree(root, ignore_errors=True)
    os.makedirs(root)
    sizes = {}
    for i in range(PICTURE_COUNT):
        width, height = (1280 + i, 900 + i % 50) if i % 25 == 0 else (60 + i, 40 + i % 97)
        name = f"p{i:03d}.{'bmp' if i % 3 == 0 else 'png'}"
        with open(os.path.join(root, name), "wb") as f:
            f.write((bmp if name.endswith("bmp") else png)(width, height, i % 256))
        sizes[name] = f"{width} x {height}"
    return sizes


def make_tree(root):
    shutil.rmtree(root, ignore_errors=True)
    for d in range(TREE_DIRS):
        folder = os.path.join(root, f"d{d:02d}")
        os.makedirs(folder)
        for n in range(TREE_FILES):
            open(os.path.join(folder, f"f{n:02d}.{'mp3' if n % 10 == 0 else 'txt'}"), "wb").close()


def reminder_store(entries):
    lines = ["[Reminder]", f"count={len(entries)}"] + [f"{i}={e}" for i, e in enumerate(entries)]
    return ("\r\n".join(lines) + "\r\n").encode("latin-1")


# -- what is measured ----------------------------------------------------------------------------
def unix_pids(match):
    for name in os.listdir("/proc"):
        if not name.isdigit():
            continue
        try:
            with open(f"/proc/{name}/cmdline", "rb") as f:
                cmdline = f.read().split(b"\0")
            with open(f"/proc/{name}/environ", "rb") as f:
                environ = f.read().split(b"\0")
        except OSError:
            continue
        if match(cmdline, environ):
            yield int(name)


def rss_kb(pid):
    try:
        with open(f"/proc/{pid}/status") as f:
            for line in f:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1])
    except OSError:
        pass
    return None


class Sampler(threading.Thread):
    """Every second: new sound calls from the debug log (each placed between the fast time of the
    previous look and of this one); every few seconds also the resident sizes."""

    SOUND = re.compile(r'proc_PlaySound SoundName=L"Sounds\\\\(\w+)\.wav"')

    def __init__(self, clock, log_path, program_pid, server_pid, every=3.0):
        super().__init__(daemon=True)
        self.clock, self.log_path, self.pid, self.server = clock, log_path, program_pid, server_pid
        self.every = every
        self.memory = []   # (real seconds since start, fast time, program kB, wineserver kB)
        self.sounds = []   # (name, fast time of the look before, fast time of the look that saw it)
        self.died_at = None
        self.stopping = threading.Event()
        self.began = time.monotonic()

    def run(self):
        offset, last_look, last_memory = 0, self.clock.now(), 0.0
        while not self.stopping.wait(1.0):
            look = self.clock.now()
            with open(self.log_path, "rb") as f:
                f.seek(offset)
                data = f.read()
            cut = data.rfind(b"\n") + 1
            offset += cut
            for m in self.SOUND.finditer(data[:cut].decode("latin-1")):
                self.sounds.append((m.group(1), last_look, look))
            last_look = look
            elapsed = time.monotonic() - self.began
            if elapsed - last_memory >= self.every:
                last_memory = elapsed
                program = rss_kb(self.pid)
                if program is None and self.died_at is None:
                    self.died_at = look
                self.memory.append((elapsed, look, program, rss_kb(self.server)))


def objects(desktop, pid):
    out = desktop.run_probe("objects", DESKTOP, str(pid))
    return {k: int(v) for k, v in (line.split() for line in out.splitlines() if len(line.split()) == 2)}


# -- the user ------------------------------------------------------------------------------------
ADVANCED = {"TForm21": 0, "TForm7": 1, "TForm20": 2, "TForm5": 3, "TForm9": 4, "TForm3": 5,
            "TCalculatorForm": 6, "TForm12": 7, "TForm18": 8}
OPTIONS = {"TForm2": 0, "TForm4": 1}
CALCULATOR_DISPLAY = 200


class User:
    def __init__(self, desktop, tikora, clock, reminders):
        self.d, self.t, self.clock = desktop, tikora, clock
        self.reminders = reminders        # fast minute -> number of entries due then
        self.shown = []                   # (text, fast time) of every reminder box answered
        self.opened = {}                  # window class -> times opened and closed
        self.failures = []                # (action, error) of actions the driver did not complete
        self.done = 0
        self.picture_sizes = {}
        self.pictures = []                # the viewer's list, file names in its order
        self.picture_index = 0
        self.alarm_at = None
        self.log = print

    def count(self, cls):
        self.opened[cls] = self.opened.get(cls, 0) + 1

    # reminders
    def reminder_boxes(self):
        boxes = [w for w in self.d.windows() if w.kind == "top" and w.cls == "#32770" and w.visible
                 and w.text == REMINDER_CAPTION and w.pid == self.t.pid]
        texts = {}
        for box in boxes:
            lines = [c.text for c in self.t.controls(box) if c.cls == "Static" and c.text]
            texts[box.handle] = max(lines, key=len) if lines else ""
        return boxes, texts

    def answer_reminders(self):
        """Answers every reminder box on the screen; returns how many. The box with the input
        takes Return; otherwise OK is pressed on one box after another (boxes of one minute stand
        exactly on one another, and a window of the program may stand between them)."""
        answered, attempt = 0, 0
        while True:
            boxes, texts = self.reminder_boxes()
            if not boxes:
                return answered
            if self.t.open_menus():
                self.d.keys("Escape", "Escape")
                continue
            front = self.t.find(kind="foreground")
            if front and front.handle in texts and self.d.x_has_focus():
                self.d.keys("Return")
            else:
                # A window shown later may stand over the box: its task bar button brings it up.
                button = next((w for w in self.d.windows() if w.kind == "child" and w.pid != self.t.pid
                               and w.text == REMINDER_CAPTION and w.visible), None)
                if button and attempt % 2 == 0:
                    self.d.click((button.rect[0] + button.rect[2]) // 2, (button.rect[1] + button.rect[3]) // 2)
                    time.sleep(0.5)
                    continue_with_keys = self.t.find(kind="foreground")
                    if continue_with_keys and continue_with_keys.handle in texts:
                        self.d.keys("Return")
                else:
                    self.t.click_control(boxes[attempt % len(boxes)], "OK")
            try:
                gone = wait_for(lambda: [h for h in texts if h not in self.reminder_boxes()[1]], "a reminder box to close", 5)
            except Failure:
                attempt += 1
                if attempt > 6:
                    raise
                continue
            for handle in gone:
                self.shown.append((texts[handle], self.clock.now()))
            answered += len(gone)

    def wait_out_events(self):
        """Before an action: when a reminder, a full hour or the alarm falls within the next ten
        seconds of real time, the user pauses until it has passed, answering the boxes. At the run's
        speed a second lasts a few ticks and a minute three seconds: a window opening on a loaded
        machine can hold the program's thread that long, which a real second or minute never
        notices, and the pause keeps that artefact of the fast clock out of the counts."""
        ahead = datetime.timedelta(seconds=10 * self.clock.speed)
        now = self.clock.now()
        hour = now.replace(minute=0, second=0, microsecond=0) + datetime.timedelta(hours=1)
        events = [(m, m + datetime.timedelta(minutes=1, seconds=20)) for m in self.reminders]
        events.append((hour, hour + datetime.timedelta(seconds=15)))
        if self.alarm_at:
            events.append((self.alarm_at, self.alarm_at + datetime.timedelta(seconds=RING_COUNT + 15)))
        for start, end in sorted(events):
            now = self.clock.now()
            if now - datetime.timedelta(minutes=1) <= start <= now + ahead:
                while self.clock.now() < end:
                    self.answer_reminders()
                    time.sleep(0.2)
        self.answer_reminders()

    # the tray menus and the windows they show
    def menus(self):
        self.t.open_menu(3)
        self.d.move(*OUTSIDE)
        self.d.keys("Escape")
        self.t.wait_menus_closed()
        self.count("main menu")
        self.t.open_menu(1)
        self.d.click(*OUTSIDE)
        self.t.wait_menus_closed()
        self.count("power menu")

    def show(self, cls):
        if cls in ADVANCED:
            self.t.open_menu(3)
            self.d.move(*OUTSIDE)
            self.d.keys("Down", "Down", "Right", *["Down"] * ADVANCED[cls], "Return")
        elif cls in OPTIONS:
            self.t.open_menu(3)
            self.d.move(*OUTSIDE)
            self.d.keys("Down", "Right", *["Down"] * OPTIONS[cls], "Return")
        elif cls == "TForm8":
            self.t.open_menu(3)
            self.d.move(*OUTSIDE)
            self.d.keys("Up", "Up", "Return")
        elif cls == "TForm17":
            self.t.open_menu(1)
            self.d.move(*OUTSIDE)
            self.d.keys("Down", "Down", "Down", "Down", "Return")
        window = self.t.wait_window(cls)
        self.t.wait_foreground(cls)
        return window

    def close(self, cls):
        self.d.keys("alt+F4")
        if cls == "TCalculatorForm":
            self.t.wait_gone(cls)
        else:
            self.t.wait_window(cls, visible=False)
        self.count(cls)

    def open_and_close(self, cls):
        self.show(cls)
        self.close(cls)

    def icon_chooser(self):
        self.t.open_menu(3)
        self.d.move(*OUTSIDE)
        self.d.keys("Down", "Right", "Down", "Down", "Return")  # "Options" > "Change icon in tray"
        self.t.wait_window("#32770", text="Open")
        self.t.wait_foreground("#32770")
        self.d.keys("Escape")
        self.t.wait_gone("#32770")
        self.count("icon chooser")

    def calculator(self):
        calc = self.show("TCalculatorForm")
        self.d.type("2+3*4=")
        wait_for(lambda: self.t.control_text(calc, CALCULATOR_DISPLAY) == "20", "2+3*4= to show 20", 10)
        self.close("TCalculatorForm")

    def reminder_list(self):
        self.show("TForm18")
        click_anywhere_in(self.t, "New")
        self.t.wait_foreground("TForm19")
        self.close("TForm19")   # the editor's close box adds nothing
        self.t.wait_foreground("TForm18")
        self.close("TForm18")   # the list's close box reloads the store

    def set_picker(self, lead):
        """Types a time `lead` ahead of now into the time picker of the window just shown, which
        has the focus: Home and Right select its hours, two digits fill a field, Right moves on.
        Returns the time typed."""
        at = (self.clock.now() + lead).replace(microsecond=0)
        self.d.keys("Home")
        for field in (at.hour, at.minute, at.second):
            self.d.keys("Right")
            self.d.type(f"{field:02d}")
        return at

    def arm_alarm(self, lead):
        self.show("TForm12")
        at = self.set_picker(lead)
        box = next(w for w in self.d.windows() if w.kind == "child" and w.pid == self.t.pid
                   and w.text == " Activate alarm clock ")
        self.d.click((box.rect[0] + box.rect[2]) // 2, (box.rect[1] + box.rect[3]) // 2)
        wait_for(lambda: self.d.run_probe("checked", DESKTOP, f"{box.handle:x}").strip() == "1",
                 "the alarm armed", 10)
        self.d.save_screenshot(os.path.join(self.d.state, "alarm-armed.png"))
        self.close("TForm12")
        return at

    def set_shutdown_time(self, lead):
        self.show("TForm7")
        at = self.set_picker(lead)
        self.d.save_screenshot(os.path.join(self.d.state, "shutdown-set.png"))
        self.close("TForm7")   # " Activate timer " stays unticked
        return at

    # the picture viewer and its full-screen views
    def add_pictures(self):
        press_tool_button(self.t, 39)  # " Add folder "
        browse_to(self.t, PICTURES)
        wait_for(lambda: child(self.t, text=f" Total files - {PICTURE_COUNT}"), "the 300 pictures listed", 60)
        lists = [w for w in self.t.controls(self.t.find(cls="TForm9")) if w.cls == "ListBox"]
        from desktop import list_items
        self.pictures = [p.rsplit("\\", 1)[-1] for p in list_items(self.d, lists[0])]
        self.picture_index = 0

    def viewer(self, refill):
        self.show("TForm9")
        if refill or not self.pictures:
            if self.pictures:
                press_tool_button(self.t, 70)  # " Clear list "
                wait_for(lambda: child(self.t, text=" Total files - 0"), "the list cleared", 10)
            self.add_pictures()
            self.count("TForm16")
        press_tool_button(self.t, 163)  # " View ( Esc-exit )"
        self.t.wait_window("TForm11")
        self.t.wait_foreground("TForm11")
        steps = 12
        for _ in range(steps):
            self.d.keys("Right")
        self.d.keys("Escape")
        self.t.wait_window("TForm9")
        self.count("TForm11")
        self.picture_index = (self.picture_index + steps) % len(self.pictures)
        size = self.picture_sizes[self.pictures[self.picture_index]]
        wait_for(lambda: child(self.t, text=size), f"the viewer on the picture last browsed ({size})", 10)
        self.t.wait_foreground("TForm9")
        press_tool_button(self.t, 194)  # " Actual size "
        self.t.wait_window("TForm10")
        self.t.wait_foreground("TForm10")
        self.d.keys("Escape")
        self.t.wait_window("TForm9")
        self.count("TForm10")
        self.t.wait_foreground("TForm9")
        press_tool_button(self.t, 225)  # " Settings "
        self.t.wait_window("TForm14")
        self.t.wait_foreground("TForm14")
        self.close("TForm14")
        wait_for(lambda: self.t.find(cls="TForm9").enabled, "the viewer enabled again", 10)
        self.t.wait_foreground("TForm9")
        press_tool_button(self.t, 101)  # " Copy to... "
        self.t.wait_window("TForm15")
        self.t.wait_foreground("TForm15")
        self.close("TForm15")
        wait_for(lambda: self.t.find(cls="TForm9").enabled, "the viewer enabled again", 10)
        self.t.wait_foreground("TForm9")
        self.close("TForm9")

    def search(self, walk):
        self.show("TForm3")
        if walk:
            press_tool_button(self.t, 124)  # " Search file(s)  " with *.mp3
            browse_to(self.t, TREE)
            wait_for(lambda: child(self.t, starts="File name:  f00.mp3"), "the first result's details", 60)
            wait_for(lambda: self.t.find(cls="TForm3").enabled, "the search window enabled again", 30)
            self.count("TForm13")
            self.count("search run")
            self.t.wait_foreground("TForm3")
            press_tool_button(self.t, 31)  # " Copy to... "
            self.t.wait_window("TForm6")
            self.t.wait_foreground("TForm6")
            self.close("TForm6")
            wait_for(lambda: self.t.find(cls="TForm3").enabled, "the search window enabled again", 10)
            self.t.wait_foreground("TForm3")
        self.close("TForm3")

    def recover(self):
        """After an action that did not complete: answers boxes, leaves menus and views, closes
        every window of the program but the clock."""
        for _ in range(4):
            self.answer_reminders()  # before Esc, which would close a box unread
            if self.t.open_menus() or self.t.find(cls="TForm10", visible=True) or self.t.find(cls="TForm11", visible=True):
                self.d.keys("Escape")
            time.sleep(0.3)
            open_ = [w for w in self.d.windows() if w.kind == "top" and w.pid == self.t.pid and w.visible
                     and w.cls not in ("TForm1", "TApplication")]
            if not open_:
                return
            w = open_[0]
            if w.cls in ("TForm10", "TForm11", "#32768"):
                continue
            self.d.click(w.rect[0] + 60, w.rect[1] + 8)  # its title bar
            time.sleep(0.3)
            self.d.keys("alt+F4")
            time.sleep(0.5)

    def act(self, name, action, *args):
        try:
            self.wait_out_events()
            began = time.monotonic()
            action(*args)
            self.done += 1
            self.log(f"  {name}: {time.monotonic() - began:.1f} s", flush=True)
        except Exception as error:
            self.failures.append((name, f"{type(error).__name__}: {error}"))
            self.d.save_screenshot(os.path.join(self.d.state, f"failed-{len(self.failures):03d}-{name}.png"))
            try:
                self.recover()
            except Exception as again:
                self.failures.append(("recover", f"{type(again).__name__}: {again}"))


# -- the run -------------------------------------------------------------------------------------
def slope_per_minute(points):
    """Least-squares slope of (minutes, value) points."""
    if len(points) < 3:
        return 0.0
    xs, ys = [p[0] for p in points], [p[1] for p in points]
    mx, my = statistics.fmean(xs), statistics.fmean(ys)
    den = sum((x - mx) ** 2 for x in xs)
    return sum((x - mx) * (y - my) for x, y in zip(xs, ys)) / den if den else 0.0


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    parser.add_argument("minutes", type=float, nargs="?", default=10)
    parser.add_argument("--speed", type=int, default=20)
    args = parser.parse_args()
    build = os.path.abspath(args.build)
    state = os.path.join(build, "soak")
    d = Desktop(build, state)
    checks = []

    def check(ok, what):
        checks.append((ok, what))
        print(f"{'PASS' if ok else 'FAIL'} {what}", flush=True)

    clock = tikora = sampler = log = None
    roots = [os.path.join(state, "prefix", "drive_c", name) for name in (PICTURES, TREE)]
    try:
        d.start()  # the prefix is made at real time: Wine keeps file times of its own
        sizes = make_pictures(roots[0])
        make_tree(roots[1])
        today = datetime.date.today()
        clock = FastClock(datetime.datetime.combine(today, CLOCK_START), args.speed)
        d.env.update(clock.env)
        d.env["WINEDEBUG"] = "-all,trace+winmm"
        log_path = os.path.join(state, "wine-debug.log")
        log = open(log_path, "wb")

        # Reminders every 20 minutes of the run's time, two of them sharing a minute, written before
        # the start; those whose minute passes while the program is starting are not judged.
        span = datetime.timedelta(minutes=args.minutes * args.speed + 30)
        start = datetime.datetime.combine(today, CLOCK_START)
        minutes, m = [], start + datetime.timedelta(minutes=25)
        while m < start + span:
            minutes.append(m)
            m += datetime.timedelta(minutes=20)
        entries, due = [], {}
        for i, minute in enumerate(minutes):
            for k in range(2 if i % 4 == 1 else 1):
                entries.append(f"{minute:%d.%m.%Y_%H:%M}  Soak reminder {i}.{k}")
                due[minute] = due.get(minute, 0) + 1

        tikora = Program(d, settings="[Options]\nshowsecond=1\neveryhour=1\n", log=log)
        with open(os.path.join(tikora.home, "Reminder.ini"), "wb") as f:
            f.write(reminder_store(entries))
        tikora.start(timeout=90)
        up = clock.now()
        seen = d.run_probe("now").strip()
        print(f"soak: the program is up at {up:%H:%M:%S} of its time (Wine says {seen}), speed x{args.speed}", flush=True)
        home = os.path.basename(tikora.folder).encode()
        program_pid = next(unix_pids(lambda c, e: c and c[0].endswith(b"Tikora.exe") and home in c[0]))
        prefix = f"WINEPREFIX={d.prefix}".encode()
        server_pid = next(unix_pids(lambda c, e: c and b"wineserver" in c[0] and prefix in e))
        sampler = Sampler(clock, log_path, program_pid, server_pid)
        sampler.start()

        user = User(d, tikora, clock, due)
        user.picture_sizes = sizes
        def set_up(step, lead):
            for attempt in (1, 2, 3):
                try:
                    user.wait_out_events()
                    return step(lead)
                except Failure:
                    if attempt == 3:
                        raise
                    user.recover()
        alarm_at = user.alarm_at = set_up(user.arm_alarm, datetime.timedelta(minutes=12))
        shutdown_at = set_up(user.set_shutdown_time, datetime.timedelta(minutes=10))
        armed = clock.now()
        print(f"soak: alarm armed for {alarm_at:%H:%M:%S} ({RING_COUNT} rings), shutdown timer set for "
              f"{shutdown_at:%H:%M:%S} unticked, at {armed:%H:%M:%S}", flush=True)

        deadline = time.monotonic() + args.minutes * 60
        rounds, figures = 0, []
        while time.monotonic() < deadline or rounds < 2:  # growth is judged between rounds
            rounds += 1
            plan = [("menus", user.menus), ("settings", user.open_and_close, "TForm2"),
                    ("skin", user.open_and_close, "TForm4"), ("icon", user.icon_chooser),
                    ("tags", user.open_and_close, "TForm21"), ("timer", user.open_and_close, "TForm7"),
                    ("menus", user.menus), ("information", user.open_and_close, "TForm20"),
                    ("calendar", user.open_and_close, "TForm5"), ("viewer", user.viewer, rounds % 5 == 1),
                    ("search", user.search, rounds % 2 == 1), ("calculator", user.calculator),
                    ("menus", user.menus), ("alarm", user.open_and_close, "TForm12"),
                    ("reminder", user.reminder_list), ("about", user.open_and_close, "TForm8"),
                    ("hot keys", user.open_and_close, "TForm17"), ("menus", user.menus)]
            for name, action, *rest in plan:
                if (time.monotonic() >= deadline and rounds > 2) or sampler.died_at:
                    break
                user.act(name, action, *rest)
            if sampler.died_at:
                break
            user.wait_out_events()
            figures.append((rounds, time.monotonic() - sampler.began, objects(d, tikora.pid)))
            print(f"soak: round {rounds} done at {clock.now():%H:%M} of its time, "
                  f"{int((time.monotonic() - sampler.began) // 60)} min: {figures[-1][2]}", flush=True)
        user.wait_out_events()
        end = clock.now()
        sampler.stopping.set()
        sampler.join()

        # -- figures ------------------------------------------------------------------------------
        alive = sampler.died_at is None and rss_kb(program_pid) is not None
        print(f"soak: {args.minutes:g} min at x{args.speed}: the program's time {up:%H:%M} to {end:%H:%M} "
              f"({(end - up).total_seconds() / 3600:.2f} h), {rounds} rounds, {user.done} actions, "
              f"{len(user.failures)} not completed", flush=True)
        for name, error in user.failures:
            print(f"  not completed: {name}: {error}")
        print("soak: opened and closed: " + ", ".join(f"{k} {v}" for k, v in sorted(user.opened.items())))
        mem = [s for s in sampler.memory if s[2] is not None]
        after = [s for s in mem if s[0] >= 60] or mem
        for label, index in (("program", 2), ("wineserver", 3)):
            slope = slope_per_minute([(s[0] / 60, s[index] / 1024) for s in after])
            print(f"soak: {label} resident memory: first {mem[0][index] / 1024:.1f} MB, last {mem[-1][index] / 1024:.1f} MB, "
                  f"max {max(s[index] for s in mem) / 1024:.1f} MB, slope after the first minute {slope:+.3f} MB/min "
                  f"({len(mem)} samples)")
        if figures:
            first, last = figures[0][2], figures[-1][2]
            for key in ("gui-gdi", "gui-user", "handle-count", "handles", "gdi-table", "windows"):
                points = [(f[1] / 60, f[2].get(key, 0)) for f in figures]
                note = " (the system answers 0 here)" if all(p[1] == 0 for p in points) else ""
                print(f"soak: {key}: first round {first.get(key)}, last round {last.get(key)}, "
                      f"slope {slope_per_minute(points):+.2f}/min{note}")

        # -- verdicts -----------------------------------------------------------------------------
        check(alive, "the program ran the whole time" + ("" if alive else f" (gone at {sampler.died_at:%H:%M:%S})"))
        check(len(user.failures) * 2 <= user.done + len(user.failures),
              f"most actions completed ({user.done} of {user.done + len(user.failures)})")
        margin = datetime.timedelta(seconds=30)
        hours = []
        h = up.replace(minute=0, second=0, microsecond=0) + datetime.timedelta(hours=1)
        while h < end - margin:
            hours.append(h)
            h += datetime.timedelta(hours=1)
        chimes = [s for s in sampler.sounds if s[0] == "Chimes"]
        per_hour = {h: sum(1 for _, a, b in chimes if a <= h <= b + datetime.timedelta(seconds=2)) for h in hours}
        stray = [c for c in chimes if not any(c[1] <= h <= c[2] + datetime.timedelta(seconds=2) for h in hours)]
        print(f"soak: chimes due {len(hours)} ({', '.join(f'{h:%H:%M}' for h in hours)}), struck {len(chimes)}")
        check(hours and all(n == 1 for n in per_hour.values()) and not stray,
              f"every hour struck once ({sum(per_hour.values())} of {len(hours)}, {len(stray)} at other times)")
        rings = [s for s in sampler.sounds if s[0] == "Ring"]
        early = [r for r in rings if r[2] < alarm_at]
        print(f"soak: alarm at {alarm_at:%H:%M:%S}: rings due {RING_COUNT}, rung {len(rings)}")
        check(len(rings) == RING_COUNT and not early, f"the alarm rang its count ({len(rings)} of {RING_COUNT})")
        judged = {m: n for m, n in due.items() if up + datetime.timedelta(minutes=1) < m < end - datetime.timedelta(minutes=1)}
        shown_by_key = {}
        for text, _ in user.shown:
            shown_by_key[text[:16]] = shown_by_key.get(text[:16], 0) + 1
        missed = [f"{m:%H:%M}" for m, n in judged.items() if shown_by_key.get(f"{m:%d.%m.%Y_%H:%M}", 0) < n]
        doubled = [f"{m:%H:%M}" for m, n in judged.items() if shown_by_key.get(f"{m:%d.%m.%Y_%H:%M}", 0) > n]
        early_ones = [t for t, _ in user.shown if t[:16] < f"{up:%d.%m.%Y_%H:%M}"]
        print(f"soak: reminders due {sum(judged.values())} at {len(judged)} minutes, shown {len(user.shown)}"
              + (f"; missed {missed}" if missed else "") + (f"; doubled {doubled}" if doubled else ""))
        check(judged and not missed and not doubled and not early_ones,
              f"every reminder shown once ({sum(judged.values())} due)")
        check(alive and end > shutdown_at, f"the shutdown time {shutdown_at:%H:%M:%S} passed unticked with no power request")
        if len(mem) >= 4 and len(figures) >= 2:
            def growth(index):
                warm = [s[index] for s in mem if s[0] >= figures[0][1]][:5] or [mem[0][index]]
                return (statistics.median([s[index] for s in mem[-5:]]) - statistics.median(warm)) / 1024
            check(growth(2) <= BOUNDS["rss_mb"], f"program memory grew {growth(2):+.1f} MB after the first round "
                  f"(bound {BOUNDS['rss_mb']} MB)")
            check(growth(3) <= BOUNDS["server_rss_mb"], f"wineserver memory grew {growth(3):+.1f} MB after the first "
                  f"round (bound {BOUNDS['server_rss_mb']} MB)")
            for key, bound in (("handles", BOUNDS["handles"]), ("gdi-table", BOUNDS["gdi"]), ("windows", BOUNDS["windows"])):
                grew = figures[-1][2].get(key, 0) - figures[0][2].get(key, 0)
                check(grew <= bound, f"{key} grew {grew:+d} from the first round to the last (bound {bound})")
        else:
            check(False, "enough rounds to judge growth")

        if alive:
            menu = tikora.open_menu(3)
            tikora.click_menu_item_by_keys(menu, "Up")  # "Close"
            code = tikora.exit_code(30)
            check(code == 0, f"Close ended the program with exit code {code}")
    except Exception:
        traceback.print_exc()
        d.save_screenshot(os.path.join(state, "failure.png"))
        check(False, "the soak ran to its end")
    finally:
        if sampler:
            sampler.stopping.set()
        if tikora:
            tikora.stop()
        d.stop()
        if clock:
            clock.stop()
        if log:
            log.close()
        for root in roots:
            shutil.rmtree(root, ignore_errors=True)
    failed = sum(1 for ok, _ in checks if not ok)
    print(f"soak: {len(checks) - failed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
