// The clock model of the Overclock tab: the dividers that give the core and
// memory clocks from the system clock, the two clock tools and the command
// lines that set the chip's clocks with them.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace korvane {

// The system clock the user may choose, in MHz.
inline constexpr int kMinSystemClock = 100;
inline constexpr int kMaxSystemClock = 400;
inline constexpr int kInitialSystemClock = 250;

// The divider lists in item order; the two lists differ in order.
inline constexpr std::array<std::string_view, 6> kCoreDividers = {"1/2", "1/1", "1/3",
                                                                  "2/3", "2/5", "4/9"};
inline constexpr std::array<std::string_view, 6> kMemoryDividers = {"2/3", "1/1", "1/2",
                                                                    "1/3", "2/5", "4/9"};

// The clock a divider gives at a system clock: divided first, then
// multiplied, truncating, as the chip's clock generator does; so 251 MHz
// with "2/3" gives 166. Empty for a text that is no divider of the lists.
std::optional<int> DividedClock(std::string_view divider, int system_mhz);

enum class ClockTool { kG4set = 0, kG200clk = 1 };

inline constexpr std::string_view kG4setName = "G4set.exe";
inline constexpr std::string_view kG200clkName = "g200clk.exe";

// The tool a stored tool path stands for: G4set.exe only when the path's
// file name is exactly "G4set.exe", case included.
ClockTool ToolNamedBy(std::string_view tool_path);

// G200clk.exe is given twice the system clock and takes 125 to 200 MHz.
inline constexpr int kG200clkMinSystemClock = 125;
inline constexpr int kG200clkMaxSystemClock = 200;
bool ToolTakes(ClockTool tool, int system_mhz);

// The command line that sets the chip's clocks with a tool; empty when the
// tool cannot set that system clock. G4set.exe always gets "1/2" as its
// third divider.
std::optional<std::string> ClockToolCommand(ClockTool tool, std::string_view tool_path,
                                            int system_mhz, std::string_view core_divider,
                                            std::string_view memory_divider);

// The clocks the chip runs at, as texts such as "250MHz"; empty where the
// clock tool's report has no figure.
struct RunningClocks {
  std::string system;
  std::string core;
  std::string memory;
};

// A system clock and the two dividers, as sent to the clock tool.
struct SetClocks {
  int system_mhz;
  std::string core_divider;
  std::string memory_divider;
};

// A clock as the labels show it: "125MHz"; one nobody could read "---MHz",
// as the Other tab's before its measurement.
std::string MegahertzText(int mhz);
std::string MegahertzText(std::string_view mhz);

}  // namespace korvane
