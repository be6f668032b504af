#!/usr/bin/env python3
"""Holds every call korvane.exe makes to the system against what Windows 95
and 98 accept (win98_rules.py), reading Wine's relay trace of a run as it
comes on standard input:

    WINEDEBUG=+pid,+loaddll,+relay for korvane.exe, and Wine's
    RelayFromInclude=korvane.exe, so that only its own calls are relayed.

A call counts when it returns into korvane.exe's image, in a process that
loaded korvane.exe: calls the system makes for it, and the tools it starts,
are not the program's. Lines that are no Wine trace (the driver's own words)
pass through to standard error.

It also checks the list of imports beside it: every function korvane.exe
imports, or looks up with GetProcAddress during the run, has a line there
saying what the program relies on it for and what Windows 98 and 95 do
there, and no line stays for a function the program no longer uses. A function that
Windows 95/98 only stub, or a wide-character one they do not implement, is a
broken rule wherever it appears. InitCommonControlsEx, which the comctl32 4.00
of Windows 95 lacks, is only looked up, with InitCommonControls to fall back on.

The size each tool tip structure the program passes says it has comes from
the tool info probe the tour hooks into the program, which writes it as a
debug string (warn+debugstr in WINEDEBUG); a trace whose tool tip messages
carry no such report fails, as unchecked.

Prints each broken rule with the first call that broke it and exits 1 if
there is one, or if the trace held no call of the program at all.
"""
import argparse
import json
import re
import subprocess
import sys
from collections import Counter

from check_binary import parse_imports, read_import_list
from win98_rules import (RULES, STUBS_ON_9X, TOOL_INFO, TOOL_INFO_MESSAGES,
                         WIDE_FUNCTIONS_THAT_WORK_ON_9X, Arg)

PREFIX = r"^([0-9a-f]{4}):([0-9a-f]{4}):"
LOADED = re.compile(PREFIX + r'trace:loaddll:build_module Loaded L"(.*)" at ([0-9A-F]{8}):')
CALL = re.compile(PREFIX + r"Call ([\w.]+)\.(\w+)\((.*)\) ret=([0-9a-f]{8})$")
RETURN = re.compile(PREFIX + r"Ret  ([\w.]+)\.(\w+)\(\) retval=([0-9a-f]{8}) ret=([0-9a-f]{8})$")
PROBED = re.compile(PREFIX + r'warn:debugstr:OutputDebugStringA "tool info message '
                    r'([0-9a-f]{4}) cbSize (\d+)')
ARGUMENT = re.compile(r'([0-9a-f]+)(?: (L?"(?:[^"\\]|\\.)*"(?:\.\.\.)?))?(?:,|$)')


def unescape(escape):
    if escape.group(1):
        return chr(int(escape.group(1), 16))
    return {"n": "\n", "r": "\r", "t": "\t"}.get(escape.group(2), escape.group(2))


def parse_arguments(text):
    """Wine's arguments: hexadecimal numbers, a pointer followed by the
    string it points to. None when they are not of that form."""
    args = []
    at = 0
    while at < len(text):
        m = ARGUMENT.match(text, at)
        if not m:
            return None
        string = m.group(2)
        if string is not None:
            string = string[string.index('"') + 1:string.rindex('"')]
            string = re.sub(r"\\x([0-9a-f]{2})|\\(.)", unescape, string)
        args.append(Arg(int(m.group(1), 16), string))
        at = m.end()
    return args


class Call:
    def __init__(self, line, function, args, windows):
        self.line = line
        self.function = function
        self.args = args
        self._windows = windows

    def value(self, index):
        return self.args[index].value if index < len(self.args) else None

    def created_class(self):
        if self.function != "CreateWindowExA" or len(self.args) < 2:
            return None
        return (self.args[1].text or "").lower() or None

    def window_class(self, index):
        """The class of a window the program created, given by argument index."""
        return self._windows.get(self.value(index))


