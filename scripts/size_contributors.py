#!/usr/bin/env python3
"""What korvane.exe's bytes are made of: the code and data each source file
(or library) put into the program, summed from the linker's map, largest
first. Link-time optimisation shares the program out into pieces of its own,
so the map to read is that of a build without it (-DKORVANE_LTO=OFF; make
bench builds one in build/win32-by-file).

    size_contributors.py korvane.map [count]
"""
import collections
import re
import sys

# Sections a stripped program keeps; debugging sections go with the strip.
KEPT = re.compile(r"^\.(text|rdata|data|bss|ctors|dtors|eh_frame|idata|rsrc)\b")
INPUT = re.compile(r"^ (\.\S+)(?:\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(\S.*))?$")
CONTINUED = re.compile(r"^\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(\S.*)$")


def contributor(path):
    """A source file for the program's objects, a library's name otherwise."""
    member = re.search(r"\(([^)]*)\)$", path)
    if "korvane.dir" in path or "objects.a" in path:
        name = member.group(1) if member else path.rsplit("/", 1)[-1]
        return re.sub(r"\.obj$", "", name)
    library = re.search(r"lib([^/]*)\.a", path)
    return f"lib{library.group(1)}" if library else path.rsplit("/", 1)[-1]


def sizes(map_path):
    totals = collections.Counter()
    in_map = False
    pending = None  # an input section whose numbers are on the next line
    with open(map_path, encoding="utf-8", errors="replace") as f:
        for line in f:
            line = line.rstrip("\n")
            if line.startswith("Linker script and memory map"):
                in_map = True
                continue
            if not in_map:
                continue
            if pending:
                more = CONTINUED.match(line)
                if more:
                    totals[contributor(more.group(3))] += int(more.group(2), 16)
                pending = None
                continue
            found = INPUT.match(line)
            if not found or not KEPT.match(found.group(1)):
                continue
            if found.group(2) is None:
                pending = found.group(1)
            else:
                totals[contributor(found.group(4))] += int(found.group(3), 16)
    return totals


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    count = int(sys.argv[2]) if len(sys.argv) == 3 else 5
    totals = sizes(sys.argv[1])
    if any(name.endswith(".ltrans.o") for name in totals):
        sys.exit(f"{sys.argv[1]}: a link-time optimised program, whose map names no source "
                 "files; read the map of a build with -DKORVANE_LTO=OFF")
    for name, size in totals.most_common(count):
        print(f"{size:8d}  {name}")


if __name__ == "__main__":
    main()
