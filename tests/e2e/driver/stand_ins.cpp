#include "driver/stand_ins.h"

#include <windows.h>

#include "driver/registry_tools.h"

namespace e2e {
namespace {

std::string InFolder(const std::string& folder, const std::string& name) {
  return folder + "\\" + name;
}

}  // namespace

void ResetStandIns(const std::string& folder) {
  for (const char* name : {"g4set-report.txt", "g4set-delay.txt", "g4set-args.log",
                           "g4set-clocks.txt", "g200clk-delay.txt", "g200clk-args.log", "g4clk.bat",
                           "g400.txt", "OC.bat", "pins.bat", "mypins.txt", "ddraw-limit.txt"}) {
    RemoveFile(InFolder(folder, name));
  }
}

void SetStatusReport(const std::string& folder, const std::string& report) {
  WriteBytes(InFolder(folder, "g4set-report.txt"), report);
}

void SetToolDelay(const std::string& folder, const std::string& tool, int milliseconds) {
  WriteBytes(InFolder(folder, tool + "-delay.txt"), std::to_string(milliseconds));
}

std::vector<std::string> ToolRuns(const std::string& folder, const std::string& tool) {
  std::vector<std::string> runs;
  const std::string log = ReadBytes(InFolder(folder, tool + "-args.log")).value_or("");
  for (std::size_t start = 0; start < log.size();) {
    const std::size_t end = log.find("\r\n", start);
    if (end == std::string::npos) break;
    runs.push_back(log.substr(start, end - start));
    start = end + 2;
  }
  return runs;
}

bool InstallBiosTool(const std::string& folder) {
  // The stand-ins are built beside the test programs, in sim/tools.
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::string here = Utf8(path);
  here.resize(here.find_last_of('\\'));
  CreateDirectoryW(Wide(folder).c_str(), nullptr);
  for (const char* name : {"progbios-args.log", "progbios-pin.txt", "progbios-delay.txt"}) {
    RemoveFile(InFolder(folder, name));
  }
  return CopyFileW(Wide(here + "\\..\\..\\sim\\tools\\PROGBIOS.EXE").c_str(),
                   Wide(InFolder(folder, "PROGBIOS.EXE")).c_str(), FALSE) &&
         WriteBytes(InFolder(folder, "DOS4GW.EXE"), "");
}

bool InstallProgram(const std::string& from_folder, const std::string& to_folder) {
  CreateDirectoryW(Wide(to_folder).c_str(), nullptr);
  for (const char* name : {"korvane.exe", "G4set.exe", "g200clk.exe"}) {
    if (!CopyFileW(Wide(InFolder(from_folder, name)).c_str(),
                   Wide(InFolder(to_folder, name)).c_str(), FALSE)) {
      return false;
    }
  }
  return true;
}

void RemoveFolder(const std::string& folder) {
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW(Wide(InFolder(folder, "*")).c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = Utf8(found.cFileName);
      if (name != "." && name != "..") RemoveFile(InFolder(folder, name));
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(Wide(folder).c_str());
}

std::string ShortPath(const std::string& path) {
  wchar_t short_path[MAX_PATH] = {};
  const DWORD length = GetShortPathNameW(Wide(path).c_str(), short_path, MAX_PATH);
  return length > 0 && length < MAX_PATH ? Utf8(short_path) : std::string();
}

}  // namespace e2e