class TraceChecker:
    def __init__(self, exe_name, image_size, exports):
        self.exe_name = exe_name.lower()
        self.image_size = image_size
        self.exports = exports
        self.images = {}  # process -> base of korvane.exe
        self.modules = {}  # (process, base) -> DLL file name, for GetProcAddress
        self.windows = {}  # window handle -> class name, of windows the program made
        self.pending = {}  # thread -> CreateWindowExA calls whose window is awaited
        self.broken = {}  # problem -> first call line
        self.counts = Counter()
        self.calls = 0
        self.looked_up = set()  # "dll!function" found with GetProcAddress
        self.called = set()
        self.tool_info_messages = 0  # messages with a TOOLINFOA sent to a tool tip
        self.tool_infos_probed = 0  # sizes the tool info probe reported
        self.watched = {rule.function for rule in RULES} | STUBS_ON_9X | {"GetProcAddress"}

    def feed(self, line):
        """Takes one line of the trace; False when it is no Wine trace. Wine
        writes process and thread as four hexadecimal digits, which the
        numbers of one session do not outgrow."""
        if len(line) < 14 or line[4] != ":" or line[9] != ":":
            return False
        kind = line[10:14]
        # Calls and returns end in " ret=" and the address returned to.
        if kind in ("Call", "Ret ") and line[-13:-8] == " ret=":
            if self._in_program(line[:4], line[-8:]):
                if kind == "Call":
                    self._called(line)
                elif "CreateWindowExA" in line:
                    self._window_created(line)
            return True
        m = PROBED.match(line) if kind == "warn" else None
        if m:
            if m.group(1) in self.images:
                self.tool_infos_probed += 1
                self._check(Call(line, TOOL_INFO, [Arg(int(m.group(3), 16)), Arg(int(m.group(4)))],
                                 self.windows))
            return True
        m = LOADED.match(line)
        if m:
            process, path, base = m.group(1), m.group(3), int(m.group(4), 16)
            name = path.replace("\\\\", "\\").rsplit("\\", 1)[-1].lower()
            if name == self.exe_name:
                self.images[process] = base
            self.modules[(process, base)] = name
        return True

    def _in_program(self, process, address):
        base = self.images.get(process)
        return base is not None and base <= int(address, 16) < base + self.image_size

    def _called(self, line):
        self.calls += 1
        function = line[15:line.find("(", 15)].rpartition(".")[2]
        self.called.add(function)
        if function not in self.watched and not function.endswith("W"):
            return
        m = CALL.match(line)
        args = parse_arguments(m.group(5)) if m else None
        call = Call(line, function, args or [], self.windows)
        if function == "CreateWindowExA":
            self.pending.setdefault(line[5:9], []).append(call)
        if function in STUBS_ON_9X:
            self._break(call, f"{function}: Windows 95/98 export it only as a stub that fails")
        if self._is_unimplemented_wide(function):
            self._break(call, f"{function}: a wide-character function Windows 95/98 only stub "
                        "(KB 210341)")
        if function == "GetProcAddress" and len(call.args) == 2 and call.args[1].text:
            dll_name = self.modules.get((line[:4], call.args[0].value), "?")
            self.looked_up.add(f"{dll_name.rsplit('.', 1)[0]}!{call.args[1].text}")
        if (function == "SendMessageA" and call.value(1) in TOOL_INFO_MESSAGES
                and call.window_class(0) == "tooltips_class32"):
            self.tool_info_messages += 1
        self._check(call)

    def _check(self, call):
        for rule in RULES:
            if rule.function != call.function:
                continue
            if rule.argument >= len(call.args):
                self._break(call, f"{call.function}: arguments not as Wine shows them, so "
                            "unchecked")
                continue
            if rule.when and not rule.when(call):
                continue
            arg = call.args[rule.argument]
            if not rule.test(arg):
                shown = f"0x{arg.value:x}" + (f' "{arg.text}"' if arg.text is not None else "")
                self._break(call, f"{call.function} {rule.name} {shown}: Windows 95/98 accept "
                            f"{rule.accepts} [{rule.source}]")

    def finish(self):
        """What only the whole trace shows: tool tip structures never probed."""
        if self.tool_info_messages and not self.tool_infos_probed:
            problem = (f"{TOOL_INFO} cbSize unchecked: the tool info probe reported no size "
                       "(not hooked into the program, or WINEDEBUG without warn+debugstr)")
            self.counts[problem] = self.tool_info_messages
            self.broken[problem] = "a tool tip message with one, unprobed"

    def _window_created(self, line):
        """Learns the class of the window a CreateWindowExA made."""
        m = RETURN.match(line)
        stack = self.pending.get(m.group(2)) if m else None
        if stack:
            call = stack.pop()
            if call.created_class():
                self.windows[int(m.group(5), 16)] = call.created_class()

    def _is_unimplemented_wide(self, function):
        if not function.endswith("W") or function in WIDE_FUNCTIONS_THAT_WORK_ON_9X:
            return False
        return any(function[:-1] + "A" in names for names in self.exports.values())

    def _break(self, call, problem):
        self.counts[problem] += 1
        self.broken.setdefault(problem, call.line)


