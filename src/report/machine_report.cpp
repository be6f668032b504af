#include "report/machine_report.h"

#include "text/texts.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace korvane {
namespace {

using T = TextId;

constexpr std::string_view kNewline = "\r\n";

// Columns the text takes in a fixed-pitch font of the Japanese system:
// one for ASCII and half-width katakana, two for every other character.
std::size_t Columns(std::string_view text) {
  std::size_t columns = 0;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    std::uint32_t code = lead;
    if (length == 3 && i + 2 < text.size()) {
      code = ((lead & 0x0F) << 12) | ((static_cast<unsigned char>(text[i + 1]) & 0x3F) << 6) |
             (static_cast<unsigned char>(text[i + 2]) & 0x3F);
    }
    const bool half_width = length == 1 || (code >= 0xFF61 && code <= 0xFF9F);
    columns += half_width ? 1 : 2;
    i += length;
  }
  return columns;
}

class Writer {
 public:
  void Line(std::string_view text = {}) {
    text_ += text;
    text_ += kNewline;
  }
  // Labels of one block line up, their values after them.
  void Block(const std::vector<ReportLine>& lines, std::string_view indent = "  ") {
    std::size_t width = 0;
    for (const ReportLine& line : lines) width = std::max(width, Columns(line.label));
    for (const ReportLine& line : lines) {
      std::string text(indent);
      text += line.label;
      text.append(width - Columns(line.label), ' ');
      text += Text(T::kReportSeparator);
      text += line.value.empty() ? Text(T::kUnknown) : line.value;
      Line(text);
    }
  }
  std::string& text() { return text_; }

 private:
  std::string text_;
};

}  // namespace

std::string BuildReport(const MachineReport& report) {
  Writer out;
  out.Line(Text(T::kReportTitle));
  out.Block({{Text(T::kReportCreated), report.created}}, "");
  out.Line();
  out.Line(Text(T::kReportSystemHeading));
  std::vector<ReportLine> system = {{Text(T::kReportProgram), report.program},
                                    {Text(T::kReportOsName), report.os_name},
                                    {Text(T::kReportOsVersion), report.os_version},
                                    {Text(T::kReportOsRelease), report.os_release},
                                    {Text(T::kReportOsPlatform), report.os_platform}};
  if (!report.work_folder.empty()) {
    system.insert(system.begin() + 1, {Text(T::kReportWorkFolder), report.work_folder});
  }
  out.Block(system);
  out.Line();
  out.Line(Text(T::kReportProcessorHeading));
  std::vector<ReportLine> processor = {{Text(T::kReportCpuVendor), report.cpu_vendor},
                                       {Text(T::kReportCpuSignature), report.cpu_signature},
                                       {Text(T::kReportCpuName), report.cpu_name},
                                       {Text(T::kReportCpuDetail), report.cpu_detail},
                                       {Text(T::kReportCpuClock), report.cpu_clock}};
  processor.insert(processor.end(), report.cpu_features.begin(), report.cpu_features.end());
  out.Block(processor);
  out.Line();
  out.Line(Text(T::kReportCardHeading));
  out.Block({{Text(T::kReportBoard), report.board},
             {Text(T::kReportMonitor), report.monitor},
             {Text(T::kReportPlatform), report.platform},
             {Text(T::kReportAgpMode), report.agp_mode}});
  out.Line();
  out.Line(Text(T::kReportSettingsHeading));
  for (const ReportGroup& group : report.driver_settings) {
    out.Line("  " + group.caption);
    out.Block(group.lines, "    ");
  }
  out.Line();
  out.Line(Text(T::kReportClockHeading));
  std::vector<ReportLine> clocks = {{Text(T::kReportSystemClock), report.system_clock},
                                    {Text(T::kReportCoreClock), report.core_clock},
                                    {Text(T::kReportMemoryClock), report.memory_clock}};
  if (!report.clock_test.empty()) {
    clocks.push_back({Text(T::kReportClockTest), report.clock_test.front()});
  }
  out.Block(clocks);
  for (std::size_t i = 1; i < report.clock_test.size(); ++i) out.Line("    " + report.clock_test[i]);
  out.Line();
  out.Line(Text(T::kReportChipHeading));
  if (report.chip_figures.empty()) {
    out.Line(std::string("  ") + Text(T::kReportNoChipFigures));
  } else {
    out.Block(report.chip_figures);
  }
  if (!report.cpuid_lines.empty()) {
    out.Line();
    out.Line(Text(T::kReportCpuidHeading));
    for (const std::string& line : report.cpuid_lines) out.Line(line);
  }
  return std::move(out.text());
}

}  // namespace korvane
