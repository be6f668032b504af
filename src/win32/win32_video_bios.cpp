#include "win32/win32_video_bios.h"

namespace korvane::win32 {
namespace {

// Where Windows 95/98 keep the primary display's BIOS, C000:0000, and the
// end of that segment: nothing past it is ever touched.
constexpr ULONG_PTR kVideoBiosAddress = 0xC0000;
constexpr std::size_t kSegmentLength = 0x10000;

}  // namespace

// First the system is asked to copy the range: ReadProcessMemory fails
// rather than faults where the range is not readable (under Windows NT
// nothing is mapped there). Nothing public says that Windows 95/98 let it
// read the first megabyte, which Microsoft calls "not accessible to Win32
// processes" (KB Q125691), while period tools that ran there read it
// through a plain pointer. So where the system refuses, the whole range is
// checked with IsBadReadPtr, which catches the fault itself and needs no
// handler of the program's, and only then read in place, a byte at a time
// through a volatile pointer, so that the compiler makes neither more nor
// wider reads of it. Nothing is ever written there.
std::optional<std::string> Win32VideoBios::Read(std::size_t length, BiosReadWay* way) {
  if (length == 0 || length > kSegmentLength) return std::nullopt;
  const auto* const bios = reinterpret_cast<const void*>(kVideoBiosAddress);
  std::string bytes(length, '\0');
  SIZE_T read = 0;
  if (calls_.read_process_memory(GetCurrentProcess(), bios, bytes.data(), length, &read) &&
      read == length) {
    *way = BiosReadWay::kReadProcessMemory;
    return bytes;
  }
  if (calls_.is_bad_read_ptr(bios, length)) return std::nullopt;
  const volatile unsigned char* const in_place = static_cast<const volatile unsigned char*>(bios);
  for (std::size_t i = 0; i < length; ++i) bytes[i] = static_cast<char>(in_place[i]);
  *way = BiosReadWay::kDirect;
  return bytes;
}

}  // namespace korvane::win32
