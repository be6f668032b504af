// Which processes a stopped run ends: found as Windows 95/98 let the
// program find them, and never one that ran before the run.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "win32/win32_processes.h"

namespace korvane::win32 {
namespace {

using Entry = Win32Processes::ProcessEntry;

TEST(ProcessEndTest, TheRunsProcessesAreFoundByParentOrByTheToolsPath) {
  constexpr DWORD kInterpreter = 40;
  const std::string tool = "C:\\PROGRA~1\\KORVANE\\G4SET.EXE";
  const std::vector<Entry> before = {
      {7, 1, "EXPLORER.EXE"},
      {21, 7, "G4set.exe"},  // the user's own copy, started earlier
      {30, 7, "C:\\OTHER\\G4SET.EXE"},
      {31, kInterpreter, "OLDTOOL.EXE"},  // its dead parent had the interpreter's number
  };
  const std::vector<Entry> now = {
      before[0],
      before[1],
      before[2],
      before[3],
      {kInterpreter, 5, "COMMAND.COM"},
      {41, kInterpreter, "conagent.exe"},
      {42, 41, "g4set.exe"},                         // below it, by name (NT, Wine)
      {43, 99, "c:\\progra~1\\korvane\\g4set.exe"},  // a DOS box's, by path (9x)
      {44, 99, "C:\\OTHER\\G4SET.EXE"},              // another folder's tool
      {7, kInterpreter, "NOTEPAD.EXE"},              // a number come back
      {45, 30, "G4set.exe"},                         // by name only
  };
  std::vector<DWORD> found;
  for (const Entry& entry : ProcessesOfRun(before, now, kInterpreter, tool)) {
    found.push_back(entry.id);
  }
  EXPECT_EQ(found, (std::vector<DWORD>{41, 7, 42, 43, 45}));
}

// The window a tool that could not be ended runs in: a console (Windows
// 95/98's DOS box, NT's console) that is new, its process's first, else the
// one with the run's title; one that stood before the run, or a window of
// the process that is no console, never.
TEST(ProcessEndTest, TheLingeringToolsWindowIsANewConsoleOrTheOneWithTheRunsTitle) {
  const auto window = [](int n) { return reinterpret_cast<HWND>(static_cast<UINT_PTR>(n)); };
  const std::vector<TopWindow> windows = {
      {window(1), 7, "tty", "MS-DOS Prompt"},  // the user's own DOS box
      {window(2), 40, "Korvane", "Korvane"},   // no console
      {window(3), 40, "tty", "PROGBIOS"},
      {window(4), 41, "ConsoleWindowClass", "G4set"},
      {window(5), 9, "tty", "Korvane - PROGBIOS.EXE"},
  };
  const struct {
    std::vector<HWND> before;
    std::vector<DWORD> processes;
    std::string title;
    HWND expected;
  } cases[] = {
      {{window(1)}, {40}, "", window(3)},
      {{window(1)}, {41}, "Korvane - PROGBIOS.EXE", window(4)},
      {{window(1), window(3), window(4)}, {42}, "Korvane - G4SET.EXE", window(5)},
      {{window(1), window(3), window(4), window(5)}, {7, 40}, "Korvane - PROGBIOS.EXE", nullptr},
      {{window(1), window(3), window(4), window(5)}, {}, "Korvane", window(2)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ConsoleWindowOf(windows, c.before, c.processes, c.title), c.expected) << c.title;
  }
}

}  // namespace
}  // namespace korvane::win32
