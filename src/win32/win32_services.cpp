#include "win32/win32_services.h"

#include <windows.h>

#include <commdlg.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "win32/text_encoding.h"

namespace korvane::win32 {

namespace {

UINT MessageFlags(MessageButtons buttons, MessageIcon icon) {
  UINT flags = buttons == MessageButtons::kOkCancel ? MB_OKCANCEL
               : buttons == MessageButtons::kYesNo  ? MB_YESNO
                                                    : MB_OK;
  if (icon == MessageIcon::kError) flags |= MB_ICONERROR;
  if (icon == MessageIcon::kInformation) flags |= MB_ICONINFORMATION;
  if (icon == MessageIcon::kQuestion) flags |= MB_ICONQUESTION;
  if (icon == MessageIcon::kWarning) flags |= MB_ICONWARNING;
  return flags;
}

MessageAnswer AnswerOf(int answer) {
  switch (answer) {
    case IDOK:
      return MessageAnswer::kOk;
    case IDYES:
      return MessageAnswer::kYes;
    case IDNO:
      return MessageAnswer::kNo;
    default:
      return MessageAnswer::kCancel;
  }
}

// The one box that closes itself, while it is open: found by a hook as it
// is activated, then counted down by a timer of its own.
struct TimedBox {
  HHOOK hook = nullptr;
  HWND box = nullptr;
  std::string caption;  // ANSI
  int left = 0;
  bool timed_out = false;
};
TimedBox g_timed;

constexpr UINT_PTR kCountdownTimer = 1;

void ShowSecondsLeft() {
  const std::string caption = g_timed.caption + " (" + std::to_string(g_timed.left) + ")";
  SetWindowTextA(g_timed.box, caption.c_str());
}

void CALLBACK CountDown(HWND box, UINT, UINT_PTR, DWORD) {
  if (--g_timed.left > 0) {
    ShowSecondsLeft();
    return;
  }
  KillTimer(box, kCountdownTimer);
  g_timed.timed_out = true;
  // As if Cancel was pressed: the box ends the way Esc ends it.
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

LRESULT CALLBACK FindTimedBox(int code, WPARAM wparam, LPARAM lparam) {
  const HHOOK hook = g_timed.hook;
  if (code == HCBT_ACTIVATE && !g_timed.box) {
    g_timed.box = reinterpret_cast<HWND>(wparam);
    UnhookWindowsHookEx(hook);
    g_timed.hook = nullptr;
    ShowSecondsLeft();
    SetTimer(g_timed.box, kCountdownTimer, 1000, CountDown);
    return 0;
  }
  return CallNextHookEx(hook, code, wparam, lparam);
}

}  // namespace

MessageAnswer Win32Dialogs::Message(std::string_view text, std::string_view caption,
                                    MessageButtons buttons, MessageIcon icon) {
  UINT flags = MessageFlags(buttons, icon);
  // Owned by the active window, so the box is modal to it; at start-up,
  // before any window is shown, it stands alone.
  HWND owner = GetActiveWindow();
  if (!owner) flags |= MB_TASKMODAL | MB_SETFOREGROUND;
  return AnswerOf(MessageBoxA(owner, ToAnsi(text).c_str(), ToAnsi(caption).c_str(), flags));
}

MessageAnswer Win32Dialogs::TimedMessage(std::string_view text, std::string_view caption,
                                         MessageButtons buttons, MessageIcon icon, int seconds) {
  g_timed = TimedBox{};
  g_timed.caption = ToAnsi(caption);
  g_timed.left = seconds;
  g_timed.hook = SetWindowsHookExA(WH_CBT, FindTimedBox, nullptr, GetCurrentThreadId());
  const MessageAnswer answer = Message(text, caption, buttons, icon);
  if (g_timed.hook) UnhookWindowsHookEx(g_timed.hook);
  const bool timed_out = g_timed.timed_out;
  g_timed = TimedBox{};
  return timed_out ? MessageAnswer::kTimedOut : answer;
}

std::string DialogFilter(std::string_view filter) {
  std::string list;
  std::size_t start = 0;
  while (true) {
    const std::size_t bar = filter.find('|', start);
    list += ToAnsi(filter.substr(start, bar == std::string_view::npos ? bar : bar - start));
    list += '\0';
    if (bar == std::string_view::npos) break;
    start = bar + 1;
  }
  list += '\0';
  return list;
}

namespace {

using FileDialogFunction = BOOL(WINAPI*)(OPENFILENAMEA*);

// The common dialog library, and the shell libraries it brings along, are
// loaded with the first file dialog rather than at every start.
FileDialogFunction FileDialog(bool save) {
  static const HMODULE library = LoadLibraryA("comdlg32.dll");
  if (!library) return nullptr;
  const FARPROC function = GetProcAddress(library, save ? "GetSaveFileNameA" : "GetOpenFileNameA");
  return reinterpret_cast<FileDialogFunction>(reinterpret_cast<void*>(function));
}

std::optional<std::string> RunFileDialog(const FileDialogOptions& options, bool save) {
  const FileDialogFunction run_dialog = FileDialog(save);
  if (!run_dialog) return std::nullopt;
  const std::string filter = DialogFilter(options.filter);
  const std::string title = ToAnsi(options.title);
  const std::string folder = ToAnsi(options.folder);
  const std::string extension = ToAnsi(options.default_extension);
  std::vector<char> file(MAX_PATH, '\0');
  const std::string proposed = ToAnsi(options.file_name);
  proposed.copy(file.data(), file.size() - 1);

  OPENFILENAMEA dialog = {};
  dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;  // what Windows 95 accepts
  dialog.hwndOwner = GetActiveWindow();
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  dialog.lpstrTitle = title.c_str();
  // The system adds the extension without its dot.
  dialog.lpstrDefExt =
      extension.empty() ? nullptr : extension.c_str() + (extension[0] == '.' ? 1 : 0);
  dialog.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR |
                 (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
  if (!run_dialog(&dialog)) return std::nullopt;
  return FromAnsi(file.data());
}

}  // namespace

std::optional<std::string> Win32Dialogs::OpenFile(const FileDialogOptions& options) {
  return RunFileDialog(options, false);
}

std::optional<std::string> Win32Dialogs::SaveFile(const FileDialogOptions& options) {
  return RunFileDialog(options, true);
}

void Win32Processes::Launch(std::string_view command_line) {
  std::string line = ToAnsi(command_line);
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION process = {};
  if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                     &process)) {
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
}

namespace {

// The command line that runs a batch file through the command interpreter.
// Windows NT's cmd.exe (and Wine's) takes what follows /c as a command line
// of its own, splits it at & | < > ^ ( ), and strips the outer quotes when a
// quoted path holds one of them; a second pair of quotes keeps such a path
// whole. command.com knows none of these and only needs quotes around a
// space.
std::string InterpreterLine(const std::string& interpreter, const std::string& batch) {
  std::string line =
      interpreter.find(' ') == std::string::npos ? interpreter : "\"" + interpreter + "\"";
  line += " /c ";
  const std::size_t name = interpreter.find_last_of("\\:");
  const std::string file = interpreter.substr(name == std::string::npos ? 0 : name + 1);
  const bool is_cmd = lstrcmpiA(file.c_str(), "cmd.exe") == 0;
  if (batch.find_first_of(is_cmd ? " &|<>^()" : " ") == std::string::npos) return line + batch;
  return is_cmd ? line + "\"\"" + batch + "\"\"" : line + "\"" + batch + "\"";
}

}  // namespace

std::string Win32Processes::CommandInterpreter() {
  char interpreter[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableA("COMSPEC", interpreter, MAX_PATH);
  return FromAnsi(length > 0 && length < MAX_PATH ? interpreter : "command.com");
}

namespace {

// Ends a process and every process it started, children first, and waits
// until the process itself is gone, so that no later run overlaps it. The
// system keeps no tree of processes: the snapshot's parent numbers make one.
// Toolhelp32 exists on Windows 95 and 98.
void EndProcessTree(HANDLE process, DWORD process_id) {
  std::vector<PROCESSENTRY32> entries;
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot != INVALID_HANDLE_VALUE) {
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot, &entry); more;
         more = Process32Next(snapshot, &entry)) {
      entries.push_back(entry);
    }
    CloseHandle(snapshot);
  }
  std::vector<DWORD> tree = {process_id};
  for (std::size_t i = 0; i < tree.size(); ++i) {
    for (const PROCESSENTRY32& entry : entries) {
      if (entry.th32ParentProcessID == tree[i] && entry.th32ProcessID != process_id &&
          std::find(tree.begin(), tree.end(), entry.th32ProcessID) == tree.end()) {
        tree.push_back(entry.th32ProcessID);
      }
    }
  }
  for (std::size_t i = tree.size(); i-- > 1;) {
    if (const HANDLE child = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, tree[i])) {
      TerminateProcess(child, 1);
      WaitForSingleObject(child, 2000);
      CloseHandle(child);
    }
  }
  TerminateProcess(process, 1);
  WaitForSingleObject(process, 2000);
}

}  // namespace

