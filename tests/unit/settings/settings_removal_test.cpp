#include "settings/settings_removal.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "unit/settings/settings_test_fixture.h"

namespace korvane::testing {
namespace {

constexpr char kQuestion[] = "どうする？|レジストリの設定をアンインストールしますか？";
constexpr char kDone[] = "情報|レジストリの設定をアンインストールしました。";

class SettingsRemovalTest : public SettingsTest {
 protected:
  bool WroteTo(const std::string& path) {
    for (const auto& write : machine.memory.writes()) {
      if (write.path == path) return true;
    }
    return false;
  }
};

TEST_F(SettingsRemovalTest, CancelChangesNothing) {
  StartAndForget();
  machine.dialogs.Answer(MessageAnswer::kCancel);
  form().uninstall.Click();
  EXPECT_EQ(machine.Boxes(), std::vector<std::string>{kQuestion});
  EXPECT_EQ(machine.dialogs.shown()[0].buttons, MessageButtons::kOkCancel);
  EXPECT_EQ(machine.dialogs.shown()[0].icon, MessageIcon::kNone);
  EXPECT_TRUE(machine.memory.writes().empty());
}

TEST_F(SettingsRemovalTest, RemovesTheSettingsAndResetsTheBoxes) {
  for (const char* name : {"AGP", "MMX", "WriteCombining"}) {
    machine.memory.PutString(HKLM, machine.SubKey("CPU"), name, "1");
  }
  machine.memory.PutString(HKLM, machine.SubKey("DirectX"), "IndeoasYUV", "1");
  machine.memory.PutString(HKLM, machine.SubKey("DirectX"), "AntiAlias", "0");
  machine.memory.PutString(HKLM, machine.SubKey("DAC"), "HicolorMode", "1");
  machine.memory.PutDword(HKCU, kPowerDesk5, "ShowMeAllMatrox", 1);
  machine.memory.PutDword(HKCU, kPowerDesk5, "LaunchQuickDesk", 1);
  StartAndForget();
  std::size_t writes_when_told = 99;
  machine.dialogs.on_message = [&](const ScriptedDialogs::Shown& shown) {
    if (shown.caption == "情報") writes_when_told = machine.memory.writes().size();
  };
  form().uninstall.Click();
  EXPECT_EQ(machine.Boxes(), (std::vector<std::string>{kQuestion, kDone}));
  EXPECT_EQ(writes_when_told, machine.memory.writes().size());

  EXPECT_EQ(Stored("CPU", "AGPFlags"), "1");
  EXPECT_EQ(Stored("CPU", "Use3DNow"), "0");
  EXPECT_EQ(Stored("DirectX", "AntiAlias"), "<missing>");  // was unchecked: stays deleted
  // Boxes that change state write their value back.
  EXPECT_EQ(Stored("CPU", "AGP"), "0");
  EXPECT_EQ(Stored("CPU", "WriteCombining"), "0");
  EXPECT_EQ(Stored("DAC", "HicolorMode"), "0");
  EXPECT_EQ(Stored("DirectX", "IndeoAsYUV"), "0");
  EXPECT_EQ(Stored("DirectX", "FlipOnVBlank"), "1");
  EXPECT_EQ(Stored("GDI", "Circles"), "1");
  EXPECT_EQ(machine.memory.GetDword(HKCU, kPowerDesk5, "ShowMeAllMatrox"), 0u);
  EXPECT_EQ(machine.memory.GetDword(HKCU, kPowerDesk5, "LaunchQuickDesk"), 1u);
  EXPECT_EQ(machine.memory.GetString(HKLM, kPowerDeskCurrent, "ColorDithering"), "1");
  EXPECT_TRUE(tab().box(Setting::kDithering).checked());
  // The AGP speed shows what "AGPFlags" now holds, so that choosing any
  // speed again takes effect.
  EXPECT_EQ(tab().AGPSpeed().item_index(), 3);
}

TEST_F(SettingsRemovalTest, TheAgpSpeedFollowsTheStoredAutomaticSetting) {
  machine.memory.PutString(HKLM, machine.SubKey("CPU"), "AGPFlags", "-1");
  StartAndForget();
  ASSERT_EQ(tab().AGPSpeed().item_index(), 1);
  form().uninstall.Click();
  EXPECT_EQ(tab().AGPSpeed().item_index(), 3);
  EXPECT_EQ(Stored("CPU", "AGPFlags"), "1");
  tab().AGPSpeed().ClickItem(1);
  EXPECT_EQ(Stored("CPU", "AGPFlags"), "-1");
}

TEST_F(SettingsRemovalTest, ASecondRemovalOnlyDeletes) {
  StartAndForget();
  form().uninstall.Click();
  machine.memory.PutString(HKLM, machine.SubKey("DirectX"), "MipMapping", "1");
  machine.memory.ClearWrites();
  form().uninstall.Click();

  EXPECT_FALSE(WroteTo(kPowerDeskCurrent));
  for (const char* name :
       {"AGPExecuteModel", "MipMapping", "Fogging", "FlipOnVblank", "YUVFiltering", "Anisotropic",
        "PalettizedTextures", "D3DRendering", "32BitZ", "UseTripleBuffering", "AntiAlias",
        "TableFog", "CinepakAsYUV", "YUVFastBlit", "IndeoasYUV"}) {
    EXPECT_EQ(Stored("DirectX", name), "<missing>") << name;
  }
  for (const char* name : {"Circles", "Rectangles", "Ellipses", "FontsCaching"}) {
    EXPECT_EQ(Stored("GDI", name), "<missing>") << name;
  }
  EXPECT_EQ(Stored("CPU", "AGPFlags"), "1");
  EXPECT_EQ(Stored("CPU", "Use3DNow"), "0");
  EXPECT_EQ(machine.memory.ValueNames(HKLM, machine.SubKey("CPU")),
            (std::vector<std::string>{"AGPFlags", "Use3DNow"}));
  EXPECT_FALSE(machine.memory.GetDword(HKCU, kPowerDesk5, "ShowMeAllMatrox"));
}

TEST_F(SettingsRemovalTest, AMissingCpuKeyFailsTheFirstWriteAndSkipsTheRest) {
  StartAndForget();
  machine.memory.DeleteKey(HKLM, machine.SubKey("CPU"));
  machine.memory.PutString(HKLM, machine.SubKey("DirectX"), "MipMapping", "1");
  form().uninstall.Click();
  EXPECT_EQ(machine.Boxes(), (std::vector<std::string>{
                                 kQuestion, "Matrox Korvane|'AGPFlags' の設定に失敗しました."}));
  EXPECT_FALSE(machine.memory.KeyExists(HKLM, machine.SubKey("CPU")));
  EXPECT_EQ(Stored("DirectX", "MipMapping"), "1");
  EXPECT_FALSE(tab().box(Setting::kDithering).checked());
  EXPECT_TRUE(machine.memory.writes().empty());
}

}  // namespace
}  // namespace korvane::testing
