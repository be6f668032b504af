#!/usr/bin/env python3
"""Checks the download as a Windows 98 user's unzip tool and Notepad meet
it: exactly the program, the two read-mes and the licence under 8.3 names;
every entry plain deflate with no extra field and no zip64 record; the texts
in their code pages with CR LF after every line; and the program the same
bytes as the build's korvane.exe stripped of symbols, and under 300 KiB.

    check_archive.py --strip STRIP --exe korvane.exe korvane-110.zip
"""
import argparse
import re
import struct
import subprocess
import sys
import tempfile
import zipfile

# Name in the archive: the code page of a text, or None for the program.
EXPECTED = {"KORVANE.EXE": None, "README.TXT": "cp932", "README-E.TXT": "ascii",
            "LICENSE.TXT": "ascii"}
EIGHT_THREE = re.compile(r"^[A-Z0-9_-]{1,8}(\.[A-Z0-9_-]{1,3})?$")
LOCAL_HEADER = struct.Struct("<4sHHHHHIIIHH")
# What the program may weigh: period utilities with more features shipped in
# less, and a download over a modem is paid by the minute.
MAX_PROGRAM_BYTES = 300 * 1024


def without_stamp(exe):
    """The program without the time strip stamps into its PE header and the
    checksum that covers it."""
    header = struct.unpack_from("<I", exe, 0x3C)[0]
    exe = bytearray(exe)
    for offset in (header + 8, header + 24 + 64):  # TimeDateStamp, CheckSum
        exe[offset:offset + 4] = bytes(4)
    return bytes(exe)


def text_problems(name, data, code_page):
    try:
        text = data.decode(code_page)
    except UnicodeDecodeError as e:
        return [f"{name} is not {code_page}: {e}"]
    problems = []
    if not data.endswith(b"\r\n") or data.count(b"\n") != data.count(b"\r\n") or (
            data.count(b"\r") != data.count(b"\r\n")):
        problems.append(f"{name}: a line does not end in CR LF")
    if code_page == "cp932":
        try:
            data.decode("utf-8")
            problems.append(f"{name} reads as UTF-8, not as code page 932")
        except UnicodeDecodeError:
            pass
        if text.isascii():
            problems.append(f"{name} has no Japanese")
    return problems


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--strip", required=True)
    parser.add_argument("--exe", required=True)
    parser.add_argument("archive")
    args = parser.parse_args()

    with open(args.archive, "rb") as f:
        raw = f.read()
    problems = []
    # The end record closes the file (no comment), with no zip64 locator.
    if raw[-22:-18] != b"PK\x05\x06" or raw[-42:-38] == b"PK\x06\x07":
        problems.append("the archive does not end in a plain end record")
    with zipfile.ZipFile(args.archive) as archive:
        names = archive.namelist()
        if sorted(names) != sorted(EXPECTED):
            problems.append(f"holds {names}, not {sorted(EXPECTED)}")
        for info in archive.infolist():
            name = info.filename
            local = LOCAL_HEADER.unpack_from(raw, info.header_offset)
            _, version, flags, method, *_, extra_length = local
            if not EIGHT_THREE.match(name):
                problems.append(f"{name} is not an 8.3 name")
            if (method != zipfile.ZIP_DEFLATED or flags or version > 20 or extra_length
                    or info.extra or info.extract_version > 20 or info.create_system != 0):
                problems.append(f"{name} is not plain deflate for MS-DOS without extra fields")
            data = archive.read(name)
            if EXPECTED.get(name):
                problems += text_problems(name, data, EXPECTED[name])
            elif name == "KORVANE.EXE":
                if len(data) > MAX_PROGRAM_BYTES:
                    problems.append(f"KORVANE.EXE is {len(data)} bytes, over {MAX_PROGRAM_BYTES}")
                with tempfile.NamedTemporaryFile() as built:
                    subprocess.run([args.strip, "--strip-all", "-o", built.name, args.exe],
                                   check=True)
                    if without_stamp(data) != without_stamp(built.read()):
                        problems.append("KORVANE.EXE is not the build's korvane.exe, stripped")
    for problem in problems:
        print(f"{args.archive}: {problem}", file=sys.stderr)
    if not problems:
        print(f"{args.archive}: {len(names)} files, 8.3 names, plain deflate, texts in "
              f"their code pages with CR LF, the stripped korvane.exe under 300 KiB")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
