// The chip tab filled from the card's own BIOS, which the real program reads
// at C000:0000 where the test has put a G400's image; and under Wine, where
// nothing is there, the read refused without harm.
#include <string>

#include "driver/file_tools.h"
#include "korvane_test.h"
#include "unit/pin/bios_sample.h"

namespace e2e {
namespace {

constexpr char kCardRead[] = "カードのBIOSから読み取りました";

class CardReadE2E : public KorvaneTest {
 protected:
  void SetUp() override {
    KorvaneTest::SetUp();
    SeedG400();
  }
  std::string Chip(const std::string& name) const { return korvane->Text(Main(name)); }
  const std::string dump_ = std::string(kProgramFolder) + "\\mypins.txt";
};

TEST_F(CardReadE2E, UnderWineTheReadIsRefusedAndTheTabSaysWhy) {
  Start();
  korvane->SelectTab(main, kChipTab);
  EXPECT_EQ(Chip("CardReadNote"),
            "C000:0000にビデオBIOSがありません（55 AAで始まりません）。NTやWineでは見えません。"
            "PROGBIOS.EXEで抽出してください。");
  korvane->Click(Main("ReadCardButton"));
  EXPECT_FALSE(korvane->MessageBoxOpen());
  EXPECT_TRUE(korvane->Running());
  EXPECT_EQ(Chip("SerialNumber"), "XXX00000");
  EXPECT_FALSE(korvane->Enabled(Main("PButton")));
}

TEST_F(CardReadE2E, TheTabIsFilledFromTheCardUntilTheToolHasDumpedIt) {
  Start();
  ASSERT_TRUE(
      korvane->PlaceVideoBios(korvane::testing::BiosImage(korvane::testing::SampleMaxPin())));
  korvane->SelectTab(main, kChipTab);
  EXPECT_EQ(Chip("ModelName"), "Matrox Millennium G400 MAX");
  EXPECT_EQ(Chip("SerialNumber") + Chip("ModelNumber") + Chip("BiosVersion"), "KZ604123105V1.3");
  EXPECT_EQ(Chip("RamdacMHz[0]") + Chip("SecondaryRamdacMHz[1]") + Chip("CoreClockMHz[2]"),
            "360MHz136MHz150MHz");
  EXPECT_EQ(Chip("CardReadNote").substr(0, std::string(kCardRead).size()), kCardRead);
  EXPECT_FALSE(korvane->Enabled(Main("PButton"))) << "the editor opens on a card read";
  EXPECT_FALSE(ReadBytes(dump_)) << "the card read was written as a dump";

  WriteBytes(dump_, korvane::JoinLines(korvane::testing::SamplePin()));
  korvane->SelectTab(main, kGeneralTab);
  korvane->SelectTab(main, kChipTab);
  EXPECT_EQ(Chip("ModelName"), "Matrox Millennium G400 DualHead");
  EXPECT_TRUE(korvane->Enabled(Main("PButton")));
  EXPECT_FALSE(korvane->Visible(Main("CardReadNote")));
}

}  // namespace
}  // namespace e2e
