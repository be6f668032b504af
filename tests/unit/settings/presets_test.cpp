#include "settings/presets.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "unit/settings/settings_test_fixture.h"

namespace korvane::testing {
namespace {

using Write = MemoryRegistryStore::Write;

class PresetsTest : public SettingsTest {
 protected:
  void SetUp() override {
    SettingsTest::SetUp();
    StartAndForget();
  }
};

TEST_F(PresetsTest, InitialSettingsWriteTheTableInOrderThenTellTheUser) {
  std::size_t writes_when_told = 99;
  machine.dialogs.on_message = [&](const ScriptedDialogs::Shown&) {
    writes_when_told = machine.memory.writes().size();
  };
  form().Button11.Click();
  EXPECT_EQ(writes_when_told, machine.memory.writes().size());
  ASSERT_EQ(machine.dialogs.shown().size(), 1u);
  EXPECT_EQ(machine.dialogs.shown()[0].caption, "情報");
  EXPECT_EQ(machine.dialogs.shown()[0].text,
            "レジストリの設定を｢ドライバインストール時の初期設定｣にしました。");
  EXPECT_EQ(machine.dialogs.shown()[0].icon, MessageIcon::kInformation);

  const std::vector<std::string> order = {"ShowMeAllMatrox",
                                          "LaunchQuickDesk",
                                          "ForceDDC",
                                          "HicolorMode",
                                          "BusMastering",
                                          "PaletteSync",
                                          "Circles",
                                          "Rectangles",
                                          "Ellipses",
                                          "FontsCaching",
                                          "AlternateFillPolygons",
                                          "DeviceBitmapsCaching",
                                          "MipMapping",
                                          "Anisotropic",
                                          "AntiAlias",
                                          "TableFog",
                                          "Fogging",
                                          "AGP",
                                          "MMX",
                                          "Use3DNow",
                                          "WriteCombining",
                                          "AGPFlags",
                                          "YUVFastBlit",
                                          "YUVFiltering",
                                          "D3DRendering",
                                          "32BitZ",
                                          "PalettizedTextures",
                                          "UseTripleBuffering",
                                          "IndeoAsYUV",
                                          "CinepakAsYUV",
                                          "FlipOnVBlank",
                                          "AGPExecuteModel"};
  ASSERT_GE(machine.memory.writes().size(), order.size());
  for (std::size_t i = 0; i < order.size(); ++i) {
    EXPECT_EQ(machine.memory.writes()[i].name, order[i]) << i;
  }
  EXPECT_EQ(machine.memory.writes()[0].root, HKCU);
  EXPECT_EQ(machine.memory.writes()[0].value.type, kRegDword);
  EXPECT_EQ(machine.memory.writes()[2].path, machine.SubKey("Monitor"));
  EXPECT_EQ(machine.memory.writes()[2].value.type, kRegString);

  EXPECT_EQ(tab().AGPSpeed().item_index(), 3);
  EXPECT_EQ(Stored("CPU", "AGPFlags"), "1");
  EXPECT_TRUE(tab().box(Setting::kTableFog).checked());
  EXPECT_FALSE(tab().box(Setting::kDDC).checked());
  EXPECT_EQ(machine.memory.GetDword(HKCU, kPowerDesk5, "ShowMeAllMatrox"), 1u);
}

TEST_F(PresetsTest, PressingAPresetTwiceChangesNoControlTheSecondTime) {
  form().Button12.Click();
  const auto first = machine.memory.writes().size();
  EXPECT_GT(first, 32u);  // the table, then the write-backs of changed controls
  machine.memory.ClearWrites();
  form().Button12.Click();
  EXPECT_EQ(machine.memory.writes().size(), 32u);
  EXPECT_EQ(tab().AGPSpeed().item_index(), 1);
  EXPECT_FALSE(tab().box(Setting::kVsync).checked());
  EXPECT_FALSE(tab().box(Setting::kMIPMAP).checked());
  EXPECT_EQ(Stored("DirectX", "FlipOnVBlank"), "0");
  EXPECT_EQ(machine.Boxes().back(), "情報|レジストリの設定を｢ベンチマーク専用の設定｣にしました。");
}

TEST_F(PresetsTest, TheEmergencyPresetSurvivesARestart) {
  form().Button9.Click();
  EXPECT_EQ(machine.Boxes(),
            std::vector<std::string>{"情報|レジストリの設定を｢緊急時専用設定｣にしました。"});
  StartAndForget();
  EXPECT_EQ(tab().AGPSpeed().item_index(), 0);
  EXPECT_EQ(Stored("CPU", "AGPFlags"), "0");
  EXPECT_FALSE(tab().box(Setting::kBusmaster).checked());
  EXPECT_TRUE(tab().box(Setting::kVsync).checked());
}

TEST_F(PresetsTest, TheGamePresetLeavesTheHiddenSettingsAlone) {
  machine.memory.PutString(HKLM, machine.SubKey("DirectX"), "SplitMode", "1");
  machine.memory.PutString(HKLM, kPowerDeskCurrent, "ColorDithering", "1");
  machine.memory.PutString(HKLM, kProgramKey, "Analog Joystick", "1");
  form().Button10.Click();
  EXPECT_EQ(machine.Boxes(),
            std::vector<std::string>{"情報|レジストリの設定を｢ゲームに特化した設定｣にしました。"});
  EXPECT_EQ(Stored("DirectX", "SplitMode"), "1");
  EXPECT_EQ(machine.memory.GetString(HKLM, kPowerDeskCurrent, "ColorDithering"), "1");
  EXPECT_EQ(machine.memory.GetString(HKLM, kProgramKey, "Analog Joystick"), "1");
  EXPECT_FALSE(tab().box(Setting::kToc).checked());
  EXPECT_EQ(Stored("DirectX", "TableFog"), "0");
  EXPECT_EQ(Stored("DirectX", "PalettizedTextures"), "0");
  EXPECT_EQ(tab().AGPSpeed().item_index(), 1);
}

TEST_F(PresetsTest, AFailedWriteEndsThePresetWithNoControlChanged) {
  machine.registry.FailWritesOf("Circles");
  form().Button11.Click();
  EXPECT_EQ(machine.Boxes(),
            (std::vector<std::string>{"Matrox Korvane|'Circles' の設定に失敗しました."}));
  EXPECT_EQ(Stored("GDI", "Rectangles"), "<missing>");
  EXPECT_EQ(Stored("Engine", "PaletteSync"), "1");
  EXPECT_FALSE(tab().box(Setting::kPowerdesk).checked());
  EXPECT_FALSE(tab().box(Setting::kPaletsync).checked());
  EXPECT_EQ(tab().AGPSpeed().item_index(), 3);  // as loaded
}

}  // namespace
}  // namespace korvane::testing
