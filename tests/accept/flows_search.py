"""Acceptance flows of the file search: the search window opened from the tray menu, a search
through the real folder browser, the details of the first result, and the copy dialog copying
that file once and refusing the second time."""

import os
import shutil

from desktop import Failure, Program, SCREEN, wait_for
from flows import expect

OUTSIDE = (SCREEN[0] // 2, SCREEN[1] // 3)
TREE = "music-search"  # made in the prefix's C: drive for the flow, removed after it
BUTTON = 23             # a tool button's width and height on the search window's bar


def make_tree(desktop):
    root = os.path.join(desktop.prefix, "drive_c", TREE)
    shutil.rmtree(root, ignore_errors=True)
    os.makedirs(os.path.join(root, "deeper"))
    os.makedirs(os.path.join(root, "copies"))
    with open(os.path.join(root, "song.mp3"), "wb") as f:
        f.write(b"\0" * 1536)
    with open(os.path.join(root, "deeper", "other.mp3"), "wb") as f:
        f.write(b"\0" * 10)
    with open(os.path.join(root, "notes.txt"), "wb") as f:
        f.write(b"\0" * 10)
    return root


def child(tikora, cls=None, text=None, starts=None):
    for w in tikora.desktop.windows():
        if w.kind == "child" and w.pid == tikora.pid and w.visible and (cls is None or w.cls == cls) and \
                (text is None or w.text == text) and (starts is None or w.text.startswith(starts)):
            return w
    return None


def wait_child(tikora, what, **conditions):
    return wait_for(lambda: child(tikora, **conditions), what, 10)


def press_tool_button(tikora, index_from_left_in_pixels):
    bar = wait_child(tikora, "the search window's tool bar", cls="ToolbarWindow32")
    tikora.desktop.click(bar.rect[0] + index_from_left_in_pixels + BUTTON // 2, bar.rect[1] + BUTTON // 2)


def pixels(desktop, rect):
    width, _, raw = desktop.screenshot()
    l, t, r, b = rect
    return b"".join(raw[(y * width + l) * 3:(y * width + r) * 3] for y in range(t, b))


def keys_and_wait_for_the_tree(desktop, tree, *keys, text=None):
    """Presses keys (or types text) in the browser's tree and waits until the tree has redrawn:
    the shell fills a folder's children only when it is expanded."""
    before = pixels(desktop, tree.rect)
    if text:
        desktop.type(text)
    else:
        desktop.keys(*keys)
    wait_for(lambda: pixels(desktop, tree.rect) != before, f"the folder tree to follow {keys or text}", 10, 0.2)


def browse_to(tikora, name=None, then=()):
    """In the shell's folder browser: My Computer, then C:, then a folder of C: by its name (typing
    selects among the children of the selected item once it is expanded), then each key of `then`.
    One name only: the tree's type-ahead would join a second one to the first."""
    desktop = tikora.desktop
    browser = tikora.wait_window("#32770", text="Browse for Folder")
    tree = wait_for(lambda: next((c for c in tikora.controls(browser) if c.cls == "SysTreeView32"), None),
                    "the browser's folder tree", 10)
    desktop.click(tree.rect[0] + 40, tree.rect[1] + 9)  # "Desktop", the top item: the tree takes the focus
    # "/", "Documents", "My Computer", expanded, and its first drive C:
    keys_and_wait_for_the_tree(desktop, tree, "Down", "Down", "Down")
    keys_and_wait_for_the_tree(desktop, tree, "Right")
    keys_and_wait_for_the_tree(desktop, tree, "Down")
    if name:
        keys_and_wait_for_the_tree(desktop, tree, "Right")
        keys_and_wait_for_the_tree(desktop, tree, text=name)
    for key in then:
        keys_and_wait_for_the_tree(desktop, tree, key)
    desktop.keys("Return")
    wait_for(lambda: not tikora.find(cls="#32770", text="Browse for Folder", visible=True), "the browser to close", 10)


def copy_into_copies(tikora, root, tree, dialog, key, button, name, size):
    """In a copy dialog just opened: "Select folder" through the real folder browser to the tree's
    folder "copies" (stored under `key` at once), then the copy button; the file arrives whole."""
    tikora.click_control(tikora.wait_window(dialog), "Select folder")
    browse_to(tikora, tree, then=("Right", "Down"))  # the tree's first folder, "copies"
    wait_for(lambda: tikora.settings().get("EditTexts", key, fallback=None) == f"C:\\{tree}\\copies",
             "the chosen folder stored at once", 5)
    tikora.click_control(tikora.wait_window(dialog), button)
    copied = os.path.join(root, "copies", name)
    wait_for(lambda: os.path.exists(copied) and os.path.getsize(copied) == size, "the file copied", 10)
    tikora.wait_window(dialog, visible=False)


def flow_search_window_finds_files_shows_details_and_copies_without_overwriting(desktop):
    root = make_tree(desktop)
    try:
        with Program(desktop) as tikora:
            tikora.open_menu(3)
            desktop.move(*OUTSIDE)
            desktop.keys("Down", "Down", "Right", *["Down"] * 5, "Return")  # "Advanced" > "Search files"
            tikora.wait_window("TForm3", text=" Search files")

            press_tool_button(tikora, 124)  # " Search file(s)  " with the pattern *.mp3
            browse_to(tikora, TREE)
            wait_child(tikora, "the first result's name", text="File name:  song.mp3")
            expect(tikora.find(cls="TForm13", visible=False), "the progress dialog closed")
            wait_child(tikora, "the first result's folder", text="Location:  C:\\" + TREE)
            wait_child(tikora, "the first result's size", text="Size:  1.5  KB  (1536 bytes)")

            press_tool_button(tikora, 31)  # " Copy to... "
            tikora.wait_window("TForm6", text="Copy files ")
            copy_into_copies(tikora, root, TREE, "TForm6", "edit1", "Copy ", "song.mp3", 1536)
            wait_for(lambda: tikora.find(cls="TForm3").enabled, "the search window enabled again", 5)
            tikora.wait_foreground("TForm3")  # and it has the input back

            press_tool_button(tikora, 31)
            tikora.click_control(tikora.wait_window("TForm6"), "Copy ")
            box = tikora.wait_window("#32770", text="Tikora 1.5-e")
            expect(any(c.text == 'This folder already contains a file named "song.mp3"' for c in tikora.controls(box)),
                   "the message names the file")
            desktop.keys("Return")
            tikora.wait_window("TForm6", visible=True)  # the dialog stays open after the message
            tikora.wait_foreground("TForm6")
            desktop.keys("alt+F4")
            tikora.wait_window("TForm6", visible=False)
            wait_for(lambda: tikora.find(cls="TForm3").enabled, "the close box enables the search window", 5)
    finally:
        shutil.rmtree(root, ignore_errors=True)


def flow_search_preset_from_the_drop_down_menu_and_stop_while_walking(desktop):
    with Program(desktop) as tikora:
        tikora.open_menu(3)
        desktop.move(*OUTSIDE)
        desktop.keys("Down", "Down", "Right", *["Down"] * 5, "Return")
        tikora.wait_window("TForm3", text=" Search files")

        press_tool_button(tikora, 0)  # " Plus ": the preset menu drops down under it
        tikora.wait_menu()
        desktop.move(*OUTSIDE)
        desktop.keys("Down", "Down", "Down", "Down", "Return")  # "Search text documents  (*.txt;*.doc;*.rtf)"
        browse_to(tikora)  # all of C:, long enough to be stopped
        progress = tikora.wait_window("TForm13", text=" Searching...")
        expect(not tikora.find(cls="TForm3").enabled, "the search window is disabled during the run")

        def folders_counted():
            numbers = [c.text for c in tikora.controls(progress) if c.text.isdigit()]
            return numbers and int(numbers[0]) > 0
        wait_for(folders_counted, "the folder counter to count", 10)
        tikora.click_control(progress, "Stop")
        tikora.wait_gone("TForm13")
        wait_for(lambda: tikora.find(cls="TForm3").enabled, "the search window enabled after Stop", 10)
        # Stopped during the walk: nothing listed, the details stay cleared.
        wait_child(tikora, "the cleared details", text="File name: ")
