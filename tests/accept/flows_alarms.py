"""Acceptance flows of the alarm clock, the shutdown timer and the reminder windows: opened from the
tray menu with real presses and keys, used, closed, and what the user sees and what is stored."""

import os
import re
import subprocess

from desktop import Program, wait_for
from flows import OUTSIDE, click_anywhere_in, expect

# The items of "Advanced", counted from its first, "Mp3 tag editor".
TIMER_ITEM, ALARM_ITEM, REMINDER_ITEM = 1, 7, 8


def open_advanced_item(tikora, downs):
    tikora.open_menu(3)
    tikora.desktop.move(*OUTSIDE)
    tikora.desktop.keys("Down", "Down", "Right", *["Down"] * downs, "Return")


def descendants(tikora, window):
    """The controls of a window at any depth (the action groups hold their radio buttons)."""
    children = [w for w in tikora.desktop.windows() if w.kind == "child"]
    found, parents = [], {window.handle}
    while True:
        more = [w for w in children if w.relative in parents and w not in found]
        if not more:
            return found
        found += more
        parents |= {w.handle for w in more}


def reminder_file(tikora):
    path = os.path.join(tikora.home, "Reminder.ini")
    return open(path, "rb").read() if os.path.exists(path) else b""


def flow_alarm_clock_file_is_chosen_and_stored_and_closing_only_hides(desktop):
    with Program(desktop) as tikora:
        open_advanced_item(tikora, ALARM_ITEM)
        alarm = tikora.wait_window("TForm12")
        expect(alarm.text == "Alarm clock", f"the alarm dialog's caption, not {alarm.text!r}")
        # The alarm is not armed here: at its time the real program would really ring.
        click_anywhere_in(tikora, "...")
        chooser = tikora.wait_window("#32770")
        ring = desktop.unix_to_windows(os.path.join(tikora.home, "Sounds", "Ring.wav"))
        desktop.type(ring)
        desktop.keys("Return")
        tikora.wait_gone("#32770")
        wait_for(lambda: tikora.settings().get("EditTexts", "edit3", fallback=None) == ring,
                 lambda: f"edit3 = {ring} (it is {tikora.settings().get('EditTexts', 'edit3', fallback=None)})", 5)
        expect(chooser.text == "Open", f"the open dialog, not {chooser.text!r}")
        desktop.keys("alt+F4")
        tikora.wait_window("TForm12", visible=False)
        tikora.wait_window("TForm1")  # the program goes on
        open_advanced_item(tikora, ALARM_ITEM)
        tikora.wait_window("TForm12")


def flow_shutdown_timer_opens_from_the_menu_and_esc_hides_it(desktop):
    with Program(desktop) as tikora:
        open_advanced_item(tikora, TIMER_ITEM)
        timer = tikora.wait_window("TForm7")
        expect(timer.text == "Timer (turn off)", f"the timer's caption, not {timer.text!r}")
        texts = {w.text for w in descendants(tikora, timer)}
        for caption in (" Activate timer ", " Turn off computer ", " Restart computer ", "Time:"):
            expect(caption in texts, f"{caption!r} among {sorted(texts)}")
        click_anywhere_in(tikora, " Restart computer ")
        desktop.keys("Escape")
        tikora.wait_window("TForm7", visible=False)
        tikora.wait_window("TForm1")


def flow_reminder_written_in_the_editor_is_stored_by_apply_and_clear_all_is_undone_by_closing(desktop):
    with Program(desktop) as tikora:
        open_advanced_item(tikora, REMINDER_ITEM)
        tikora.wait_window("TForm18")
        click_anywhere_in(tikora, "New")
        tikora.wait_foreground("TForm19")
        desktop.keys("Tab", "Tab")  # from the date picker over the time picker to the memo
        desktop.type("Call the office")
        desktop.keys("Return")
        desktop.type("Bring the cake")
        click_anywhere_in(tikora, "OK")
        tikora.wait_window("TForm19", visible=False)
        click_anywhere_in(tikora, "Apply")
        tikora.wait_window("TForm18", visible=False)
        entry = re.compile(rb"\[Reminder\]\r\ncount=1\r\n0=\d\d\.\d\d\.\d{4}_\d\d:\d\d  Call the office\x85\x85"
                           rb"Bring the cake\r\n$")
        stored = wait_for(lambda: entry.match(reminder_file(tikora)) and reminder_file(tikora),
                          lambda: f"the entry in Reminder.ini (it holds {reminder_file(tikora)!r})", 5)

        open_advanced_item(tikora, REMINDER_ITEM)
        tikora.wait_window("TForm18")
        click_anywhere_in(tikora, "Clear all")
        desktop.keys("alt+F4")  # the close box: the stored list comes back, nothing is written
        tikora.wait_window("TForm18", visible=False)
        expect(reminder_file(tikora) == stored, "closing after Clear all leaves Reminder.ini as it was")


def unwritable(folder, on):
    """Makes a folder refuse new files, also to root (who passes over its permissions): immutable
    where the user is root, without write permission otherwise."""
    if os.geteuid() == 0:
        subprocess.run(["chattr", "+i" if on else "-i", folder], check=True)
    else:
        os.chmod(folder, 0o555 if on else 0o755)


def flow_reminder_apply_into_a_read_only_store_or_folder_says_so_and_keeps_the_list(desktop):
    with Program(desktop) as tikora:
        store = os.path.join(tikora.home, "Reminder.ini")
        old = b"[Reminder]\r\ncount=1\r\n0=05.03.2006_08:15  Call the office\r\n"
        for case in ("read-only file", "read-only folder"):
            with open(store, "wb") as f:
                f.write(old)
            if case == "read-only file":
                os.chmod(store, 0o444)
            else:
                os.chmod(store, 0o644)
                unwritable(tikora.home, True)
            try:
                open_advanced_item(tikora, REMINDER_ITEM)
                tikora.wait_window("TForm18")
                click_anywhere_in(tikora, "Clear all")
                click_anywhere_in(tikora, "Apply")
                box = tikora.wait_window("#32770")
                texts = [c.text for c in tikora.controls(box)]
                expect(any(t.startswith("Unable to write to ") for t in texts), f"{case}: the message, not {texts}")
                tikora.wait_foreground("#32770")
                desktop.keys("Return")
                tikora.wait_gone("#32770")
                expect(tikora.find(cls="TForm18", visible=True), f"{case}: the list stays open")
                expect(not os.path.exists(store + ".new"), f"{case}: no Reminder.ini.new left")
                expect(open(store, "rb").read() == old, f"{case}: Reminder.ini as it was")
                click_anywhere_in(tikora, "Cancel")
                tikora.wait_window("TForm18", visible=False)
            finally:
                if case == "read-only folder":
                    unwritable(tikora.home, False)
