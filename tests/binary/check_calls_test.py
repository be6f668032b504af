#!/usr/bin/env python3
"""The Windows 98 rules check on trace lines as Wine writes them: what it
takes as the program's calls, and what it finds broken."""
import unittest

from check_calls import TraceChecker, check_common_controls, check_import_list

LOADED = ['0024:0028:trace:loaddll:build_module Loaded L"C:\\\\Program Files\\\\Korvane\\\\'
          'korvane.exe" at 00400000: native',
          '0030:0034:trace:loaddll:build_module Loaded L"C:\\\\PROGRA~1\\\\KORVANE\\\\G4set.exe"'
          ' at 00400000: native']
EXPORTS = {"kernel32.dll": ["lstrcpyA", "lstrcpyW"], "user32.dll": ["MessageBoxA", "MessageBoxW"]}
RET = " ret=0040523a"
TOOLTIP = ['0024:0028:Call user32.CreateWindowExA(00000000,0044d0ac "tooltips_class32",'
           '00000000,80000001,80000000,80000000,80000000,80000000,00010062,00000000,00000000,'
           '00000000)' + RET,
           "0024:0028:Ret  user32.CreateWindowExA() retval=00010090" + RET,
           "0024:0028:Call user32.SendMessageA(00010090,00000404,00000000,0065f5a0)" + RET]
PROBED = '0024:0028:warn:debugstr:OutputDebugStringA "tool info message 0404 cbSize {}"'

# Lines of a trace, and what the check says of them: None, or a part of the
# one broken rule.
CASES = [
    (["0024:0028:Call user32.MsgWaitForMultipleObjects(00000001,0065f6ac,00000000,000001f4,"
      "00001cff)" + RET], "dwWakeMask 0x1cff"),
    (["0024:0028:Call user32.MsgWaitForMultipleObjects(00000001,0065f6ac,00000000,000001f4,"
      "000000ff)" + RET], None),
    # The system's own calls, and a tool's, are not the program's.
    (["0024:0028:Call user32.MsgWaitForMultipleObjects(00000001,0065f6ac,00000000,000001f4,"
      "00001cff) ret=7b012345"], None),
    (["0030:0034:Call user32.MsgWaitForMultipleObjects(00000001,0065f6ac,00000000,000001f4,"
      "00001cff)" + RET], None),
    (['0024:0028:Call KERNEL32.CreateProcessA(00000000,0065f000 "C:\\\\WINDOWS\\\\COMMAND.COM /c '
      'C:\\\\KORVANE\\\\OC.BAT",00000000,00000000,00000000,08000000,00000000,00000000,0065f6c4,'
      '0065f6ac)' + RET], "dwCreationFlags 0x8000000"),
    (['0024:0028:Call KERNEL32.CreateProcessA(00000000,0065f000 "C:\\\\KORVANE\\\\OC.BAT",'
      '00000000,00000000,00000000,00000000,00000000,00000000,0065f6c4,0065f6ac)' + RET],
     "lpCommandLine"),
    (['0024:0028:Call KERNEL32.CreateProcessA(00000000,0065f000 "C:\\\\WINDOWS\\\\COMMAND.COM /c '
      + "x" * 125 + '",00000000,00000000,00000000,00000000,00000000,00000000,0065f6c4,0065f6ac)'
      + RET], "at most 126 characters"),
    (['0024:0028:Call KERNEL32.CreateFileA(0065f000 "C:\\\\KORVANE\\\\g400.txt",80000000,'
      '00000007,00000000,00000003,00000080,00000000)' + RET], "dwShareMode 0x7"),
    (["0024:0028:Call KERNEL32.ReadFile(00000084,0065f000,00001000,00000000,00000000)" + RET],
     "lpNumberOfBytesRead"),
    (['0024:0028:Call user32.MessageBoxA(00010062,0041c0a8 "text",0041c0d0 "caption",00200040)'
      + RET], "uType 0x200040"),
    (['0024:0028:Call user32.MessageBoxA(00010062,0041c0a8 "a, \\"b\\")",0041c0d0 "c",00000040)'
      + RET], None),
    (["0024:0028:Call user32.SetWindowsHookExA(0000000d,00401000,00000000,00000028)" + RET],
     "idHook 0xd"),
    (['0024:0028:Call user32.CreateWindowExA(00080000,0044d0ac "KorvaneForm",0065f560 "K",'
      '00ca0000,80000000,80000000,000001b0,000001ac,00000000,00000000,00400000,0065fda0)' + RET],
     "dwExStyle 0x80000"),
    (["0024:0028:Call user32.SystemParametersInfoA(00000029,000001f8,0065f000,00000000)" + RET],
     "uiParam 0x1f8"),
    (["0024:0028:Call user32.SystemParametersInfoA(00000029,00000154,0065f000,00000000)" + RET],
     None),
    (["0024:0028:Call user32.LoadCursorA(00000000,00007f89)" + RET], "lpCursorName"),
    (['0024:0028:Call KERNEL32.lstrcpyW(0065f000,0065f100 L"x")' + RET], "wide-character"),
    (['0024:0028:Call user32.MessageBoxW(00000000,0065f100 L"x",0065f200 L"y",00000000)' + RET],
     None),
    (['0024:0028:Call KERNEL32.MoveFileExA(0065f000 "a",0065f100 "b",00000001)' + RET], "stub"),
    # UDM_SETPOS32 is comctl32 5.80's, for an up-down control the program made.
    (['0024:0028:Call user32.CreateWindowExA(00000000,0044d0ac "msctls_updown32",0065f560 "",'
      '50000000,00000010,00000010,00000010,00000010,00010062,00000000,00400000,00000000)' + RET,
      "0024:0028:Ret  user32.CreateWindowExA() retval=00010070" + RET,
      "0024:0028:Call user32.SendMessageA(00010070,00000471,00000000,00000005)" + RET],
     "UDM_SETPOS32"),
    (["0024:0028:Call user32.SendMessageA(00010080,00000471,00000000,00000005)" + RET], None),
    # UDM_SETRANGE32 is comctl32 4.71's: Windows 95's 4.00 lacks it.
    (['0024:0028:Call user32.CreateWindowExA(00000000,0044d0ac "msctls_updown32",0065f560 "",'
      '50000000,00000010,00000010,00000010,00000010,00010062,00000000,00400000,00000000)' + RET,
      "0024:0028:Ret  user32.CreateWindowExA() retval=00010070" + RET,
      "0024:0028:Call user32.SendMessageA(00010070,0000046f,00000000,00000005)" + RET],
     "UDM_SETRANGE32"),
    # Flat, hot-tracking button tabs, which 4.00 shows as plain buttons; and
    # tabs at the bottom, which it would not put there.
    (['0024:0028:Call user32.CreateWindowExA(00000000,0044d0ac "SysTabControl32",0065f560 "",'
      '54010348,00000008,00000008,00000190,00000100,00010062,00000000,00400000,00000000)' + RET],
     None),
    (['0024:0028:Call user32.CreateWindowExA(00000000,0044d0ac "SysTabControl32",0065f560 "",'
      '54010302,00000008,00000008,00000190,00000100,00010062,00000000,00400000,00000000)' + RET],
     "dwStyle 0x54010302"),
    # A TOOLINFOA's size, from the probe: 40 bytes, and reported at all.
    (TOOLTIP + [PROBED.format(40)], None),
    ([PROBED.format(48)], "TOOLINFOA cbSize 0x30"),
    (TOOLTIP, "cbSize unchecked"),
    (["0024:0028:Call KERNEL32.CreateFileA(1.5)" + RET], "not as Wine shows them"),
]

