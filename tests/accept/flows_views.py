"""Acceptance flow of the full-screen views: from the picture viewer's "View" and "Actual size"
buttons, browsing with the arrow keys (wrapping at both ends), Esc back to the viewer on the
picture last browsed, and the clock hidden only while a view shows."""

import shutil

from desktop import wait_for
from desktop import Program
from flows import expect
from flows_search import child, press_tool_button, wait_child
from flows_viewer import TREE, make_tree, open_viewer, open_viewer_on

# The viewer's tool buttons, from the left edge of its tool bar.
VIEW_BUTTON, ACTUAL_SIZE_BUTTON = 163, 194


def placeholder_in(tikora, window):
    return any(c.text == "No preview available" and c.visible for c in tikora.controls(window))


def flow_full_screen_views_browse_with_arrows_and_return_with_esc(desktop):
    root = make_tree(desktop)  # photo.png 800 x 600, small.png 40 x 30, broken.jpg, in that order
    try:
        with Program(desktop) as tikora:
            open_viewer_on(tikora, TREE)
            wait_child(tikora, "the first picture's dimensions", text="800 x 600")

            press_tool_button(tikora, VIEW_BUTTON)
            view = tikora.wait_window("TForm11")
            tikora.wait_window("TForm9", visible=False)
            tikora.wait_window("TForm1", visible=False)  # the clock steps aside while a view shows
            expect(not placeholder_in(tikora, view), "the first picture decodes")
            tikora.wait_foreground("TForm11")

            desktop.keys("Right", "Right")  # to the broken picture, the last one
            wait_for(lambda: placeholder_in(tikora, view), "the placeholder for the broken picture", 10)
            desktop.keys("Right")  # past the end: the first picture again
            wait_for(lambda: not placeholder_in(tikora, view), "the first picture after wrapping", 10)
            desktop.keys("Left")  # before the start: the last one again
            wait_for(lambda: placeholder_in(tikora, view), "the last picture after wrapping back", 10)

            desktop.keys("Escape")
            viewer = tikora.wait_window("TForm9")
            tikora.wait_window("TForm11", visible=False)
            tikora.wait_window("TForm1")
            wait_for(lambda: placeholder_in(tikora, viewer), "the viewer on the picture last browsed", 10)
            tikora.wait_foreground("TForm9", focus="ListBox")  # the viewer takes the input back, on its list

            desktop.keys("Up")  # the small picture
            wait_child(tikora, "the small picture's dimensions", text="40 x 30")
            press_tool_button(tikora, ACTUAL_SIZE_BUTTON)
            tikora.wait_window("TForm10")
            tikora.wait_window("TForm9", visible=False)
            tikora.wait_foreground("TForm10")
            desktop.keys("Right")  # no key but Esc does anything here
            expect(tikora.find(cls="TForm10", visible=True), "Right leaves the actual-size view open")
            desktop.keys("Escape")
            tikora.wait_window("TForm9")
            tikora.wait_window("TForm10", visible=False)
            tikora.wait_foreground("TForm9")
            expect(child(tikora, text="40 x 30") is not None, "the selection unchanged")

            desktop.keys("alt+F4")
            tikora.wait_window("TForm9", visible=False)
    finally:
        shutil.rmtree(root, ignore_errors=True)


SETTINGS_BUTTON = 225


def flow_viewer_settings_change_at_once_and_ok_stores_them(desktop):
    with Program(desktop) as tikora:
        open_viewer(tikora)
        press_tool_button(tikora, SETTINGS_BUTTON)
        settings = tikora.wait_window("TForm14", text=" Settings")
        expect(not tikora.find(cls="TForm9").enabled, "the viewer disabled while its settings show")

        box = wait_child(tikora, "the file name box", text=" Show file name ")
        desktop.click((box.rect[0] + box.rect[2]) // 2, (box.rect[1] + box.rect[3]) // 2)
        actual = wait_child(tikora, "the actual size choice", text=" Actual size ")
        desktop.click((actual.rect[0] + actual.rect[2]) // 2, (actual.rect[1] + actual.rect[3]) // 2)
        expect(not tikora.settings().has_section("Viewer"), "nothing stored before OK")

        desktop.keys("Return")  # OK is the default button
        tikora.wait_window("TForm14", visible=False)
        wait_for(lambda: tikora.find(cls="TForm9").enabled, "the viewer enabled again", 5)
        tikora.wait_foreground("TForm9")  # and it has the input back
        ini = tikora.settings()
        stored = {key: ini.get("Viewer", key, fallback=None) for key in ("include", "showname", "autosize")}
        expect(stored == {"include": "1", "showname": "1", "autosize": "0"}, f"the three keys stored: {stored}")
        expect(settings.text == " Settings", "the caption")
