#!/usr/bin/env python3
"""Checks korvane.exe against the rules that keep it running on Windows 95/98
and on every Pentium-class processor (K6-2, K6-III, WinChip, Cyrix MII, Rise
mP6, Pentium MMX):

- no instruction newer than the Pentium, except MMX inside the processor
  probe's MMX dispatcher (functions whose name contains "MmxDispatch");
- imports only functions that Windows 98 SE exports, and no wide-character
  function that does not work on Windows 9x;
- PE header: OS and subsystem version 4.0, DllCharacteristics 0;
- resources: the icon in 32x32 and 16x16 at 16 colours, and a version
  resource whose numbers and strings are the version dialog's version and
  whose Translation entry names its block of strings, which is all the
  Version tab of Windows 98's Properties reads.

Prints every broken rule and exits 1 if there is one.
"""
import argparse
import json
import re
import subprocess
import sys

from win98_rules import WIDE_FUNCTIONS_THAT_WORK_ON_9X

# Mnemonics of instructions the Pentium does not have (P6, SSE and later,
# AMD extensions), matched at the start of objdump's mnemonic field.
FORBIDDEN_MNEMONICS = re.compile(
    r"^(cmov\w*|fcmov\w*|fcomip?|fucomip?|sysenter|sysexit|syscall|sysret|"
    r"nop[lwq]|endbr32|endbr64|ud1|"
    r"rdpmc|fxsave|fxrstor|ldmxcsr|stmxcsr|sfence|lfence|mfence|clflush\w*|"
    r"prefetch\w*|movnti|movnt\w*|maskmov\w*|pause|fisttp\w*|monitor|mwait|"
    r"popcnt|lzcnt|tzcnt|andn|bextr|blsi|blsmsk|blsr|bzhi|mulx|pdep|pext|rorx|"
    r"sarx|shlx|shrx|movbe|crc32|xgetbv|rdrand|rdseed|"
    r"femms|pavgusb|pf\w+|pi2f\w|pswapd|pmulhrw)$")
# Register operands that give away SSE/AVX or MMX.
XMM_OPERAND = re.compile(r"%[xyz]mm\d")
MMX_OPERAND = re.compile(r"%mm\d")
MMX_ALLOWED_IN = "MmxDispatch"

def run(args):
    return subprocess.run(args, check=True, capture_output=True, text=True).stdout


def check_instructions(objdump, exe):
    problems = []
    function = "?"
    for line in run([objdump, "-d", "--no-show-raw-insn", "-M", "att", exe]).splitlines():
        header = re.match(r"^[0-9a-f]+ <(.+)>:$", line)
        if header:
            function = header.group(1)
            continue
        parts = line.split("\t")
        if len(parts) < 2 or not re.match(r"^\s*[0-9a-f]+:$", parts[0]):
            continue
        text = parts[1].strip()
        if not text or text.startswith("(bad)"):
            continue
        fields = text.split()
        # Skip prefixes such as "rep", "lock", "data16" to reach the mnemonic.
        while fields and fields[0] in ("rep", "repz", "repnz", "repe", "repne", "lock",
                                       "data16", "addr16", "cs", "ds", "es", "ss", "fs", "gs",
                                       "notrack", "bnd"):
            fields = fields[1:]
        if not fields:
            continue
        mnemonic = fields[0]
        operands = " ".join(fields[1:])
        reason = None
        if FORBIDDEN_MNEMONICS.match(mnemonic):
            reason = "instruction newer than the Pentium"
        elif XMM_OPERAND.search(operands):
            reason = "SSE register"
        elif MMX_OPERAND.search(operands) and MMX_ALLOWED_IN not in function:
            reason = "MMX outside the MMX dispatcher"
        if reason:
            problems.append(f"{reason}: {function}: {text}")
    return problems


def parse_imports(private_headers):
    imports = {}
    dll = None
    for line in private_headers.splitlines():
        m = re.match(r"^\s*DLL Name: (\S+)", line)
        if m:
            dll = m.group(1).lower()
            imports.setdefault(dll, [])
            continue
        if dll is None:
            continue
        m = re.match(r"^\s*[0-9a-f]+\s+([0-9a-f]+|<none>)\s+(\S+)\s*$", line)
        if m and m.group(2) != "Hint/Ord":
            imports[dll].append(m.group(2))
        elif line.strip() == "" and imports.get(dll):
            dll = None
    return imports


def check_imports(imports, exports):
    problems = []
    for dll, names in sorted(imports.items()):
        if dll not in exports:
            problems.append(f"import from a DLL Windows 98 SE does not have: {dll}")
            continue
        available = set(exports[dll])
        for name in names:
            if name not in available:
                problems.append(f"{dll} on Windows 98 SE has no {name}")
            elif (name.endswith("W") and name[:-1] + "A" in available
                  and name not in WIDE_FUNCTIONS_THAT_WORK_ON_9X):
                problems.append(f"{dll}!{name} is a wide-character function Windows 9x only stubs")
    return problems


