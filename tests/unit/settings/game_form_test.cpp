#include "settings/game_form.h"

#include <gtest/gtest.h>

#include <vector>

#include "unit/test_machine.h"

namespace korvane::testing {
namespace {

constexpr char kUnreal[] = "SOFTWARE\\Microsoft\\UnrealD3D";
constexpr char kNfs3[] = "Software\\Electronic Arts\\Need For Speed III";
constexpr char kForsaken[] = "Software\\Acclaim Entertainment\\Forsaken\\1.00";

class GameFormTest : public ::testing::Test {
 protected:
  void Reopen() {
    form.Close();
    ASSERT_TRUE(form.Show().ok());
  }
  std::optional<std::uint32_t> Dword(const char* key, const char* name) {
    return machine.memory.GetDword(HKLM, key, name);
  }
  void SeedUnreal(std::uint32_t truecolor, std::uint32_t flip, std::uint32_t triple,
                  std::uint32_t trilinear) {
    machine.memory.PutDword(HKLM, kUnreal, "Truecolor", truecolor);
    machine.memory.PutDword(HKLM, kUnreal, "DoFlip", flip);
    machine.memory.PutDword(HKLM, kUnreal, "TripleBuffering", triple);
    machine.memory.PutDword(HKLM, kUnreal, "DoTrilinear", trilinear);
  }

