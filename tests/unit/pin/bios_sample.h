// BIOS images of the simulated card as a G400 shadows them at C000:0000,
// built from the PIN file its BIOS tool prints (bytes 0 to 37 a real
// DualHead's), with the PCI data and the PInS where the drivers find them.
#pragma once

#include <string>

#include "unit/pin/pin_sample.h"

namespace korvane::testing {

inline constexpr std::size_t kSamplePciData = 0x60;
inline constexpr std::size_t kSamplePinsAt = 0x7E00;

// The 128 bytes the field lines give back (numbers little-endian, texts
// padded with NULs); byte 127 balances them unless a line gives it.
inline std::string PinsBytes(const PinText& pin) {
  std::string bytes(128, '\0');
  for (std::size_t i = 8; i < pin.size(); ++i) {
    const std::size_t gap = pin[i].find(' '), offset = std::stoul(pin[i]);
    const std::size_t size = std::stoul(pin[i].substr(gap + 1));
    const std::string value = pin[i].substr(pin[i].find(' ', gap + 1) + 1);
    const bool hex = value.rfind("0x", 0) == 0;
    if (value[0] == '\'') bytes.replace(offset, value.size() - 2, value, 1, value.size() - 2);
    for (std::size_t k = 0; value[0] != '\'' && k < size; ++k) {
      bytes[offset + k] =
          static_cast<char>(hex ? std::stoul(value.substr(value.size() - 2 * k - 2, 2), nullptr, 16)
                                : std::stoul(value) >> (8 * k));
    }
  }
  if (pin.back().rfind("127 ", 0) != 0) {
    for (std::size_t i = 0; i < 127; ++i) bytes[127] = static_cast<char>(bytes[127] - bytes[i]);
  }
  return bytes;
}

// The image of a card whose PInS the text gives: `size` bytes, BIOS V1.3.
inline std::string BiosImage(const PinText& pin, std::size_t size = 0x8000,
                             std::size_t pins_at = kSamplePinsAt) {
  std::string image(size, '\0');
  const auto put = [&image](std::size_t at, std::string bytes) {
    image.replace(at, bytes.size(), bytes);
  };
  put(0, {'\x55', '\xAA', static_cast<char>(size / 512)});
  put(0x18, {static_cast<char>(kSamplePciData), 0});
  put(kSamplePciData, std::string("PCIR\x2B\x10\x25\x05", 8));
  image[kSamplePciData + 0x12] = 0x13;
  put(0x7FFC, {static_cast<char>(pins_at), static_cast<char>(pins_at >> 8)});
  put(pins_at, PinsBytes(pin));
  return image;
}

}  // namespace korvane::testing
