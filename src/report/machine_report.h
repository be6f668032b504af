// The text report of the machine: what the program knows about the card,
// the processor, the system and the driver settings, for a user to hand to
// whoever helps them.
#pragma once

#include <string>
#include <vector>

namespace korvane {

struct ReportLine {
  std::string label;
  std::string value;
};

struct ReportGroup {
  std::string caption;
  std::vector<ReportLine> lines;
};

// What the report shows, as plain texts. An empty text is shown as unknown.
struct MachineReport {
  std::string created;  // date and time
  std::string program;  // name and version

  std::string os_platform;  // the platform the OS query reports
  std::string os_name;      // the system's name, when it is known
  std::string os_version;   // major.minor
  std::string os_release;   // the exact release, with its build
  // Where the program writes its files when its own folder takes none;
  // empty when it writes there.
  std::string work_folder;

  std::string cpu_vendor;     // company, and the CPUID vendor string
  std::string cpu_signature;  // family, model and stepping
  std::string cpu_name;
  std::string cpu_detail;
  std::string cpu_clock;                 // as measured
  std::vector<ReportLine> cpu_features;  // each instruction set and whether it is there

  std::string board;
  std::string monitor;
  std::string platform;  // the socket or slot
  std::string agp_mode;

  // The Registry tab: its frames, each control's caption and state.
  std::vector<ReportGroup> driver_settings;

  // The overclock tab: the clocks the chip runs at.
  std::string system_clock;
  std::string core_clock;
  std::string memory_clock;
  // The last clock test of this run: its clocks, or that none ran, then
  // what it found, a line each.
  std::vector<std::string> clock_test;

  // The decoded chip figures; empty when no PIN file was read.
  std::vector<ReportLine> chip_figures;

  // The processor's CPUID leaves, a line each as support's tool reads them
  // back; empty without CPUID.
  std::vector<std::string> cpuid_lines;
};

// The report as text, a CR LF after every line.
std::string BuildReport(const MachineReport& report);

}  // namespace korvane
