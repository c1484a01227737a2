#!/usr/bin/env python3
"""Fails when the 32-bit Tikora.exe could not start on Windows XP SP3: when it imports a function
XP does not export (the loader refuses such a program before it runs), or a DLL XP does not have, or
when its header asks for a newer system than XP (5.1). The functions and DLLs known to be newer
than XP are listed in xp_missing_imports.txt beside this script.
    check_xp_imports.py EXE [OBJDUMP]      OBJDUMP defaults to i686-w64-mingw32-objdump"""

import fnmatch
import os
import re
import subprocess
import sys

LIST = os.path.join(os.path.dirname(os.path.abspath(__file__)), "xp_missing_imports.txt")
XP = (5, 1)


def read_list(path):
    """{dll (lower case): set of function names, or None for the whole DLL}"""
    missing = {}
    for number, line in enumerate(open(path, encoding="ascii"), 1):
        words = line.split("#", 1)[0].split()
        if not words:
            continue
        if len(words) != 2:
            raise SystemExit(f"{path}:{number}: expected 'DLL FUNCTION' or 'DLL *', got {line.strip()!r}")
        dll, name = words[0].lower(), words[1]
        if not dll.endswith(".dll"):
            dll += ".dll"
        if name == "*":
            missing[dll] = None
        elif missing.get(dll, set()) is not None:
            missing.setdefault(dll, set()).add(name)
    return missing


def missing_from(missing, dll):
    """What XP lacks of this DLL: None for the whole DLL, else the set of its missing functions."""
    dll = dll.lower()
    if dll in missing:
        return missing[dll]
    if any(functions is None and fnmatch.fnmatchcase(dll, pattern) for pattern, functions in missing.items()):
        return None
    return set()


def read_exe(objdump, exe):
    """The header's fields, the imports as [(dll, function)] (an ordinal as '#N'), and the lines of
    the import lists that could not be read."""
    run = subprocess.run([objdump, "-p", exe], capture_output=True, text=True)
    if run.returncode != 0:
        raise SystemExit(f"{objdump} -p {exe} failed: {run.stderr.strip()}")
    text = run.stdout
    header = dict(re.findall(r"^(Major\w+Version|Minor\w+Version)\s+(\d+)$", text, re.M))
    imports, unread, dll = [], [], None
    for line in text.splitlines():
        found = re.match(r"\s*DLL Name: (\S+)", line)
        if found:
            dll = found.group(1)
            continue
        if dll is None:
            continue
        if not line.strip():
            dll = None  # the end of this DLL's list
            continue
        entry = re.match(r"\s*[0-9a-f]+\s+(\d+)\s+(\S+)\s*$", line)  # vma, hint or ordinal, name
        if entry:
            hint, function = entry.groups()
            imports.append((dll, "#" + hint if function == "<none>" else function))
        elif not line.strip().startswith("vma:"):
            unread.append(line.strip())
    return header, imports, unread


def main():
    if len(sys.argv) not in (2, 3):
        raise SystemExit(__doc__)
    exe = sys.argv[1]
    objdump = sys.argv[2] if len(sys.argv) == 3 else "i686-w64-mingw32-objdump"
    missing = read_list(LIST)
    header, imports, unread = read_exe(objdump, exe)
    name = os.path.basename(exe)
    problems = []
    if not imports or "MajorSubsystemVersion" not in header:
        problems.append(f"{objdump} -p listed no imports or no header: is {exe} a Windows program?")
    problems += [f"cannot read the import line {line!r}" for line in unread]
    for field in ("OSystem", "Subsystem"):
        wanted = tuple(int(header.get(f"{part}{field}Version", 0)) for part in ("Major", "Minor"))
        if wanted > XP:
            problems.append(f"the header asks for Windows {wanted[0]}.{wanted[1]} ({field} version); "
                            f"XP is {XP[0]}.{XP[1]}")
    for dll, function in imports:
        known = missing_from(missing, dll)
        if known is None:
            problems.append(f"{dll}!{function}: Windows XP has no {dll}")
        elif function in known:
            problems.append(f"{dll}!{function}: not exported by Windows XP SP3; "
                            f"look it up by name (GetProcAddress) instead")
    if problems:
        print(f"{name}: would not start on Windows XP:", file=sys.stderr)
        for problem in problems:
            print(f"  {problem}", file=sys.stderr)
        return 1
    dlls = len({dll.lower() for dll, _ in imports})
    listed = sum(1 if functions is None else len(functions) for functions in missing.values())
    print(f"{name}: {len(imports)} imports from {dlls} DLLs, none of the {listed} functions and DLLs "
          f"known to be newer than Windows XP SP3; header version {header['MajorSubsystemVersion']}."
          f"{header['MinorSubsystemVersion']}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
