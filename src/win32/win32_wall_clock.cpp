#include "win32/win32_wall_clock.h"

#include <windows.h>

namespace korvane::win32 {

LocalTime Win32WallClock::Now() {
  SYSTEMTIME time = {};
  GetLocalTime(&time);
  return LocalTime{time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond};
}

}  // namespace korvane::win32
