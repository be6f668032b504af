#include "report/machine_report.h"

#include "report/report_texts.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace korvane {
namespace {

using namespace report_texts;

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
      text += "：";
      text += line.value.empty() ? kUnknown : line.value;
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
  out.Line(kTitle);
  out.Block({{kCreated, report.created}}, "");
  out.Line();
  out.Line(kSystemHeading);
  out.Block({{kProgram, report.program},
             {kOsName, report.os_name},
             {kOsVersion, report.os_version},
             {kOsPlatform, report.os_platform}});
  out.Line();
  out.Line(kProcessorHeading);
  std::vector<ReportLine> processor = {{kCpuVendor, report.cpu_vendor},
                                       {kCpuSignature, report.cpu_signature},
                                       {kCpuName, report.cpu_name},
                                       {kCpuDetail, report.cpu_detail},
                                       {kCpuClock, report.cpu_clock}};
  processor.insert(processor.end(), report.cpu_features.begin(), report.cpu_features.end());
  out.Block(processor);
  out.Line();
  out.Line(kCardHeading);
  out.Block({{kBoard, report.board},
             {kMonitor, report.monitor},
             {kPlatform, report.platform},
             {kAgpMode, report.agp_mode}});
  out.Line();
  out.Line(kSettingsHeading);
  for (const ReportGroup& group : report.driver_settings) {
    out.Line("  " + group.caption);
    out.Block(group.lines, "    ");
  }
  out.Line();
  out.Line(kClockHeading);
  out.Block({{kSystemClock, report.system_clock},
             {kCoreClock, report.core_clock},
             {kMemoryClock, report.memory_clock}});
  out.Line();
  out.Line(kChipHeading);
  if (report.chip_specification.empty()) {
    out.Line(std::string("  ") + kNoChipSpecification);
  } else {
    out.Block(report.chip_specification);
  }
  return std::move(out.text());
}

}  // namespace korvane
