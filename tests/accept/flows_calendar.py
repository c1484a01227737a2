"""The calendar dialog as a user meets it: opened from the tray menu on today's month with today in
yellow, a day pressed into the label, the month buttons, closed and opened again."""

import datetime
import os

from desktop import Program, colour_box, wait_for
from flows import OUTSIDE, expect

YELLOW = (255, 255, 0)
NAVY = (0, 0, 128)
MONTHS = ["January", "February", "March", "April", "May", "June", "July", "August", "September",
          "October", "November", "December"]


def visible_controls(tikora, text):
    return [w for w in tikora.desktop.windows()
            if w.kind == "child" and w.pid == tikora.pid and w.visible and w.text == text]


def open_calendar(tikora):
    tikora.open_menu(3)
    tikora.desktop.move(*OUTSIDE)
    # "Advanced", then its fourth item, "Calendar".
    tikora.desktop.keys("Down", "Down", "Right", "Down", "Down", "Down", "Return")
    return tikora.wait_window("TForm5")


def wait_text(tikora, text, what):
    return wait_for(lambda: visible_controls(tikora, text), f"{what} ({text!r})", 5)[0]


def in_colour(tikora, cell, colour):
    return colour_box(tikora.desktop.screenshot(), cell.rect, colour) is not None


def flow_calendar_opens_on_today_and_a_pressed_day_reaches_the_label(desktop):
    with Program(desktop) as tikora:
        today = datetime.date.today()
        stored = settings_bytes(tikora)
        dialog = open_calendar(tikora)
        expect(dialog.text == " Calendar", f"the caption is {dialog.text!r}")
        wait_text(tikora, f"{MONTHS[today.month - 1]}, {today.year}", "the title on today's month")
        wait_text(tikora, today.strftime("%d.%m.%Y"), "the label on today")
        # Today's number may also stand in the next month's rows; one of its cells is yellow.
        wait_for(lambda: any(in_colour(tikora, cell, YELLOW) for cell in visible_controls(tikora, str(today.day))),
                 "today's cell in yellow", 5)

        day = 20 if today.day != 20 else 21  # numbers 15 to 22 stand once in any month's grid
        cell = visible_controls(tikora, str(day))[0]
        desktop.click((cell.rect[0] + cell.rect[2]) // 2, (cell.rect[1] + cell.rect[3]) // 2)
        picked = today.replace(day=day)
        wait_text(tikora, picked.strftime("%d.%m.%Y"), "the label on the pressed day")
        wait_for(lambda: in_colour(tikora, cell, NAVY), "the pressed day in navy", 5)

        click(tikora, ">")
        following = (today.replace(day=1) + datetime.timedelta(days=31)).replace(day=1)
        wait_text(tikora, f"{MONTHS[following.month - 1]}, {following.year}", "the next month after >")

        desktop.keys("Escape")  # closes it like any dialog
        tikora.wait_window("TForm5", visible=False)
        open_calendar(tikora)
        wait_text(tikora, f"{MONTHS[today.month - 1]}, {today.year}", "today's month again")
        wait_text(tikora, picked.strftime("%d.%m.%Y"), "the label still on the pressed day")
        expect(settings_bytes(tikora) == stored, "the calendar stored nothing")


def click(tikora, text):
    control = wait_text(tikora, text, "the button")
    tikora.desktop.click((control.rect[0] + control.rect[2]) // 2, (control.rect[1] + control.rect[3]) // 2)


def settings_bytes(tikora):
    path = os.path.join(tikora.home, "MyIni.ini")
    return open(path, "rb").read() if os.path.exists(path) else None
