// The clock tool report: what G4set.exe printed at start-up, kept for the
// whole run as logical lines, and the fields read from fixed lines and
// columns of it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "overclock/batch_runner.h"
#include "platform/file_system.h"
#include "platform/status.h"

namespace korvane {

using ClockReport = std::vector<std::string>;

// Lines ended by CR LF, LF or CR, without their ends; a final line end
// starts no further line.
ClockReport SplitLines(std::string_view text);

// The line at `index` (counted from 0) of a text kept as lines; past the
// last line, an empty one.
std::string_view LineAt(const std::vector<std::string>& text, std::size_t index);
// Characters `first` to `last` (counted from 1) of a line, cut at its end.
std::string_view Characters(std::string_view line, std::size_t first, std::size_t last);

// Characters `first` to `last` of line `line`, all counted from 1: as much
// of them as the line holds, so a missing line or one that ends before
// `first` gives an empty field.
std::string ReportField(const ClockReport& report, std::size_t line, std::size_t first,
                        std::size_t last);

// Line 13: the dividers and the clocks they give, as the tool prints them.
struct ReportedClocks {
  std::string core_divider;    // columns 1-3
  std::string core_clock;      // columns 9-11
  std::string memory_divider;  // columns 13-15
  std::string memory_clock;    // columns 21-23
};
ReportedClocks ReadReportedClocks(const ClockReport& report);

// Line 11: the system clock in whole MHz, rounded at its first decimal.
// Column 23 holds the hundreds (a blank for none), 24 and 25 the tens and
// units, 27 the first decimal. A column that is not a digit is the error
// that its text is not an integer.
Result<int> ReadReportedSystemClock(const ClockReport& report);

// "'%s' is not a valid integer value", in the program's language.
Status NotAnIntegerError(std::string_view text);

// The status query: runs `folder\g4set.exe > folder\g400.txt` through
// `g4clk.bat` and loads the output as the report. The wait is bounded by
// `limit_ms`; a tool that does not start or does not end in time leaves
// the report empty. A batch file that cannot be written, or an output file
// that cannot be opened, is an error.
Status QueryClockTool(BatchRunner& runner, FileSystem& files, std::string_view folder,
                      std::uint32_t limit_ms, ClockReport* report);

}  // namespace korvane
