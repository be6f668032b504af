#include "pin/bios_image.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <utility>

#include "about/version.h"
#include "platform/ascii.h"
#include "platform/os_info.h"
#include "platform/video_bios.h"
#include "text/texts.h"

namespace korvane {
namespace {

using T = TextId;

constexpr std::size_t kSizeByte = 2;
constexpr std::size_t kSizeUnit = 512;
constexpr std::size_t kPciDataPointer = 0x18;
constexpr std::size_t kPciDataLength = 0x18;
constexpr std::size_t kPciVendor = 4;
constexpr std::size_t kPciDevice = 6;
// matroxfb reads the BIOS version from here, as two nibbles: 0x13 is 1.3.
constexpr std::size_t kPciCodeRevision = 0x12;
constexpr unsigned kMatroxVendor = 0x102B;
constexpr unsigned kG400Device = 0x0525;
constexpr std::size_t kPinsPointer = 0x7FFC;
constexpr std::size_t kPinsSize = 128;
constexpr std::size_t kPinsLengthByte = 2;
constexpr std::size_t kPinsMinorVersion = 4;
constexpr std::size_t kPinsMajorVersion = 5;
constexpr unsigned kG400PinsVersion = 4;

// How the BIOS tool prints a field's value: a number little-endian, in
// decimal or as "0x" and two hexadecimal digits a byte; a text between
// apostrophes.
enum class Shown : std::uint8_t { kDecimal, kHex, kText };

struct FieldLayout {
  std::uint8_t offset;
  std::uint8_t size;
  Shown shown;
};

constexpr Shown D = Shown::kDecimal;
constexpr Shown H = Shown::kHex;
constexpr Shown Q = Shown::kText;  // quoted

// A version 4 block a field a line, grouped and printed as the tool prints
// them up to offset 89; the drivers' words after that, and every byte from
// offset 96 on a line of its own. The decode's lines fall on the tool's.
// clang-format off
constexpr FieldLayout kFieldLayout[] = {
    {0, 2, H},  {2, 1, H},  {3, 1, H},  {4, 2, H},  {6, 2, H},  {8, 2, D},  {10, 2, H},
    {12, 16, Q}, {28, 6, Q}, {34, 2, H}, {36, 2, H},
    {38, 1, D}, {39, 1, D}, {40, 1, D}, {41, 1, D}, {42, 1, D}, {43, 1, D}, {44, 1, D},
    {45, 1, D}, {46, 1, D}, {47, 1, D}, {48, 2, H}, {50, 2, H}, {52, 2, H}, {54, 1, D},
    {55, 1, D}, {56, 1, D}, {57, 4, H}, {61, 4, H}, {65, 1, D}, {66, 1, D}, {67, 4, H},
    {71, 4, H}, {75, 1, D}, {76, 1, D}, {77, 4, H}, {81, 4, H}, {85, 1, D}, {86, 2, H},
    {88, 1, D}, {89, 1, D}, {90, 1, D}, {91, 1, D}, {92, 4, H},
};
// clang-format on
constexpr std::size_t kBytewiseFrom = 96;

unsigned Byte(std::string_view bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]);
}
unsigned Word(std::string_view bytes, std::size_t at) {
  return Byte(bytes, at) | (Byte(bytes, at + 1) << 8);
}

// The texts name offsets and ids in capitals ("7FFC"); the tool prints
// values in small letters ("0x412e").
char HexDigit(unsigned nibble, bool capital = true) {
  return (capital ? "0123456789ABCDEF" : "0123456789abcdef")[nibble & 0xF];
}

// A text field as the tool prints it: printable characters up to a NUL,
// and only NULs after it. Anything else could not be given back from the
// text, and is printed as a number instead.
std::optional<std::string> QuotedText(std::string_view field) {
  const std::size_t end = std::min(field.find('\0'), field.size());
  for (std::size_t i = 0; i < field.size(); ++i) {
    const unsigned c = Byte(field, i);
    const bool fits = i < end ? c >= 0x20 && c <= 0x7E && c != '\'' : c == 0;
    if (!fits) return std::nullopt;
  }
  return "'" + std::string(field.substr(0, end)) + "'";
}

std::string FieldValue(std::string_view pins, const FieldLayout& field) {
  const std::string_view bytes = pins.substr(field.offset, field.size);
  if (field.shown == Shown::kText) {
    if (auto text = QuotedText(bytes)) return std::move(*text);
  }
  if (field.shown == Shown::kDecimal) {
    return std::to_string(field.size == 1 ? Byte(bytes, 0) : Word(bytes, 0));
  }
  std::string value = "0x";
  for (std::size_t i = bytes.size(); i-- > 0;) {
    const unsigned byte = Byte(bytes, i);
    value += HexDigit(byte >> 4, false);
    value += HexDigit(byte, false);
  }
  return value;
}

CardPin Refuse(BiosCheck check, TextId text, std::initializer_list<std::string_view> fields = {}) {
  CardPin refused;
  refused.refused = check;
  refused.refusal = Format(text, fields);
  return refused;
}

