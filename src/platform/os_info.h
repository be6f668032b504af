// The operating-system version query.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace korvane {

// Platform identifiers as the system reports them.
enum : std::uint32_t {
  kPlatformWin32s = 0,
  kPlatformWindows = 1,  // Windows 95, 98 and Me
  kPlatformWindowsNt = 2,
};

struct OsVersion {
  std::uint32_t platform_id = 0;
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  // The build number (Windows 95/98/Me keep it in the low word) and the
  // release letter's text, such as " B" for Windows 95 OSR2.
  std::uint32_t build = 0;
  std::string service = std::string();
};

class OsInfo {
 public:
  virtual ~OsInfo() = default;
  // Empty when the query fails.
  virtual std::optional<OsVersion> Version() = 0;
};

}  // namespace korvane
