// Which processes a stopped run ends: found as Windows 95/98 let the
// program find them, and never one that ran before the run.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "win32/win32_services.h"

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

}  // namespace
}  // namespace korvane::win32
