// The card's own BIOS, read without the BIOS tool: the image the system
// shadows at C000:0000, the G400's power-up block (PInS) in it, and the PIN
// text made of that block in the layout the BIOS tool prints, so that the
// chip tab decodes it unchanged. The checks are those the open-source G400
// drivers make (Linux matroxfb, X.org's mga driver, Haiku's). The text is
// never saved as a PIN file: what the tool programs comes from the tool.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "pin/pin_file.h"
#include "platform/video_bios.h"

namespace korvane {

class OsInfo;

// Every G400 BIOS holds 32 KB: read first. A longer one is read again as far
// as its size byte says, up to the 64 KB a 16-bit PInS pointer reaches, once
// the first 32 KB are a G400's.
inline constexpr std::size_t kBiosFirstRead = 0x8000;
inline constexpr std::size_t kBiosMostRead = 0x10000;

// The checks an image passes, in the order they are made.
enum class BiosCheck {
  kReadable,       // Windows 95/98 show the BIOS at C000:0000
  kRomSignature,   // it begins 55 AA
  kImageSize,      // its size byte says at least 32 KB
  kPciData,        // "PCIR" where the pointer at 0x18 says
  kG400,           // which names vendor 102B, device 0525
  kImageLength,    // all the size byte says is there
  kPinsPlace,      // the pointer at 0x7FFC leaves room for the block
  kPinsSignature,  // which begins ".A"
  kPinsLength,     // its length byte says 128
  kPinsVersion,    // its major version is 4 (a G450's is 5)
  kPinsChecksum,   // its 128 bytes sum to 0 modulo 256
};

// A card read: the PIN text made of the card's block, or the check that
// refused the image with the user's text saying why and what to do.
struct CardPin {
  PinText text;  // empty when refused
  std::optional<BiosCheck> refused;
  std::string refusal;
  // How the image was read, when it was.
  std::optional<BiosReadWay> way;
};

// The PIN text of a BIOS image as read from C000:0000, or saved by another
// tool. Image bytes past what the size byte says are not looked at.
CardPin CardPinFromImage(std::string_view image);

// Reads the image at C000:0000, on Windows 95/98 only, and makes its text.
CardPin ReadCardPin(OsInfo& os, VideoBios& bios);

}  // namespace korvane
