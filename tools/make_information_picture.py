#!/usr/bin/env python3
"""Makes resources/information.bmp, the information dialog's picture: Tikora's own left-click tray
menu, open above the notification area with the tray icon in view, photographed under Wine.
    make_information_picture.py BUILD_DIR [OUTPUT]    e.g. build/win64 (needs Tikora and accept_probe)
The picture is committed; run this again when the menu changes."""

import os
import subprocess
import sys
import tempfile

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "tests", "accept"))
import desktop as accept  # noqa: E402

WIDTH, HEIGHT = 175, 225  # the dialog's picture
MARGIN = 6


def crop_box(menu, icon, screen):
    """A box of the picture's proportions holding the menu and the icon, clipped to the screen."""
    left = min(menu.rect[0], icon[0] - 12) - MARGIN
    top = menu.rect[1] - MARGIN
    right = min(max(menu.rect[2], icon[0] + 12) + MARGIN, screen[0])
    bottom = screen[1]
    width, height = right - left, bottom - top
    if width * HEIGHT > height * WIDTH:  # too wide: take more of the desktop above
        height = (width * HEIGHT + WIDTH - 1) // WIDTH
        top = max(bottom - height, 0)
    else:                                # too tall: take more of the taskbar to the left
        width = (height * WIDTH + HEIGHT - 1) // HEIGHT
        left = max(right - width, 0)
    return left, top, right - left, bottom - top


def main():
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build/win64")
    output = os.path.abspath(sys.argv[2] if len(sys.argv) > 2 else os.path.join(here, "..", "resources",
                                                                                 "information.bmp"))
    d = accept.Desktop(build, os.path.join(build, "information-picture"))
    try:
        d.start()
        with accept.Program(d) as tikora:
            icon = tikora.tray_icon_point()
            menu = tikora.open_menu(1)
            d.move(icon[0], icon[1])  # the pointer on the icon, as after the click
            left, top, width, height = crop_box(menu, icon, accept.SCREEN)
            with tempfile.TemporaryDirectory() as work:
                shot = os.path.join(work, "screen.png")
                d.save_screenshot(shot)
                # 8-bit, uncompressed, undithered: small, and read by every bitmap loader.
                subprocess.run(["convert", shot, "-crop", f"{width}x{height}+{left}+{top}", "+repage",
                                "-resize", f"{WIDTH}x{HEIGHT}!", "+dither", "-colors", "256", "-type", "Palette",
                                "-compress", "None", f"BMP3:{output}"], check=True)
    finally:
        d.stop()
    print(f"{output}: {WIDTH} x {HEIGHT}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
