#include "pin/pin_difference.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "unit/pin/pin_sample.h"

namespace korvane::testing {
namespace {

constexpr char kDualHead[] = "Matrox Millennium G400 DualHead";

TEST(PinDifferenceTest, TellsWhatTheCardWouldGetInItsOwnTerms) {
  const struct {
    const char* name;
    std::function<void(PinText&)> edit;
    std::vector<std::string> told;  // empty with `error`: refused
    const char* error = nullptr;
  } cases[] = {
      {"unchanged", [](PinText&) {}, {}},
      {"made a MAX",
       [](PinText& pin) { pin = SampleMaxPin(); },
       {"型番：Matrox Millennium G400 DualHead → Matrox Millennium G400 MAX",
        "RAMDACクロック 設定値：300MHz → 360MHz", "RAMDACクロック VGA：300MHz → 360MHz",
        "RAMDACクロック 8Bit：300MHz → 360MHz", "RAMDACクロック 16Bit：300MHz → 360MHz",
        "RAMDACクロック 24Bit：300MHz → 360MHz", "RAMDACクロック 32Bit：300MHz → 360MHz",
        "コアクロック 2D画面：126MHz → 150MHz", "メモリークロック 2D画面：168MHz → 200MHz",
        "コアクロック 3D画面：126MHz → 150MHz", "メモリークロック 3D画面：168MHz → 200MHz",
        "37行目：61 4 0x24045491 → 61 4 0x20049911", "39行目：66 1 63 → 66 1 75",
        "41行目：71 4 0x24045491 → 71 4 0x20049911", "43行目：76 1 63 → 76 1 75",
        "45行目：81 4 0x24045491 → 81 4 0x20049911"}},
      {"the editor's TABs for the tool's spaces",
       [](PinText& pin) { pin[36] = "61\t4\t0x24045491"; },
       {}},
      {"beyond a MAX",
       [](PinText& pin) {
         pin[19] = "38\t1\t91";
         pin[41] = "75\t1\t160";
         pin[26] = "45\t1\t40";
       },
       {"RAMDACクロック 設定値：300MHz → 364MHz　※G400 MAXの出荷時の値より上です",
        "セカンダリ 32Bit：136MHz → 160MHz",
        "コアクロック 3D画面：126MHz → 160MHz　※G400 MAXの出荷時の値より上です",
        "メモリークロック 3D画面：168MHz → 212MHz　※G400 MAXの出荷時の値より上です"}},
      {"other lines, one added",
       [](PinText& pin) {
         pin[15] = "12\t16\t'NEW00001'";
         pin[33] = "55\t1\t082";  // the same clock, written otherwise
         pin.push_back("90\t1\t7");
       },
       {"16行目：12 16 'KZ604123' → 12 16 'NEW00001'", "34行目：55 1 82 → 55 1 082",
        "50行目： → 90 1 7"}},
      {"no PIN file",
       [](PinText& pin) { pin = {"Bad command or file name"}; },
       {},
       "'' は整数ではありません"},
  };
  for (const auto& c : cases) {
    PinText edited = SamplePin();
    c.edit(edited);
    const auto told = PinDifferences(SamplePin(), edited, true, kDualHead);
    if (c.error) {
      EXPECT_EQ(told.status().message(), c.error) << c.name;
      continue;
    }
    ASSERT_TRUE(told.ok()) << c.name << ": " << told.status().message();
    EXPECT_EQ(told.value(), c.told) << c.name;
  }
}

}  // namespace
}  // namespace korvane::testing
