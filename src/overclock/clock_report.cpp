#include "overclock/clock_report.h"

#include <optional>

#include "files/file_errors.h"
#include "files/paths.h"
#include "text/texts.h"

namespace korvane {
namespace {

constexpr std::size_t kSystemClockLine = 11;
constexpr std::size_t kClocksLine = 13;
constexpr std::uint32_t kStatusQuerySliceMs = 500;

// One column of the system clock as a digit; a blank counts 0 where
// `blank_is_zero`.
Result<int> Digit(const ClockReport& report, std::size_t column, bool blank_is_zero) {
  const std::string text = Field(report, kSystemClockLine, column, column);
  if (blank_is_zero && text == " ") return 0;
  if (text.size() != 1 || text[0] < '0' || text[0] > '9') return NotAnIntegerError(text);
  return text[0] - '0';
}

// A clock of line 13 as printed, right-aligned; empty unless it is a
// number, so that no other text is shown as a clock.
std::string ClockColumns(const ClockReport& report, std::size_t first) {
  std::string clock = Field(report, kClocksLine, first, first + 2);
  const std::size_t digits = clock.find_first_not_of(' ');
  if (digits == std::string::npos ||
      clock.find_first_not_of("0123456789", digits) != std::string::npos) {
    clock.clear();
  }
  return clock;
}

}  // namespace

ReportedClocks ReadReportedClocks(const ClockReport& report) {
  return {Field(report, kClocksLine, 1, 3), ClockColumns(report, 9),
          Field(report, kClocksLine, 13, 15), ClockColumns(report, 21)};
}

Result<int> ReadReportedSystemClock(const ClockReport& report) {
  ASSIGN_OR_RETURN(const int hundreds, Digit(report, 23, true));
  ASSIGN_OR_RETURN(const int tens, Digit(report, 24, false));
  ASSIGN_OR_RETURN(const int units, Digit(report, 25, false));
  ASSIGN_OR_RETURN(const int decimal, Digit(report, 27, false));
  return hundreds * 100 + tens * 10 + units + (decimal >= 5 ? 1 : 0);
}

Status QueryClockTool(BatchRunner& runner, FileSystem& files, std::string_view folder,
                      std::string_view work_folder, std::uint32_t limit_ms, ClockReport* report,
                      std::string* failure) {
  report->clear();
  failure->clear();
  const std::string tool = JoinPath(folder, "g4set.exe");
  const std::string output = JoinPath(work_folder, "g400.txt");
  const ToolRun run{tool, "g4clk.bat", CommandPath(tool) + " > " + CommandPath(output),
                    kStatusQuerySliceMs, output};
  const Result<RunEnd> ran = runner.RunBounded(work_folder, run, limit_ms);
  // A folder that takes no file leaves the clocks unread, which the status
  // bar says, and the rest of the window works.
  if (!ran.ok()) {
    *failure = ran.status().message();
    return Status::Ok();
  }
  const RunEnd end = ran.value();
  switch (end) {
    case RunEnd::kEnded:
      break;
    case RunEnd::kStopped:
      *failure = Format(TextId::kToolTimedOut, {FileName(tool), std::to_string(limit_ms / 1000)});
      return Status::Ok();
    case RunEnd::kToolMissing:
    case RunEnd::kNotStarted:
    case RunEnd::kWaitFailed:
    case RunEnd::kNotEnded:
      *failure = runner.FailureText(end, run);
      return Status::Ok();
  }
  const std::optional<std::string> bytes = files.Read(output);
  if (!bytes) return CannotOpenFileError(output);
  *report = SplitLines(files.FromSystemText(*bytes));
  if (report->empty()) {
    *failure = Format(TextId::kNoClockReport, {FileName(tool)});
    return Status::Ok();
  }
  // A tool that found no card prints why instead of the clocks: the user
  // reads what it said.
  const ReportedClocks clocks = ReadReportedClocks(*report);
  if (!ReadReportedSystemClock(*report).ok() || clocks.core_clock.empty() ||
      clocks.memory_clock.empty()) {
    *failure = Format(TextId::kUnreadableClockReport, {FileName(tool), FirstLine(*report)});
  }
  return Status::Ok();
}

}  // namespace korvane
