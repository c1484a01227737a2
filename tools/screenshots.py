#!/usr/bin/env python3
"""Makes the user guide's pictures from the built program under Wine: every window opened through
the tray menus with real presses and keys, as a user opens it, and saved as it shows. The clock and
the menus are taken again at 200 % (a prefix whose system DPI is 192).

    screenshots.py BUILD_DIR OUT_DIR [NAME...]    e.g. screenshots.py build/win64 docs/pictures viewer

Names pick pictures by part of their name; without names every picture is made. Sample files (music
with tags, pictures, reminders) are made in the prefix's C: drive and removed afterwards."""

import os
import shutil
import struct
import subprocess
import sys
import time

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "tests", "accept"))

from desktop import SCREEN, WINE, WINESERVER, Desktop, Program, wait_for  # noqa: E402
from flows_search import browse_to, press_tool_button, wait_child  # noqa: E402
from flows_tags import edit_texts  # noqa: E402
from flows_viewer import png  # noqa: E402

OUTSIDE = (SCREEN[0] // 2, SCREEN[1] // 3)
PARK = (SCREEN[0] - 1, 0)  # where the pointer waits while a picture is taken: no hover, no tip
MUSIC, PICTURES = "Music", "Pictures"
ADVANCED = {"tags": 0, "timer": 1, "information": 2, "calendar": 3, "viewer": 4, "search": 5,
            "calculator": 6, "alarm": 7, "reminder": 8}


class Camera:
    """Saves cropped screen pictures for the names asked for, and remembers which were made."""

    def __init__(self, desktop, out, wanted, suffix=""):
        self.desktop, self.out, self.wanted, self.suffix = desktop, out, wanted, suffix
        self.made = []

    def wants(self, name):
        return not self.wanted or any(w in name + self.suffix for w in self.wanted)

    def take(self, name, rect, margin=0, still=None):
        """Crops rect (grown by margin, kept on the screen) out of the screen into NAME.png.
        `still`, when given, must hold after the picture is taken, or it is taken again."""
        if not self.wants(name):
            return
        d = self.desktop
        d.move(*PARK)
        time.sleep(0.6)  # the last repaint after the pointer left; nothing to poll for
        l, t = max(rect[0] - margin, 0), max(rect[1] - margin, 0)
        r, b = min(rect[2] + margin, SCREEN[0]), min(rect[3] + margin, SCREEN[1])
        path = os.path.join(self.out, f"{name}{self.suffix}.png")
        for _ in range(3):
            subprocess.run(["import", "-window", "root", "-crop", f"{r - l}x{b - t}+{l}+{t}", "+repage", path],
                           env=d.env, check=True, capture_output=True)
            if still is None or still():
                self.made.append(path)
                return
        raise RuntimeError(f"{name}: the window changed while it was taken")

    def window(self, tikora, name, cls, **conditions):
        w = tikora.wait_window(cls, **conditions)
        self.take(name, w.rect, still=lambda: tikora.find(cls=cls, visible=True))
        return w


def open_advanced(tikora, item):
    tikora.open_menu(3)
    tikora.desktop.move(*OUTSIDE)
    tikora.desktop.keys("Down", "Down", "Right", *["Down"] * ADVANCED[item], "Return")


def click_text(tikora, text):
    w = wait_child(tikora, repr(text), text=text)
    tikora.desktop.click((w.rect[0] + w.rect[2]) // 2, (w.rect[1] + w.rect[3]) // 2)


def close(tikora, cls, keys=("alt+F4",)):
    tikora.wait_foreground(cls)
    tikora.desktop.keys(*keys)
    tikora.wait_window(cls, visible=False)


# -- sample files ---------------------------------------------------------------------------------
def id3v1(title, artist, album, year, comment, track, genre):
    def field(text, size):
        return text.encode("latin-1")[:size].ljust(size, b"\0")
    return b"TAG" + field(title, 30) + field(artist, 30) + field(album, 30) + field(year, 4) + \
        field(comment, 28) + b"\0" + bytes((track, genre))


SONGS = [("01 Morning Light.mp3", "Morning Light", 1, 2_345_678), ("02 Harbour Walk.mp3", "Harbour Walk", 2, 3_456_789),
         ("03 Last Train.mp3", "Last Train", 3, 4_012_345), ("04 Quiet Hours.mp3", "Quiet Hours", 4, 2_987_654)]


def make_samples(desktop):
    drive = os.path.join(desktop.prefix, "drive_c")
    music, pictures = os.path.join(drive, MUSIC), os.path.join(drive, PICTURES)
    for folder in (music, pictures):
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(folder)
    for name, title, track, size in SONGS:
        with open(os.path.join(music, name), "wb") as f:
            f.truncate(size - 128)
            f.seek(size - 128)
            f.write(id3v1(title, "The Tide Clocks", "Harbour Lights", "2025", "Recorded live", track, 13))
    os.makedirs(os.path.join(music, "Copies"))
    for name, (width, height) in (("beach.png", (800, 600)), ("garden.png", (640, 480)),
                                  ("hills.png", (1024, 768)), ("icon.png", (48, 48))):
        with open(os.path.join(pictures, name), "wb") as f:
            f.write(png(width, height))
    return music, pictures


def remove_samples(desktop):
    for folder in (MUSIC, PICTURES):
        shutil.rmtree(os.path.join(desktop.prefix, "drive_c", folder), ignore_errors=True)


# -- the pictures, one program run per family ------------------------------------------------------
def clock_and_menus(d, cam):
    with Program(d) as tikora:
        clock = tikora.wait_window("TForm1")
        cam.take("clock", clock.rect, margin=12)
        bar = tikora.find(cls="Shell_TrayWnd", mine=False)

        def menus(name, button, *keys):
            tikora.open_menu(button)
            d.move(*OUTSIDE)
            if keys:
                d.keys(*keys)
            wait_for(lambda: len(tikora.open_menus()) == 1 + (len(keys) > 0), f"{name} to open", 5)
            shown = tikora.open_menus()
            left, top = min(m.rect[0] for m in shown), min(m.rect[1] for m in shown)
            cam.take(name, (left, top, SCREEN[0], bar.rect[3]), margin=6)
            d.keys(*["Escape"] * len(shown))
            tikora.wait_menus_closed()

        menus("menu-main", 3)
        menus("menu-options", 3, "Down", "Right")
        menus("menu-advanced", 3, "Down", "Down", "Right")
        menus("menu-power", 1)


def settings_family(d, cam):
    with Program(d) as tikora:
        tikora.open_menu(3)
        d.move(*OUTSIDE)
        d.keys("Down", "Right", "Return")  # "Options" > "Settings"
        cam.window(tikora, "settings", "TForm2")
        close(tikora, "TForm2")

        tikora.open_menu(3)
        d.move(*OUTSIDE)
        d.keys("Down", "Right", "Down", "Return")  # "Options" > "Change skin"
        tikora.wait_window("TForm4")
        d.keys("Down")  # the second strip, previewed
        time.sleep(0.5)
        cam.window(tikora, "skin-chooser", "TForm4")
        close(tikora, "TForm4", keys=("Escape",))

        menu = tikora.open_menu(1)
        tikora.click_menu_item_by_keys(menu, "Down", "Down", "Down", "Down")  # "Hot keys"
        cam.window(tikora, "hot-keys", "TForm17")
        close(tikora, "TForm17")

        menu = tikora.open_menu(3)
        tikora.click_menu_item_by_keys(menu, "Up", "Up")  # "About..."
        cam.window(tikora, "about", "TForm8")
        close(tikora, "TForm8", keys=("Escape",))

        open_advanced(tikora, "information")
        cam.window(tikora, "information", "TForm20")
        close(tikora, "TForm20", keys=("Escape",))


REMINDERS = ("[Reminder]\r\ncount=2\r\n"
             "0=15.01.2027_09:30  Dentist at ten\r\n"
             "1=28.02.2027_18:00  Call Anna\x85\x85Ask about the concert tickets\r\n")


def alarms_family(d, cam):
    tikora = Program(d)
    with open(os.path.join(tikora.home, "Reminder.ini"), "w", encoding="latin-1", newline="") as f:
        f.write(REMINDERS)
    with tikora:
        open_advanced(tikora, "alarm")
        cam.window(tikora, "alarm-clock", "TForm12")
        close(tikora, "TForm12")

        open_advanced(tikora, "timer")
        cam.window(tikora, "shutdown-timer", "TForm7")
        close(tikora, "TForm7", keys=("Escape",))

        open_advanced(tikora, "reminder")
        cam.window(tikora, "reminder-list", "TForm18")
        click_text(tikora, "New")
        tikora.wait_window("TForm19")
        d.keys("Tab", "Tab")  # to the memo
        d.type("Water the plants")
        cam.window(tikora, "reminder-editor", "TForm19")
        close(tikora, "TForm19")
        close(tikora, "TForm18")


def calendar_and_calculator(d, cam):
    with Program(d) as tikora:
        open_advanced(tikora, "calendar")
        cam.window(tikora, "calendar", "TForm5")
        close(tikora, "TForm5", keys=("Escape",))

        open_advanced(tikora, "calculator")
        tikora.wait_window("TCalculatorForm")
        d.type("12.5*4=")
        wait_child(tikora, "the result", text="50")
        cam.window(tikora, "calculator", "TCalculatorForm")
        d.keys("alt+F4")
        tikora.wait_gone("TCalculatorForm")


def search_family(d, cam):
    with Program(d) as tikora:
        open_advanced(tikora, "search")
        tikora.wait_window("TForm3")
        press_tool_button(tikora, 124)  # " Search file(s)  " with *.mp3
        browse_to(tikora, MUSIC)
        wait_child(tikora, "the first result", starts="File name:  01 Morning Light.mp3")
        cam.window(tikora, "search", "TForm3")

        press_tool_button(tikora, 31)  # " Copy to... "
        cam.window(tikora, "search-copy", "TForm6")
        close(tikora, "TForm6")
        wait_for(lambda: tikora.find(cls="TForm3").enabled, "the search window enabled", 5)

    # A fresh run: the folder browser opens on the folder chosen last, which the keys below do not expect.
    with Program(d) as tikora:
        open_advanced(tikora, "search")
        tikora.wait_window("TForm3")
        press_tool_button(tikora, 0)  # " Plus ": the preset menu
        tikora.wait_menu()
        d.move(*OUTSIDE)
        d.keys("Down", "Down", "Down", "Down", "Return")  # text documents
        browse_to(tikora)  # all of C:, long enough to be seen
        cam.window(tikora, "search-progress", "TForm13")
        click_text(tikora, "Stop")
        tikora.wait_gone("TForm13")


def pick_picture(tikora, index):
    """Clicks the index-th entry of the viewer's list."""
    viewer = tikora.wait_window("TForm9")
    files = next(c for c in tikora.controls(viewer) if c.cls == "ListBox")
    row = 13  # the entries are 13 pixels high at 96 DPI
    tikora.desktop.click(files.rect[0] + 40, files.rect[1] + 2 + row * index + row // 2)


def full_screen(tikora, cam, name, index, dimensions, button, cls):
    """Selects a picture, opens a full-screen view of it with a tool button, takes the screen,
    and goes back to the viewer with Esc."""
    pick_picture(tikora, index)
    wait_child(tikora, f"the dimensions {dimensions}", text=dimensions)
    press_tool_button(tikora, button)
    tikora.wait_window(cls)
    cam.take(name, (0, 0, *SCREEN), still=lambda: tikora.find(cls=cls, visible=True))
    tikora.desktop.keys("Escape")
    tikora.wait_foreground("TForm9")


def viewer_family(d, cam):
    with Program(d) as tikora:
        open_advanced(tikora, "viewer")
        tikora.wait_window("TForm9")
        press_tool_button(tikora, 39)  # " Add folder "
        browse_to(tikora, PICTURES)
        wait_child(tikora, "the first picture's dimensions", text="800 x 600")
        cam.window(tikora, "viewer", "TForm9")

        press_tool_button(tikora, 225)  # " Settings "
        cam.window(tikora, "viewer-settings", "TForm14")
        close(tikora, "TForm14", keys=("Escape",))

        press_tool_button(tikora, 101)  # " Copy to... "
        cam.window(tikora, "viewer-copy", "TForm15")
        close(tikora, "TForm15")

        full_screen(tikora, cam, "view-browsing", 1, "640 x 480", 163, "TForm11")  # garden.png, " View ( Esc-exit )"
        # hills.png, larger than the screen, " Actual size "
        full_screen(tikora, cam, "view-actual-size", 2, "1024 x 768", 194, "TForm10")

    with Program(d) as tikora:  # a fresh run, for the same reason as the search's progress
        open_advanced(tikora, "viewer")
        tikora.wait_window("TForm9")
        press_tool_button(tikora, 39)
        browse_to(tikora)  # all of C:, long enough to be seen
        cam.window(tikora, "viewer-progress", "TForm16")
        click_text(tikora, "Stop")
        tikora.wait_gone("TForm16")


def tag_family(d, cam):
    with Program(d) as tikora:
        open_advanced(tikora, "tags")
        editor = tikora.wait_window("TForm21")
        w = wait_child(tikora, "the open button", text="  Open folder with MP3 files ( *.mp3 )")
        d.click((w.rect[0] + w.rect[2]) // 2, (w.rect[1] + w.rect[3]) // 2)
        browse_to(tikora, MUSIC)
        wait_for(lambda: edit_texts(tikora, editor)[0] == "Morning Light", "the first file's tag", 10)
        cam.window(tikora, "tag-editor", "TForm21")
        close(tikora, "TForm21")


# Each family with the pictures it takes: a family none of whose pictures is asked for is not run.
FAMILIES = [
    (clock_and_menus, ("clock", "menu-main", "menu-options", "menu-advanced", "menu-power")),
    (settings_family, ("settings", "skin-chooser", "hot-keys", "about", "information")),
    (alarms_family, ("alarm-clock", "shutdown-timer", "reminder-list", "reminder-editor")),
    (calendar_and_calculator, ("calendar", "calculator")),
    (search_family, ("search", "search-copy", "search-progress")),
    (viewer_family, ("viewer", "viewer-settings", "viewer-copy", "view-browsing", "view-actual-size",
                     "viewer-progress")),
    (tag_family, ("tag-editor",)),
]


# Wine's own MS Sans Serif and Tahoma (the dialog fonts of Windows) and Marlett (the caption buttons' glyphs), from
# Debian's fonts-wine. Without them Wine draws dialogs in a wider substitute and letters on the
# caption buttons; the pictures should show what a Windows user sees.
WINDOWS_FONTS = ("sserife.fon", "sseriff.fon", "tahoma.ttf", "tahomabd.ttf", "marlett.ttf")
FONT_SOURCE = "/usr/share/wine/fonts"


def screen_desktop(build, state):
    d = Desktop(build, state)
    try:
        d.start()
    except BaseException:
        d.stop()
        raise
    fonts = os.path.join(d.prefix, "drive_c", "windows", "Fonts")
    missing = [f for f in WINDOWS_FONTS if not os.path.exists(os.path.join(FONT_SOURCE, f))]
    if missing:
        print(f"note: {', '.join(missing)} not in {FONT_SOURCE} (apt-get install fonts-wine); "
              "Wine's substitutes are used", file=sys.stderr)
    for name in set(WINDOWS_FONTS) - set(missing):
        if not os.path.exists(os.path.join(fonts, name)):
            os.makedirs(fonts, exist_ok=True)
            shutil.copy(os.path.join(FONT_SOURCE, name), fonts)
    return d


def high_dpi_desktop(build, state):
    """A second prefix whose system DPI is 192: what a 200 % display shows."""
    d = screen_desktop(build, state)
    marker = os.path.join(d.prefix, ".tikora-dpi-192")
    if not os.path.exists(marker):
        subprocess.run([WINE, "reg", "add", "HKCU\\Control Panel\\Desktop", "/v", "LogPixels", "/t", "REG_DWORD",
                        "/d", "192", "/f"], env=d.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        subprocess.run([WINESERVER, "-w"], env=d.env)
        open(marker, "w").close()
    return d


def main():
    if len(sys.argv) < 3:
        print(__doc__)
        return 2
    build, out, wanted = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2]), sys.argv[3:]
    os.makedirs(out, exist_ok=True)
    made = []
    d = screen_desktop(build, os.path.join(build, "screens"))
    try:
        make_samples(d)
        cam = Camera(d, out, wanted)
        for family, names in FAMILIES:
            if any(cam.wants(name) for name in names):
                try:
                    family(d, cam)
                except Exception:
                    d.save_screenshot(os.path.join(d.state, "failed.png"))
                    print(f"{family.__name__} failed; the screen is in {d.state}/failed.png", file=sys.stderr)
                    raise
                finally:
                    d.end_wine()
        made += cam.made
        remove_samples(d)
    finally:
        d.stop()
    big = high_dpi_desktop(build, os.path.join(build, "screens-192"))
    try:
        cam = Camera(big, out, wanted, suffix="-200")
        if any(cam.wants(name) for name in FAMILIES[0][1]):
            clock_and_menus(big, cam)
        made += cam.made
    finally:
        big.stop()
    for path in made:
        print(f"{os.path.getsize(path):>8} {os.path.relpath(path)}")
    print(f"{len(made)} pictures")
    return 0


if __name__ == "__main__":
    sys.exit(main())
