"""Acceptance flow of the picture viewer: opened from the tray menu, a folder added through the
real folder browser, pictures selected with their dimensions shown, one copied through the
viewer's own copy dialog, a broken one showing the placeholder without a message, then closed."""

import os
import shutil
import struct
import zlib

from desktop import Program, wait_for
from flows import expect
from flows_search import OUTSIDE, browse_to, child, copy_into_copies, press_tool_button, wait_child

TREE = "viewer-pictures"  # made in the prefix's C: drive for the flow, removed after it


def png(width, height):
    """An opaque RGB picture: a ramp across, another down."""
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    rows = b"".join(b"\0" + b"".join(bytes((x * 255 // width, y * 255 // height, 128)) for x in range(width))
                    for y in range(height))
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows, 6)) + chunk(b"IEND", b"")


def make_tree(desktop):
    root = os.path.join(desktop.prefix, "drive_c", TREE)
    shutil.rmtree(root, ignore_errors=True)
    os.makedirs(os.path.join(root, "copies"))  # empty: adds no pictures
    with open(os.path.join(root, "photo.png"), "wb") as f:
        f.write(png(800, 600))
    with open(os.path.join(root, "small.png"), "wb") as f:
        f.write(png(40, 30))
    with open(os.path.join(root, "broken.jpg"), "wb") as f:
        f.write(b"\xff\xd8\xff\xe0" + b"\x5a" * 300)  # a JPEG start, then nothing it can decode
    with open(os.path.join(root, "notes.txt"), "wb") as f:
        f.write(b"not a picture")
    return root


def open_viewer(tikora):
    """Opens the picture viewer from the tray menu: "Advanced" > "Picture viewer"."""
    tikora.open_menu(3)
    tikora.desktop.move(*OUTSIDE)
    tikora.desktop.keys("Down", "Down", "Right", *["Down"] * 4, "Return")
    return tikora.wait_window("TForm9", text=" Picture viewer")


def open_viewer_on(tikora, tree):
    """Opens the picture viewer and adds the folder `tree` of the prefix's C: drive."""
    open_viewer(tikora)
    press_tool_button(tikora, 39)  # " Add folder "
    browse_to(tikora, tree)


def flow_picture_viewer_adds_a_folder_and_shows_the_dimensions(desktop):
    root = make_tree(desktop)
    try:
        with Program(desktop) as tikora:
            open_viewer(tikora)
            wait_child(tikora, "the empty counter", text=" Total files - 0")

            press_tool_button(tikora, 39)  # " Add folder "
            browse_to(tikora, TREE)
            wait_child(tikora, "the counter of the three pictures", text=" Total files - 3")
            wait_child(tikora, "the first picture's dimensions", text="800 x 600")
            expect(tikora.find(cls="TForm16", visible=False), "the progress dialog closed")
            expect(tikora.find(cls="TForm9").enabled, "the viewer enabled again")

            # The list has the focus (two pictures): Down selects the second one.
            tikora.wait_foreground("TForm9")
            desktop.keys("Down")
            wait_child(tikora, "the second picture's dimensions", text="40 x 30")
            expect(child(tikora, text="800 x 600") is None, "the first picture's dimensions gone")

            # The broken JPEG (after the PNGs, by the filter's order): the placeholder, no message box.
            desktop.keys("Down")
            wait_child(tikora, "the placeholder", text="No preview available")
            expect(child(tikora, text="40 x 30") is None, "no dimensions for the broken picture")
            expect(not tikora.find(cls="#32770", visible=True), "no message box")

            # "Copy to...": the folder chosen in the viewer's own copy dialog, stored at once;
            # the selected file is copied, whether it decodes or not.
            press_tool_button(tikora, 101)
            tikora.wait_window("TForm15", text=" Copy files")
            copy_into_copies(tikora, root, TREE, "TForm15", "edit2", "Copy", "broken.jpg", 304)
            tikora.wait_foreground("TForm9")

            # The splitter resizes live: while the button is still down the list and the pane
            # follow the pointer; the release leaves them there.
            bar = wait_child(tikora, "the splitter", cls="TikoraSplitter")
            list_box = wait_child(tikora, "the list", cls="ListBox")
            start = list_box.width
            grab = ((bar.rect[0] + bar.rect[2]) // 2, (bar.rect[1] + bar.rect[3]) // 2)
            desktop.press(*grab)
            for step in range(1, 4):
                desktop.move(grab[0] + 20 * step, grab[1])
            wait_for(lambda: child(tikora, cls="ListBox").width == start + 60,
                     lambda: f"the list {start + 60} wide during the drag (it is {child(tikora, cls='ListBox').width})", 5)
            pane_left = child(tikora, cls="TikoraSplitter").rect[2]
            desktop.release()
            expect(child(tikora, cls="ListBox").width == start + 60, "the list keeps its width at the release")
            expect(pane_left == list_box.rect[0] + start + 64, "the splitter followed the list")

            desktop.keys("alt+F4")
            tikora.wait_window("TForm9", visible=False)
    finally:
        shutil.rmtree(root, ignore_errors=True)
