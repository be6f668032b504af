#include "settings/registry_tab.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "unit/settings/settings_test_fixture.h"

namespace korvane::testing {
namespace {

using Write = MemoryRegistryStore::Write;

class RegistryTabTest : public SettingsTest {
 protected:
  // The names written, in order, below one settings sub-key.
  std::vector<std::string> WrittenNames(const char* sub_key) {
    std::vector<std::string> names;
    for (const Write& write : machine.memory.writes()) {
      if (write.kind == Write::Kind::kSet && write.path == machine.SubKey(sub_key)) {
        names.push_back(write.name);
      }
    }
    return names;
  }
};

// Where each control writes, as the driver and PowerDesk expect it.
struct Expected {
  Setting setting;
  RegistryRoot root;
  const char* key;  // a settings sub-key, or a full path
  const char* value;
  bool integer;
};

TEST_F(RegistryTabTest, EveryControlWritesItsValueTypeAndKeyAtOnce) {
  const Expected expected[] = {
      {Setting::kPowerdesk, HKCU, kPowerDesk5, "ShowMeAllMatrox", true},
      {Setting::kDDC, HKLM, "Monitor", "ForceDDC", false},
      {Setting::kHighcolor, HKLM, "DAC", "HicolorMode", false},
      {Setting::kTasktrey, HKCU, kPowerDesk5, "LaunchQuickDesk", true},
      {Setting::kBusmaster, HKLM, "Engine", "BusMastering", false},
      {Setting::kCircles, HKLM, "GDI", "Circles", false},
      {Setting::kRect, HKLM, "GDI", "Rectangles", false},
      {Setting::kEllipses, HKLM, "GDI", "Ellipses", false},
      {Setting::kFontcash, HKLM, "GDI", "FontsCaching", false},
      {Setting::kPorigon, HKLM, "GDI", "AlternateFillPolygons", false},
      {Setting::kDevice, HKLM, "GDI", "DeviceBitmapsCaching", false},
      {Setting::kPaletsync, HKLM, "Engine", "PaletteSync", false},
      {Setting::kMIPMAP, HKLM, "DirectX", "MipMapping", false},
      {Setting::kAnisotropic, HKLM, "DirectX", "Anisotropic", false},
      {Setting::kAntiAlias, HKLM, "DirectX", "AntiAlias", false},
      {Setting::kTableFog, HKLM, "DirectX", "TableFog", false},
      {Setting::kFogging, HKLM, "DirectX", "Fogging", false},
      {Setting::kAgp, HKLM, "CPU", "AGP", false},
      {Setting::kMmx, HKLM, "CPU", "MMX", false},
      {Setting::kDNow, HKLM, "CPU", "Use3DNow", false},
      {Setting::kComwrite, HKLM, "CPU", "WriteCombining", false},
      {Setting::kFastbilt, HKLM, "DirectX", "YUVFastBlit", false},
      {Setting::kFilter, HKLM, "DirectX", "YUVFiltering", false},
      {Setting::kD3drender, HKLM, "DirectX", "D3DRendering", false},
      {Setting::kZbuff, HKLM, "DirectX", "32BitZ", false},
      {Setting::kPalettized, HKLM, "DirectX", "PalettizedTextures", false},
      {Setting::kTriple, HKLM, "DirectX", "UseTripleBuffering", false},
      {Setting::kIndeo, HKLM, "DirectX", "IndeoAsYUV", false},
      {Setting::kCinepac, HKLM, "DirectX", "CinepakAsYUV", false},
      {Setting::kVsync, HKLM, "DirectX", "FlipOnVBlank", false},
      {Setting::kAGPExecute, HKLM, "DirectX", "AGPExecuteModel", false},
      {Setting::kToc, HKLM, "DirectX", "SplitMode", false},
      {Setting::kDithering, HKLM, kPowerDeskCurrent, "ColorDithering", false},
      {Setting::kCirsor, HKLM, kPowerDeskCurrent, "CursorShapeSync", false},
      {Setting::kVirtualDesk, HKLM, kPowerDeskCurrent, "Win98 Virtual", false},
      {Setting::kTVout, HKLM, kPowerDeskCurrent, "TVOutput", false},
      {Setting::kAnalogJoy, HKLM, kProgramKey, "Analog Joystick", false},
  };
  Start();
  for (const Expected& e : expected) {
    const std::string key = std::string(e.key).find('\\') == std::string::npos
                                ? machine.SubKey(e.key)
                                : std::string(e.key);
    ui::CheckBox& box = tab().box(e.setting);
    for (const bool on : {true, false}) {
      machine.memory.ClearWrites();
      box.Click();
      ASSERT_EQ(machine.memory.writes().size(), 1u) << box.name();
      const Write& write = machine.memory.writes()[0];
      EXPECT_EQ(write.root, e.root) << box.name();
      EXPECT_EQ(write.path, key) << box.name();
      EXPECT_EQ(write.name, e.value) << box.name();
      EXPECT_EQ(write.value.type, e.integer ? kRegDword : kRegString) << box.name();
      if (e.integer) {
        EXPECT_EQ(write.value.data, DwordValue(on ? 1 : 0).data) << box.name();
      } else {
        EXPECT_EQ(write.value.data, StringValue(on ? "1" : "0").data) << box.name();
      }
    }
  }
  const char* flags[] = {"0", "-1", "-2", "1"};
  for (int item = 0; item < 4; ++item) {
    tab().AGPSpeed().ClickItem(item);
    EXPECT_EQ(Stored("CPU", "AGPFlags"), flags[item]);
  }
  EXPECT_EQ(tab().AGPSpeed().items(),
            (std::vector<std::string>{"AGP 1x", "AGP 2x", "AGP 4x", "自動設定"}));
}

TEST_F(RegistryTabTest, LoadingChecksOnlyAnExactOneAndWritesItBackUnderTheWritersName) {
  machine.memory.PutString(HKLM, machine.SubKey("DirectX"), "FlipOnVblank", "1");
  machine.memory.PutString(HKLM, machine.SubKey("DirectX"), "IndeoasYUV", "1");
  machine.memory.PutString(HKLM, machine.SubKey("Monitor"), "ForceDDC", "1");
  machine.memory.PutString(HKLM, machine.SubKey("GDI"), "Circles", "01");
  machine.memory.PutString(HKLM, machine.SubKey("GDI"), "Rectangles", " 1");
  machine.memory.PutString(HKLM, machine.SubKey("GDI"), "Ellipses", "true");
  machine.memory.PutString(HKLM, machine.SubKey("CPU"), "AGPFlags", "-2");
  Start();
  EXPECT_TRUE(tab().box(Setting::kVsync).checked());
  EXPECT_TRUE(tab().box(Setting::kIndeo).checked());
  EXPECT_TRUE(tab().box(Setting::kDDC).checked());
  EXPECT_EQ(tab().AGPSpeed().item_index(), 2);
  EXPECT_EQ(WrittenNames("DirectX"), (std::vector<std::string>{"FlipOnVBlank", "IndeoAsYUV"}));
  EXPECT_EQ(WrittenNames("Monitor"), std::vector<std::string>{"ForceDDC"});
  EXPECT_EQ(WrittenNames("CPU"), std::vector<std::string>{"AGPFlags"});
  EXPECT_EQ(Stored("CPU", "AGPFlags"), "-2");

  for (Setting s : {Setting::kCircles, Setting::kRect, Setting::kEllipses}) {
    EXPECT_FALSE(tab().box(s).checked());
  }
  EXPECT_TRUE(WrittenNames("GDI").empty());
  EXPECT_EQ(Stored("GDI", "Circles"), "01");
  EXPECT_EQ(Stored("GDI", "Rectangles"), " 1");
  EXPECT_EQ(Stored("GDI", "Ellipses"), "true");
}

TEST_F(RegistryTabTest, AnUnknownOrMissingAgpSpeedBecomesAutomatic) {
  machine.memory.PutString(HKLM, machine.SubKey("CPU"), "AGPFlags", "2");
  Start();
  EXPECT_EQ(tab().AGPSpeed().item_index(), 3);
  EXPECT_EQ(Stored("CPU", "AGPFlags"), "1");
}

TEST_F(RegistryTabTest, AMissingCpuKeyIsCreatedWithTheAgpSpeedOnly) {
  machine.memory.DeleteKey(HKLM, machine.SubKey("CPU"));
  Start();
  EXPECT_EQ(machine.memory.ValueNames(HKLM, machine.SubKey("CPU")),
            std::vector<std::string>{"AGPFlags"});
  EXPECT_EQ(Stored("CPU", "AGPFlags"), "1");
  for (Setting s : {Setting::kAgp, Setting::kMmx, Setting::kDNow, Setting::kComwrite}) {
    EXPECT_FALSE(tab().box(s).checked());
  }
}

TEST_F(RegistryTabTest, UncheckedVsyncIsReadBackUncheckedDespiteTheNamesCase) {
  machine.memory.PutString(HKLM, machine.SubKey("DirectX"), "FlipOnVblank", "1");
  Start();
  tab().box(Setting::kVsync).Click();
  EXPECT_EQ(machine.memory.ValueNames(HKLM, machine.SubKey("DirectX")).size(), 1u);
  EXPECT_EQ(Stored("DirectX", "FlipOnVBlank"), "0");
  Start();
  EXPECT_FALSE(tab().box(Setting::kVsync).checked());
}

TEST_F(RegistryTabTest, TheHiddenBoxesIgnoreStoredValuesAtStartup) {
  machine.memory.PutString(HKLM, kPowerDeskCurrent, "ColorDithering", "1");
  machine.memory.PutString(HKLM, machine.SubKey("DirectX"), "SplitMode", "1");
  machine.memory.PutString(HKLM, kProgramKey, "Analog Joystick", "1");
  Start();
  for (Setting s : {Setting::kToc, Setting::kDithering, Setting::kCirsor, Setting::kVirtualDesk,
                    Setting::kTVout, Setting::kAnalogJoy}) {
    EXPECT_FALSE(tab().box(s).checked());
    // Beyond the page's right edge, yet still there for the keyboard.
    EXPECT_GE(tab().box(s).bounds().left, 418);
    EXPECT_TRUE(tab().box(s).visible());
  }
  EXPECT_EQ(machine.memory.GetString(HKLM, kPowerDeskCurrent, "ColorDithering"), "1");
}

TEST_F(RegistryTabTest, PowerDeskValuesLoadAsIntegers) {
  machine.memory.PutDword(HKCU, kPowerDesk5, "LaunchQuickDesk", 2);
  machine.memory.PutDword(HKCU, kPowerDesk5, "ShowMeAllMatrox", 1);
  Start();
  EXPECT_FALSE(tab().box(Setting::kTasktrey).checked());
  EXPECT_TRUE(tab().box(Setting::kPowerdesk).checked());
  // The clock tool's path, "ShowMeAllMatrox" again, and "AGPFlags".
  ASSERT_EQ(machine.memory.writes().size(), 3u);
  EXPECT_EQ(machine.memory.writes()[1].name, "ShowMeAllMatrox");
  EXPECT_EQ(machine.memory.GetDword(HKCU, kPowerDesk5, "LaunchQuickDesk"), 2u);
}

TEST_F(RegistryTabTest, ADriverSettingStoredAsAnIntegerEndsTheLoad) {
  machine.memory.PutDword(HKLM, machine.SubKey("DirectX"), "Fogging", 1);
  machine.memory.PutString(HKLM, machine.SubKey("DirectX"), "MipMapping", "1");
  machine.memory.PutString(HKLM, machine.SubKey("GDI"), "Circles", "1");
  machine.AddMonitorEntry("0003", "CRT");
  Start();
  EXPECT_EQ(machine.Boxes(),
            std::vector<std::string>{"Matrox Korvane|'Fogging' のデータ型が不正です."});
  EXPECT_TRUE(tab().box(Setting::kMIPMAP).checked());  // read before the fault
  EXPECT_FALSE(tab().box(Setting::kCircles).checked());
  EXPECT_EQ(program->main_form().Label31.caption(), "???? ???????????");
}

TEST_F(RegistryTabTest, AFailedWriteIsShownAndTheBoxKeepsTheUsersState) {
  Start();
  machine.registry.FailWritesOf("AGP");
  tab().box(Setting::kAgp).Click();
  EXPECT_TRUE(tab().box(Setting::kAgp).checked());
  EXPECT_EQ(machine.Boxes(),
            std::vector<std::string>{"Matrox Korvane|'AGP' の設定に失敗しました."});
}

TEST_F(RegistryTabTest, HintsShowInTheStatusBarNotAsTooltips) {
  Start();
  ui::StatusBar& bar = tab().StatusBar1();
  EXPECT_EQ(bar.panels().size(), 1u);
  EXPECT_EQ(bar.panels()[0].width, 300);
  EXPECT_EQ(bar.panels()[0].text, "※設定を変更後は再起動してください。");
  EXPECT_FALSE(tab().box(Setting::kDDC).ShowsTooltip());
  tab().box(Setting::kDDC).PointerOver();
  EXPECT_EQ(bar.panels()[0].text, "PowerDeskのMonitorの設定を無効にする。");
  tab().AGPSpeed().PointerOver();
  EXPECT_EQ(bar.panels()[0].text,
            "AGPの速度を決定する。(Socket7ユーザーで動作が不安定な人は1xでご使用ください)");
  tab().group(SettingGroup::kSystem).PointerOver();
  EXPECT_EQ(bar.panels()[0].text, "");
}

TEST_F(RegistryTabTest, ControlsStandInTheirGroupsInScreenOrder) {
  Start();
  const std::vector<std::pair<SettingGroup, std::vector<std::string>>> groups = {
      {SettingGroup::kGeneral, {"Powerdesk", "DDC", "Highcolor", "tasktrey", "busmaster"}},
      {SettingGroup::kGdi,
       {"Circles", "rect", "Ellipses", "fontcash", "porigon", "device", "Paletsync"}},
      {SettingGroup::kD3DFilter, {"MIPMAP", "anisotropic", "AntiAlias", "TableFog", "Fogging"}},
      {SettingGroup::kSystem, {"agp", "mmx", "DNow", "comwrite", "AGPSpeed"}},
      {SettingGroup::kD3DGen,
       {"fastbilt", "filter", "d3drender", "zbuff", "palettized", "triple", "indeo", "cinepac",
        "vsync", "AGPExecute"}},
  };
  for (const auto& [group, names] : groups) {
    std::vector<std::string> found;
    int last_top = -1;
    for (const ui::Control* control : tab().group(group).children()) {
      found.push_back(control->name());
      EXPECT_GT(control->bounds().top, last_top) << control->name();
      last_top = control->bounds().top;
    }
    EXPECT_EQ(found, names);
  }
  // Frames stack without covering one another or the status bar.
  const auto bottom = [&](SettingGroup g) {
    return tab().group(g).bounds().top + tab().group(g).bounds().height;
  };
  const int status_top = tab().StatusBar1().bounds().top;
  EXPECT_LE(bottom(SettingGroup::kGeneral), tab().group(SettingGroup::kGdi).bounds().top);
  EXPECT_LE(bottom(SettingGroup::kGdi), tab().group(SettingGroup::kD3DFilter).bounds().top);
  EXPECT_LE(bottom(SettingGroup::kD3DFilter), status_top);
  EXPECT_LE(bottom(SettingGroup::kSystem), tab().group(SettingGroup::kD3DGen).bounds().top);
  EXPECT_LE(bottom(SettingGroup::kD3DGen), status_top);
  EXPECT_EQ(tab().group(SettingGroup::kSystem).caption(), "システム設定");
  EXPECT_EQ(tab().AGPSpeed().columns(), 2);
  EXPECT_EQ(tab().box(Setting::kVsync).caption(), "垂直回期中にページフリップする");
}

}  // namespace
}  // namespace korvane::testing