def check_import_list(listed, imported, looked_up, static_dlls):
    """listed: the list's names by their lower case; imported and looked_up:
    "dll!Function" names; static_dlls: the DLLs in the import table. A listed
    function of a DLL loaded at run time may go unlooked-up on a run (a
    fall-back for an old system)."""
    problems = []
    used = {name.lower() for name in imported | looked_up}
    for name in sorted(imported | looked_up):
        if name.lower() not in listed:
            problems.append(f"{name}: imported but not in the list of imports; say there what "
                            "the program relies on it for and what Windows 98 and 95 do")
    for key, name in sorted(listed.items()):
        dll, function = name.split("!")
        if key not in used and dll.lower() in static_dlls:
            problems.append(f"{name}: in the list of imports but no longer imported")
        if function in STUBS_ON_9X:
            problems.append(f"{name}: relied on, but Windows 95/98 export it only as a stub")
    return problems


def check_common_controls(imported, looked_up, program):
    """InitCommonControlsEx came with comctl32 4.70: the 4.00 of Windows 95
    and 950 A lacks it, and refuses to load a program that imports it. So it
    is looked up, and InitCommonControls named to fall back on (SDK
    InitCommonControlsEx: 'Version 4.70'). program: korvane.exe's bytes."""
    name = "comctl32!InitCommonControlsEx"
    if name in imported:
        return [f"{name}: imported, so the program does not load with Windows 95's comctl32 "
                "4.00; look it up with GetProcAddress"]
    if name in looked_up and b"InitCommonControls\0" not in program:
        return [f"{name}: looked up, but the program names no InitCommonControls to fall back "
                "on where comctl32 4.00 lacks it"]
    return []


def image_of(objdump, exe):
    headers = subprocess.run([objdump, "-p", exe], check=True, capture_output=True,
                             text=True).stdout
    size = int(re.search(r"^SizeOfImage\s+([0-9a-f]+)", headers, re.MULTILINE).group(1), 16)
    imports = {f"{dll.rsplit('.', 1)[0]}!{name}"
               for dll, names in parse_imports(headers).items() for name in names}
    return size, imports


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--objdump", default="i686-w64-mingw32-objdump")
    parser.add_argument("--exports", required=True, help="win98se-exports.json")
    parser.add_argument("--imports", required=True, help="the list of imports")
    parser.add_argument("exe")
    args = parser.parse_args()

    with open(args.exports, encoding="utf-8") as f:
        exports = json.load(f)["dlls"]
    size, imported = image_of(args.objdump, args.exe)
    exe_name = args.exe.replace("\\", "/").rsplit("/", 1)[-1]
    checker = TraceChecker(exe_name, size, exports)
    for line in sys.stdin.buffer:
        text = line.decode("utf-8", "replace").rstrip("\r\n")
        if not checker.feed(text):
            print(text, file=sys.stderr)

    checker.finish()
    listed, problems = read_import_list(args.imports)
    static_dlls = {name.split("!")[0] for name in imported}
    problems += check_import_list(listed, imported, checker.looked_up, static_dlls)
    with open(args.exe, "rb") as f:
        problems += check_common_controls(imported, checker.looked_up, f.read())
    for problem, line in checker.broken.items():
        problems.append(f"{problem}\n    {checker.counts[problem]} call(s), the first: {line}")
    if checker.calls == 0:
        problems.append(f"no call of {exe_name} in the trace: was it traced?")
    unused = sorted(n.split("!")[1] for n in imported
                    if n.split("!")[1] not in checker.called)
    print(f"{exe_name}: {checker.calls} calls of the program checked against {len(RULES)} "
          f"rules; imports not seen (not reached, forwarded under another name, or not relayed "
          f"by Wine): {', '.join(unused) or 'none'}")
    for problem in problems:
        print(f"{exe_name}: {problem}", file=sys.stderr)
    if problems:
        print(f"{len(problems)} Windows 98 rule(s) broken", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
