#include "win32/win32_os_info.h"

#include <windows.h>

#include "win32/text_encoding.h"

namespace korvane::win32 {

std::optional<OsVersion> Win32OsInfo::Version() {
  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof(info);  // 148 bytes: what Windows 95 accepts
  if (!GetVersionExA(&info)) return std::nullopt;
  // Windows 95/98 keep the major and minor version in the build number's
  // high word.
  const DWORD build = info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS ? LOWORD(info.dwBuildNumber)
                                                                      : info.dwBuildNumber;
  return OsVersion{info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion, build,
                   FromAnsi(info.szCSDVersion)};
}

}  // namespace korvane::win32