PinText PinTextOf(std::string_view pins, std::size_t image_size, std::size_t pins_at,
                  unsigned code_revision) {
  PinText text = {
      ";Read from the card's BIOS by Korvane " KORVANE_VERSION ", not by the BIOS tool",
      ";BIOS image of " + std::to_string(image_size) + " bytes, PInS at 0x" + HexText(pins_at, 4),
      ";PInS version " + std::to_string(Byte(pins, kPinsMajorVersion)) + "." +
          std::to_string(Byte(pins, kPinsMinorVersion)) + ", 128 bytes",
      ";",
      ";Matrox G400 (PCI 102B:0525)",
      // The card that holds C000 is the primary VGA.
      std::string(";VGA Enabled - BIOS V") + HexDigit(code_revision >> 4) + "." +
          HexDigit(code_revision),
      "",
      "",
  };
  const auto add = [&](const FieldLayout& field) {
    text.push_back(std::to_string(field.offset) + " " + std::to_string(field.size) + " " +
                   FieldValue(pins, field));
  };
  for (const FieldLayout& field : kFieldLayout) add(field);
  for (std::size_t at = kBytewiseFrom; at < kPinsSize; ++at) {
    add({static_cast<std::uint8_t>(at), 1, Shown::kDecimal});
  }
  return text;
}

// The checks of the image's head, on as much of it as `image` holds: it is
// a ROM of at least 32 KB whose PCI data name a G400. Gives the size it
// says, at most 64 KB; a refusal, or nothing refused.
CardPin RefusedHead(std::string_view image, std::size_t* size) {
  if (image.size() <= kSizeByte || Byte(image, 0) != 0x55 || Byte(image, 1) != 0xAA) {
    return Refuse(BiosCheck::kRomSignature, T::kBiosNoRom);
  }
  const std::size_t declared = Byte(image, kSizeByte) * kSizeUnit;
  if (declared < kBiosFirstRead) {
    return Refuse(BiosCheck::kImageSize, T::kBiosTooSmall, {std::to_string(declared)});
  }
  *size = std::min(declared, kBiosMostRead);
  // An image that ends before the pointer has no PCI data where it points.
  const std::size_t pci = image.size() < kPciDataPointer + 2 ? 0 : Word(image, kPciDataPointer);
  if (pci + kPciDataLength > std::min(*size, image.size()) || image.substr(pci, 4) != "PCIR") {
    return Refuse(BiosCheck::kPciData, T::kBiosNoPciData, {HexText(pci, 4)});
  }
  const unsigned vendor = Word(image, pci + kPciVendor);
  const unsigned device = Word(image, pci + kPciDevice);
  if (vendor != kMatroxVendor || device != kG400Device) {
    return Refuse(BiosCheck::kG400, T::kBiosNotG400, {HexText(vendor, 4), HexText(device, 4)});
  }
  return CardPin();
}

}  // namespace

CardPin CardPinFromImage(std::string_view image) {
  std::size_t size = 0;
  CardPin read = RefusedHead(image, &size);
  if (read.refused) return read;
  if (image.size() < size) {
    return Refuse(BiosCheck::kImageLength, T::kBiosCutShort,
                  {std::to_string(size), std::to_string(image.size())});
  }
  image = image.substr(0, size);
  const std::size_t pci = Word(image, kPciDataPointer);

  const std::size_t pins_at = Word(image, kPinsPointer);
  if (pins_at + kPinsSize > size) {
    return Refuse(BiosCheck::kPinsPlace, T::kBiosPinsOutside, {HexText(pins_at, 4)});
  }
  const std::string_view pins = image.substr(pins_at, kPinsSize);
  if (pins.substr(0, 2) != ".A") {
    return Refuse(BiosCheck::kPinsSignature, T::kBiosNoPins, {HexText(pins_at, 4)});
  }
  if (Byte(pins, kPinsLengthByte) != kPinsSize) {
    return Refuse(BiosCheck::kPinsLength, T::kBiosPinsLength,
                  {std::to_string(Byte(pins, kPinsLengthByte))});
  }
  if (Byte(pins, kPinsMajorVersion) != kG400PinsVersion) {
    return Refuse(BiosCheck::kPinsVersion, T::kBiosPinsVersion,
                  {std::to_string(Byte(pins, kPinsMajorVersion))});
  }
  unsigned sum = 0;
  for (std::size_t i = 0; i < kPinsSize; ++i) sum += Byte(pins, i);
  if (sum % 256 != 0) {
    return Refuse(BiosCheck::kPinsChecksum, T::kBiosChecksum, {HexText(sum % 256, 2)});
  }

  read.text = PinTextOf(pins, size, pins_at, Byte(image, pci + kPciCodeRevision));
  return read;
}

CardPin ReadCardPin(OsInfo& os, VideoBios& bios) {
  // Only Windows 95/98 keep the BIOS there; elsewhere the read is not tried.
  const std::optional<OsVersion> version = os.Version();
  std::optional<std::string> image;
  BiosReadWay way = BiosReadWay::kReadProcessMemory;
  if (version && version->platform_id == kPlatformWindows) image = bios.Read(kBiosFirstRead, &way);
  if (!image) return Refuse(BiosCheck::kReadable, T::kBiosUnreadable);
  // Read on only for a G400's BIOS: past 32 KB, at C8000 on, other adapters'
  // ROM windows may hold device registers whose reading has effects (Linux's
  // seagate.c probes a SCSI card's data registers at 0xC8000-0xCE000). What
  // cannot be read leaves the first 32 KB, which the checks then find cut
  // short.
  std::size_t size = 0;
  if (!RefusedHead(*image, &size).refused && size > image->size()) {
    if (auto whole = bios.Read(size, &way)) image = std::move(whole);
  }
  CardPin read = CardPinFromImage(*image);
  read.way = way;
  return read;
}

}  // namespace korvane
