#!/usr/bin/env python3
"""The Windows 95 import contract on import tables, and the runtime and stack
rules on disassemblies, whose verdict is known."""
import os
import tempfile
import unittest

from check_binary import (check_disassembly, check_windows95_imports, read_import_list,
                          read_windows95_kernel32)

HERE = os.path.dirname(os.path.abspath(__file__))
KERNEL32_95 = read_windows95_kernel32(os.path.join(HERE, "data", "win95-kernel32-exports.txt"))
LISTED = {"user32!messageboxa": "user32!MessageBoxA", "winmm!timegettime": "winmm!timeGetTime"}

# Imports by DLL, and the start of each problem the check finds.
CASES = [
    ({"kernel32.dll": ["CreateFileA", "CreateToolhelp32Snapshot", "lstrlenA"],
      "user32.dll": ["MessageBoxA"], "winmm.dll": ["timeGetTime"]}, []),
    ({"msvcrt.dll": ["memchr", "strlen"]}, ["import from msvcrt.dll: a clean Windows 95 has none"]),
    ({"comctl32.dll": ["InitCommonControlsEx"]}, ["import from comctl32.dll: not among"]),
    # Windows 98 has both, Windows 95 neither.
    ({"kernel32.dll": ["GetFileAttributesExA", "IsDebuggerPresent"]},
     ["kernel32.dll of Windows 95 has no GetFileAttributesExA",
      "kernel32.dll of Windows 95 has no IsDebuggerPresent"]),
    ({"user32.dll": ["MessageBoxA", "TrackMouseEvent"]},
     ["user32.dll!TrackMouseEvent has no Windows 95 note"]),
]


class Windows95ImportsTest(unittest.TestCase):
    def test_import_tables(self):
        for imports, expected in CASES:
            with self.subTest(imports=imports):
                problems = check_windows95_imports(imports, KERNEL32_95, LISTED)
                self.assertEqual(len(problems), len(expected), problems)
                for problem, start in zip(problems, expected):
                    self.assertTrue(problem.startswith(start), problem)

    def test_a_line_without_its_windows_95_note(self):
        with tempfile.NamedTemporaryFile("w", suffix=".txt", delete=False) as f:
            f.write("user32!MessageBoxA  every box. Windows 98: as NT. Windows 95: as Windows 98.\n"
                    "user32!ShowWindow  shows forms. Windows 98: as NT.\n")
        try:
            listed, problems = read_import_list(f.name)
        finally:
            os.unlink(f.name)
        self.assertEqual(sorted(listed), ["user32!messageboxa", "user32!showwindow"])
        self.assertEqual(len(problems), 1, problems)
        self.assertIn(":2: not ", problems[0])


def disassembly(functions):
    """objdump's lines for {name: [instruction, ...]}."""
    lines = []
    for address, (name, instructions) in enumerate(functions.items()):
        lines += ["", f"{address:08x} <{name}>:"]
        lines += [f"  {address:x}:\t{instruction}" for instruction in instructions]
    return lines


PLAIN = {f"_{name}": ["push   %ebp", "ret"]
         for name in ("memcpy", "memset", "memcmp", "memchr", "strlen")}
# Functions beside the plain runtime, and the start of each problem found.
DISASSEMBLY_CASES = [
    ({"_memmove": ["jmp    4298ec <_memcpy>", "jmp    429934 <_memmove+0x28>"],
      "_Read": ["sub    $0x1000,%esp", "orl    $0x0,(%esp)", "call   4298ec <_memcpy>"]}, []),
    ({"_memmove": ["call   4298ec <_memmove>"]}, ["runtime function memmove calls itself"]),
    ({"_memmove": ["jmp    4298ec <_memset>"], "_memset": ["jne    4298ec <_memmove>"]},
     ["runtime function memmove calls itself", "runtime function memset calls itself"]),
    ({"_memmove": ["ret"], "_Read": ["sub    $0x1020,%esp"]},
     ["more than a page of stack taken at once: _Read"]),
]


class DisassemblyTest(unittest.TestCase):
    def test_disassemblies(self):
        for functions, expected in DISASSEMBLY_CASES:
            with self.subTest(functions=functions):
                problems = check_disassembly(disassembly({**PLAIN, **functions}))
                self.assertEqual(len(problems), len(expected), problems)
                for problem, start in zip(problems, expected):
                    self.assertTrue(problem.startswith(start), problem)

    def test_a_stripped_program(self):
        self.assertEqual(len(check_disassembly(disassembly({"_Read": ["ret"]}))), 1)


if __name__ == "__main__":
    unittest.main()
