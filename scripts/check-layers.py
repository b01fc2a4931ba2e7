#!/usr/bin/env python3
"""Checks that every include of the program's own headers in src/ points to the including file's
own folder or to a folder below it in the order of layers. An include that points upward, or to a
folder the order does not know, is printed as file:line and makes the check fail; since every
include points downward, no two folders can depend on each other."""

import pathlib
import re
import sys

# Bottom to top: a folder may include itself and the folders before it.
LAYERS = [
    "platform",
    "settings",
    "state",
    "effects",
    "connection",
    "skins",
    "accounting",
    "history",
    "mail",
    "core",
    "ui",
    "config_dialog",
    "app",
    "graph",
]

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"/]+)/[^"]*"')


def main() -> int:
    src = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parent.parent / "src")
    rank = {name: i for i, name in enumerate(LAYERS)}
    faults = 0
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp") or not path.is_file():
            continue
        folder = path.relative_to(src).parts[0]
        if folder not in rank:
            print(f"{path}:1: folder '{folder}' is not in the order of layers")
            faults += 1
            continue
        for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), start=1):
            match = INCLUDE.match(line)
            if not match:
                continue
            target = match.group(1)
            if target not in rank:
                print(f"{path}:{number}: includes unknown folder '{target}'")
                faults += 1
            elif rank[target] > rank[folder]:
                print(f"{path}:{number}: '{folder}' may not include '{target}', which lies above it")
                faults += 1
    if faults:
        print(f"layering: {faults} include(s) break the order {' < '.join(LAYERS)}")
        return 1
    print("layering: every include points to its own folder or below")
    return 0


if __name__ == "__main__":
    sys.exit(main())
