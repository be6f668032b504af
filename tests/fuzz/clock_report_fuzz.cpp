// libFuzzer target for the clock tool's report: whatever G4set.exe (or a
// tool in its place) printed, the fields read from fixed lines and columns
// stay within their columns, and the system clock is a number or the
// error that names what stands in its place.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/driver_discovery.h"
#include "fuzz_check.h"
#include "overclock/clock_report.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korvane;
  using fuzz::Check;
  const ClockReport report =
      SplitLines(std::string_view(reinterpret_cast<const char*>(data), size));
  const ReportedClocks clocks = ReadReportedClocks(report);
  Check(clocks.core_divider.size() <= 3 && clocks.core_clock.size() <= 3 &&
        clocks.memory_divider.size() <= 3 && clocks.memory_clock.size() <= 3);
  const Result<int> system = ReadReportedSystemClock(report);
  if (system.ok()) {
    Check(system.value() >= 0 && system.value() <= 1000);
    Check(Field(report, 11, 24, 25).size() == 2);
  } else {
    Check(!system.status().message().empty());
  }
  if (const auto mode = AgpModeText(report)) Check(mode->size() == 6);
  for (std::size_t line = 0; line <= report.size() + 1; ++line) {
    Check(Field(report, line, 4, 7).size() <= 4);
  }
  return 0;
}
