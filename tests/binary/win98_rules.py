"""What Windows 95 and 98 accept of a system call, as their documentation
says, for the calls korvane.exe makes. Wine accepts much that these systems
refuse, so a run under Wine proves nothing here; check_calls.py holds every
call of a traced run against these tables instead.

Sources, named in each entry:
- SDK: the Win32 Platform SDK reference page of the function (January 2001
  edition, the last to give the Windows 95/98/Me remarks), with what its
  parameter table or remarks say of Windows 95/98.
- KB 210341: "Unicode support in Windows 95 and Windows 98".
- 95 limits: Win32 SDK, "Windows 95 limitations" ("Certain functions and
  classes of functions, such as for security and event logging, are not
  supported by Windows 95. Windows 95 provides stub routines for these").
- comctl32 4.72: the Common Controls versions table ("Shell and Common
  Controls Versions"); 4.72 came with Windows 98 and Internet Explorer 4.01,
  5.80 with Internet Explorer 5, 6.0 with Windows XP.
- comctl32 4.00: the same table's first row. Windows 95 shipped with it
  (4.00.950 and 950 A; OSR2 brought 4.70, Internet Explorer 4 4.71 and
  4.72), and the SDK marks what came later "Version 4.70" or after.
"""
from dataclasses import dataclass
from typing import Callable, Optional

# The wide-character functions Windows 95 and 98 implement; every other W
# function is a stub there that fails. KB 210341 lists sixteen as implemented
# on Windows 95 (the Platform SDK's Quick Info); the SDK's "Windows 95
# limitations" adds GetTextExtentExPointW to its Unicode implementations.
WIDE_FUNCTIONS_THAT_WORK_ON_9X = frozenset({
    "EnumResourceLanguagesW", "EnumResourceNamesW", "EnumResourceTypesW", "ExtTextOutW",
    "FindResourceW", "FindResourceExW", "GetCharWidthW", "GetCommandLineW",
    "GetTextExtentExPointW", "GetTextExtentPoint32W", "GetTextExtentPointW", "lstrlenW",
    "MessageBoxExW", "MessageBoxW", "MultiByteToWideChar", "TextOutW", "WideCharToMultiByte",
})

# Functions Windows 98 SE exports but does not implement: each fails with
# ERROR_CALL_NOT_IMPLEMENTED (the SDK: "Windows NT only", "Windows
# 95/98/Me: Unsupported"; 95 limits: security, event logging and services
# are stubs).
STUBS_ON_9X = frozenset({
    # kernel32: files, processes and threads of Windows NT.
    "MoveFileExA", "LockFileEx", "UnlockFileEx", "CopyFileExA", "FindFirstFileExA",
    "ReadDirectoryChangesW", "ReadFileScatter", "WriteFileGather", "CreateNamedPipeA",
    "ConnectNamedPipe", "BackupRead", "BackupWrite", "CreateTapePartition",
    "CreateRemoteThread", "VirtualAllocEx", "VirtualFreeEx", "VirtualProtectEx",
    "GetProcessTimes", "GetThreadTimes", "SetProcessAffinityMask", "SetThreadAffinityMask",
    "SetThreadIdealProcessor", "SetThreadPriorityBoost", "GetProcessPriorityBoost",
    "SetProcessWorkingSetSize", "GetProcessWorkingSetSize", "SignalObjectAndWait",
    "SwitchToThread", "TryEnterCriticalSection",
    # advapi32: security, services and the event log.
    "OpenProcessToken", "AdjustTokenPrivileges", "LookupPrivilegeValueA",
    "GetTokenInformation", "DuplicateTokenEx", "ImpersonateLoggedOnUser", "LogonUserA",
    "CreateProcessAsUserA", "GetFileSecurityA", "SetFileSecurityA",
    "InitializeSecurityDescriptor", "SetSecurityDescriptorDacl", "AllocateAndInitializeSid",
    "RegGetKeySecurity", "RegSetKeySecurity", "OpenSCManagerA", "CreateServiceA",
    "StartServiceA", "SetServiceStatus", "OpenEventLogA", "ClearEventLogA",
    "RegisterEventSourceA", "ReportEventA",
    # user32: "ToUnicode, ToUnicodeEx: Windows 95/98/Me: Unsupported".
    "ToUnicode", "ToUnicodeEx",
})


