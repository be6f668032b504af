// The local date and time through the system.
#pragma once

#include <windows.h>

#include "platform/wall_clock.h"

namespace korvane::win32 {

class Win32WallClock : public WallClock {
 public:
  LocalTime Now() override;
};

}  // namespace korvane::win32