BatchOutcome Win32Processes::RunBatch(std::string_view batch_path, std::uint32_t slice_ms,
                                      BatchWait& wait) {
  std::string line = InterpreterLine(ToAnsi(CommandInterpreter()), ToAnsi(batch_path));

  // The tool's own output is not read: the batch line redirects what the
  // program needs into a file. The pipe only gives the child a valid
  // standard output.
  HANDLE read_end = nullptr;
  HANDLE write_end = nullptr;
  if (!CreatePipe(&read_end, &write_end, nullptr, 0)) return BatchOutcome::kNotStarted;
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
  startup.wShowWindow = SW_HIDE;
  startup.hStdOutput = write_end;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    CloseHandle(write_end);
    CloseHandle(read_end);
    return BatchOutcome::kNotStarted;
  }
  CloseHandle(process.hThread);
  // A slice ends early when a message arrives, so the windows answer at
  // once rather than at the end of a slice of several seconds.
  BatchOutcome outcome = BatchOutcome::kEnded;
  const DWORD started = GetTickCount();
  while (true) {
    const DWORD woken = pump_messages_ ? MsgWaitForMultipleObjects(1, &process.hProcess, FALSE,
                                                                   slice_ms, QS_ALLINPUT)
                                       : WaitForSingleObject(process.hProcess, slice_ms);
    if (woken == WAIT_OBJECT_0 || woken == WAIT_FAILED) break;
    if (pump_messages_) pump_messages_();
    if (!wait.StopNow(GetTickCount() - started)) continue;
    // The tool may have ended while the question stood: then it ran.
    if (WaitForSingleObject(process.hProcess, 0) != WAIT_OBJECT_0) {
      EndProcessTree(process.hProcess, process.dwProcessId);
      outcome = BatchOutcome::kStopped;
    }
    break;
  }
  CloseHandle(process.hProcess);
  CloseHandle(write_end);
  CloseHandle(read_end);
  return outcome;
}

