// The card's BIOS at C000:0000: read by the system where it can, else in
// place once the whole range is found readable; never past C000:FFFF.
#include <gtest/gtest.h>

#include <string>

#include "win32/win32_video_bios.h"

namespace korvane::win32 {
namespace {

bool g_system_reads, g_readable;
UINT_PTR g_checked;

BOOL WINAPI SystemRead(HANDLE process, LPCVOID from, LPVOID to, SIZE_T length, SIZE_T* read) {
  return g_system_reads && ReadProcessMemory(process, from, to, length, read);
}
BOOL WINAPI BadRead(const void*, UINT_PTR length) {
  g_checked = length;
  return !g_readable;
}

TEST(VideoBiosTest, ReadByTheSystemElseInPlaceOnceTheWholeRangeIsReadable) {
  // The test's own C000:0000, which Wine keeps reserved or leaves free.
  void* const at = reinterpret_cast<void*>(0xC0000);
  void* bios = VirtualAlloc(at, 0x10000, MEM_COMMIT, PAGE_READWRITE);
  if (!bios) bios = VirtualAlloc(at, 0x10000, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
  ASSERT_EQ(bios, at);
  static_cast<char*>(bios)[0x7FFF] = 'G';
  const struct {
    bool system_reads, readable;
    std::size_t length;
    int way;  // -1: refused
    UINT_PTR checked;
  } cases[] = {{true, true, 0x8000, int(BiosReadWay::kReadProcessMemory), 0},
               {false, true, 0x8000, int(BiosReadWay::kDirect), 0x8000},
               {false, false, 0x8000, -1, 0x8000},
               {true, true, 0x10001, -1, 0}};
  for (const auto& c : cases) {
    g_system_reads = c.system_reads;
    g_readable = c.readable;
    g_checked = 0;
    BiosReadWay way{};
    const auto image = Win32VideoBios({SystemRead, BadRead}).Read(c.length, &way);
    EXPECT_EQ(image ? int(way) : -1, c.way) << c.length;
    EXPECT_EQ(image.value_or(std::string(0x8000, 'G')).substr(0x7FFF, 1), "G");
    EXPECT_EQ(g_checked, c.checked) << "the range IsBadReadPtr was asked about";
  }
  VirtualFree(bios, 0x10000, MEM_DECOMMIT);
}

}  // namespace
}  // namespace korvane::win32
