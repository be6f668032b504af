#!/usr/bin/env python3
"""Checks korvane.exe against the rules that keep it running on Windows 95/98
and on every Pentium-class processor (K6-2, K6-III, WinChip, Cyrix MII, Rise
mP6, Pentium MMX):

- no instruction newer than the Pentium, except MMX inside the processor
  probe's MMX dispatcher (functions whose name contains "MmxDispatch");
- imports only functions that Windows 98 SE exports, and no wide-character
  function that does not work on Windows 9x;
- PE header: OS and subsystem version 4.0, DllCharacteristics 0.

Prints every broken rule and exits 1 if there is one.
"""
import argparse
import json
import re
import subprocess
import sys

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

# Wide-character functions that do work on Windows 9x.
WIDE_FUNCTIONS_THAT_WORK_ON_9X = {
    "MessageBoxW", "MessageBoxExW", "TextOutW", "ExtTextOutW", "GetTextExtentPoint32W",
    "GetTextExtentPointW", "GetCharWidthW", "lstrlenW", "MultiByteToWideChar",
    "WideCharToMultiByte", "EnumResourceLanguagesW", "FindResourceW", "FindResourceExW",
    "GetCommandLineW",
}


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


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--objdump", default="i686-w64-mingw32-objdump")
    parser.add_argument("--exports", required=True, help="win98se-exports.json")
    parser.add_argument("--summary", action="store_true", help="print the import list")
    parser.add_argument("exe")
    args = parser.parse_args()

    with open(args.exports, encoding="utf-8") as f:
        exports = json.load(f)["dlls"]
    private_headers = run([args.objdump, "-p", args.exe])
    imports = parse_imports(private_headers)
    problems = (check_instructions(args.objdump, args.exe) + check_imports(imports, exports)
                + check_header(private_headers))
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
          f"({sum(len(n) for n in imports.values())} functions), PE header 4.0")
    return 0


if __name__ == "__main__":
    sys.exit(main())
