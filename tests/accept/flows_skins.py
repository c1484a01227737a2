"""Acceptance flows of the skin chooser, the hot keys dialog and the About and information dialogs:
opened from the tray menus with real presses and keys, used, closed, and checked on the screen and
in MyIni.ini. Each flow leaves a picture of its window in the run's folder for review."""

import os

from desktop import Program, colour_box, wait_for
from flows import OUTSIDE, expect

# The lit segment colours of two of the shipped skins (tools/assets.cpp).
LIT = {"Red.bmp": (255, 48, 32), "Green.bmp": (80, 255, 80)}


def keep_picture(desktop, name):
    desktop.save_screenshot(os.path.join(desktop.state, f"{name}.png"))


def face_shows(desktop, clock, colour):
    return colour_box(desktop.screenshot(), clock.rect, colour) is not None


def flow_skin_chooser_applies_the_second_strip_and_a_restart_keeps_it(desktop):
    tikora = Program(desktop)
    numbers = os.path.join(tikora.home, "Numbers")
    for name in os.listdir(numbers):
        if name not in LIT:
            os.remove(os.path.join(numbers, name))
    with tikora:
        tikora.open_menu(3)
        desktop.move(*OUTSIDE)
        desktop.keys("Down", "Right", "Down", "Return")  # "Options" > "Change skin"
        chooser = tikora.wait_window("TForm4", " Change skin")
        keep_picture(desktop, "skin_chooser")
        tikora.wait_foreground("TForm4")
        desktop.keys("Down")  # the list has the focus: the second strip is previewed
        tikora.click_control(chooser, "Apply")

        def stored():
            return tikora.settings().get("Numbers", "Name", fallback=None)
        wait_for(lambda: stored() in (f"Numbers\\{n}" for n in LIT), lambda: f"a strip stored, not {stored()}", 5)
        chosen = stored().split("\\")[1]
        other = next(n for n in LIT if n != chosen)
        clock = tikora.wait_window("TForm1")
        wait_for(lambda: face_shows(desktop, clock, LIT[chosen]), f"the clock in the colours of {chosen}", 5)
        expect(not face_shows(desktop, clock, LIT[other]), f"nothing of {other} left on the clock")
        expect(face_shows(desktop, chooser, LIT[chosen]) and not face_shows(desktop, chooser, LIT[other]),
               f"the preview shows {chosen}, the entry the Down key selected")
        expect(tikora.find(cls="TForm4", visible=True), "the chooser stays open after Apply")
        desktop.keys("Escape")
        tikora.wait_window("TForm4", visible=False)
        settings = open(os.path.join(tikora.home, "MyIni.ini"), encoding="latin-1").read()
    with Program(desktop, settings=settings) as again:
        clock = again.wait_window("TForm1")
        wait_for(lambda: face_shows(desktop, clock, LIT[chosen]), f"the restarted clock in the colours of {chosen}", 5)


def flow_hot_keys_switch_on_with_apply_and_off_with_alt_f4(desktop):
    with Program(desktop) as tikora:
        menu = tikora.open_menu(1)
        tikora.click_menu_item_by_keys(menu, "Down", "Down", "Down", "Down")  # "Hot keys"
        dialog = tikora.wait_window("TForm17", " Hot Keys")
        keep_picture(desktop, "hot_keys")
        tikora.click_control(dialog, "  Activate hot keys  ")
        tikora.click_control(dialog, "Apply")
        tikora.wait_window("TForm17", visible=False)
        wait_for(lambda: tikora.settings().get("Options", "hotkey", fallback=None) == "1", "hotkey=1 stored", 5)

        menu = tikora.open_menu(1)
        tikora.click_menu_item_by_keys(menu, "Down", "Down", "Down", "Down")
        tikora.wait_foreground("TForm17")
        desktop.keys("space", "alt+F4")  # the box has the focus; Alt+F4 applies it as well
        tikora.wait_window("TForm17", visible=False)
        wait_for(lambda: tikora.settings().get("Options", "hotkey", fallback=None) == "0", "hotkey=0 stored", 5)


def flow_about_shows_name_and_links_and_a_second_open_leaves_it_in_place(desktop):
    with Program(desktop) as tikora:
        menu = tikora.open_menu(3)
        tikora.click_menu_item_by_keys(menu, "Up", "Up")  # "About..."
        about = tikora.wait_window("TForm8", " About...")
        keep_picture(desktop, "about")
        texts = {w.text for w in tikora.controls(about)}
        for text in ("Tikora 1.5-e", "tikora.example.org", "tikora.example.org/skins", "OK"):
            expect(text in texts, f"{text!r} in the About dialog ({sorted(texts)})")
        # The links are not clicked here: the real shell would start a browser.
        menu = tikora.open_menu(3)
        tikora.click_menu_item_by_keys(menu, "Up", "Up")
        tikora.wait_menus_closed()
        expect(tikora.wait_window("TForm8").rect == about.rect, "the second open left About where it was")
        tikora.click_control(about, "OK")
        tikora.wait_window("TForm8", visible=False)


def flow_information_shows_the_menu_picture_and_closes_on_esc(desktop):
    with Program(desktop) as tikora:
        tikora.open_menu(3)
        desktop.move(*OUTSIDE)
        desktop.keys("Down", "Down", "Right", "Down", "Down", "Return")  # "Advanced" > "Information"
        dialog = tikora.wait_window("TForm20", " Information")
        keep_picture(desktop, "information")
        controls = tikora.controls(dialog)
        expect(any(w.text == "Left click on the icon" for w in controls), "the line under the picture")
        picture = next((w for w in controls if w.text.startswith("The tray icon") and w.width == 175 and w.height == 225), None)
        expect(picture is not None, f"a 175 x 225 picture among {controls}")
        width, _, pixels = desktop.screenshot()
        l, t, r, b = picture.rect
        colours = {pixels[(y * width + x) * 3:(y * width + x) * 3 + 3] for y in range(t, b, 3) for x in range(l, r, 3)}
        expect(len(colours) > 8, f"the picture is shown ({len(colours)} colours)")
        desktop.keys("Escape")
        tikora.wait_window("TForm20", visible=False)
