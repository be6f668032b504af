#include "overclock/clock_model.h"

#include "files/paths.h"

namespace korvane {
namespace {

struct Divider {
  std::string_view text;
  int multiplier;
  int divisor;
};

constexpr std::array<Divider, 6> kDividers = {{
    {"1/2", 1, 2},
    {"1/1", 1, 1},
    {"1/3", 1, 3},
    {"2/3", 2, 3},
    {"2/5", 2, 5},
    {"4/9", 4, 9},
}};

}  // namespace

std::optional<int> DividedClock(std::string_view divider, int system_mhz) {
  for (const Divider& d : kDividers) {
    if (d.text == divider) return system_mhz / d.divisor * d.multiplier;
  }
  return std::nullopt;
}

ClockTool ToolNamedBy(std::string_view tool_path) {
  const std::size_t cut = tool_path.find_last_of("\\:");
  const std::string_view file =
      cut == std::string_view::npos ? tool_path : tool_path.substr(cut + 1);
  return file == kG4setName ? ClockTool::kG4set : ClockTool::kG200clk;
}

bool ToolTakes(ClockTool tool, int system_mhz) {
  return tool == ClockTool::kG4set ||
         (system_mhz >= kG200clkMinSystemClock && system_mhz <= kG200clkMaxSystemClock);
}

std::optional<std::string> ClockToolCommand(ClockTool tool, std::string_view tool_path,
                                            int system_mhz, std::string_view core_divider,
                                            std::string_view memory_divider) {
  if (!ToolTakes(tool, system_mhz)) return std::nullopt;
  std::string command = CommandPath(tool_path);
  if (tool == ClockTool::kG200clk) return command + " /1 " + std::to_string(2 * system_mhz);
  command += " -sclk " + std::to_string(system_mhz) + " -div ";
  command += core_divider;
  command += ' ';
  command += memory_divider;
  return command + " 1/2";
}

std::string MegahertzText(int mhz) { return std::to_string(mhz) + "MHz"; }

std::string MegahertzText(std::string_view mhz) {
  return std::string(mhz.empty() ? "---" : mhz) + "MHz";
}

}  // namespace korvane
