#include "pin/bios_image.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/fakes/fake_os_info.h"
#include "platform/fakes/fake_video_bios.h"
#include "unit/pin/bios_sample.h"

namespace korvane::testing {
namespace {

// What the card read makes of each image at C000:0000: the tool's field
// lines for a G400's block, and for anything else the check that refuses it.
TEST(BiosImageTest, GivesTheToolsLinesOfAG400sBlockAndNamesTheCheckThatRefusesAnyOther) {
  const PinText dual = SamplePin();
  const PinText max = SampleMaxPin();
  const std::string image = BiosImage(dual);
  const auto with = [&image](std::size_t at, const std::string& bytes) {
    return std::string(image).replace(at, bytes.size(), bytes);
  };
  using B = BiosCheck;
  const struct {
    const char* name;
    std::optional<std::string> image;  // none: the system refuses the read
    std::optional<BiosCheck> refused;
    const PinText* pin = nullptr;
  } cases[] = {
      {"DualHead", image, {}, &dual},
      {"MAX", BiosImage(max), {}, &max},
      {"64 KB, PInS past the first 32", BiosImage(dual, 0x10000, 0xC000), {}, &dual},
      {"all zeros, as Wine shows it", std::string(0x8000, '\0'), B::kRomSignature},
      {"Windows NT", std::nullopt, B::kReadable},
      {"no 55 AA", with(0, "MZ"), B::kRomSignature},
      {"16 KB", with(2, "\x20"), B::kImageSize},
      {"64 KB said, 32 KB there", with(2, "\x80"), B::kImageLength},
      {"no PCIR", with(kSamplePciData, "PCI "), B::kPciData},
      {"a G200", with(kSamplePciData + 6, "\x21\x05"), B::kG400},
      {"PInS pointer past the end", with(0x7FFC, "\xC0\x7F"), B::kPinsPlace},
      {"no .A", with(kSamplePinsAt, "A."), B::kPinsSignature},
      {"64 bytes long", with(kSamplePinsAt + 2, "\x40"), B::kPinsLength},
      {"version 5, as a G450 carries", with(kSamplePinsAt + 5, "\x05"), B::kPinsVersion},
      {"checksum", with(kSamplePinsAt + 100, "\x01"), B::kPinsChecksum},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeOsInfo os;
    FakeVideoBios bios;
    bios.image = c.image;
    const CardPin read = ReadCardPin(os, bios);
    EXPECT_EQ(read.refused, c.refused);
    EXPECT_EQ(read.refusal.empty() && !read.text.empty(), !c.refused);
    if (c.refused) continue;
    ASSERT_EQ(read.text.size(), 84u);
    EXPECT_EQ(read.text[5], ";VGA Enabled - BIOS V1.3");
    EXPECT_EQ(PinText(read.text.begin() + 8, read.text.begin() + 49),
              PinText(c.pin->begin() + 8, c.pin->end()));
    EXPECT_EQ(PinsBytes(read.text), PinsBytes(*c.pin));
  }
  // Past 32 KB lie other cards' registers: no read there for what is no ROM.
  FakeOsInfo os;
  FakeVideoBios bios;
  bios.image = with(0, "MZ\x80") + std::string(0x8000, '\0');
  EXPECT_EQ(ReadCardPin(os, bios).refused, B::kRomSignature);
  EXPECT_EQ(bios.most_read, kBiosFirstRead);
}

}  // namespace
}  // namespace korvane::testing
