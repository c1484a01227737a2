"""The acceptance flows: what a user does with real presses and keys, and what they then see.
Each flow is a function named flow_* that takes the run's Desktop; run.py runs them in order."""

from desktop import Failure, Program, SCREEN, wait_for, window_alpha

OUTSIDE = (SCREEN[0] // 2, SCREEN[1] // 3)  # a point on the empty desktop
CALCULATOR_DISPLAY = 200                    # the display label's control identifier


def expect(condition, message):
    if not condition:
        raise Failure(message)


def flow_tray_menus_open_on_the_press_and_close_on_esc_and_outside(desktop):
    with Program(desktop) as tikora:
        main = tikora.open_menu(3)
        expect(len(tikora.open_menus()) == 1, "one menu after the right press")
        desktop.move(*OUTSIDE)  # Esc must not depend on where the pointer is
        desktop.keys("Escape")
        tikora.wait_menus_closed()

        power = tikora.open_menu(1)
        expect(power.height > main.height, f"the left press opened the power menu, not {power}")
        desktop.click(*OUTSIDE)
        tikora.wait_menus_closed()

        again = tikora.open_menu(3)
        expect(again.rect == main.rect, f"the right press opened the main menu again, not {again}")
        desktop.click(*OUTSIDE)
        tikora.wait_menus_closed()

        tikora.open_menu(1)
        desktop.keys("Escape")
        tikora.wait_menus_closed()
        tikora.wait_window("TForm1")  # nothing else changed: the clock is still there


def flow_hide_clock_and_show_clock_items_run(desktop):
    with Program(desktop) as tikora:
        # From the bottom of the main menu: "Close", "About...", "Hide clock", "Show clock".
        menu = tikora.open_menu(3)
        tikora.click_menu_item_by_keys(menu, "Up", "Up", "Up")
        tikora.wait_window("TForm1", visible=False)
        tikora.wait_menus_closed()

        menu = tikora.open_menu(3)
        tikora.click_menu_item_by_keys(menu, "Up", "Up", "Up", "Up")
        tikora.wait_window("TForm1", visible=True)


def flow_clock_dragged_by_its_face_moves_and_stores_its_position(desktop):
    with Program(desktop) as tikora:
        clock = tikora.wait_window("TForm1")
        start = clock.rect[:2]
        grab = (clock.rect[0] + 30, clock.rect[1] + 20)
        desktop.press(*grab)
        # The press activates the clock just before it starts the system's move loop, which takes
        # the pointer's position as its origin: moving before then would shift the drag.
        tikora.wait_foreground("TForm1")
        # A user's drag moves in steps and watches the clock follow each. (Moving on before it has
        # followed makes Wine's virtual desktop read the next pointer position against the
        # window's new place while the X server still has the old one, and the clock overshoots.)
        for step in range(1, 6):
            desktop.move(grab[0] + 50 * step, grab[1] + 30 * step)
            at = (start[0] + 50 * step, start[1] + 30 * step)
            wait_for(lambda: tikora.wait_window("TForm1").rect[:2] == at,
                     lambda: f"the clock to follow the pointer to {at} (it is at {tikora.wait_window('TForm1').rect[:2]})", 5)
        desktop.release()
        want = (start[0] + 250, start[1] + 150)
        wait_for(lambda: tikora.wait_window("TForm1").rect[:2] == want,
                 lambda: f"the clock at {want} (it is at {tikora.wait_window('TForm1').rect[:2]})", 5)

        def stored():
            ini = tikora.settings()
            return (ini.getint("Position", "X", fallback=None), ini.getint("Position", "Y", fallback=None))
        wait_for(lambda: stored() == want, lambda: f"Position {want} in MyIni.ini (it holds {stored()})", 5)


def flow_calculator_from_keyboard_and_pointer(desktop):
    with Program(desktop) as tikora:
        tikora.open_menu(3)
        # "Advanced", then its seventh item, "Calculator".
        desktop.move(*OUTSIDE)
        desktop.keys("Down", "Down", "Right", *["Down"] * 6, "Return")
        calc = tikora.wait_window("TCalculatorForm")
        tikora.wait_foreground("TCalculatorForm")
        expect(tikora.control_text(calc, CALCULATOR_DISPLAY) == "0", "the display starts at 0")

        desktop.type("2+3*4=")
        wait_for(lambda: tikora.control_text(calc, CALCULATOR_DISPLAY) == "20", "2+3*4= to show 20")
        desktop.keys("Escape")
        wait_for(lambda: tikora.control_text(calc, CALCULATOR_DISPLAY) == "0", "Esc to clear the display")

        for face in ("1", "2", "/", "4", "="):
            tikora.click_control(calc, face)
        wait_for(lambda: tikora.control_text(calc, CALCULATOR_DISPLAY) == "3", "12 / 4 = to show 3")

        desktop.keys("alt+F4")
        tikora.wait_gone("TCalculatorForm")


def flow_close_ends_the_program_with_exit_code_0(desktop):
    tikora = Program(desktop)
    try:
        tikora.start()
        menu = tikora.open_menu(3)
        tikora.click_menu_item_by_keys(menu, "Up")
        code = tikora.exit_code()
        expect(code == 0, f"exit code {code}")
    finally:
        tikora.stop()


def click_anywhere_in(tikora, text):
    """Clicks the middle of the program's visible control carrying `text`, at any depth."""
    for w in tikora.desktop.windows():
        if w.kind == "child" and w.pid == tikora.pid and w.text == text and w.visible:
            tikora.desktop.click((w.rect[0] + w.rect[2]) // 2, (w.rect[1] + w.rect[3]) // 2)
            return
    raise Failure(f"no control {text!r}")


def flow_settings_box_acts_at_once_apply_stores_and_a_restart_shows_it(desktop):
    with Program(desktop) as tikora:
        narrow = tikora.wait_window("TForm1").width
        tikora.open_menu(3)
        desktop.move(*OUTSIDE)
        desktop.keys("Down", "Right", "Return")  # "Options" > "Settings"
        dialog = tikora.wait_window("TForm2")
        # " Show seconds " at 205, 70, 99 x 17 inside the panel: a press near its bottom right
        # corner, where the box is when its place is read relative to the panel.
        panel = next(c for c in tikora.controls(dialog) if c.cls == "TikoraPanel")
        desktop.click(panel.rect[0] + 205 + 90, panel.rect[1] + 70 + 15)
        wait_for(lambda: tikora.wait_window("TForm1").width > narrow, "the clock to widen for the seconds", 5)
        wide = tikora.wait_window("TForm1").width
        click_anywhere_in(tikora, "Apply")
        tikora.wait_window("TForm2", visible=False)
        ini = tikora.settings()
        expect(ini.get("Options", "showsecond", fallback=None) == "1", "Apply stored showsecond=1")
        stored = open(f"{tikora.home}/MyIni.ini", encoding="latin-1").read()
    with Program(desktop, settings=stored) as again:
        wait_for(lambda: again.wait_window("TForm1").width == wide, "the restarted clock to show the seconds", 5)


def flow_transparent_box_on_windows_xp_makes_the_clock_translucent_and_opaque(desktop):
    # Translucency is there only on systems of major version 5; the prefix says it is XP (5.1).
    with desktop.windows_version("winxp"), Program(desktop) as tikora:
        clock = tikora.wait_window("TForm1")
        expect(window_alpha(desktop, clock) is None, "the clock starts opaque, not layered")
        tikora.open_menu(3)
        desktop.move(*OUTSIDE)
        desktop.keys("Down", "Right", "Return")  # "Options" > "Settings"
        tikora.wait_window("TForm2")
        box = tikora.find(text=" Transparent (W2K-XP) ", kind="child")
        expect(box is not None and box.enabled, f"the transparency box is enabled on XP, not {box}")
        click_anywhere_in(tikora, " Transparent (W2K-XP) ")
        wait_for(lambda: window_alpha(desktop, clock) == 128,
                 lambda: f"the clock translucent, alpha 128 (it is {window_alpha(desktop, clock)})", 5)
        click_anywhere_in(tikora, " Transparent (W2K-XP) ")
        wait_for(lambda: window_alpha(desktop, clock) == 255,
                 lambda: f"the clock opaque again, alpha 255 (it is {window_alpha(desktop, clock)})", 5)
