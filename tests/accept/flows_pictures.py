"""Acceptance flow of the picture kinds every viewer shows: a run-length bitmap, a JPEG without its
end marker and a 45 megapixel photograph, each selected in the picture viewer and opened at actual
size with the viewer's "Actual size" button, its pixels read back from the screen."""

import os
import shutil
import struct
import subprocess

from desktop import Program, wait_for
from flows import expect
from flows_search import child, press_tool_button, wait_child
from flows_views import ACTUAL_SIZE_BUTTON, placeholder_in
from flows_viewer import open_viewer_on

TREE = "viewer-kinds"  # made in the prefix's C: drive for the flow, removed after it
RED, BLUE, GREEN = (220, 40, 30), (30, 60, 200), (40, 180, 60)


def rle8_bitmap(width, height):
    """An 8-bit run-length bitmap: red over its top half, blue below; rows stored from the bottom,
    in runs of at most 255, a delta over the first 10 pixels of each blue row (palette colour 0,
    green, shows there)."""
    palette = [GREEN, RED, BLUE]
    data = b""
    for y in range(height - 1, -1, -1):  # file rows from the bottom
        index = 1 if y < height // 2 else 2
        x = 0
        if index == 2:
            data += bytes((0, 2, 10, 0))
            x = 10
        while x < width:
            run = min(255, width - x)
            data += bytes((run, index))
            x += run
        data += b"\0\0"
    data += b"\0\1"
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in palette) + b"\0" * 4 * (256 - len(palette))
    offset = 14 + 40 + len(colours)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 1, len(data), 2835, 2835, 256, 0)
    return header + info + colours + data


def make_tree(desktop):
    root = os.path.join(desktop.prefix, "drive_c", TREE)
    shutil.rmtree(root, ignore_errors=True)
    os.makedirs(root)
    with open(os.path.join(root, "runs.bmp"), "wb") as f:
        f.write(rle8_bitmap(300, 200))
    env = dict(os.environ, MAGICK_THREAD_LIMIT="1")
    # A JPEG whose scan data is whole but whose two closing bytes (the end marker) are missing.
    jpeg = os.path.join(root, "noend.jpg")
    subprocess.run(["convert", "-size", "227x149", "xc:rgb(220,40,30)", "-quality", "90", jpeg], env=env, check=True)
    with open(jpeg, "rb") as f:
        data = f.read()
    expect(data.endswith(b"\xff\xd9"), "the JPEG ends with its end marker")
    with open(jpeg, "wb") as f:
        f.write(data[:-2])
    # A 45 megapixel camera picture, 8256 x 5504: blue, with a red block at its top-left corner.
    subprocess.run(["convert", "-size", "8256x5504", "xc:rgb(30,60,200)", "-fill", "rgb(220,40,30)",
                    "-draw", "rectangle 0,0 399,299", "-quality", "85", os.path.join(root, "camera.jpg")],
                   env=env, check=True)
    return root


def screen_pixel(desktop, x, y):
    width, _, raw = desktop.screenshot()
    at = (y * width + x) * 3
    return tuple(raw[at:at + 3])


def near(a, b, tolerance=12):
    return all(abs(p - q) <= tolerance for p, q in zip(a, b))


def flow_viewer_shows_run_length_bitmaps_jpegs_without_end_and_45_megapixels_at_actual_size(desktop):
    root = make_tree(desktop)
    # Each picture: its dimensions in the viewer, and points of the picture with the colour they
    # show in the actual-size view (which centres a picture smaller than the screen and starts a
    # larger one at its top-left corner).
    expected = {
        "300 x 200": ((300, 200), [((20, 20), RED), ((20, 150), BLUE), ((5, 150), GREEN)]),
        "227 x 149": ((227, 149), [((20, 20), RED), ((200, 120), RED)]),
        "8256 x 5504": ((8256, 5504), [((20, 20), RED), ((600, 500), BLUE)]),
    }
    try:
        with Program(desktop) as tikora:
            open_viewer_on(tikora, TREE)
            wait_child(tikora, "the counter of the three pictures", text=" Total files - 3")
            seen = []
            for step in range(3):
                tikora.wait_foreground("TForm9", focus="ListBox")

                def next_shown():
                    return next((d for d in expected if d not in seen and child(tikora, text=d)), None)
                if step:
                    desktop.keys("Down")
                shown = wait_for(next_shown, f"the dimensions of picture {step + 1}", 60)
                seen.append(shown)
                viewer = tikora.find(cls="TForm9")
                expect(not placeholder_in(tikora, viewer), f"the {shown} picture shows in the viewer")

                press_tool_button(tikora, ACTUAL_SIZE_BUTTON)
                view = tikora.wait_window("TForm10", timeout=60)
                tikora.wait_foreground("TForm10", timeout=60)
                expect(not placeholder_in(tikora, view), f"the {shown} picture at actual size")
                (width, height), points = expected[shown]
                left = view.rect[0] + max(0, (view.width - width) // 2)
                top = view.rect[1] + max(0, (view.height - height) // 2)
                for (px, py), colour in points:
                    x, y = left + px, top + py
                    wait_for(lambda: near(screen_pixel(desktop, x, y), colour),
                             lambda: f"{colour} at {x}, {y} of the {shown} picture, not {screen_pixel(desktop, x, y)}", 20)
                expect(not tikora.find(cls="#32770", visible=True), "no message box")
                desktop.keys("Escape")
                tikora.wait_window("TForm9")
                tikora.wait_window("TForm10", visible=False)
                wait_child(tikora, "the viewer on the same picture again", text=shown)
            desktop.keys("alt+F4")
            tikora.wait_window("TForm9", visible=False)
    finally:
        shutil.rmtree(root, ignore_errors=True)
