#include "unit/test_machine.h"

#include "files/paths.h"

namespace korvane::testing {

const char kSimulatedClockReport[] =
    "G4SET  Matrox G400 clock control\r\n"
    "\r\n"
    "Board        : Matrox Millennium G400 DualHead\r\n"
    "Memory       : 32 MB SGRAM\r\n"
    "PCI device   : 102B:0525 rev 03\r\n"
    "Chip revision register\r\n"
    "Rev0011\r\n"
    "\r\n"
    "Clock synthesizer\r\n"
    "\r\n"
    "System clock (PLL)  : 250.0 MHz\r\n"
    "Div    Core  Div    Memory\r\n"
    "1/2  -> 125 2/3  -> 166 MHz\r\n"
    "Warp 1/2\r\n"
    "\r\n"
    "AGP transfer  :2x\r\n";

TestMachine::TestMachine() {
  scheduler.on_time_passing = [this](std::uint32_t ms) { timer.Pass(ms); };
  // The clock tools unpacked beside the program.
  for (const char* tool : {"G4set.exe", "g200clk.exe"}) {
    files.Put(JoinPath(FolderOf(files.ProgramPath()), tool), "MZ");
  }
  processes.on_batch = [this](const RecordingProcesses::BatchRun& run) {
    if (FolderOf(run.path) + "\\g4clk.bat" == run.path) {
      files.Put(FolderOf(run.path) + "\\g400.txt", clock_report);
    }
    return BatchOutcome::kEnded;
  };
}

void TestMachine::AddDisplayEntry(std::string_view number, std::string_view driver,
                                  std::string_view description) {
  const std::string entry = std::string(kDisplayClass) + "\\" + std::string(number);
  memory.PutString(HKLM, entry, "DriverDesc", description);
  memory.PutString(HKLM, entry + "\\DEFAULT", "drv", driver);
}

void TestMachine::AddMonitorEntry(std::string_view number, std::string_view description) {
  memory.PutString(HKLM, std::string(kMonitorClass) + "\\" + std::string(number), "DriverDesc",
                   description);
}

void TestMachine::SeedG400() {
  AddDisplayEntry("0000", "G400.drv");
  for (const char* sub_key : {"CPU", "DirectX", "Engine", "DAC", "GDI", "Monitor"}) {
    memory.CreateKey(HKLM, SubKey(sub_key));
  }
  AddMonitorEntry("0000", "Plug and Play Monitor");
}

std::string TestMachine::SettingsKey(std::string_view number) const {
  return std::string(kDisplayClass) + "\\" + std::string(number) + "\\Settings";
}

std::string TestMachine::SubKey(std::string_view sub_key, std::string_view number) const {
  return SettingsKey(number) + "\\" + std::string(sub_key);
}

std::vector<std::string> TestMachine::Boxes() const {
  std::vector<std::string> boxes;
  for (const auto& shown : dialogs.shown()) boxes.push_back(shown.caption + "|" + shown.text);
  return boxes;
}

}  // namespace korvane::testing