LISTED = {"kernel32!createfilea": "kernel32!CreateFileA",
          "comctl32!initcommoncontrols": "comctl32!InitCommonControls"}
# Imports, functions looked up during the run, and what the check says.
IMPORT_CASES = [
    ({"kernel32!CreateFileA"}, set(), None),
    ({"kernel32!CreateFileA", "kernel32!ReadFile"}, set(), "kernel32!ReadFile: imported but not"),
    (set(), set(), "kernel32!CreateFileA: in the list of imports but no longer imported"),
    ({"kernel32!CreateFileA"}, {"comctl32!InitCommonControls"}, None),
]


class CheckCallsTest(unittest.TestCase):
    def test_trace_lines(self):
        for lines, expected in CASES:
            with self.subTest(line=lines[-1]):
                checker = TraceChecker("korvane.exe", 0x55000, EXPORTS)
                for line in LOADED + lines:
                    self.assertTrue(checker.feed(line))
                checker.finish()
                broken = list(checker.broken)
                if expected is None:
                    self.assertEqual(broken, [])
                else:
                    self.assertEqual(len(broken), 1, broken)
                    self.assertIn(expected, broken[0])
        self.assertFalse(TraceChecker("korvane.exe", 0x55000, EXPORTS).feed("not traced"))

    def test_import_list(self):
        for imported, looked_up, expected in IMPORT_CASES:
            with self.subTest(imported=imported):
                problems = check_import_list(LISTED, imported, looked_up, {"kernel32"})
                if expected is None:
                    self.assertEqual(problems, [])
                else:
                    self.assertEqual(len(problems), 1, problems)
                    self.assertTrue(problems[0].startswith(expected), problems)
        stub = check_import_list({"kernel32!movefileexa": "kernel32!MoveFileExA"},
                                 {"kernel32!MoveFileExA"}, set(), {"kernel32"})
        self.assertEqual(stub, ["kernel32!MoveFileExA: relied on, but Windows 95/98 export it "
                                "only as a stub"])

    def test_common_controls_of_windows_95(self):
        ex = {"comctl32!InitCommonControlsEx"}
        for imported, looked_up, program, expected in [
                (ex, set(), b"", "imported"), (set(), ex, b"InitCommonControlsEx\0", "looked up"),
                (set(), ex, b"InitCommonControlsEx\0InitCommonControls\0", None)]:
            with self.subTest(imported=imported, program=program):
                problems = check_common_controls(imported, looked_up, program)
                self.assertEqual(len(problems), 1 if expected else 0, problems)
                if expected:
                    self.assertIn(f"InitCommonControlsEx: {expected}", problems[0])


if __name__ == "__main__":
    unittest.main()
