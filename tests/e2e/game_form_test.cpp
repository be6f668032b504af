// The per-game dialog on the real program.
#include "korvane_test.h"

namespace e2e {
namespace {

constexpr char kUnreal[] = "SOFTWARE\\Microsoft\\UnrealD3D";
constexpr char kNfs3[] = "Software\\Electronic Arts\\Need For Speed III";
constexpr char kForsaken[] = "Software\\Acclaim Entertainment\\Forsaken\\1.00";

class GameFormE2E : public KorvaneTest {
 protected:
  void SetUp() override {
    KorvaneTest::SetUp();
    SeedG400();
  }
  // Opens the dialog from the Other tab; it does not block the main window.
  HWND Open() {
    korvane->SelectTab(main, kOtherTab);
    korvane->Click(Main("Button15"));
    const HWND game = korvane->WaitForForm("GameForm");
    EXPECT_TRUE(game);
    EXPECT_TRUE(korvane->Enabled(main));
    return game;
  }
  void Close(HWND game) {
    korvane->Click(korvane->Control(game, "Button1"));
    EXPECT_FALSE(korvane->Visible(game));
  }
  HWND Box(HWND game, const char* name) { return korvane->Control(game, name); }
};

TEST_F(GameFormE2E, TripleBufferingOnTurnsFlippingOn) {
  SetDword(HKEY_LOCAL_MACHINE, kUnreal, "TripleBuffering", 1);
  SetDword(HKEY_LOCAL_MACHINE, kUnreal, "DoFlip", 0);
  Start();
  const HWND game = Open();
  EXPECT_EQ(korvane->Text(game), "各種ゲーム用設定");
  EXPECT_TRUE(korvane->Checked(Box(game, "TriBufferUnreal")));
  EXPECT_TRUE(korvane->Checked(Box(game, "DoFlip")));
  const auto flip = Get(HKEY_LOCAL_MACHINE, kUnreal, "DoFlip");
  ASSERT_TRUE(flip);
  EXPECT_EQ(flip->type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(flip->dword(), 1u);

  korvane->Click(Box(game, "DoFlip"));
  EXPECT_FALSE(korvane->Checked(Box(game, "TriBufferUnreal")));
  EXPECT_EQ(Get(HKEY_LOCAL_MACHINE, kUnreal, "TripleBuffering")->dword(), 0u);
  EXPECT_EQ(Get(HKEY_LOCAL_MACHINE, kUnreal, "DoFlip")->dword(), 0u);
}

TEST_F(GameFormE2E, AGameInstalledLaterStaysDisabledForTheRun) {
  Start();
  HWND game = Open();
  EXPECT_FALSE(korvane->Enabled(Box(game, "TriBufferNFS3")));
  Close(game);
  SetDword(HKEY_LOCAL_MACHINE, kNfs3, "Triple Buffer", 1);
  game = Open();
  EXPECT_FALSE(korvane->Enabled(Box(game, "TriBufferNFS3")));
  EXPECT_TRUE(korvane->Checked(Box(game, "TriBufferNFS3")));
}

TEST_F(GameFormE2E, ShowingTheDialogNeverUndoesTheResolutionChosenInForsaken) {
  SetBinary(HKEY_LOCAL_MACHINE, kForsaken, "ScreenWidth", {0x03, 0x20});
  Start();
  HWND game = Open();
  EXPECT_FALSE(korvane->Checked(Box(game, "VGAMode")));
  EXPECT_EQ(Get(HKEY_LOCAL_MACHINE, kForsaken, "ScreenWidth")->data,
            (std::vector<std::uint8_t>{0x03, 0x20}));
  EXPECT_FALSE(Get(HKEY_LOCAL_MACHINE, kForsaken, "ScreenHeight"));
  Close(game);

  SetBinary(HKEY_LOCAL_MACHINE, kForsaken, "ScreenWidth", {0x02, 0x80});
  game = Open();
  EXPECT_TRUE(korvane->Checked(Box(game, "VGAMode")));
  EXPECT_EQ(Get(HKEY_LOCAL_MACHINE, kForsaken, "ScreenHeight")->data,
            (std::vector<std::uint8_t>{0x01, 0xE0}));
  Close(game);

  // The user picks 800 by 600 in the game; the next showing unchecks the box
  // and leaves the choice alone.
  SetBinary(HKEY_LOCAL_MACHINE, kForsaken, "ScreenWidth", {0x03, 0x20});
  game = Open();
  EXPECT_FALSE(korvane->Checked(Box(game, "VGAMode")));
  EXPECT_EQ(Get(HKEY_LOCAL_MACHINE, kForsaken, "ScreenWidth")->data,
            (std::vector<std::uint8_t>{0x03, 0x20}));
}

TEST_F(GameFormE2E, ATripleBufferStoredAsTextIsATypeError) {
  SetString(HKEY_LOCAL_MACHINE, kNfs3, "Triple Buffer", "1");
  SetDword(HKEY_LOCAL_MACHINE, kUnreal, "Truecolor", 1);
  Start();
  korvane->SelectTab(main, kOtherTab);
  korvane->Click(Main("Button15"));
  ExpectBox("Matrox Korvane", "'Triple Buffer' のデータ型が不正です.");
  const HWND game = korvane->Form("GameForm");
  EXPECT_FALSE(korvane->Checked(Box(game, "Truecolor")));
}

}  // namespace
}  // namespace e2e
