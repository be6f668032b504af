// Finding the Matrox display driver's registry entry, naming the board, the
// monitor and the AGP mode.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/status.h"
#include "registry/registry.h"

namespace korvane {

struct DriverLocation {
  std::string driver_key;    // "\System\...\Class\Display\NNNN", or empty
  std::string settings_key;  // driver key + "\Settings", or empty
  std::string description;   // "DriverDesc" of the driver key

  bool found() const { return !driver_key.empty(); }
};

// Scans the display-class entries "0010" down to "0000" on a handle rooted at
// HKEY_LOCAL_MACHINE. The scan never stops early: the last entry whose
// "DEFAULT" key names exactly "G400.drv" wins. A read error ends the scan
// with `location` as far as it got.
Status DiscoverDriver(Registry& registry, DriverLocation* location);

// The board named by characters of the driver description.
std::string BoardModel(std::string_view description);

// The description of the highest-numbered monitor entry, or the text for an
// unknown monitor.
Result<std::string> MonitorDescription(Registry& registry);

// "AGP " + the 16th character of the report's 16th line + "x"; nothing when
// the report has no such character or it is no digit.
std::optional<std::string> AgpModeText(const std::vector<std::string>& clock_report);

}  // namespace korvane
