// The clock tool report: what G4set.exe printed at start-up, kept for the
// whole run as logical lines, and the fields read from fixed lines and
// columns of it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "files/text_lines.h"
#include "platform/file_system.h"
#include "platform/status.h"
#include "runner/batch_runner.h"

namespace korvane {

// Read with Field (files/text_lines.h): line and columns counted from 1.
using ClockReport = TextLines;

// Line 13: the dividers and the clocks they give, as the tool prints them;
// a clock that is not a number is empty.
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

// The status query: runs `folder\g4set.exe > work_folder\g400.txt` through
// `g4clk.bat`, which goes into the work folder too, and loads the output as
// the report. A tool that is missing, does not start, does not end within
// `limit_ms` (it is ended then), cannot be waited for or ended, or prints
// nothing, and a batch file that cannot be written, leave the report empty
// and say why in `failure`; a report without the clocks is kept, and
// `failure` quotes it. An output file that cannot be opened is an error.
Status QueryClockTool(BatchRunner& runner, FileSystem& files, std::string_view folder,
                      std::string_view work_folder, std::uint32_t limit_ms, ClockReport* report,
                      std::string* failure);

}  // namespace korvane
