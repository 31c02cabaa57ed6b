#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Every include of our code points down the house: a room uses only the rooms below it.

The rooms and what each may use are the vantrel_room() calls of src/CMakeLists.txt, which the
build also turns into include roots. This names the rule an include breaks, where the build
would only say that a header is missing.
    tools/check_rooms.py [project folder]
"""
import pathlib
import re
import sys

root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parent.parent)
calls = re.findall(r"^vantrel_room\((\w+)([^)]*)\)", (root / "src/CMakeLists.txt").read_text(), re.M)

folders = {}  # folder as included ("ui/qt", "assets/pictures") -> room
uses = {}  # room -> the rooms it may use, those below them included
for name, rest in calls:
    words = rest.split()
    part = None
    uses[name] = {name}
    for word in words:
        if word in ("FOLDERS", "USES"):
            part = word
        elif part == "FOLDERS":
            folders[word] = name
        else:
            uses[name] |= uses[word]


def room_of(path):
    """The room of a file named as an include names it, by its longest folder."""
    folder = str(pathlib.PurePosixPath(path).parent)
    while folder not in (".", ""):
        if folder in folders:
            return folders[folder]
        folder = str(pathlib.PurePosixPath(folder).parent)
    return None


broken = 0
for source in sorted(list(root.glob("src/**/*.[ch]*")) + list(root.glob("assets/pictures/*.[ch]*"))):
    relative = source.relative_to(root)
    own = room_of(relative.relative_to("src") if relative.parts[0] == "src" else relative)
    if own is None:
        continue
    for number, line in enumerate(source.read_text().splitlines(), 1):
        included = re.match(r'\s*#\s*include\s+"([^"]+)"', line)
        if not included:
            continue
        target = room_of(included.group(1))
        if target is not None and target not in uses[own]:
            print(f"{relative}:{number}: {own} may not use {target} ({included.group(1)})")
            broken += 1
print(f"rooms: {broken} includes point up" if broken else "rooms: every include points down")
sys.exit(1 if broken else 0)