@dataclass
class Arg:
    value: int
    text: Optional[str] = None  # the string Wine shows beside a pointer

    @property
    def signed(self):
        return self.value - (1 << 32) if self.value >= 1 << 31 else self.value


@dataclass
class Rule:
    function: str  # as the trace names it, without its DLL
    argument: int  # from 0
    name: str  # the parameter's name in the SDK
    test: Callable[[Arg], bool]
    accepts: str  # what Windows 95/98 accept there
    source: str
    # The rule holds only for calls this is true of (given the call).
    when: Optional[Callable] = None


def within(mask):
    return lambda arg: arg.value & ~mask == 0


def one_of(*values):
    return lambda arg: arg.signed in values or arg.value in values


def none_of(*values):
    return lambda arg: arg.signed not in values and arg.value not in values


def at_most(limit):
    return lambda arg: arg.value <= limit


def argument_is(index, *values):
    return lambda call: call.value(index) in values


def class_is(name):
    """A CreateWindowExA of this class."""
    return lambda call: call.created_class() == name.lower()


def window_is(name):
    """A message to a window of this class that the program created."""
    return lambda call: call.window_class(0) == name.lower()


# The queue status bits of Windows 95/98: key, mouse move and button, posted
# message, timer, paint, sent message, hot key. QS_ALLINPUT there is 0xFF.
QUEUE_BITS_9X = 0xFF
QUEUE_SOURCE = ("SDK GetQueueStatus, MsgWaitForMultipleObjects(Ex): QS_ALLPOSTMESSAGE (0x100) "
                "came with Windows 2000, QS_RAWINPUT (0x400) with XP, QS_TOUCH and QS_POINTER "
                "with Windows 8; MinGW's QS_ALLINPUT carries them, Windows 98's is 0xFF")

# DEBUG_PROCESS, DEBUG_ONLY_THIS_PROCESS, CREATE_SUSPENDED, DETACHED_PROCESS,
# CREATE_NEW_CONSOLE, the four priority classes, CREATE_NEW_PROCESS_GROUP and
# CREATE_DEFAULT_ERROR_MODE.
CREATE_FLAGS_9X = 0x040003FF

# Window styles of Windows 95/98: WS_EX_DLGMODALFRAME to WS_EX_APPWINDOW,
# without WS_EX_LAYERED, WS_EX_NOINHERITLAYOUT, WS_EX_LAYOUTRTL,
# WS_EX_COMPOSITED, WS_EX_NOACTIVATE.
EX_STYLES_9X = 0x000777FD
EX_STYLE_SOURCE = ("SDK CreateWindowEx: WS_EX_LAYERED and WS_EX_NOACTIVATE are Windows 2000's, "
                   "WS_EX_COMPOSITED XP's, WS_EX_LAYOUTRTL and WS_EX_NOINHERITLAYOUT only Arabic "
                   "and Hebrew Windows 98 and Windows 2000's")

# MB_OK to MB_RETRYCANCEL, the icons, default buttons and modality, MB_HELP,
# MB_NOFOCUS, MB_SETFOREGROUND, MB_TOPMOST, MB_RIGHT, MB_RTLREADING.
MESSAGE_BOX_BITS_9X = 0x001DF3F7
MESSAGE_BOX_SOURCE = ("SDK MessageBox: MB_SERVICE_NOTIFICATION and MB_DEFAULT_DESKTOP_ONLY are "
                      "Windows NT's, MB_CANCELTRYCONTINUE (6) Windows 2000's")


def message_box_type(arg):
    return (arg.value & ~MESSAGE_BOX_BITS_9X == 0 and arg.value & 0xF <= 5
            and arg.value & 0xF0 <= 0x40)


# The index of each GWL_ value: GWL_WNDPROC, GWL_HINSTANCE, GWL_HWNDPARENT,
# GWL_ID, GWL_STYLE, GWL_EXSTYLE, GWL_USERDATA; 0 and up reach the window's
# extra bytes.
def window_long_index(arg):
    return arg.signed >= 0 or arg.signed in (-4, -6, -8, -12, -16, -20, -21)


GWL_EXSTYLE = 0xFFFFFFEC

