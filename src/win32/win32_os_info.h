// The operating system's version through the system.
#pragma once

#include <windows.h>

#include <optional>

#include "platform/os_info.h"

namespace korvane::win32 {

class Win32OsInfo : public OsInfo {
 public:
  std::optional<OsVersion> Version() override;
};

}  // namespace korvane::win32