def header_field(private_headers, name):
    m = re.search(rf"^{name}\s+(\S+)", private_headers, re.MULTILINE)
    return m.group(1) if m else None


def check_header(private_headers):
    problems = []
    expected = {
        "MajorOSystemVersion": "4", "MinorOSystemVersion": "0",
        "MajorSubsystemVersion": "4", "MinorSubsystemVersion": "0",
    }
    for field, value in expected.items():
        found = header_field(private_headers, field)
        if found != value:
            problems.append(f"PE header {field} is {found}, not {value}")
    characteristics = header_field(private_headers, "DllCharacteristics")
    if characteristics is None or int(characteristics, 16) != 0:
        problems.append(f"PE header DllCharacteristics is {characteristics}, not 0")
    subsystem = header_field(private_headers, "Subsystem")
    if subsystem is None or int(subsystem, 16) != 2:
        problems.append(f"PE header Subsystem is {subsystem}, not 2 (Windows GUI)")
    return problems


def check_resources(windres, exe, version):
    try:
        rc = run([windres, "-i", exe, "-O", "rc"])
    except subprocess.CalledProcessError:
        return ["no resources: neither the icon nor the version"]
    problems = []
    # Group entries read "\040\040\020\000", 1, 4: width, height and colours
    # in octal, then planes and bits a pixel.
    icons = {(int(w, 8), int(h, 8), int(c, 8), int(bits)) for w, h, c, bits in re.findall(
        r'"\\(\d{3})\\(\d{3})\\(\d{3})\\000", \d+, (\d+),', rc)}
    if "RT_GROUP_ICON" not in rc:
        problems.append("no icon group: Explorer shows the generic program icon")
    for size in (32, 16):
        if (size, size, 16, 4) not in icons:
            problems.append(f"the icon has no {size}x{size} image in 16 colours")
    info = re.search(r"^\S+ VERSIONINFO$(.*?)^END$", rc, re.MULTILINE | re.DOTALL)
    if not info:
        return problems + ["no version resource"]
    info = info.group(1)
    major, minor = (int(part) for part in version.split("."))
    for field in ("FILEVERSION", "PRODUCTVERSION"):
        if not re.search(rf"^ {field} {major}, {minor}, 0, 0$", info, re.MULTILINE):
            problems.append(f"{field} is not {major}, {minor}, 0, 0")
    strings = dict(re.findall(r'VALUE "(\w+)", "([^"]*)"', info))
    for name in ("FileVersion", "ProductVersion"):
        if strings.get(name) != version:
            problems.append(f"version string {name} is {strings.get(name)}, not {version}")
    for name in ("ProductName", "FileDescription", "LegalCopyright"):
        if not strings.get(name):
            problems.append(f"version string {name} is missing")
    block = re.search(r'BLOCK "([0-9a-fA-F]{8})"', info)
    translation = re.search(r'VALUE "Translation", (\w+), (\w+)', info)
    if not block or not translation or block.group(1).lower() != "%04x%04x" % (
            int(translation.group(1), 0), int(translation.group(2), 0)):
        problems.append("the Translation entry does not name the block of version strings")
    return problems


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--objdump", default="i686-w64-mingw32-objdump")
    parser.add_argument("--exports", required=True, help="win98se-exports.json")
    parser.add_argument("--windres", default="i686-w64-mingw32-windres")
    parser.add_argument("--version", required=True, help="the version dialog's version")
    parser.add_argument("--summary", action="store_true", help="print the import list")
    parser.add_argument("exe")
    args = parser.parse_args()

    with open(args.exports, encoding="utf-8") as f:
        exports = json.load(f)["dlls"]
    private_headers = run([args.objdump, "-p", args.exe])
    imports = parse_imports(private_headers)
    problems = (check_instructions(args.objdump, args.exe) + check_imports(imports, exports)
                + check_header(private_headers)
                + check_resources(args.windres, args.exe, args.version))
    if not any(imports.values()):
        problems.append("no imports found: the import table could not be read")

    if args.summary or problems:
        for dll, names in sorted(imports.items()):
            print(f"{dll}: {len(names)} functions")
    for problem in problems:
        print(f"korvane.exe: {problem}", file=sys.stderr)
    if problems:
        print(f"{len(problems)} rule(s) broken", file=sys.stderr)
        return 1
    print(f"{args.exe}: Pentium instructions only, Windows 98 SE imports only "
          f"({sum(len(n) for n in imports.values())} functions), PE header 4.0, "
          f"icon and version {args.version}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
