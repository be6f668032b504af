#!/usr/bin/env python3
"""Checks korvane.exe against the rules that keep it running on Windows 95/98
and on every Pentium-class processor (K6-2, K6-III, WinChip, Cyrix MII, Rise
mP6, Pentium MMX):

- no instruction newer than the Pentium, except MMX inside the processor
  probe's MMX dispatcher (functions whose name contains "MmxDispatch");
- the runtime's C functions (memcpy, memset, ...) never reach themselves:
  the compiler turns a byte loop into a call of one, and inside them that
  call would never return;
- no frame takes more than a page of stack at once: the build probes larger
  frames a page at a time, and a frame that skips a page faults;
- imports only functions that Windows 98 SE exports, and no wide-character
  function that does not work on Windows 9x;
- loads on every Windows 95 release as it shipped: imports only from the DLLs
  a clean Windows 95 has and keeps alike (no msvcrt.dll, KB Q156976), from
  kernel32.dll only what Windows 95's exports (the list beside the check), and
  from the other DLLs only functions whose line in the list of imports says
  what Windows 95 does there;
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


# The C functions the program's runtime brings (src/win32/c_functions.cpp).
RUNTIME_C_FUNCTIONS = ("memcpy", "memmove", "memset", "memcmp", "memchr", "strlen")
BRANCH = re.compile(r"^(call|jmp|j[a-z]+)$")
TARGET = re.compile(r"<_?(\w+)>$")
STACK_TAKEN = re.compile(r"^\$0x([0-9a-f]+),%esp$")
PAGE = 4096


def check_instructions(objdump, exe):
    return check_disassembly(
        run([objdump, "-d", "--no-show-raw-insn", "-M", "att", exe]).splitlines())


def check_disassembly(lines):
    """lines: objdump -d's disassembly of the program, with its symbols."""
    problems = []
    function = "?"
    reaches = {}  # runtime C function: the runtime C functions it branches to
    for line in lines:
        header = re.match(r"^[0-9a-f]+ <(.+)>:$", line)
        if header:
            function = header.group(1)
            if function.lstrip("_") in RUNTIME_C_FUNCTIONS:
                reaches[function.lstrip("_")] = set()
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
        elif mnemonic == "sub" and STACK_TAKEN.match(operands) and int(
                STACK_TAKEN.match(operands).group(1), 16) > PAGE:
            reason = "more than a page of stack taken at once"
        if reason:
            problems.append(f"{reason}: {function}: {text}")
        target = TARGET.search(operands)
        if (function.lstrip("_") in reaches and BRANCH.match(mnemonic) and target
                and target.group(1) in RUNTIME_C_FUNCTIONS):
            reaches[function.lstrip("_")].add(target.group(1))
    if not reaches:
        problems.append("none of the runtime's C functions found: check the program "
                        "before it is stripped")
    for name in sorted(reaches):
        reached, queue = set(), [name]
        while queue:
            for callee in reaches.get(queue.pop(), ()):
                if callee not in reached:
                    reached.add(callee)
                    queue.append(callee)
        if name in reached:
            problems.append(f"runtime function {name} calls itself, directly or through "
                            f"{', '.join(sorted(reached - {name})) or 'nothing else'}")
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


# The DLLs the program may import: a clean Windows 95 (4.00.950, 950 A) has
# them, and they export the same functions on every Windows 95 and 98. The
# common controls, dialogs and shell differ between releases (comctl32 4.00
# to 4.72), so the program loads them itself and looks up what it needs,
# where a missing function is told apart instead of refusing to load.
WINDOWS_95_DLLS = ("kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "winmm.dll")
# Why a DLL is not there, where it is known.
NOT_ON_WINDOWS_95 = {
    "msvcrt.dll": "a clean Windows 95 has none (it came with Visual C++ 4.2 and Internet "
                  "Explorer 4, KB Q156976), so its loader refuses the program",
}


def read_windows95_kernel32(path):
    """The names of the list of Windows 95's kernel32 exports: "ordinal name"."""
    with open(path, encoding="utf-8") as f:
        return {line.split()[1] for line in f if line.strip() and not line.startswith("#")}


def read_import_list(path):
    """The list's lines, "dll!Function  what it is for. Windows 98: ...
    Windows 95: ...": the names by their lower case, and the lines not of
    that form."""
    listed = {}
    problems = []
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            if not line.strip() or line.startswith("#"):
                continue
            name, _, text = line.strip().partition(" ")
            if "!" not in name or "Windows 98:" not in text or "Windows 95:" not in text:
                problems.append(f"{path}:{number}: not 'dll!Function  use. Windows 98: ... "
                                "Windows 95: ...'")
            listed[name.lower()] = name
    return listed, problems


def check_windows95_imports(imports, kernel32_95, listed):
    """imports: by DLL, as parse_imports gives them; kernel32_95: the names
    Windows 95's kernel32 exports; listed: the list of imports by lower-case
    name, each line of it with a Windows 95 note."""
    problems = []
    for dll, names in sorted(imports.items()):
        if dll not in WINDOWS_95_DLLS:
            problems.append(f"import from {dll}: " + NOT_ON_WINDOWS_95.get(
                dll, f"not among the DLLs every Windows 95 has alike ({', '.join(WINDOWS_95_DLLS)})"
                "; load it with LoadLibrary, or do without"))
            continue
        for name in names:
            if dll == "kernel32.dll":
                if name not in kernel32_95:
                    problems.append(f"kernel32.dll of Windows 95 has no {name}")
            elif f"{dll[:-4]}!{name}".lower() not in listed:
                problems.append(f"{dll}!{name} has no Windows 95 note in the list of imports: "
                                "say there what Windows 95 does, from its documentation")
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
    parser.add_argument("--win95-kernel32", required=True, help="win95-kernel32-exports.txt")
    parser.add_argument("--imports", required=True, help="the list of imports")
    parser.add_argument("--windres", default="i686-w64-mingw32-windres")
    parser.add_argument("--version", required=True, help="the version dialog's version")
    parser.add_argument("--summary", action="store_true", help="print the import list")
    parser.add_argument("exe")
    args = parser.parse_args()

    with open(args.exports, encoding="utf-8") as f:
        exports = json.load(f)["dlls"]
    private_headers = run([args.objdump, "-p", args.exe])
    imports = parse_imports(private_headers)
    listed, list_problems = read_import_list(args.imports)
    problems = (check_instructions(args.objdump, args.exe) + check_imports(imports, exports)
                + list_problems + check_windows95_imports(
                    imports, read_windows95_kernel32(args.win95_kernel32), listed)
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
    print(f"{args.exe}: Pentium instructions only, Windows 95 and 98 SE imports only "
          f"({sum(len(n) for n in imports.values())} functions), PE header 4.0, "
          f"icon and version {args.version}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
