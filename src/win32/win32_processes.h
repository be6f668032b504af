// Outside programs through the system: started, waited for and ended.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/processes.h"

namespace korvane::win32 {

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
  bool ToolRuns() override;
  bool Lingers() override;
  std::string LingeringWindow() override;
  void ShowLingering() override;

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
  // Keeps what outlives it, the interpreter's handle included, as
  // lingering; takes over that handle.
  void EndRun(HANDLE interpreter, DWORD interpreter_id, const std::vector<ProcessEntry>& before,
              const std::string& tool);
  // Waits up to `bound_ms` until every one of the processes has ended,
  // letting the windows handle their messages meanwhile.
  void AwaitEnds(std::vector<HANDLE> handles, DWORD bound_ms);
  // The window the last run's console is in, as far as it can be told.
  HWND RunWindow() const;
  // Whether the window exists and is a console's.
  static bool ConsoleStands(HWND window);

  std::function<void()> pump_messages_;
  std::vector<Lingering> lingering_;
  // The title the last run's console was given, ANSI.
  std::string run_title_;
  // The top-level windows there before the last run, and the run's window
  // once the program has given up ending it.
  std::vector<HWND> windows_before_;
  HWND run_window_ = nullptr;
  // The interpreter of the run that waits now.
  HANDLE waiting_for_ = nullptr;
};

// A top-level window, as the program tells whose it is.
struct TopWindow {
  HWND window;
  DWORD process;             // GetWindowThreadProcessId
  std::string window_class;  // GetClassNameA
  std::string title;         // GetWindowTextA
};

// The window a run's console is in, never one of `before`: a console's
// window of one of `processes`, else any console's window, else the window
// titled as the run's console was, else none.
HWND ConsoleWindowOf(const std::vector<TopWindow>& windows, const std::vector<HWND>& before,
                     const std::vector<DWORD>& processes, const std::string& title);

// The processes a run started, as far as the system lets the program find
// them, each parent before its children: those below the interpreter, and
// those that run `tool`; never one that is in `before`.
std::vector<Win32Processes::ProcessEntry> ProcessesOfRun(
    const std::vector<Win32Processes::ProcessEntry>& before,
    const std::vector<Win32Processes::ProcessEntry>& now, DWORD interpreter_id,
    const std::string& tool);

}  // namespace korvane::win32
