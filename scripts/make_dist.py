#!/usr/bin/env python3
"""Packs the download a Windows 98 user unpacks: korvane.exe stripped of its
symbols, the Japanese and English read-mes and the licence, under 8.3 names,
in a zip file that any unzip tool of 1999 reads - plain deflate, no zip64,
no extra fields. The read-mes are kept as UTF-8 text with LF line ends and
written here in the code page their readers' Notepad shows, with CR LF.

    make_dist.py --strip STRIP --exe korvane.exe --source REPO
                 --version-header src/about/version.h korvane-110.zip
"""
import argparse
import calendar
import os
import re
import subprocess
import sys
import tempfile
import zipfile

# What the archive holds, in this order: the name in it, the file it comes
# from inside the repository, and the code page of a text.
CONTENTS = [
    ("KORVANE.EXE", None, None),
    ("README.TXT", "package/README-ja.txt", "cp932"),
    ("README-E.TXT", "package/README-en.txt", "ascii"),
    ("LICENSE.TXT", "LICENSE", "ascii"),
]
# Notepad of the time does not wrap lines, and a DOS window shows 80
# columns: a longer line needs scrolling.
MAX_COLUMNS = 78


def text(path, code_page):
    with open(path, encoding="utf-8") as f:
        lines = f.read().splitlines()
    encoded = []
    for number, line in enumerate(lines, 1):
        try:
            data = line.encode(code_page)
        except UnicodeEncodeError as e:
            sys.exit(f"{path}:{number}: {e.object[e.start:e.end]!r} is not in {code_page}")
        # Both code pages give a character the columns of its bytes.
        if len(data) > MAX_COLUMNS:
            sys.exit(f"{path}:{number}: {len(data)} columns, more than {MAX_COLUMNS}")
        encoded.append(data + b"\r\n")
    return b"".join(encoded)


def stripped(strip, exe, stamp):
    with tempfile.TemporaryDirectory() as folder:
        out = os.path.join(folder, "KORVANE.EXE")
        # strip stamps the PE header with the time it runs, or this one.
        environment = dict(os.environ, SOURCE_DATE_EPOCH=str(calendar.timegm(stamp)))
        subprocess.run([strip, "--strip-all", "-o", out, exe], check=True, env=environment)
        with open(out, "rb") as f:
            return f.read()


def header_define(header, name):
    with open(header, encoding="ascii") as f:
        found = re.search(rf'^#define {name} "([^"]*)"', f.read(), re.MULTILINE)
    if not found:
        sys.exit(f"{header}: no {name}")
    return found.group(1)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--strip", required=True)
    parser.add_argument("--exe", required=True)
    parser.add_argument("--source", required=True, help="the repository")
    parser.add_argument("--version-header", required=True)
    parser.add_argument("out")
    args = parser.parse_args()

    # Every file, and the program's header, carries the version's date and
    # the version as its time (1.10 at 1:10), as software houses stamped
    # their releases; the archive then comes out the same at every build.
    major, minor = (int(n) for n in header_define(args.version_header, "KORVANE_VERSION").split("."))
    year, month, day = (int(n) for n in header_define(args.version_header,
                                                      "KORVANE_VERSION_DATE").split("/"))
    stamp = (year, month, day, major, minor, 0)
    os.makedirs(os.path.dirname(os.path.abspath(args.out)), exist_ok=True)
    with zipfile.ZipFile(args.out + ".new", "w") as archive:
        for name, source, code_page in CONTENTS:
            data = (stripped(args.strip, args.exe, stamp) if source is None
                    else text(os.path.join(args.source, source), code_page))
            entry = zipfile.ZipInfo(name, stamp)
            entry.compress_type = zipfile.ZIP_DEFLATED
            entry.create_system = 0  # MS-DOS, whose attributes follow
            entry.create_version = entry.extract_version = 20
            entry.external_attr = 0x20  # archive
            entry.internal_attr = 1 if code_page else 0  # text, which it is for DOS
            archive.writestr(entry, data, compresslevel=9)
    os.replace(args.out + ".new", args.out)


if __name__ == "__main__":
    main()
