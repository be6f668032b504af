// The operating-system version query.
#pragma once

#include <cstdint>
#include <optional>

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
};

class OsInfo {
 public:
  virtual ~OsInfo() = default;
  // Empty when the query fails.
  virtual std::optional<OsVersion> Version() = 0;
};

}  // namespace korvane