std::string Win32FileSystem::ProgramPath() {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return std::string();
  char short_path[MAX_PATH] = {};
  const DWORD short_length = GetShortPathNameA(path, short_path, MAX_PATH);
  if (short_length == 0 || short_length >= MAX_PATH) return FromAnsi(path);
  return FromAnsi(short_path);
}

std::optional<std::string> Win32FileSystem::Read(std::string_view path) {
  const HANDLE file = CreateFileA(ToAnsi(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char buffer[4096];
  DWORD got = 0;
  bool ok = true;
  while ((ok = ReadFile(file, buffer, sizeof(buffer), &got, nullptr) != 0) && got > 0) {
    bytes.append(buffer, got);
  }
  CloseHandle(file);
  if (!ok) return std::nullopt;
  return bytes;
}

bool Win32FileSystem::Write(std::string_view path, std::string_view bytes) {
  const HANDLE file = CreateFileA(ToAnsi(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool wrote =
      bytes.empty() ||
      (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) != 0 &&
       written == bytes.size());
  const bool closed = CloseHandle(file) != 0;
  return wrote && closed;
}

bool Win32FileSystem::Exists(std::string_view path) {
  const DWORD attributes = GetFileAttributesA(ToAnsi(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string Win32FileSystem::ShortPath(std::string_view path) {
  char short_path[MAX_PATH] = {};
  const DWORD length = GetShortPathNameA(ToAnsi(path).c_str(), short_path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return std::string();
  return FromAnsi(short_path);
}

bool Win32FileSystem::Remove(std::string_view path) {
  return DeleteFileA(ToAnsi(path).c_str()) != 0;
}

bool Win32FileSystem::Rename(std::string_view from, std::string_view to) {
  return MoveFileA(ToAnsi(from).c_str(), ToAnsi(to).c_str()) != 0;
}

bool Win32FileSystem::MakeFolder(std::string_view path) {
  const std::string ansi = ToAnsi(path);
  if (CreateDirectoryA(ansi.c_str(), nullptr)) return true;
  const DWORD attributes = GetFileAttributesA(ansi.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string Win32FileSystem::ToSystemText(std::string_view utf8) { return ToAnsi(utf8); }

std::string Win32FileSystem::FromSystemText(std::string_view ansi) { return FromAnsi(ansi); }

std::optional<OsVersion> Win32OsInfo::Version() {
  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof(info);  // 148 bytes: what Windows 95 accepts
  if (!GetVersionExA(&info)) return std::nullopt;
  return OsVersion{info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion};
}

LocalTime Win32WallClock::Now() {
  SYSTEMTIME time = {};
  GetLocalTime(&time);
  return LocalTime{time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond};
}

namespace {

// The clipboard needs an owner window, or EmptyClipboard leaves it ownerless
// and SetClipboardData fails; any window of this thread will do.
BOOL CALLBACK TakeFirstWindow(HWND window, LPARAM found) {
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

HWND ClipboardOwner() {
  HWND owner = GetActiveWindow();
  if (!owner)
    EnumThreadWindows(GetCurrentThreadId(), TakeFirstWindow, reinterpret_cast<LPARAM>(&owner));
  return owner;
}

}  // namespace

bool Win32Clipboard::SetText(std::string_view text) {
  const std::string ansi = ToAnsi(text);
  const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, ansi.size() + 1);
  if (!memory) return false;
  if (char* bytes = static_cast<char*>(GlobalLock(memory))) {
    std::memcpy(bytes, ansi.c_str(), ansi.size() + 1);
    GlobalUnlock(memory);
  } else {
    GlobalFree(memory);
    return false;
  }
  if (!OpenClipboard(ClipboardOwner())) {
    GlobalFree(memory);
    return false;
  }
  // Once handed over, the memory belongs to the clipboard.
  const bool handed = EmptyClipboard() && SetClipboardData(CF_TEXT, memory) != nullptr;
  CloseClipboard();
  if (!handed) GlobalFree(memory);
  return handed;
}

}  // namespace korvane::win32
