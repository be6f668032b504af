#include "win32/win32_video_bios.h"

#include <windows.h>

namespace korvane::win32 {
namespace {

// Where Windows 95/98 shadow the primary display's BIOS, C000:0000.
constexpr ULONG_PTR kVideoBiosAddress = 0xC0000;

}  // namespace

// ReadProcessMemory checks the whole range before it copies a byte and
// fails where any of it is not readable, as it has since Windows 95: a
// plain read would fault under Windows NT, and the program has no handler
// for faults. The process is its own: the pseudo-handle has every access.
std::optional<std::string> Win32VideoBios::Read(std::size_t length) {
  std::string bytes(length, '\0');
  SIZE_T read = 0;
  if (!ReadProcessMemory(GetCurrentProcess(), reinterpret_cast<LPCVOID>(kVideoBiosAddress),
                         bytes.data(), length, &read) ||
      read != length) {
    return std::nullopt;
  }
  return bytes;
}

}  // namespace korvane::win32