  TestMachine machine;
  RecordingErrors errors;
  TGameForm form{machine.registry, errors};
};

TEST_F(GameFormTest, TripleBufferingTurnsFlippingOnWhenLoaded) {
  SeedUnreal(1, 0, 1, 0);
  ASSERT_TRUE(form.Show().ok());
  EXPECT_TRUE(form.TriBufferUnreal.checked());
  EXPECT_TRUE(form.DoFlip.checked());
  EXPECT_TRUE(form.Truecolor.checked());
  EXPECT_FALSE(form.DoTrilinear.checked());
  EXPECT_EQ(Dword(kUnreal, "DoFlip"), 1u);
  EXPECT_EQ(Dword(kUnreal, "TripleBuffering"), 1u);
  EXPECT_EQ(machine.memory.Get(HKLM, kUnreal, "DoFlip")->type, kRegDword);
}

TEST_F(GameFormTest, FlippingOffTurnsTripleBufferingOff) {
  SeedUnreal(0, 1, 1, 0);
  ASSERT_TRUE(form.Show().ok());
  form.DoFlip.Click();
  EXPECT_FALSE(form.DoFlip.checked());
  EXPECT_FALSE(form.TriBufferUnreal.checked());
  EXPECT_EQ(Dword(kUnreal, "DoFlip"), 0u);
  EXPECT_EQ(Dword(kUnreal, "TripleBuffering"), 0u);

  form.TriBufferUnreal.Click();
  EXPECT_TRUE(form.DoFlip.checked());
  EXPECT_EQ(Dword(kUnreal, "DoFlip"), 1u);
  EXPECT_EQ(Dword(kUnreal, "TripleBuffering"), 1u);
}

TEST_F(GameFormTest, LoadingTripleBufferingOffAfterFlippingOnWritesFlippingOff) {
  SeedUnreal(0, 1, 0, 1);
  ASSERT_TRUE(form.Show().ok());
  EXPECT_FALSE(form.DoFlip.checked());
  EXPECT_TRUE(form.DoTrilinear.checked());
  EXPECT_EQ(Dword(kUnreal, "DoFlip"), 0u);
  EXPECT_EQ(Dword(kUnreal, "DoTrilinear"), 1u);
}

TEST_F(GameFormTest, MissingGamesDisableTheirBoxesForTheWholeRun) {
  machine.memory.PutDword(HKLM, kUnreal, "Truecolor", 7);  // neither 0 nor 1: left alone
  ASSERT_TRUE(form.Show().ok());
  EXPECT_FALSE(form.TriBufferNFS3.enabled());
  EXPECT_TRUE(form.Truecolor.enabled());
  EXPECT_FALSE(form.Truecolor.checked());
  EXPECT_FALSE(form.DoFlip.enabled());
  EXPECT_FALSE(form.TriBufferUnreal.enabled());
  EXPECT_FALSE(form.DoTrilinear.enabled());
  EXPECT_TRUE(form.VGAMode.enabled());  // no Forsaken value: offered

  machine.memory.PutDword(HKLM, kNfs3, "Triple Buffer", 1);
  SeedUnreal(1, 1, 1, 1);
  Reopen();
  EXPECT_FALSE(form.TriBufferNFS3.enabled());
  EXPECT_TRUE(form.TriBufferNFS3.checked());  // loaded, but stays disabled
  EXPECT_FALSE(form.DoFlip.enabled());
  form.TriBufferNFS3.Click();  // no input reaches a disabled box
  EXPECT_TRUE(form.TriBufferNFS3.checked());
}

TEST_F(GameFormTest, NeedForSpeedTripleBufferFollowsItsValue) {
  machine.memory.PutDword(HKLM, kNfs3, "Triple Buffer", 1);
  ASSERT_TRUE(form.Show().ok());
  EXPECT_TRUE(form.TriBufferNFS3.checked());
  form.TriBufferNFS3.Click();
  EXPECT_EQ(Dword(kNfs3, "Triple Buffer"), 0u);
  machine.memory.PutString(HKLM, kNfs3, "Triple Buffer", "1");
  form.Close();
  EXPECT_EQ(form.Show().message(), "'Triple Buffer' のデータ型が不正です");
}

TEST_F(GameFormTest, ATypeErrorEndsTheShowing) {
  machine.memory.PutString(HKLM, kNfs3, "Triple Buffer", "1");
  SeedUnreal(1, 1, 1, 1);
  EXPECT_EQ(form.Show().message(), "'Triple Buffer' のデータ型が不正です");
  EXPECT_TRUE(form.visible());
  EXPECT_FALSE(form.Truecolor.checked());
}

TEST_F(GameFormTest, ForsakensScreenSizeIsWrittenAs640By480OnlyWhenTheBoxBecomesChecked) {
  machine.memory.PutBinary(HKLM, kForsaken, "ScreenWidth", {0x03, 0x20});
  machine.memory.PutBinary(HKLM, kForsaken, "ScreenHeight", {0x02, 0x58});
  ASSERT_TRUE(form.Show().ok());
  EXPECT_FALSE(form.VGAMode.checked());
  EXPECT_FALSE(form.VGAMode.enabled());
  EXPECT_TRUE(machine.memory.writes().empty());

  machine.memory.PutBinary(HKLM, kForsaken, "ScreenWidth", {0x02, 0x80});
  Reopen();
  EXPECT_TRUE(form.VGAMode.checked());
  EXPECT_EQ(machine.memory.Get(HKLM, kForsaken, "ScreenHeight")->data,
            (std::vector<std::uint8_t>{0x01, 0xE0}));
  EXPECT_EQ(machine.memory.Get(HKLM, kForsaken, "ScreenWidth")->type, kRegBinary);

  // The user chose 800 by 600 in the game since: the box unchecks and the
  // choice stays.
  machine.memory.PutBinary(HKLM, kForsaken, "ScreenWidth", {0x03, 0x20});
  machine.memory.ClearWrites();
  Reopen();
  EXPECT_FALSE(form.VGAMode.checked());
  EXPECT_TRUE(machine.memory.writes().empty());

  machine.memory.PutBinary(HKLM, kForsaken, "ScreenWidth", {0x80});
  Reopen();
  EXPECT_FALSE(form.VGAMode.checked());  // no second byte: not 640
  machine.memory.PutBinary(HKLM, kForsaken, "ScreenWidth", {0x00, 0x02, 0x80});
  form.Close();
  EXPECT_EQ(form.Show().message(), "'ScreenWidth' のデータ型が不正です");
}

TEST_F(GameFormTest, TheCloseButtonHidesTheDialog) {
  ASSERT_TRUE(form.Show().ok());
  EXPECT_EQ(form.Button1.caption(), "閉じる(&C)");
  form.Button1.Click();
  EXPECT_FALSE(form.visible());
  EXPECT_EQ(form.client_width(), 194);
  EXPECT_EQ(form.client_height(), 159);
  EXPECT_GE(form.GroupBox2.bounds().left, form.client_width());
}

}  // namespace
}  // namespace korvane::testing
