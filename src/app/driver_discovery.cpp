#include "app/driver_discovery.h"

#include <array>

#include "text/texts.h"

namespace korvane {
namespace {

constexpr std::string_view kDisplayClass =
    "\\System\\CurrentControlSet\\Services\\Class\\Display\\";
constexpr std::string_view kMonitorClass =
    "\\System\\CurrentControlSet\\Services\\Class\\Monitor\\";

// Both scans go from the highest entry number down.
constexpr std::array<std::string_view, 11> kEntryNumbers = {
    "0010", "0009", "0008", "0007", "0006", "0005", "0004", "0003", "0002", "0001", "0000"};

struct BoardRule {
  std::size_t position;  // counted from 1
  char character;
  std::string_view board;
};

constexpr std::array<BoardRule, 4> kBoardRules = {{
    {24, 'D', "Matrox Millennium G400 DualHead"},
    {24, '-', "Matrox Millennium G400 SingleHead"},
    {17, '-', "Matrox G400 AGP"},
    {9, 'a', "Matrox Marvel G400 AGP"},
}};
constexpr std::string_view kDefaultBoard = "Matrox G400 AGP";

// Counted from 1; a text too short has no such character.
std::optional<char> CharacterAt(std::string_view text, std::size_t position) {
  if (position == 0 || position > text.size()) return std::nullopt;
  return text[position - 1];
}

}  // namespace

Status DiscoverDriver(Registry& registry, DriverLocation* location) {
  *location = DriverLocation();
  for (const std::string_view number : kEntryNumbers) {
    const std::string entry = std::string(kDisplayClass) + std::string(number);
    if (!registry.OpenKeyReadOnly(entry + "\\DEFAULT")) continue;
    ASSIGN_OR_RETURN(const std::string driver, registry.ReadString("drv"));
    if (driver != "G400.drv") continue;
    location->driver_key = entry;
    location->settings_key = entry + "\\Settings";
    // Read from the driver key itself; should it fail to open, the previous
    // key stays current, as with every failed open.
    registry.OpenKeyReadOnly(entry);
    ASSIGN_OR_RETURN(location->description, registry.ReadString("DriverDesc"));
  }
  return Status::Ok();
}

std::string BoardModel(std::string_view description) {
  for (const BoardRule& rule : kBoardRules) {
    if (CharacterAt(description, rule.position) == rule.character) return std::string(rule.board);
  }
  return std::string(kDefaultBoard);
}

Result<std::string> MonitorDescription(Registry& registry) {
  for (const std::string_view number : kEntryNumbers) {
    if (registry.OpenKeyReadOnly(std::string(kMonitorClass) + std::string(number))) {
      return registry.ReadString("DriverDesc");
    }
  }
  return std::string(Text(TextId::kUnknownMonitor));
}

std::optional<std::string> AgpModeText(const std::vector<std::string>& clock_report) {
  constexpr std::size_t kLine = 16;
  constexpr std::size_t kColumn = 16;
  if (clock_report.size() < kLine) return std::nullopt;
  const auto mode = CharacterAt(clock_report[kLine - 1], kColumn);
  if (!mode || *mode < '0' || *mode > '9') return std::nullopt;
  return "AGP " + std::string(1, *mode) + "x";
}

}  // namespace korvane
