// The real OS services besides the registry.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/clipboard.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/os_info.h"
#include "platform/processes.h"
#include "platform/wall_clock.h"

namespace korvane::win32 {

// A file dialog's filter as the system takes it: descriptions and patterns,
// each ended by a NUL, the list by another. The text is split at its bars
// before conversion, as a code page 932 character's second byte can be '|'.
std::string DialogFilter(std::string_view filter);

// How a countdown's hook sees the class of a window being made: the class as
// given, unless a test plays what Windows 95's 16-bit message box may show.
using HookClassView = LPCSTR (*)(LPCSTR window_class);

class Win32Dialogs : public Dialogs {
 public:
  // `owner` names the window a box or dialog belongs to: the one whose
  // action asks, so that the box disables it; none before any is shown.
  explicit Win32Dialogs(std::function<HWND()> owner = {}, HookClassView hook_class_view = nullptr)
      : owner_(std::move(owner)), hook_class_view_(hook_class_view) {}
  MessageAnswer Message(std::string_view text, std::string_view caption, MessageButtons buttons,
                        MessageIcon icon, MessageFront front = MessageFront::kOwner) override;
  MessageAnswer TimedMessage(std::string_view text, std::string_view caption,
                             MessageButtons buttons, MessageIcon icon, int seconds) override;
  std::optional<std::string> OpenFile(const FileDialogOptions& options) override;
  std::optional<std::string> SaveFile(const FileDialogOptions& options) override;
  void EndCountdowns() override;
  void HoldCountdowns(bool hold) override;

 private:
  HWND Owner() const;
  MessageAnswer Show(const std::string& text, const std::string& caption, UINT flags);
  static MessageAnswer ShowOwned(HWND owner, const std::string& text, const std::string& caption,
                                 UINT flags);

  std::function<HWND()> owner_;
  HookClassView hook_class_view_;
};

class Win32Processes : public Processes {
 public:
  // `pump_messages` lets the windows handle what is pending, between the
  // slices of a wait.
  explicit Win32Processes(std::function<void()> pump_messages = {})
      : pump_messages_(std::move(pump_messages)) {}
  Win32Processes(const Win32Processes&) = delete;
  Win32Processes& operator=(const Win32Processes&) = delete;
  ~Win32Processes() override;
  void Launch(std::string_view command_line) override;
  std::string CommandInterpreter() override;
  BatchOutcome RunBatch(std::string_view batch_path, std::string_view tool_path,
                        std::uint32_t slice_ms, BatchWait& wait) override;
  bool Lingers() override;
  std::string ShowLingering() override;

  // A process as a snapshot of the system lists it.
  struct ProcessEntry {
    DWORD id;
    DWORD parent;
    std::string exe;  // Windows 95/98 give the full path; NT and Wine the file name
  };

 private:
  struct Lingering {
    HANDLE handle;  // null when the process could not be opened
    ProcessEntry entry;
  };
  // True when the interpreter outlived it: its handle is then kept.
  bool EndRun(HANDLE interpreter, DWORD interpreter_id, const std::vector<ProcessEntry>& before,
              const std::string& tool);
  // Waits up to `bound_ms` until every one of the processes has ended,
  // letting the windows handle their messages meanwhile.
  void AwaitEnds(std::vector<HANDLE> handles, DWORD bound_ms);

  std::function<void()> pump_messages_;
  std::vector<Lingering> lingering_;
  // The title the last run's console was given, ANSI.
  std::string run_title_;
};

// A top-level window, as the program tells whose it is.
struct TopWindow {
  HWND window;
  DWORD process;             // GetWindowThreadProcessId
  std::string window_class;  // GetClassNameA
  std::string title;         // GetWindowTextA
};

// The window a run's process shows its console in: one of `processes`'
// windows of a console's class, else the window titled as the run's
// console was, else none.
HWND ConsoleWindowOf(const std::vector<TopWindow>& windows, const std::vector<DWORD>& processes,
                     const std::string& title);

class Win32FileSystem : public FileSystem {
 public:
  std::string ProgramPath() override;
  std::string WindowsFolder() override;
  DriveKind DriveKindOf(std::string_view root) override;
  std::optional<std::string> Read(std::string_view path) override;
  bool Write(std::string_view path, std::string_view bytes) override;
  bool WriteFlushed(std::string_view path, std::string_view bytes) override;
  bool Exists(std::string_view path) override;
  std::string ShortPath(std::string_view path) override;
  bool Remove(std::string_view path) override;
  bool Rename(std::string_view from, std::string_view to) override;
  bool MakeFolder(std::string_view path) override;
  std::vector<std::string> FilesIn(std::string_view folder) override;
  std::string ToSystemText(std::string_view utf8) override;
  std::string FromSystemText(std::string_view ansi) override;
};

// The processes a run started, as far as the system lets the program find
// them, each parent before its children: those below the interpreter, and
// those that run `tool`; never one that is in `before`.
std::vector<Win32Processes::ProcessEntry> ProcessesOfRun(
    const std::vector<Win32Processes::ProcessEntry>& before,
    const std::vector<Win32Processes::ProcessEntry>& now, DWORD interpreter_id,
    const std::string& tool);

class Win32OsInfo : public OsInfo {
 public:
  std::optional<OsVersion> Version() override;
};

class Win32WallClock : public WallClock {
 public:
  LocalTime Now() override;
};

class Win32Clipboard : public Clipboard {
 public:
  bool SetText(std::string_view text) override;
};

}  // namespace korvane::win32
