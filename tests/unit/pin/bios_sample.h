// BIOS images of the simulated card as a G400 shadows them at C000:0000,
// built from the PIN file its BIOS tool prints (bytes 0 to 37 a real
// DualHead's) with the PCI data structure and the PInS pointer where the
// drivers look for them.
#pragma once

#include <cstddef>
#include <string>

#include "unit/pin/pin_sample.h"

namespace korvane::testing {

inline constexpr std::size_t kSamplePciData = 0x60;
inline constexpr std::size_t kSamplePinsAt = 0x7E00;

// The 128 bytes a PIN text's field lines give back ("offset size value":
// little-endian numbers, texts padded with NULs), balanced by byte 127
// unless the text has its own.
inline std::string PinsBytes(const PinText& pin) {
  std::string bytes(128, '\0');
  bool checksum = false;
  for (std::size_t i = 8; i < pin.size(); ++i) {
    const std::string& line = pin[i];
    const std::size_t gap = line.find(' ');
    const std::size_t offset = std::stoul(line), size = std::stoul(line.substr(gap + 1));
    const std::string value = line.substr(line.find(' ', gap + 1) + 1);
    checksum = checksum || offset + size == 128;
    if (value[0] == '\'') {
      bytes.replace(offset, value.size() - 2, value.substr(1, value.size() - 2));
    } else if (value.rfind("0x", 0) == 0) {
      for (std::size_t k = 0; k < size; ++k) {
        bytes[offset + k] =
            static_cast<char>(std::stoul(value.substr(value.size() - 2 * k - 2, 2), nullptr, 16));
      }
    } else {
      for (std::size_t k = 0; k < size; ++k)
        bytes[offset + k] = static_cast<char>(std::stoul(value) >> (8 * k));
    }
  }
  unsigned sum = 0;
  for (std::size_t i = 0; i < 127; ++i) sum += static_cast<unsigned char>(bytes[i]);
  if (!checksum) bytes[127] = static_cast<char>(-sum);
  return bytes;
}

// The image of a card whose PInS the text gives: `size` bytes, BIOS V1.3.
inline std::string BiosImage(const PinText& pin, std::size_t size = 0x8000,
                             std::size_t pins_at = kSamplePinsAt) {
  std::string image(size, '\0');
  const auto word = [&](std::size_t at, unsigned value) {
    image[at] = static_cast<char>(value);
    image[at + 1] = static_cast<char>(value >> 8);
  };
  word(0, 0xAA55);
  image[2] = static_cast<char>(size / 512);
  word(0x18, kSamplePciData);
  image.replace(kSamplePciData, 4, "PCIR");
  word(kSamplePciData + 4, 0x102B);
  word(kSamplePciData + 6, 0x0525);
  image[kSamplePciData + 0x12] = 0x13;
  word(0x7FFC, static_cast<unsigned>(pins_at));
  image.replace(pins_at, 128, PinsBytes(pin));
  return image;
}

}  // namespace korvane::testing
