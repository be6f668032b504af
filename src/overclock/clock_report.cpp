#include "overclock/clock_report.h"

#include <optional>

#include "text/texts.h"

namespace korvane {
namespace {

constexpr std::size_t kSystemClockLine = 11;
constexpr std::size_t kClocksLine = 13;
constexpr std::uint32_t kStatusQuerySliceMs = 500;

// One column of the system clock as a digit; a blank counts 0 where
// `blank_is_zero`.
Result<int> Digit(const ClockReport& report, std::size_t column, bool blank_is_zero) {
  const std::string text = ReportField(report, kSystemClockLine, column, column);
  if (blank_is_zero && text == " ") return 0;
  if (text.size() != 1 || text[0] < '0' || text[0] > '9') return NotAnIntegerError(text);
  return text[0] - '0';
}

}  // namespace

ClockReport SplitLines(std::string_view text) {
  ClockReport lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
  }
  return lines;
}

std::string_view LineAt(const std::vector<std::string>& text, std::size_t index) {
  return index < text.size() ? std::string_view(text[index]) : std::string_view();
}

std::string_view Characters(std::string_view line, std::size_t first, std::size_t last) {
  if (first == 0 || first > line.size() || last < first) return std::string_view();
  return line.substr(first - 1, last - first + 1);
}

std::string ReportField(const ClockReport& report, std::size_t line, std::size_t first,
                        std::size_t last) {
  if (line == 0) return std::string();
  return std::string(Characters(LineAt(report, line - 1), first, last));
}

ReportedClocks ReadReportedClocks(const ClockReport& report) {
  return {ReportField(report, kClocksLine, 1, 3), ReportField(report, kClocksLine, 9, 11),
          ReportField(report, kClocksLine, 13, 15), ReportField(report, kClocksLine, 21, 23)};
}

Result<int> ReadReportedSystemClock(const ClockReport& report) {
  ASSIGN_OR_RETURN(const int hundreds, Digit(report, 23, true));
  ASSIGN_OR_RETURN(const int tens, Digit(report, 24, false));
  ASSIGN_OR_RETURN(const int units, Digit(report, 25, false));
  ASSIGN_OR_RETURN(const int decimal, Digit(report, 27, false));
  return hundreds * 100 + tens * 10 + units + (decimal >= 5 ? 1 : 0);
}

Status NotAnIntegerError(std::string_view text) {
  return Status::Error(Format(TextId::kNotAnInteger, {text}));
}

Status QueryClockTool(BatchRunner& runner, FileSystem& files, std::string_view folder,
                      std::uint32_t limit_ms, ClockReport* report) {
  report->clear();
  const std::string output = JoinPath(folder, "g400.txt");
  const std::string line = CommandPath(JoinPath(folder, "g4set.exe")) + " > " + CommandPath(output);
  ASSIGN_OR_RETURN(const BatchOutcome outcome,
                   runner.Run(folder, "g4clk.bat", line, kStatusQuerySliceMs, limit_ms));
  if (outcome != BatchOutcome::kEnded) return Status::Ok();
  const std::optional<std::string> bytes = files.Read(output);
  if (!bytes) return CannotOpenFileError(output);
  *report = SplitLines(files.FromSystemText(*bytes));
  return Status::Ok();
}

}  // namespace korvane