# The cursors of Windows 95: arrow, I-beam, wait, cross, up arrow, the sizes,
# no, app starting, help. IDC_HAND came with Windows 98 and 2000.
CURSORS_95 = (32512, 32513, 32514, 32515, 32516, 32640, 32641, 32642, 32643, 32644, 32645,
              32646, 32648, 32650, 32651)

SPI_GETNONCLIENTMETRICS, SPI_SETNONCLIENTMETRICS = 0x29, 0x2A
SPI_GETICONMETRICS, SPI_SETICONMETRICS = 0x2D, 0x2E
SPI_SOURCE = ("SDK SystemParametersInfo: uiParam is the structure's size, which Windows 95/98 "
              "check; NONCLIENTMETRICSA is 340 bytes there (500 with Vista's "
              "iPaddedBorderWidth), ICONMETRICSA 76")

# Messages of the common controls and of USER that Windows 95's comctl32
# 4.00, Windows 98's 4.72 or Windows 98 itself lack: (window class or None for
# any, message, what it is).
NEWER_MESSAGES = (
    ("msctls_updown32", 0x46F, "UDM_SETRANGE32, comctl32 4.71"),
    ("msctls_updown32", 0x470, "UDM_GETRANGE32, comctl32 4.71"),
    ("msctls_updown32", 0x471, "UDM_SETPOS32, comctl32 5.80"),
    ("msctls_updown32", 0x472, "UDM_GETPOS32, comctl32 5.80"),
    ("tooltips_class32", 0x41E, "TTM_GETBUBBLESIZE, comctl32 5.80"),
    ("tooltips_class32", 0x41F, "TTM_ADJUSTRECT, comctl32 5.80"),
    ("tooltips_class32", 0x420, "TTM_SETTITLEA, comctl32 5.80"),
    (None, 0x2007, "CCM_SETVERSION, comctl32 5.80"),
    (None, 0x200B, "CCM_SETWINDOWTHEME, comctl32 6.0"),
    (None, 0x127, "WM_CHANGEUISTATE, Windows 2000"),
    (None, 0x128, "WM_UPDATEUISTATE, Windows 2000"),
    (None, 0x129, "WM_QUERYUISTATE, Windows 2000"),
    (None, 0x1501, "EM_SETCUEBANNER, comctl32 6.0"),
    (None, 0x1503, "EM_SHOWBALLOONTIP, comctl32 6.0"),
)


MESSAGE_SOURCE = ("comctl32 4.00 and 4.72: the SDK's UDM_SETRANGE32 and UDM_GETRANGE32 are "
                  "'Version 4.71', not in Windows 95's comctl32; SDK WM_CHANGEUISTATE (Windows "
                  "2000)")

# The tab control styles of comctl32 4.00, and two later ones that it ignores
# harmlessly: TCS_FLATBUTTONS only flattens the buttons and TCS_HOTTRACK only
# lights the tab under the pointer, so 4.00's tabs are raised buttons that
# work alike. TCS_SCROLLOPPOSITE, TCS_BOTTOM (TCS_RIGHT), TCS_MULTISELECT and
# TCS_VERTICAL change where the tabs are or how they are chosen, which 4.00
# would leave undone.
TAB_STYLES_400 = 0xFF78
TAB_STYLE_SOURCE = ("SDK Tab Control Styles: TCS_FLATBUTTONS 'Version 4.71', TCS_HOTTRACK, "
                    "TCS_SCROLLOPPOSITE, TCS_BOTTOM, TCS_MULTISELECT, TCS_VERTICAL 'Version 4.70'; "
                    "comctl32 4.00")

# A tool tip message's TOOLINFOA, as the size it says it has (cbSize): Wine's
# relay trace shows only its address, so the tour hooks a probe into the
# program that reports the size of each (tests/e2e/tool_info_probe.cpp). The
# messages whose lParam is one: TTM_ADDTOOLA, DELTOOLA, NEWTOOLRECTA,
# GETTOOLINFOA, SETTOOLINFOA, GETTEXTA, UPDATETIPTEXTA, ENUMTOOLSA and
# GETCURRENTTOOLA.
TOOL_INFO = "TOOLINFOA"
TOOL_INFO_MESSAGES = frozenset({0x404, 0x405, 0x406, 0x408, 0x409, 0x40B, 0x40C, 0x40E, 0x40F})
TOOL_INFO_SOURCE = ("SDK TOOLINFO: lParam 'Version 4.70'; commctrl.h's TTTOOLINFOA_V1_SIZE (40) "
                    "ends at lpszText, the structure of comctl32 4.00, which Windows 95 shipped; "
                    "V2 (44) adds lParam, V3 (48) lpReserved")

