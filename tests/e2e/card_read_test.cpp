// The chip tab filled from the card's own BIOS by the real program: under
// Wine, where nothing is at C000:0000, the read is refused without harm;
// with a G400's image put there, the real read finds it.
#include <string>

#include "driver/file_tools.h"
#include "korvane_test.h"
#include "unit/pin/bios_sample.h"

namespace e2e {
namespace {

class CardReadE2E : public KorvaneTest {};

TEST_F(CardReadE2E, RefusedUnderWineThenFilledFromTheCardUntilTheToolHasDumpedIt) {
  SeedG400();
  Start();
  const auto chip = [this](const char* name) { return korvane->Text(Main(name)); };
  korvane->SelectTab(main, kChipTab);
  EXPECT_EQ(chip("CardReadNote"),
            "C000:0000にビデオBIOSがありません（55 AAで始まりません）。NTやWineでは見えません。"
            "PROGBIOS.EXEで抽出してください。");
  EXPECT_FALSE(korvane->MessageBoxOpen());
  EXPECT_EQ(chip("SerialNumber"), "XXX00000");

  ASSERT_TRUE(
      korvane->PlaceVideoBios(korvane::testing::BiosImage(korvane::testing::SampleMaxPin())));
  korvane->Click(Main("ReadCardButton"));
  EXPECT_EQ(chip("ModelName"), "Matrox Millennium G400 MAX");
  EXPECT_EQ(chip("SerialNumber") + chip("ModelNumber") + chip("BiosVersion"), "KZ604123105V1.3");
  EXPECT_EQ(chip("RamdacMHz[0]") + chip("SecondaryRamdacMHz[1]") + chip("CoreClockMHz[2]"),
            "360MHz136MHz150MHz");
  EXPECT_EQ(chip("CardReadNote").rfind("カードのBIOSから読み取りました", 0), 0u);
  EXPECT_FALSE(korvane->Enabled(Main("PButton"))) << "the editor opens on a card read";
  const std::string dump = std::string(kProgramFolder) + "\\mypins.txt";
  EXPECT_FALSE(ReadBytes(dump)) << "the card read was written as a dump";

  // A dump from the tool, once there, is the source.
  WriteBytes(dump, korvane::JoinLines(korvane::testing::SamplePin()));
  korvane->SelectTab(main, kGeneralTab);
  korvane->SelectTab(main, kChipTab);
  EXPECT_EQ(chip("ModelName"), "Matrox Millennium G400 DualHead");
  EXPECT_TRUE(korvane->Enabled(Main("PButton")));
  EXPECT_FALSE(korvane->Visible(Main("CardReadNote")));
}

}  // namespace
}  // namespace e2e
