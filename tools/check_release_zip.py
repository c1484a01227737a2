#!/usr/bin/env python3
"""Checks a release zip as a user gets it: one folder Tikora with everything the program and the
ReadMe name, the ReadMe in CR LF text with the version filled in, the version in the exe's version
resource; then, unpacked into a fresh folder, Tikora.exe starts under Wine from there, shows the clock
and its tray icon, ends with exit code 0 through "Close" in the tray menu, and leaves the folder
exactly as unpacked (no MyIni.ini). Exits non-zero with the reason on failure.
    check_release_zip.py ZIP VERSION WIN64_BUILD_TREE    (the tree provides accept_probe.exe)"""

import hashlib
import os
import shutil
import sys
import tempfile
import zipfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "accept"))
from desktop import Desktop, Failure, Program  # noqa: E402

LICENCES = ["libjpeg-turbo.md", "libpng.txt", "zlib.txt", "giflib.txt", "mingw-w64-runtime.txt", "gcc-runtime.txt"]


def expect(condition, message):
    if not condition:
        raise Failure(message)


def check_contents(archive, version):
    names = archive.namelist()
    expect(names and all(n.startswith("Tikora/") for n in names), "not everything is inside one folder Tikora")
    for folder, suffix in (("Numbers", ".bmp"), ("Sounds", ".wav"), ("Icons", ".ico")):
        expect(any(n.startswith(f"Tikora/{folder}/") and n.endswith(suffix) for n in names), f"no {folder}/*{suffix}")
    for licence in LICENCES:
        expect(f"Tikora/Licenses/{licence}" in names, f"licence {licence} missing")
    readme = archive.read("Tikora/ReadMe.txt")
    expect(readme.count(b"\n") > 20 and readme.count(b"\r\n") == readme.count(b"\n"), "ReadMe.txt is not CR LF text")
    expect(b"@" not in readme and f"Tikora {version}".encode() in readme, "ReadMe.txt has no version filled in")
    exe = archive.read("Tikora/Tikora.exe")
    expect(exe[:2] == b"MZ", "Tikora.exe is not a Windows program")
    file_version = f"{version}.0.0" if version.count(".") == 1 else version
    expect(file_version.encode("utf-16-le") in exe, f"the version resource does not carry {file_version}")


def snapshot(folder):
    """Every file under the folder with a hash of its contents."""
    files = {}
    for here, _, names in os.walk(folder):
        for name in names:
            path = os.path.join(here, name)
            with open(path, "rb") as f:
                files[os.path.relpath(path, folder)] = hashlib.sha256(f.read()).hexdigest()
    return files


class UnpackedProgram(Program):
    """Tikora.exe run in place from the unpacked folder (not from a copy, as the acceptance flows do)."""

    def __init__(self, desktop, home):
        self.desktop = desktop
        self.folder = tempfile.mkdtemp(prefix="tikora-release-run-")  # only the exit code goes here
        self.home = home
        self.exit_file = os.path.join(self.folder, "exit-code")
        self.launcher = None
        self.pid = None


def check_run(unpacked, build_tree, state):
    before = snapshot(unpacked)
    desktop = Desktop(build_tree, state)
    try:
        desktop.start()
        tikora = UnpackedProgram(desktop, unpacked)
        try:
            tikora.start()  # the clock window and the taskbar
            menu = tikora.open_menu(3)  # a right press on the tray icon: the icon is there
            tikora.click_menu_item_by_keys(menu, "Up")  # "Close", the last item
            code = tikora.exit_code()
            expect(code == 0, f"exit code {code}")
        finally:
            tikora.stop()
    finally:
        desktop.stop()
    after = snapshot(unpacked)
    written = sorted(set(after) - set(before)) + sorted(k for k in before if after.get(k) != before[k])
    expect(not written, f"the program wrote into its folder: {', '.join(written)}")


def main():
    zip_path, version, build_tree = sys.argv[1], sys.argv[2], os.path.abspath(sys.argv[3])
    where = tempfile.mkdtemp(prefix="tikora-release-check-")
    try:
        with zipfile.ZipFile(zip_path) as archive:
            check_contents(archive, version)
            archive.extractall(os.path.join(where, "unpacked"))
        check_run(os.path.join(where, "unpacked", "Tikora"), build_tree, os.path.join(where, "wine"))
    except Failure as failure:
        print(f"release check FAILED for {os.path.basename(zip_path)}: {failure}", file=sys.stderr)
        return 1
    finally:
        shutil.rmtree(where, ignore_errors=True)
    print(f"release check passed: {os.path.basename(zip_path)} unpacked, started, closed with exit code 0, "
          "nothing written")
    return 0


if __name__ == "__main__":
    sys.exit(main())