FILE_FUNCTIONS_SOURCE = ("SDK ReadFile, WriteFile: 'Windows 95/98/Me: lpNumberOf...Bytes cannot "
                         "be NULL', and no overlapped operation on files or anonymous pipes")


def not_null(arg):
    return arg.value != 0


def is_null(arg):
    return arg.value == 0


def split_command_line(arg):
    """The program a command line starts, and what follows it."""
    line = (arg.text or "").lstrip()
    if line.startswith('"'):
        program, _, tail = line[1:].partition('"')
    else:
        program, _, tail = line.partition(" ")
    return program, tail


def no_batch_file(arg):
    return not split_command_line(arg)[0].lower().endswith((".bat", ".cmd"))


def dos_command_tail(arg):
    """A command interpreter's command line (COMMAND.COM; Wine's cmd.exe
    stands in for it) fits the 127 bytes of a DOS command tail with its CR."""
    program, tail = split_command_line(arg)
    interpreter = program.replace("/", "\\").rsplit("\\", 1)[-1].lower()
    return interpreter not in ("command.com", "cmd.exe") or len(tail.strip()) <= 126


RULES = [
    # Waits and queues.
    Rule("MsgWaitForMultipleObjects", 4, "dwWakeMask", within(QUEUE_BITS_9X),
         "only QS_ bits of 0xFF", QUEUE_SOURCE),
    Rule("MsgWaitForMultipleObjectsEx", 3, "dwWakeMask", within(QUEUE_BITS_9X),
         "only QS_ bits of 0xFF", QUEUE_SOURCE),
    Rule("MsgWaitForMultipleObjectsEx", 4, "dwFlags", within(0x7),
         "only MWMO_WAITALL, MWMO_ALERTABLE, MWMO_INPUTAVAILABLE",
         "SDK MsgWaitForMultipleObjectsEx (Windows 98 and later)"),
    Rule("GetQueueStatus", 0, "flags", within(QUEUE_BITS_9X), "only QS_ bits of 0xFF",
         QUEUE_SOURCE),
    Rule("PeekMessageA", 4, "wRemoveMsg", within(0x3),
         "PM_NOREMOVE, PM_REMOVE, PM_NOYIELD; no PM_QS_ filter",
         "SDK PeekMessage: the PM_QS_ flags are Windows 98 and 2000's, not Windows 95's"),
    # Processes.
    Rule("CreateProcessA", 5, "dwCreationFlags", within(CREATE_FLAGS_9X),
         "the debug, suspend, console, priority class, process group and error mode flags",
         "SDK CreateProcess: CREATE_NO_WINDOW 'Windows Me/98/95: This value is not supported', "
         "CREATE_UNICODE_ENVIRONMENT, the WOW VDM flags and CREATE_FORCEDOS are Windows NT's, "
         "CREATE_BREAKAWAY_FROM_JOB and the above/below normal priorities Windows 2000's"),
    Rule("CreateProcessA", 0, "lpApplicationName", no_batch_file,
         "a program, not a batch file: the command interpreter runs that",
         "SDK CreateProcess: 'To run a batch file, you must start the command interpreter'; "
         "Windows 95/98's COMMAND.COM with /c"),
    Rule("CreateProcessA", 1, "lpCommandLine", no_batch_file,
         "a program, not a batch file: the command interpreter runs that",
         "SDK CreateProcess: 'To run a batch file, you must start the command interpreter'; "
         "Windows 95/98's COMMAND.COM with /c"),
    Rule("CreateProcessA", 1, "lpCommandLine", dos_command_tail,
         "at most 126 characters after COMMAND.COM",
         "KB Q121059 'Command-Line Filenames Appear Limited to 127 Characters' in MS-DOS "
         "sessions of Windows 95; a DOS program's command tail holds 127 bytes with its CR"),
    Rule("OpenProcess", 0, "dwDesiredAccess", within(0x001F0FFF),
         "PROCESS_ rights of 0x0FFF and the standard rights; PROCESS_ALL_ACCESS is 0x1F0FFF",
         "SDK Process Security and Access Rights: PROCESS_QUERY_LIMITED_INFORMATION and the "
         "0x1FFFFF PROCESS_ALL_ACCESS are Windows Vista's, refused by earlier systems"),
    Rule("CreateToolhelp32Snapshot", 0, "dwFlags", within(0x8000000F),
         "TH32CS_SNAPHEAPLIST, SNAPPROCESS, SNAPTHREAD, SNAPMODULE, TH32CS_INHERIT",
         "SDK CreateToolhelp32Snapshot: TH32CS_SNAPMODULE32 is Windows XP SP2's"),
    # Files.
    Rule("CreateFileA", 1, "dwDesiredAccess", within(0xC0000000),
         "0, GENERIC_READ, GENERIC_WRITE",
         "SDK CreateFile: Windows 95/98 take the generic rights, not the specific file rights"),
    Rule("CreateFileA", 2, "dwShareMode", within(0x3), "FILE_SHARE_READ, FILE_SHARE_WRITE",
         "SDK CreateFile: FILE_SHARE_DELETE 'Windows Me/98/95: This flag is not supported'"),
    Rule("CreateFileA", 4, "dwCreationDisposition", one_of(1, 2, 3, 4, 5),
         "CREATE_NEW to TRUNCATE_EXISTING", "SDK CreateFile"),
    Rule("CreateFileA", 5, "dwFlagsAndAttributes", within(0xB80001A7),
         "the read-only, hidden, system, archive, normal and temporary attributes, "
         "FILE_FLAG_WRITE_THROUGH, NO_BUFFERING, RANDOM_ACCESS, SEQUENTIAL_SCAN",
         "SDK CreateFile: FILE_FLAG_BACKUP_SEMANTICS, POSIX_SEMANTICS, OPEN_REPARSE_POINT and the "
         "encrypted, offline and content-index attributes are Windows NT/2000's; 'Windows "
         "95/98/Me: You cannot open a file with FILE_FLAG_OVERLAPPED'"),
    Rule("CreateFileA", 6, "hTemplateFile", is_null, "NULL",
         "SDK CreateFile: 'Windows Me/98/95: The hTemplateFile parameter must be NULL'"),
    Rule("SetErrorMode", 0, "uMode", within(0x8003),
         "SEM_FAILCRITICALERRORS, SEM_NOGPFAULTERRORBOX, SEM_NOOPENFILEERRORBOX",
         "SDK SetErrorMode: SEM_NOALIGNMENTFAULTEXCEPT is for the processors of Windows NT "
         "that fault on misaligned data"),
    Rule("ReadFile", 3, "lpNumberOfBytesRead", not_null, "a count to fill",
         FILE_FUNCTIONS_SOURCE),
    Rule("ReadFile", 4, "lpOverlapped", is_null, "NULL", FILE_FUNCTIONS_SOURCE),
    Rule("WriteFile", 3, "lpNumberOfBytesWritten", not_null, "a count to fill",
         FILE_FUNCTIONS_SOURCE),
    Rule("WriteFile", 4, "lpOverlapped", is_null, "NULL", FILE_FUNCTIONS_SOURCE),
    # The registry.
    Rule("RegOpenKeyExA", 2, "ulOptions", is_null, "0",
         "SDK RegOpenKeyEx: 'Reserved; must be zero' (REG_OPTION_OPEN_LINK is Windows NT's)"),
    Rule("RegOpenKeyExA", 3, "samDesired", within(0x000F003F),
         "the KEY_ rights without KEY_WOW64_32KEY/64KEY",
         "SDK Registry Key Security and Access Rights: the WOW64 rights are Windows XP x64's"),
    Rule("RegCreateKeyExA", 4, "dwOptions", is_null, "REG_OPTION_NON_VOLATILE",
         "SDK RegCreateKeyEx: 'Windows 95/98/Me: REG_OPTION_VOLATILE is ignored' (the key "
         "stays), REG_OPTION_BACKUP_RESTORE and CREATE_LINK are Windows NT's"),
    Rule("RegCreateKeyExA", 5, "samDesired", within(0x000F003F),
         "the KEY_ rights without KEY_WOW64_32KEY/64KEY",
         "SDK Registry Key Security and Access Rights: the WOW64 rights are Windows XP x64's"),
    Rule("RegSetValueExA", 3, "dwType", one_of(0, 1, 2, 3, 4, 5, 7),
         "REG_NONE, SZ, EXPAND_SZ, BINARY, DWORD, DWORD_BIG_ENDIAN, MULTI_SZ",
         "SDK Registry Value Types: REG_LINK and the resource lists are Windows NT's, REG_QWORD "
         "Windows 2000's"),
    # Text.
    *(Rule(function, 0, "CodePage", none_of(65000, 65001), "not CP_UTF7, CP_UTF8",
           f"SDK {function}: 'CP_UTF7, CP_UTF8: Windows 98/Me, Windows NT 4.0 and later', "
           "not Windows 95") for function in ("MultiByteToWideChar", "WideCharToMultiByte")),
    Rule("WideCharToMultiByte", 1, "dwFlags", within(0x270),
         "WC_COMPOSITECHECK, WC_DISCARDNS, WC_SEPCHARS, WC_DEFAULTCHAR",
         "SDK WideCharToMultiByte: WC_NO_BEST_FIT_CHARS is Windows 2000's"),
    Rule("SetClipboardData", 0, "uFormat", none_of(13), "not CF_UNICODETEXT",
         "SDK Standard Clipboard Formats: 'CF_UNICODETEXT: Windows NT/2000'; Windows 95/98 "
         "do not convert it to CF_TEXT for other programs"),
    # Windows and messages.
    Rule("CreateWindowExA", 0, "dwExStyle", within(EX_STYLES_9X),
         "WS_EX_ styles of Windows 95", EX_STYLE_SOURCE),
    Rule("SetWindowLongA", 2, "dwNewLong", within(EX_STYLES_9X), "WS_EX_ styles of Windows 95",
         EX_STYLE_SOURCE, when=argument_is(1, GWL_EXSTYLE)),
    Rule("AdjustWindowRectEx", 3, "dwExStyle", within(EX_STYLES_9X),
         "WS_EX_ styles of Windows 95", EX_STYLE_SOURCE),
    Rule("CreateWindowExA", 1, "lpClassName",
         lambda arg: (arg.text or "").lower() not in ("syslink", "msctls_netaddress",
                                                      "richedit50w"),
         "a class of Windows 95/98 or comctl32 4.72",
         "comctl32 4.72: SysLink is comctl32 6.0's, msctls_netaddress Vista's, RICHEDIT50W "
         "XP's msftedit"),
    Rule("CreateWindowExA", 3, "dwStyle", lambda arg: arg.value & 0xF <= 0xB,
         "button types up to BS_OWNERDRAW",
         "comctl32 4.72: BS_SPLITBUTTON and BS_COMMANDLINK (0xC to 0xF) are comctl32 6.0's",
         when=class_is("button")),
    Rule("CreateWindowExA", 3, "dwStyle", lambda arg: arg.value & 0xFFFC == 0,
         "tool tip styles TTS_ALWAYSTIP, TTS_NOPREFIX",
         "comctl32 4.72: TTS_NOANIMATE, TTS_NOFADE and TTS_BALLOON are comctl32 5.80's, "
         "TTS_CLOSE 6.0's", when=class_is("tooltips_class32")),
    Rule("CreateWindowExA", 3, "dwStyle", lambda arg: arg.value & 0xFFFF & ~TAB_STYLES_400 == 0,
         "TCS_ styles of comctl32 4.00, and TCS_FLATBUTTONS and TCS_HOTTRACK, which it ignores",
         TAB_STYLE_SOURCE, when=class_is("SysTabControl32")),
    Rule(TOOL_INFO, 1, "cbSize", one_of(40),
         "40 bytes, TTTOOLINFOA_V1_SIZE: what comctl32 4.00 knows; no version takes less",
         TOOL_INFO_SOURCE),
    Rule("CreateWindowExA", 3, "dwStyle",
         lambda arg: arg.value & 0x1F <= 0x12 and arg.value & 0x40 == 0,
         "static types up to SS_ETCHEDFRAME, no SS_REALSIZECONTROL",
         "SDK Static Control Styles: SS_REALSIZECONTROL is Windows XP's",
         when=class_is("static")),
    Rule("GetWindowLongA", 1, "nIndex", window_long_index, "a GWL_ index of Windows 95",
         "SDK GetWindowLong: the GWL_ values"),
    Rule("SetWindowLongA", 1, "nIndex", window_long_index, "a GWL_ index of Windows 95",
         "SDK SetWindowLong: the GWL_ values"),
    Rule("ShowWindow", 1, "nCmdShow", at_most(10), "SW_HIDE to SW_SHOWDEFAULT",
         "SDK ShowWindow: SW_FORCEMINIMIZE is Windows 2000's"),
    Rule("SetWindowsHookExA", 0, "idHook", none_of(13, 14),
         "no WH_KEYBOARD_LL or WH_MOUSE_LL",
         "SDK SetWindowsHookEx: the low-level hooks need Windows NT 4.0 SP3"),
    Rule("SetWindowsHookExA", 3, "dwThreadId", not_null, "a thread of this program",
         "SDK SetWindowsHookEx: a system-wide hook must live in a DLL, which this program "
         "does not have"),
    Rule("MessageBoxA", 3, "uType", message_box_type,
         "MB_OK to MB_RETRYCANCEL, the icons, default buttons, modality and placement flags",
         MESSAGE_BOX_SOURCE),
    Rule("MessageBoxExA", 3, "uType", message_box_type,
         "MB_OK to MB_RETRYCANCEL, the icons, default buttons, modality and placement flags",
         MESSAGE_BOX_SOURCE),
    Rule("SystemParametersInfoA", 1, "uiParam", one_of(340), "340, sizeof NONCLIENTMETRICSA",
         SPI_SOURCE, when=argument_is(0, SPI_GETNONCLIENTMETRICS, SPI_SETNONCLIENTMETRICS)),
    Rule("SystemParametersInfoA", 1, "uiParam", one_of(76), "76, sizeof ICONMETRICSA",
         SPI_SOURCE, when=argument_is(0, SPI_GETICONMETRICS, SPI_SETICONMETRICS)),
    # Drawing.
    Rule("GetSystemMetrics", 0, "nIndex", at_most(74), "SM_CXSCREEN to SM_MIDEASTENABLED",
         "SDK GetSystemMetrics: SM_MOUSEWHEELPRESENT and the virtual screen and monitor "
         "values are Windows 98's, not Windows 95's; later ones Windows 2000's"),
    *(Rule(function, 0, "nIndex", at_most(24), "COLOR_SCROLLBAR to COLOR_INFOBK",
           "SDK GetSysColor: COLOR_HOTLIGHT and the gradient captions are Windows 98's, not "
           "Windows 95's; COLOR_MENUHILIGHT and COLOR_MENUBAR Windows XP's")
      for function in ("GetSysColor", "GetSysColorBrush")),
    Rule("LoadCursorA", 1, "lpCursorName", one_of(*CURSORS_95), "a cursor of Windows 95",
         "SDK LoadCursor: IDC_HAND 'Windows 98/Me, Windows 2000'",
         when=argument_is(0, 0)),
    Rule("CreateFontA", 11, "fdwQuality", at_most(4),
         "DEFAULT to ANTIALIASED_QUALITY",
         "SDK CreateFont: CLEARTYPE_QUALITY and CLEARTYPE_NATURAL_QUALITY are Windows XP's"),
    Rule("DrawTextA", 4, "uFormat", within(0x7FFFF), "DT_ flags of Windows 95",
         "SDK DrawText: DT_NOFULLWIDTHCHARBREAK is Windows 98's, DT_HIDEPREFIX and "
         "DT_PREFIXONLY Windows 2000's"),
]
RULES += [
    Rule(function, 1, "Msg", none_of(message), f"no {what}", MESSAGE_SOURCE,
         when=window_is(window) if window else None)
    for function in ("SendMessageA", "PostMessageA") for window, message, what in NEWER_MESSAGES
]
