// The fixture of the end-to-end tests: a clean simulated machine per test,
// and the real korvane.exe started on it.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "driver/korvane_process.h"
#include "driver/registry_tools.h"
#include "driver/stand_ins.h"

namespace e2e {

inline constexpr char kDisplayClass[] = "System\\CurrentControlSet\\Services\\Class\\Display";
inline constexpr char kMonitorClass[] = "System\\CurrentControlSet\\Services\\Class\\Monitor";
inline constexpr char kPowerDesk5[] = "Software\\Matrox\\PowerDesk\\Version5\\CurrentSettings";
inline constexpr char kPowerDeskCurrent[] = "Software\\Matrox\\PowerDesk\\Current Settings";
inline constexpr char kProgramKey[] = "Ostrel\\Korvane";
inline constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\run";
inline constexpr char kDualHead[] = "Matrox Millennium G400 DualHead - English";

class KorvaneTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A display-class entry whose DEFAULT key names `driver`, with its
  // (empty) settings sub-keys.
  void AddDisplayEntry(const std::string& number, const std::string& driver,
                       const std::string& description);
  // A G400 DualHead at entry 0000 and a monitor.
  void SeedG400();
  std::string SubKey(const std::string& sub_key, const std::string& number = "0000") const;
  std::string Stored(const std::string& sub_key, const std::string& name) const;
  // Makes Wine report a Windows NT version to korvane.exe.
  void PretendWindowsNt();

  // Starts korvane.exe and waits for its main window and the clock tool's
  // report.
  Korvane& Start();
  // Until the General tab no longer says the report is being read.
  void WaitForClockReport();
  // Ends the running program with its exit button and starts it again.
  Korvane& Restart();
  HWND Main(const std::string& name) const { return korvane->Control(main, name); }
  // Expects a message box with this caption and text and presses a button.
  void ExpectBox(const std::string& caption, const std::string& text, int button = IDOK);

  std::unique_ptr<Korvane> korvane;
  HWND main = nullptr;
};

enum Tab { kGeneralTab = 0, kRegistryTab = 1, kChipTab = 2, kOverclockTab = 3, kOtherTab = 4 };

}  // namespace e2e
