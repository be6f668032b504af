// libFuzzer target for the card read: any bytes, taken as a BIOS image read
// from C000:0000, are refused with a reason or give the tool's layout, whose
// field lines give back the block's 128 bytes exactly.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "pin/bios_image.h"
#include "unit/pin/bios_sample.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korvane;
  using fuzz::Check;
  const std::string_view image(reinterpret_cast<const char*>(data), size);
  const CardPin read = CardPinFromImage(image);
  Check(read.text.empty() == read.refused.has_value());
  Check(read.refusal.empty() == !read.refused.has_value());
  if (read.refused) return 0;
  Check(read.text.size() == 84);
  const std::size_t pins =
      static_cast<unsigned char>(image[0x7FFC]) | static_cast<unsigned char>(image[0x7FFD]) << 8;
  Check(testing::PinsBytes(read.text) == image.substr(pins, 128));
  return 0;
}
