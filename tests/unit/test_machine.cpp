#include "unit/test_machine.h"

namespace korvane::testing {

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
