// An operating system of the test's choosing; Windows 98 unless told.
#pragma once

#include <optional>

#include "platform/os_info.h"

namespace korvane {

class FakeOsInfo : public OsInfo {
 public:
  std::optional<OsVersion> Version() override { return version; }
  std::optional<OsVersion> version = OsVersion{kPlatformWindows, 4, 10};
};

}  // namespace korvane
