// The presets and the settings removal on the real program.
#include "korvane_test.h"

namespace e2e {
namespace {

// Every driver and PowerDesk value the presets and the removal touch.
std::vector<std::string> AllSettings(const KorvaneTest&) {
  auto lines = Snapshot(HKEY_LOCAL_MACHINE, std::string(kDisplayClass) + "\\0000\\Settings");
  for (const auto& line : Snapshot(HKEY_CURRENT_USER, kPowerDesk5)) lines.push_back(line);
  for (const auto& line : Snapshot(HKEY_LOCAL_MACHINE, kPowerDeskCurrent)) lines.push_back(line);
  return lines;
}

class PresetsE2E : public KorvaneTest {
 protected:
  void SetUp() override {
    KorvaneTest::SetUp();
    SeedG400();
  }
  std::vector<bool> BoxStates() {
    korvane->SelectTab(main, kRegistryTab);
    std::vector<bool> states;
    for (const char* box :
         {"Powerdesk",   "DDC",         "Highcolor", "tasktrey",    "busmaster",   "Circles",
          "rect",        "Ellipses",    "fontcash",  "porigon",     "device",      "Paletsync",
          "MIPMAP",      "anisotropic", "AntiAlias", "TableFog",    "Fogging",     "agp",
          "mmx",         "DNow",        "comwrite",  "AGPSpeed[0]", "AGPSpeed[1]", "AGPSpeed[2]",
          "AGPSpeed[3]", "fastbilt",    "filter",    "d3drender",   "zbuff",       "palettized",
          "triple",      "indeo",       "cinepac",   "vsync",       "AGPExecute"}) {
      states.push_back(korvane->Checked(Main(box)));
    }
    korvane->SelectTab(main, kGeneralTab);
    return states;
  }
};

TEST_F(PresetsE2E, APresetPressedTwiceWritesTheSameAndChangesNothingMore) {
  Start();
  korvane->Click(Main("Button12"));
  ExpectBox("情報", "レジストリの設定を｢ベンチマーク専用の設定｣にしました。");
  const auto values = AllSettings(*this);
  const auto states = BoxStates();
  EXPECT_EQ(Stored("CPU", "AGPFlags"), "-1");
  EXPECT_EQ(Stored("DirectX", "FlipOnVBlank"), "0");
  EXPECT_EQ(Get(HKEY_CURRENT_USER, kPowerDesk5, "LaunchQuickDesk")->dword(), 1u);

  korvane->Click(Main("Button12"));
  ExpectBox("情報", "レジストリの設定を｢ベンチマーク専用の設定｣にしました。");
  EXPECT_EQ(AllSettings(*this), values);
  EXPECT_EQ(BoxStates(), states);
}

TEST_F(PresetsE2E, InitialSettingsLeaveTheAgpSpeedAutomatic) {
  SetString(HKEY_LOCAL_MACHINE, SubKey("CPU"), "AGPFlags", "0");
  Start();
  korvane->Click(Main("Button11"));
  ExpectBox("情報", "レジストリの設定を｢ドライバインストール時の初期設定｣にしました。");
  EXPECT_EQ(Stored("CPU", "AGPFlags"), "1");
  korvane->SelectTab(main, kRegistryTab);
  EXPECT_TRUE(korvane->Checked(Main("AGPSpeed[3]")));
  EXPECT_FALSE(korvane->Checked(Main("AGPSpeed[0]")));
  EXPECT_TRUE(korvane->Checked(Main("TableFog")));
}

TEST_F(PresetsE2E, TheEmergencyPresetLoadsAfterARestart) {
  Start();
  korvane->Click(Main("Button9"));
  ExpectBox("情報", "レジストリの設定を｢緊急時専用設定｣にしました。");
  Restart();
  korvane->SelectTab(main, kRegistryTab);
  EXPECT_TRUE(korvane->Checked(Main("AGPSpeed[0]")));
  EXPECT_FALSE(korvane->Checked(Main("busmaster")));
  EXPECT_EQ(Stored("Engine", "BusMastering"), "0");
  EXPECT_EQ(Stored("CPU", "AGPFlags"), "0");
}

TEST_F(PresetsE2E, APresetWhoseWriteFailsShowsTheErrorAndNoSuccess) {
  // The driver's settings held in volatile keys, "Monitor" missing: it
  // cannot be created there, so the preset's "ForceDDC" has nowhere to go.
  const std::string settings = std::string(kDisplayClass) + "\\0000\\Settings";
  DeleteKey(HKEY_LOCAL_MACHINE, settings);
  CreateKey(HKEY_LOCAL_MACHINE, settings, true);
  for (const char* sub_key : {"CPU", "DirectX", "Engine", "DAC", "GDI"}) {
    CreateKey(HKEY_LOCAL_MACHINE, SubKey(sub_key), true);
  }
  Start();
  korvane->Click(Main("Button11"));
  ExpectBox("Matrox Korvane", "'ForceDDC' の設定に失敗しました.");
  EXPECT_FALSE(korvane->MessageBoxOpen()) << "success announced after the failure";
  // The rows before it stay written; the rest are not.
  EXPECT_EQ(Get(HKEY_CURRENT_USER, kPowerDesk5, "ShowMeAllMatrox")->dword(), 1u);
  EXPECT_EQ(Stored("DAC", "HicolorMode"), "<missing>");
  DeleteKey(HKEY_LOCAL_MACHINE, settings);
}

TEST_F(PresetsE2E, RemovalCancelledChangesNothing) {
  SetString(HKEY_LOCAL_MACHINE, SubKey("DirectX"), "MipMapping", "1");
  Start();
  const auto before = AllSettings(*this);
  korvane->Click(Main("uninstall"));
  const auto question = korvane->WaitForMessageBox();
  ASSERT_TRUE(question);
  EXPECT_EQ(question->caption, "どうする？");
  EXPECT_EQ(question->text, "レジストリの設定をアンインストールしますか？");
  EXPECT_FALSE(question->has_icon);
  korvane->Answer(*question, IDCANCEL);
  EXPECT_FALSE(korvane->MessageBoxOpen());
  EXPECT_EQ(AllSettings(*this), before);
}

TEST_F(PresetsE2E, RemovalDeletesTheSettingsAndDithersOnlyOnce) {
  Start();
  korvane->Click(Main("Button10"));
  ExpectBox("情報", "レジストリの設定を｢ゲームに特化した設定｣にしました。");

  korvane->Click(Main("uninstall"));
  ExpectBox("どうする？", "レジストリの設定をアンインストールしますか？");
  ExpectBox("情報", "レジストリの設定をアンインストールしました。");
  EXPECT_EQ(Get(HKEY_LOCAL_MACHINE, kPowerDeskCurrent, "ColorDithering")->text(), "1");
  // vsync was already on, its reset state: its value stays deleted.
  EXPECT_EQ(Stored("DirectX", "FlipOnVBlank"), "<missing>");
  EXPECT_EQ(Stored("DirectX", "MipMapping"), "0");   // was on, reset to off
  EXPECT_EQ(Stored("GDI", "Circles"), "<missing>");  // on, and reset to on

  // Now every box already stands in its reset state.
  DeleteValue(HKEY_LOCAL_MACHINE, kPowerDeskCurrent, "ColorDithering");
  korvane->Click(Main("uninstall"));
  ExpectBox("どうする？", "レジストリの設定をアンインストールしますか？");
  ExpectBox("情報", "レジストリの設定をアンインストールしました。");
  EXPECT_FALSE(Get(HKEY_LOCAL_MACHINE, kPowerDeskCurrent, "ColorDithering"));
  EXPECT_EQ(ValueNames(HKEY_LOCAL_MACHINE, SubKey("CPU")),
            (std::vector<std::string>{"AGPFlags", "Use3DNow"}));
  EXPECT_EQ(Stored("CPU", "AGPFlags"), "1");
  EXPECT_EQ(Stored("CPU", "Use3DNow"), "0");
  EXPECT_TRUE(ValueNames(HKEY_LOCAL_MACHINE, SubKey("DirectX")).empty());
  EXPECT_TRUE(ValueNames(HKEY_LOCAL_MACHINE, SubKey("GDI")).empty());
  EXPECT_TRUE(ValueNames(HKEY_LOCAL_MACHINE, SubKey("Engine")).empty());
  EXPECT_FALSE(Get(HKEY_CURRENT_USER, kPowerDesk5, "ShowMeAllMatrox"));
  EXPECT_EQ(Get(HKEY_CURRENT_USER, kPowerDesk5, "LaunchQuickDesk")->dword(), 1u);
}

}  // namespace
}  // namespace e2e
