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

// A box that closes itself: its own thread timer counts down from the
// moment it is asked for, whether or not the box is ever activated (the
// foreground lock of Windows 98 may keep it from that), and each box keeps
// its own count, so a box shown meanwhile changes nothing of it.
struct Countdown {
  UINT_PTR timer = 0;
  HWND box = nullptr;
  HWND owner = nullptr;
  std::string caption;  // ANSI
  // The thread's windows when the box was asked for: none of them is it.
  std::vector<HWND> before;
  HookClassView view = nullptr;
  int left = 0;
  bool timed_out = false;
};
std::vector<Countdown*> g_countdowns;
bool g_countdowns_held = false;
// The countdown whose box is being made, until its window is seen.
Countdown* g_awaited_box = nullptr;

std::string CaptionWithSeconds(const Countdown& countdown) {
  return countdown.caption + " (" + std::to_string(countdown.left) + ")";
}

BOOL CALLBACK AddWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

std::vector<HWND> ThreadWindows() {
  std::vector<HWND> windows;
  EnumThreadWindows(GetCurrentThreadId(), AddWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

bool IsDialogClass(LPCSTR window_class) {
  // The system names the dialog class by its atom, 32770, or by "#32770".
  if (HIWORD(reinterpret_cast<UINT_PTR>(window_class)) == 0) {
    return LOWORD(reinterpret_cast<UINT_PTR>(window_class)) == 0x8002;
  }
  return lstrcmpA(window_class, "#32770") == 0;
}

bool IsDialog(HWND window) {
  char name[16] = {};
  return GetClassNameA(window, name, sizeof(name)) > 0 && IsDialogClass(name);
}

// The box among the thread's windows, where the hook did not see it made:
// on Windows 95 the message box comes from the 16-bit USER, and what a
// 32-bit hook sees of its class is not documented. It is the thread's new
// dialog, owned as the box was asked to be, under the caption it was given,
// and no other countdown's.
HWND FindBox(const Countdown& countdown) {
  const std::string caption = countdown.caption + " (";
  for (const HWND window : ThreadWindows()) {
    if (std::find(countdown.before.begin(), countdown.before.end(), window) !=
            countdown.before.end() ||
        GetWindow(window, GW_OWNER) != countdown.owner || !IsDialog(window)) {
      continue;
    }
    const bool claimed =
        std::any_of(g_countdowns.begin(), g_countdowns.end(),
                    [window](const Countdown* other) { return other->box == window; });
    char text[256] = {};
    GetWindowTextA(window, text, sizeof(text));
    if (!claimed && std::string(text).compare(0, caption.size(), caption) == 0) return window;
  }
  return nullptr;
}

// Ends the box as if Cancel was pressed, the way Esc ends it. The timer
// ticks on until the box is gone: a loop nested in the box's own (a tool run
// at the end of the session) may take the command, and the box's loop then
// sees that it has ended only once something wakes it.
void CloseBox(Countdown& countdown) {
  countdown.timed_out = true;
  PostMessageA(countdown.box, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

void CALLBACK CountDown(HWND, UINT, UINT_PTR timer, DWORD) {
  for (Countdown* countdown : g_countdowns) {
    if (countdown->timer != timer) continue;
    if (countdown->timed_out) return;
    if (countdown->left > 0 && !g_countdowns_held) --countdown->left;
    if (!countdown->box) countdown->box = FindBox(*countdown);
    if (!countdown->box) return;  // not made yet: it closes as soon as it is
    if (countdown->left > 0) {
      SetWindowTextA(countdown->box, CaptionWithSeconds(*countdown).c_str());
      return;
    }
    CloseBox(*countdown);
    return;
  }
}

// Sees the box's window being made: the first dialog that is not a child.
LRESULT CALLBACK NoteBox(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HCBT_CREATEWND && g_awaited_box) {
    const CREATESTRUCTA& create = *reinterpret_cast<CBT_CREATEWNDA*>(lparam)->lpcs;
    const LPCSTR window_class =
        g_awaited_box->view ? g_awaited_box->view(create.lpszClass) : create.lpszClass;
    if ((create.style & WS_CHILD) == 0 && window_class && IsDialogClass(window_class)) {
      g_awaited_box->box = reinterpret_cast<HWND>(wparam);
      g_awaited_box = nullptr;
    }
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

}  // namespace

HWND Win32Dialogs::Owner() const { return owner_ ? owner_() : nullptr; }

MessageAnswer Win32Dialogs::Message(std::string_view text, std::string_view caption,
                                    MessageButtons buttons, MessageIcon icon, MessageFront front) {
  // MB_SETFOREGROUND: the box asks for the foreground itself, where Windows
  // 98 would otherwise only flash the owner's taskbar button.
  const UINT flags =
      MessageFlags(buttons, icon) | (front == MessageFront::kForeground ? MB_SETFOREGROUND : 0);
  return Show(ToAnsi(text), ToAnsi(caption), flags);
}

MessageAnswer Win32Dialogs::Show(const std::string& text, const std::string& caption, UINT flags) {
  return ShowOwned(Owner(), text, caption, flags);
}

MessageAnswer Win32Dialogs::ShowOwned(HWND owner, const std::string& text,
                                      const std::string& caption, UINT flags) {
  // Owned by the window that asked, which the box disables; at start-up,
  // before any window is shown, it stands alone.
  if (!owner) flags |= MB_TASKMODAL | MB_SETFOREGROUND;
  return AnswerOf(MessageBoxA(owner, text.c_str(), caption.c_str(), flags));
}

MessageAnswer Win32Dialogs::TimedMessage(std::string_view text, std::string_view caption,
                                         MessageButtons buttons, MessageIcon icon, int seconds) {
  Countdown countdown;
  countdown.caption = ToAnsi(caption);
  countdown.left = seconds;
  countdown.owner = Owner();
  countdown.before = ThreadWindows();
  countdown.view = hook_class_view_;
  countdown.timer = SetTimer(nullptr, 0, 1000, CountDown);
  g_countdowns.push_back(&countdown);
  g_awaited_box = &countdown;
  const HHOOK hook = SetWindowsHookExA(WH_CBT, NoteBox, nullptr, GetCurrentThreadId());
  const MessageAnswer answer = ShowOwned(
      countdown.owner, ToAnsi(text), CaptionWithSeconds(countdown), MessageFlags(buttons, icon));
  if (hook) UnhookWindowsHookEx(hook);
  if (g_awaited_box == &countdown) g_awaited_box = nullptr;
  if (countdown.timer) KillTimer(nullptr, countdown.timer);
  g_countdowns.erase(std::find(g_countdowns.begin(), g_countdowns.end(), &countdown));
  return countdown.timed_out ? MessageAnswer::kTimedOut : answer;
}

void Win32Dialogs::EndCountdowns() {
  for (Countdown* countdown : g_countdowns) {
    if (!countdown->box) countdown->box = FindBox(*countdown);
    // One not made yet closes as soon as its first tick finds it.
    if (!countdown->box) {
      countdown->left = 0;
    } else if (!countdown->timed_out) {
      CloseBox(*countdown);
    }
  }
}

void Win32Dialogs::HoldCountdowns(bool hold) { g_countdowns_held = hold; }

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

std::optional<std::string> RunFileDialog(const FileDialogOptions& options, bool save, HWND owner) {
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
  dialog.hwndOwner = owner;
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
  return RunFileDialog(options, false, Owner());
}

std::optional<std::string> Win32Dialogs::SaveFile(const FileDialogOptions& options) {
  return RunFileDialog(options, true, Owner());
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

// The message kinds a wait wakes for: keys, mouse, posted, timer, paint,
// sent and hot-key messages. MinGW's QS_ALLINPUT adds the raw-input, touch
// and pointer bits of later systems, and MsgWaitForMultipleObjects fails
// on bits the system does not know (documented for Windows 2000's raw-input
// bit); Windows 95/98 know these eight only.
constexpr DWORD kWakeMask = 0xFF;

// How long the processes a round ends may take to go, and how many rounds
// look for what the interpreter started meanwhile.
constexpr DWORD kEndWaitMs = 2000;
constexpr int kEndRounds = 3;

using ProcessEntry = Win32Processes::ProcessEntry;

// Every process that runs now. Toolhelp32 exists on Windows 95 and 98; NT 4
// has none, and its loader refuses the program for the import before this
// could ever fail there.
std::vector<ProcessEntry> RunningProcesses() {
  std::vector<ProcessEntry> list;
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return list;
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    list.push_back({entry.th32ProcessID, entry.th32ParentProcessID, entry.szExeFile});
  }
  CloseHandle(snapshot);
  return list;
}

bool Listed(const std::vector<ProcessEntry>& list, const ProcessEntry& process) {
  // Numbers of ended processes come back: a number counts as the same
  // process only with the same program.
  return std::any_of(list.begin(), list.end(), [&](const ProcessEntry& other) {
    return other.id == process.id && lstrcmpiA(other.exe.c_str(), process.exe.c_str()) == 0;
  });
}

std::string ShortForm(const std::string& path) {
  char short_path[MAX_PATH] = {};
  const DWORD length = GetShortPathNameA(path.c_str(), short_path, MAX_PATH);
  return length > 0 && length < MAX_PATH ? short_path : path;
}

// Whether a process runs the tool: by its full path where the system gives
// one, compared in short form, as the program folder is; else by its name.
bool RunsTool(const std::string& exe, const std::string& tool) {
  if (exe.find_first_of("\\:") != std::string::npos) {
    return lstrcmpiA(ShortForm(exe).c_str(), ShortForm(tool).c_str()) == 0;
  }
  const std::size_t name = tool.find_last_of("\\:");
  return lstrcmpiA(exe.c_str(), tool.c_str() + (name == std::string::npos ? 0 : name + 1)) == 0;
}

}  // namespace

// The system keeps no tree of processes: the snapshot's parent numbers make
// one. On Windows 95/98 a console tool started from COMMAND.COM's DOS box
// need not be recorded as the interpreter's child, so every process that was
// not there before the run and runs the tool counts beside them; no process
// that was there before counts, whatever its number.
std::vector<ProcessEntry> ProcessesOfRun(const std::vector<ProcessEntry>& before,
                                         const std::vector<ProcessEntry>& now, DWORD interpreter_id,
                                         const std::string& tool) {
  std::vector<ProcessEntry> targets;
  std::vector<DWORD> tree = {interpreter_id};
  for (std::size_t i = 0; i < tree.size(); ++i) {
    for (const ProcessEntry& entry : now) {
      if (entry.parent == tree[i] && entry.id != interpreter_id && !Listed(before, entry) &&
          !Listed(targets, entry)) {
        tree.push_back(entry.id);
        targets.push_back(entry);
      }
    }
  }
  for (const ProcessEntry& entry : now) {
    if (entry.id != interpreter_id && !Listed(before, entry) && !Listed(targets, entry) &&
        RunsTool(entry.exe, tool)) {
      targets.push_back(entry);
    }
  }
  return targets;
}

// Ends what a run started. Windows 95/98 keep no tree of processes and
// give a process's number to the next one once the last handle to it is
// closed, so each target is opened as soon as the snapshot names it, and a
// second snapshot confirms that the number still names the same program:
// the handles held from then on keep every number from going elsewhere. A
// round ends its targets, children before parents and the interpreter
// last, and waits for them while the windows stay live; the next round
// looks again for what the interpreter's DOS box started meanwhile. What is
// still there at the end is kept to be looked for again, the interpreter's
// own handle included. (TerminateProcess on a DOS box's process is what
// GNU Emacs settled on for Windows 95 too: posting WM_QUIT to it froze the
// 16-bit subsystem.)
bool Win32Processes::EndRun(HANDLE interpreter, DWORD interpreter_id,
                            const std::vector<ProcessEntry>& before, const std::string& tool) {
  std::vector<Lingering> opened;
  for (int round = 0; round < kEndRounds; ++round) {
    std::vector<Lingering> found;
    for (const ProcessEntry& entry :
         ProcessesOfRun(before, RunningProcesses(), interpreter_id, tool)) {
      const bool seen = std::any_of(opened.begin(), opened.end(), [&](const Lingering& other) {
        return other.entry.id == entry.id && other.entry.exe == entry.exe;
      });
      if (!seen)
        found.push_back({OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.id), entry});
    }
    if (found.empty() && round > 0) break;
    const std::vector<ProcessEntry> now = RunningProcesses();
    std::vector<HANDLE> ending;
    for (auto it = found.rbegin(); it != found.rend(); ++it) {
      // A number that ended before it was opened may name another program.
      if (it->handle && !Listed(now, it->entry)) {
        CloseHandle(it->handle);
        continue;
      }
      if (it->handle) {
        TerminateProcess(it->handle, 1);
        ending.push_back(it->handle);
      }
      opened.push_back(*it);
    }
    if (round == 0) {
      TerminateProcess(interpreter, 1);
      ending.push_back(interpreter);
    }
    AwaitEnds(ending, kEndWaitMs);
  }
  const std::vector<ProcessEntry> now = RunningProcesses();
  for (const Lingering& process : opened) {
    const bool gone = process.handle ? WaitForSingleObject(process.handle, 0) == WAIT_OBJECT_0
                                     : !Listed(now, process.entry);
    if (!gone) {
      lingering_.push_back(process);
    } else if (process.handle) {
      CloseHandle(process.handle);
    }
  }
  if (WaitForSingleObject(interpreter, 0) == WAIT_OBJECT_0) return false;
  lingering_.push_back({interpreter, {interpreter_id, 0, std::string()}});
  return true;
}

void Win32Processes::AwaitEnds(std::vector<HANDLE> handles, DWORD bound_ms) {
  const DWORD started = GetTickCount();
  while (true) {
    handles.erase(std::remove_if(handles.begin(), handles.end(),
                                 [](HANDLE handle) {
                                   return WaitForSingleObject(handle, 0) == WAIT_OBJECT_0;
                                 }),
                  handles.end());
    const DWORD waited = GetTickCount() - started;
    if (handles.empty() || waited >= bound_ms) return;
    // Any one ending wakes the wait (waiting for all would also wait for
    // input); the rest are looked at again.
    const DWORD count = static_cast<DWORD>(handles.size());
    const DWORD woken = MsgWaitForMultipleObjects(count, handles.data(), FALSE, bound_ms - waited,
                                                  pump_messages_ ? kWakeMask : 0);
    if (woken == WAIT_FAILED) return;
    if (woken == WAIT_OBJECT_0 + count && pump_messages_) pump_messages_();
  }
}

bool Win32Processes::Lingers() {
  if (lingering_.empty()) return false;
  const std::vector<ProcessEntry> now = RunningProcesses();
  std::vector<Lingering> still;
  for (const Lingering& process : lingering_) {
    // A process the program could not open is looked for in the list.
    const bool there = process.handle ? WaitForSingleObject(process.handle, 0) != WAIT_OBJECT_0
                                      : Listed(now, process.entry);
    if (there) {
      still.push_back(process);
    } else if (process.handle) {
      CloseHandle(process.handle);
    }
  }
  lingering_ = std::move(still);
  return !lingering_.empty();
}

namespace {

BOOL CALLBACK AddTopWindow(HWND window, LPARAM list) {
  TopWindow top{window, 0, std::string(), std::string()};
  GetWindowThreadProcessId(window, &top.process);
  char text[256] = {};
  if (GetClassNameA(window, text, sizeof(text)) > 0) top.window_class = text;
  text[0] = '\0';
  GetWindowTextA(window, text, sizeof(text));
  top.title = text;
  reinterpret_cast<std::vector<TopWindow>*>(list)->push_back(std::move(top));
  return TRUE;
}

}  // namespace

// Windows 95/98 show a DOS program, and a console program, in a window of
// WinOldAp, the agent of MS-DOS programs under Windows (KB Q73668), of class
// "tty"; Windows NT in one of class "ConsoleWindowClass". The window belongs
// to the process that CreateProcess started: GNU Emacs's w32proc.c finds a
// child's console on Windows 95 this way (find_child_console). Failing
// that, the window is looked for by the title the run gave its console
// (STARTUPINFO's lpTitle), the way KB Q124103 finds a console's window.
HWND ConsoleWindowOf(const std::vector<TopWindow>& windows, const std::vector<DWORD>& processes,
                     const std::string& title) {
  for (const TopWindow& top : windows) {
    const bool console = top.window_class == "tty" || top.window_class == "ConsoleWindowClass";
    if (console && std::find(processes.begin(), processes.end(), top.process) != processes.end()) {
      return top.window;
    }
  }
  for (const TopWindow& top : windows) {
    if (!title.empty() && top.title == title) return top.window;
  }
  return nullptr;
}

// The run started its console hidden: the window is shown, restored and
// brought to the front, where the user closes it. The program is in front
// itself (the user is at its window), which Windows 98 requires of a
// program that sets another window to the foreground.
std::string Win32Processes::ShowLingering() {
  std::vector<DWORD> processes;
  for (const Lingering& process : lingering_) processes.push_back(process.entry.id);
  std::vector<TopWindow> windows;
  EnumWindows(AddTopWindow, reinterpret_cast<LPARAM>(&windows));
  const HWND window = ConsoleWindowOf(windows, processes, run_title_);
  if (!window) return std::string();
  ShowWindow(window, SW_SHOWNORMAL);
  SetForegroundWindow(window);
  char title[256] = {};
  GetWindowTextA(window, title, sizeof(title));
  return FromAnsi(title);
}

Win32Processes::~Win32Processes() {
  for (const Lingering& process : lingering_) {
    if (process.handle) CloseHandle(process.handle);
  }
}

BatchOutcome Win32Processes::RunBatch(std::string_view batch_path, std::string_view tool_path,
                                      std::uint32_t slice_ms, BatchWait& wait) {
  std::string line = InterpreterLine(ToAnsi(CommandInterpreter()), ToAnsi(batch_path));

  // The tool's own output is not read: the batch line redirects what the
  // program needs into a file, and the rest goes to the hidden console the
  // interpreter gets. No handle is handed down.
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  // A title of its own, by which the console is found should the tool not
  // end.
  const std::string tool = ToAnsi(tool_path);
  run_title_ = "Korvane - " + tool.substr(tool.find_last_of("\\:") + 1);
  startup.lpTitle = run_title_.data();
  PROCESS_INFORMATION process = {};
  // What ran before the run is never ended with it.
  const std::vector<ProcessEntry> before = RunningProcesses();
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return BatchOutcome::kNotStarted;
  }
  CloseHandle(process.hThread);
  // A slice ends early when a message arrives, so the windows answer at
  // once rather than at the end of a slice of several seconds.
  BatchOutcome outcome = BatchOutcome::kEnded;
  const DWORD started = GetTickCount();
  while (true) {
    const DWORD woken =
        pump_messages_ ? MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, slice_ms, kWakeMask)
                       : WaitForSingleObject(process.hProcess, slice_ms);
    if (woken == WAIT_OBJECT_0) break;
    if (woken == WAIT_FAILED) {
      // Nothing says whether the tool ran: it must not go on unseen.
      outcome = BatchOutcome::kWaitFailed;
      break;
    }
    if (pump_messages_) pump_messages_();
    if (!wait.StopNow(GetTickCount() - started)) continue;
    // The tool may have ended while the question stood: then it ran.
    if (WaitForSingleObject(process.hProcess, 0) != WAIT_OBJECT_0) outcome = BatchOutcome::kStopped;
    break;
  }
  const bool kept = outcome != BatchOutcome::kEnded &&
                    EndRun(process.hProcess, process.dwProcessId, before, ToAnsi(tool_path));
  if (!kept) CloseHandle(process.hProcess);
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

std::string Win32FileSystem::WindowsFolder() {
  char path[MAX_PATH] = {};
  const UINT length = GetWindowsDirectoryA(path, MAX_PATH);
  return length > 0 && length < MAX_PATH ? FromAnsi(path) : std::string();
}

DriveKind Win32FileSystem::DriveKindOf(std::string_view root) {
  // A share's root is not asked about: Windows 95's documentation of
  // GetDriveType speaks of drive roots only.
  if (root.substr(0, 2) == "\\\\") return DriveKind::kRemote;
  if (root.empty()) return DriveKind::kUnknown;
  // By GetDriveType's values: DRIVE_UNKNOWN, DRIVE_NO_ROOT_DIR, DRIVE_REMOVABLE,
  // DRIVE_FIXED, DRIVE_REMOTE, DRIVE_CDROM, DRIVE_RAMDISK.
  constexpr DriveKind kKinds[] = {DriveKind::kUnknown, DriveKind::kUnknown, DriveKind::kRemovable,
                                  DriveKind::kFixed,   DriveKind::kRemote,  DriveKind::kCdRom,
                                  DriveKind::kRamDisk};
  const UINT type = GetDriveTypeA(ToAnsi(root).c_str());
  return type < std::size(kKinds) ? kKinds[type] : DriveKind::kUnknown;
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

namespace {

bool WriteWholeFile(std::string_view path, std::string_view bytes, bool flush) {
  const HANDLE file = CreateFileA(ToAnsi(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool wrote =
      bytes.empty() ||
      (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) != 0 &&
       written == bytes.size());
  // Waits until the write-behind cache has put the file on the disk.
  const bool flushed = !flush || FlushFileBuffers(file) != 0;
  const bool closed = CloseHandle(file) != 0;
  return wrote && flushed && closed;
}

}  // namespace

bool Win32FileSystem::Write(std::string_view path, std::string_view bytes) {
  return WriteWholeFile(path, bytes, false);
}

bool Win32FileSystem::WriteFlushed(std::string_view path, std::string_view bytes) {
  return WriteWholeFile(path, bytes, true);
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

std::vector<std::string> Win32FileSystem::FilesIn(std::string_view folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found = {};
  const HANDLE search = FindFirstFileA(ToAnsi(std::string(folder) + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
      names.push_back(FromAnsi(found.cFileName));
    }
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

std::string Win32FileSystem::ToSystemText(std::string_view utf8) { return ToAnsi(utf8); }

std::string Win32FileSystem::FromSystemText(std::string_view ansi) { return FromAnsi(ansi); }

std::optional<OsVersion> Win32OsInfo::Version() {
  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof(info);  // 148 bytes: what Windows 95 accepts
  if (!GetVersionExA(&info)) return std::nullopt;
  // Windows 95/98 keep the major and minor version in the build number's
  // high word.
  const DWORD build = info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS ? LOWORD(info.dwBuildNumber)
                                                                      : info.dwBuildNumber;
  return OsVersion{info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion, build,
                   FromAnsi(info.szCSDVersion)};
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
