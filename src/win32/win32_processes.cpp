#include "win32/win32_processes.h"

#include <windows.h>

#include <tlhelp32.h>

#include <algorithm>
#include <string>
#include <vector>

#include "win32/text_encoding.h"

namespace korvane::win32 {

namespace {

// A child inherits the error mode (GetErrorMode): the program's own, which
// fails a call on a drive without its disc rather than ask, is not for
// the tools, nor for what the links open.
constexpr DWORD kCreationFlags = CREATE_DEFAULT_ERROR_MODE;

}  // namespace

void Win32Processes::Launch(std::string_view command_line) {
  std::string line = ToAnsi(command_line);
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION process = {};
  if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, kCreationFlags, nullptr,
                     nullptr, &startup, &process)) {
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
// How often a DOS box is looked at meanwhile.
constexpr DWORD kWindowPollMs = 100;

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
void Win32Processes::EndRun(HANDLE interpreter, DWORD interpreter_id,
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
  opened.push_back({interpreter, {interpreter_id, 0, std::string()}});
  lingering_.swap(opened);  // empty: no run starts while anything lingers
  run_window_ = RunWindow();
  // A DOS box goes a moment after what ran in it; one that stays lingers,
  // whatever the processes do.
  for (DWORD waited = 0; waited < kEndWaitMs && Lingers() && lingering_.empty();
       waited += kWindowPollMs) {
    Sleep(kWindowPollMs);
    if (pump_messages_) pump_messages_();
  }
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

bool Win32Processes::ToolRuns() {
  return waiting_for_ && WaitForSingleObject(waiting_for_, 0) == WAIT_TIMEOUT;
}

// The processes of Windows 95/98 DOS sessions "tend to stick around until
// the machine is shutdown" (GNU Emacs's w32proc.c), and the session with its
// box may outlive its interpreter's handle: the run lingers while its DOS
// box stands, seen or not.
bool Win32Processes::Lingers() {
  if (!ConsoleStands(run_window_)) run_window_ = nullptr;
  if (lingering_.empty()) return run_window_;
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
  return !lingering_.empty() || run_window_;
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

BOOL CALLBACK AddWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

std::vector<TopWindow> TopWindows() {
  std::vector<TopWindow> windows;
  EnumWindows(AddTopWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

// Windows 95/98 show a DOS program, and a console program, in a window of
// WinOldAp, the agent of MS-DOS programs under Windows (KB Q73668), of class
// "tty"; Windows NT in one of class "ConsoleWindowClass".
bool IsConsoleClass(LPCSTR window_class) {
  return lstrcmpA(window_class, "tty") == 0 || lstrcmpA(window_class, "ConsoleWindowClass") == 0;
}

}  // namespace

// The window is the run's when it is new: a console window that was not
// there before the run. Which process it reports changes with what runs in
// it ("the window reports that it is owned by the child process", Apache
// httpd's service.c on Windows 95), so among new ones that of a process of
// the run comes first, as GNU Emacs's w32proc.c finds a child's console
// (find_child_console), then any. Failing that, it is looked for by the
// title the run gave its console (STARTUPINFO's lpTitle), the way KB Q124103
// finds a console's window; nothing shows that title reaching a DOS box.
HWND ConsoleWindowOf(const std::vector<TopWindow>& windows, const std::vector<HWND>& before,
                     const std::vector<DWORD>& processes, const std::string& title) {
  HWND found = nullptr;
  int best = 0;
  for (const TopWindow& top : windows) {
    int ours = 0;
    for (const DWORD process : processes) ours |= process == top.process;
    int rank =
        IsConsoleClass(top.window_class.c_str()) ? 2 + ours : !title.empty() && top.title == title;
    for (const HWND old : before) rank = old == top.window ? 0 : rank;
    if (rank > best) {
      best = rank;
      found = top.window;
    }
  }
  return found;
}

// By its class too: "window handles are recycled" (IsWindow), and a handle
// that outlived its DOS box may name another window.
bool Win32Processes::ConsoleStands(HWND window) {
  char window_class[32] = {};
  return IsWindow(window) && GetClassNameA(window, window_class, sizeof(window_class)) > 0 &&
         IsConsoleClass(window_class);
}

HWND Win32Processes::RunWindow() const {
  std::vector<DWORD> processes;
  for (const Lingering& process : lingering_) processes.push_back(process.entry.id);
  return ConsoleWindowOf(TopWindows(), windows_before_, processes, run_title_);
}

std::string Win32Processes::LingeringWindow() {
  if (!run_window_) run_window_ = RunWindow();
  char title[256] = {};
  if (run_window_) GetWindowTextA(run_window_, title, sizeof(title));
  return FromAnsi(title);
}

// The run started its console hidden: the window is shown, restored and
// brought to the front, where the user closes it. That comes once the user
// has closed the program's box that says so (or at start-up, when no box
// says it): the program then had the last input, which Windows 98 requires
// of one that sets another window to the foreground.
void Win32Processes::ShowLingering() {
  if (!run_window_) return;
  ShowWindow(run_window_, SW_SHOWNORMAL);
  SetForegroundWindow(run_window_);
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
  // What ran before the run is never ended with it, nor taken for its
  // window.
  const std::vector<ProcessEntry> before = RunningProcesses();
  windows_before_.clear();
  EnumWindows(AddWindow, reinterpret_cast<LPARAM>(&windows_before_));
  run_window_ = nullptr;
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, kCreationFlags, nullptr,
                      nullptr, &startup, &process)) {
    return BatchOutcome::kNotStarted;
  }
  CloseHandle(process.hThread);
  waiting_for_ = process.hProcess;
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
  waiting_for_ = nullptr;
  if (outcome == BatchOutcome::kEnded) {
    CloseHandle(process.hProcess);
  } else {
    EndRun(process.hProcess, process.dwProcessId, before, ToAnsi(tool_path));
  }
  return outcome;
}

}  // namespace korvane::win32
