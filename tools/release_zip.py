#!/usr/bin/env python3
"""Writes a release zip from a staging folder: every file under it, by its path relative to the
folder ("Tikora/Tikora.exe"), deflated, in name order. ReadMe.txt and the licence texts are plain
Windows text, so their line ends become CR LF on the way in.
The zip is the same bytes for the same files: every entry carries one time, SOURCE_DATE_EPOCH (the
release commit's time, as a UTC clock reading; zip times have no zone), and fixed attributes.
    SOURCE_DATE_EPOCH=SECONDS release_zip.py STAGING_FOLDER ZIP"""

import os
import sys
import time
import zipfile


def is_text(relative):
    parts = relative.split("/")
    return parts[-1] == "ReadMe.txt" or (len(parts) > 1 and parts[-2] == "Licenses")


def crlf(data):
    return data.replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")


def main():
    staging, target = sys.argv[1], sys.argv[2]
    epoch = os.environ.get("SOURCE_DATE_EPOCH")
    if not epoch or not epoch.isdigit():
        sys.exit("release_zip.py: SOURCE_DATE_EPOCH (seconds since 1970) gives the entries' time")
    # Zip times start in 1980 and count seconds in steps of two.
    stamp = max(time.gmtime(int(epoch))[:6], (1980, 1, 1, 0, 0, 0))
    names = []
    for folder, dirs, files in os.walk(staging):
        dirs.sort()
        for name in files:
            names.append(os.path.relpath(os.path.join(folder, name), staging).replace(os.sep, "/"))
    with zipfile.ZipFile(target, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as archive:
        for relative in sorted(names):
            with open(os.path.join(staging, relative), "rb") as f:
                data = f.read()
            info = zipfile.ZipInfo(relative, stamp)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.create_system = 3  # Unix, so the attributes below are read as a mode
            info.external_attr = 0o644 << 16
            archive.writestr(info, crlf(data) if is_text(relative) else data)


if __name__ == "__main__":
    main()
