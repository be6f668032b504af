// A simulated machine for unit tests: in-memory registry, scripted message
// boxes, recorded processes, a Windows 98 version, the program folder, and a
// Pentium III with a millisecond timer.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/fakes/fake_file_system.h"
#include "platform/fakes/fake_os_info.h"
#include "platform/fakes/fake_processor.h"
#include "platform/fakes/fake_timer.h"
#include "platform/fakes/fake_video_bios.h"
#include "platform/fakes/fake_video_memory.h"
#include "platform/fakes/fake_wall_clock.h"
#include "platform/fakes/faulty_registry_store.h"
#include "platform/fakes/manual_scheduler.h"
#include "platform/fakes/memory_registry_store.h"
#include "platform/fakes/recording_clipboard.h"
#include "platform/fakes/recording_processes.h"
#include "platform/fakes/scripted_dialogs.h"
#include "platform/services.h"
#include "ui/form.h"

namespace korvane::testing {

constexpr RegistryRoot HKLM = RegistryRoot::kLocalMachine;
constexpr RegistryRoot HKCU = RegistryRoot::kCurrentUser;

inline constexpr char kDisplayClass[] = "System\\CurrentControlSet\\Services\\Class\\Display";
inline constexpr char kMonitorClass[] = "System\\CurrentControlSet\\Services\\Class\\Monitor";
inline constexpr char kDualHeadDescription[] = "Matrox Millennium G400 DualHead - English";
inline constexpr char kPowerDesk5[] = "Software\\Matrox\\PowerDesk\\Version5\\CurrentSettings";
inline constexpr char kPowerDeskCurrent[] = "Software\\Matrox\\PowerDesk\\Current Settings";
inline constexpr char kProgramKey[] = "Ostrel\\Korvane";

// What the simulated G400's clock tool prints for its status query: the
// system clock on line 11, dividers and clocks on line 13, the AGP mode on
// line 16.
extern const char kSimulatedClockReport[];

struct TestMachine {
  // Plays the clock tool: a status query writes `clock_report` as the
  // tool's output; every other run ends having done nothing.
  TestMachine();

  MemoryRegistryStore memory;
  // Writes of a chosen value name can be made to fail.
  FaultyRegistryStore registry{memory};
  ScriptedDialogs dialogs;
  RecordingProcesses processes;
  FakeFileSystem files;
  FakeOsInfo os;
  FakeProcessor processor;
  FakeTimer timer;
  FakeWallClock clock;
  RecordingClipboard clipboard;
  ManualScheduler scheduler;
  FakeVideoBios video_bios;
  FakeVideoMemory video_memory;
  Services services{registry, dialogs, processes, files,     os,        processor,
                    timer,    clock,   clipboard, scheduler, video_bios, video_memory};
  std::string clock_report = kSimulatedClockReport;

  // A display-class entry whose "DEFAULT" key names `driver`.
  void AddDisplayEntry(std::string_view number, std::string_view driver,
                       std::string_view description = kDualHeadDescription);
  void AddMonitorEntry(std::string_view number, std::string_view description);
  // A G400 at entry 0000 with its settings sub-keys, and a monitor.
  void SeedG400();

  std::string SettingsKey(std::string_view number = "0000") const;
  std::string SubKey(std::string_view sub_key, std::string_view number = "0000") const;

  // The boxes shown so far, as "caption|text".
  std::vector<std::string> Boxes() const;
};

// Collects the error boxes a form would show.
class RecordingErrors : public ui::ErrorReporter {
 public:
  void ReportError(const std::string& message) override { errors.push_back(message); }
  std::vector<std::string> errors;
};

}  // namespace korvane::testing
