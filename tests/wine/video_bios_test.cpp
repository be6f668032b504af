// How the card's BIOS is read at C000:0000: by the system where it can,
// else in place once the whole range was found readable; never past the
// segment, never where the range is not readable.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "win32/win32_video_bios.h"

namespace korvane::win32 {
namespace {

bool g_system_reads = false;
bool g_readable = false;
UINT_PTR g_checked = 0;

BOOL WINAPI SystemRead(HANDLE process, LPCVOID from, LPVOID to, SIZE_T length, SIZE_T* read) {
  return g_system_reads && ReadProcessMemory(process, from, to, length, read);
}

BOOL WINAPI BadRead(const void*, UINT_PTR length) {
  g_checked = length;
  return !g_readable;
}

TEST(VideoBiosTest, ReadByTheSystemElseInPlaceOnceTheWholeRangeIsReadable) {
  // What the test's own process holds at C000:0000 stands for the card.
  // Wine keeps the first megabyte reserved, or leaves it free.
  void* const at = reinterpret_cast<void*>(0xC0000);
  void* bios = VirtualAlloc(at, 0x10000, MEM_COMMIT, PAGE_READWRITE);
  if (!bios) bios = VirtualAlloc(at, 0x10000, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
  ASSERT_EQ(bios, reinterpret_cast<void*>(0xC0000));
  static_cast<unsigned char*>(bios)[0] = 0x55;
  static_cast<unsigned char*>(bios)[0x7FFF] = 0xAA;
  const struct {
    bool system_reads, readable;
    std::size_t length;
    std::optional<BiosReadWay> way;  // none: refused
    UINT_PTR checked;
  } cases[] = {
      {true, true, 0x8000, BiosReadWay::kReadProcessMemory, 0},
      {false, true, 0x8000, BiosReadWay::kDirect, 0x8000},
      {false, false, 0x8000, std::nullopt, 0x8000},
      {true, true, 0x10001, std::nullopt, 0},  // past C000:FFFF
  };
  for (const auto& c : cases) {
    g_system_reads = c.system_reads;
    g_readable = c.readable;
    g_checked = 0;
    BiosReadWay way = BiosReadWay::kReadProcessMemory;
    const auto image = Win32VideoBios({SystemRead, BadRead}).Read(c.length, &way);
    EXPECT_EQ(image.has_value(), c.way.has_value()) << c.length;
    if (image && c.way) {
      EXPECT_EQ(way, *c.way);
      EXPECT_EQ(image->size(), c.length);
      EXPECT_EQ(static_cast<unsigned char>((*image)[0]), 0x55);
      EXPECT_EQ(static_cast<unsigned char>((*image)[0x7FFF]), 0xAA);
    }
    EXPECT_EQ(g_checked, c.checked) << "the range IsBadReadPtr was asked about";
  }
  VirtualFree(bios, 0x10000, MEM_DECOMMIT);
}

}  // namespace
}  // namespace korvane::win32
