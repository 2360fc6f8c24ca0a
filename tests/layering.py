#!/usr/bin/python3
"""The floors of src/floors.txt against every #include "…" of src/: a file
includes nothing from a floor above its own, and an entry marked alone
includes nothing outside itself. Names each include that breaks this, with
its file and line. First it checks itself on a small tree with an upward
include, so that it cannot pass by finding nothing.

Usage: layering.py SRC-FOLDER"""

import os
import re
import sys
import tempfile

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def read_floors(path):
    floors, alone = [], []
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.split("#", 1)[0].strip()
            if not line:
                continue
            name, entries = line.split(":", 1)
            if name.strip() == "alone":
                alone += entries.split()
            else:
                floors.append((name.strip(), entries.split()))
    return floors, alone


def entry_of(path, entries):
    """The longest entry that holds `path` (relative to src/), or None."""
    found = [e for e in entries if path == e or path.startswith(e.rstrip("/") + "/")]
    return max(found, key=len) if found else None


def check(src):
    floors, alone = read_floors(os.path.join(src, "floors.txt"))
    level = {entry: i for i, (_, entries) in enumerate(floors) for entry in entries}
    problems = []
    for folder, _, names in os.walk(src):
        for name in sorted(names):
            if not name.endswith((".cpp", ".h")):
                continue
            path = os.path.relpath(os.path.join(folder, name), src)
            own = entry_of(path, level)
            if own is None:
                problems.append(f"{path}: on no floor of floors.txt")
                continue
            with open(os.path.join(src, path), encoding="utf-8") as f:
                for number, line in enumerate(f, 1):
                    match = INCLUDE.match(line)
                    if not match:
                        continue
                    beside = os.path.normpath(os.path.join(os.path.dirname(path), match[1]))
                    target = beside if os.path.exists(os.path.join(src, beside)) else match[1]
                    entry = entry_of(target, level)
                    if entry is None:
                        continue  # not the program's own
                    if level[entry] > level[own]:
                        problems.append(
                            f"{path}:{number}: includes {target}, on the floor "
                            f"'{floors[level[entry]][0]}' above its own '{floors[level[own]][0]}'")
                    lone = entry_of(path, alone)
                    if lone and entry_of(target, alone) is None:
                        problems.append(f"{path}:{number}: includes {target}, while {lone} "
                                        "includes nothing of the lesson")
    return sorted(problems)


def check_can_fail():
    with tempfile.TemporaryDirectory() as src:
        for folder in ("low", "high", "apart"):
            os.makedirs(os.path.join(src, folder))
        with open(os.path.join(src, "floors.txt"), "w") as f:
            f.write("ground: low apart\nupper: high\nalone: apart\n")
        files = {"low/a.h": '#include "high/b.h"\n', "high/b.h": '#include "low/a.h"\n',
                 "apart/c.h": '#include "low/a.h"\n'}
        for path, text in files.items():
            with open(os.path.join(src, path), "w") as f:
                f.write(text)
        found = check(src)
    return (len(found) == 2 and found[0].startswith("apart/c.h:1: includes low/a.h") and
            found[1].startswith("low/a.h:1: includes high/b.h")), found


def main():
    ok, found = check_can_fail()
    if not ok:
        print("the check misses upward includes in its own example:", found)
        return 1
    problems = check(sys.argv[1])
    for problem in problems:
        print(problem)
    print(f"{len(problems)} includes against the floors")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
