// The Registry tab on the real program: what start-up loads and writes
// back, and what a click writes.
#include "korvane_test.h"

namespace e2e {
namespace {

class RegistryTabE2E : public KorvaneTest {
 protected:
  void SetUp() override {
    KorvaneTest::SetUp();
    SeedG400();
  }
  void ShowRegistryTab() { korvane->SelectTab(main, kRegistryTab); }
};

TEST_F(RegistryTabE2E, AnUnknownAgpSpeedLoadsAsAutomaticAndIsStored) {
  SetString(HKEY_LOCAL_MACHINE, SubKey("CPU"), "AGPFlags", "2");
  Start();
  ShowRegistryTab();
  EXPECT_TRUE(korvane->Checked(Main("AGPSpeed[3]")));
  EXPECT_EQ(korvane->Text(Main("AGPSpeed[3]")), "自動設定");
  EXPECT_FALSE(korvane->Checked(Main("AGPSpeed[0]")));
  EXPECT_EQ(Stored("CPU", "AGPFlags"), "1");

  korvane->Click(Main("AGPSpeed[1]"));
  EXPECT_EQ(Stored("CPU", "AGPFlags"), "-1");
  EXPECT_TRUE(korvane->Checked(Main("AGPSpeed[1]")));
  EXPECT_FALSE(korvane->Checked(Main("AGPSpeed[3]")));
}

TEST_F(RegistryTabE2E, AMissingCpuKeyIsCreatedWithTheAgpSpeedAlone) {
  DeleteKey(HKEY_LOCAL_MACHINE, SubKey("CPU"));
  Start();
  EXPECT_EQ(ValueNames(HKEY_LOCAL_MACHINE, SubKey("CPU")), std::vector<std::string>{"AGPFlags"});
  EXPECT_EQ(Stored("CPU", "AGPFlags"), "1");
  ShowRegistryTab();
  for (const char* box : {"agp", "mmx", "DNow", "comwrite"}) {
    EXPECT_FALSE(korvane->Checked(Main(box))) << box;
  }
}

TEST_F(RegistryTabE2E, OnlyAnExactOneLoadsCheckedAndOthersStayAsStored) {
  SetString(HKEY_LOCAL_MACHINE, SubKey("GDI"), "Circles", "01");
  SetString(HKEY_LOCAL_MACHINE, SubKey("GDI"), "Rectangles", " 1");
  SetString(HKEY_LOCAL_MACHINE, SubKey("GDI"), "Ellipses", "true");
  SetString(HKEY_LOCAL_MACHINE, SubKey("Monitor"), "ForceDDC", "1");
  Start();
  ShowRegistryTab();
  for (const char* box : {"Circles", "rect", "Ellipses"}) {
    EXPECT_FALSE(korvane->Checked(Main(box))) << box;
  }
  EXPECT_TRUE(korvane->Checked(Main("DDC")));
  EXPECT_EQ(Stored("GDI", "Circles"), "01");
  EXPECT_EQ(Stored("GDI", "Rectangles"), " 1");
  EXPECT_EQ(Stored("GDI", "Ellipses"), "true");
  EXPECT_EQ(Stored("Monitor", "ForceDDC"), "1");
}

TEST_F(RegistryTabE2E, UncheckingVsyncWritesZeroThatTheNextStartReadsBack) {
  SetString(HKEY_LOCAL_MACHINE, SubKey("DirectX"), "FlipOnVblank", "1");
  Start();
  ShowRegistryTab();
  const HWND vsync = Main("vsync");
  EXPECT_EQ(korvane->Text(vsync), "垂直回期中にページフリップする");
  ASSERT_TRUE(korvane->Checked(vsync));
  korvane->Click(vsync);
  EXPECT_FALSE(korvane->Checked(vsync));
  EXPECT_EQ(Stored("DirectX", "FlipOnVBlank"), "0");
  EXPECT_EQ(ValueNames(HKEY_LOCAL_MACHINE, SubKey("DirectX")).size(), 1u);

  Restart();
  ShowRegistryTab();
  EXPECT_FALSE(korvane->Checked(Main("vsync")));
  EXPECT_EQ(Stored("DirectX", "FlipOnVBlank"), "0");
}

TEST_F(RegistryTabE2E, TheHiddenBoxesIgnoreStoredValues) {
  SetString(HKEY_LOCAL_MACHINE, kPowerDeskCurrent, "ColorDithering", "1");
  SetString(HKEY_LOCAL_MACHINE, SubKey("DirectX"), "SplitMode", "1");
  SetString(HKEY_LOCAL_MACHINE, kProgramKey, "Analog Joystick", "1");
  Start();
  ShowRegistryTab();
  for (const char* box : {"toc", "dithering", "cirsor", "VirtualDesk", "TVout", "AnalogJoy"}) {
    const HWND hidden = Main(box);
    ASSERT_TRUE(hidden) << box;
    EXPECT_FALSE(korvane->Checked(hidden)) << box;
    // Beyond the right edge of its page.
    RECT page;
    RECT control;
    GetWindowRect(Main("TabSheet2"), &page);
    GetWindowRect(hidden, &control);
    EXPECT_GE(control.left, page.right) << box;
  }
  EXPECT_EQ(Get(HKEY_LOCAL_MACHINE, kPowerDeskCurrent, "ColorDithering")->text(), "1");
}

TEST_F(RegistryTabE2E, ClicksWriteTypedValuesAndTheStatusBarShowsHints) {
  Start();
  ShowRegistryTab();
  const HWND status = Main("StatusBar1");
  EXPECT_EQ(korvane->Text(status), "※設定を変更後は再起動してください。");

  korvane->Click(Main("Powerdesk"));
  const auto shown = Get(HKEY_CURRENT_USER, kPowerDesk5, "ShowMeAllMatrox");
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(shown->dword(), 1u);
  korvane->Click(Main("AnalogJoy"));  // hidden, but the keyboard and the program reach it
  const auto joystick = Get(HKEY_LOCAL_MACHINE, kProgramKey, "Analog Joystick");
  ASSERT_TRUE(joystick);
  EXPECT_EQ(joystick->type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(joystick->text(), "1");
  korvane->Click(Main("Highcolor"));
  EXPECT_EQ(Stored("DAC", "HicolorMode"), "1");

  EXPECT_TRUE(korvane->PointTo(Main("DDC"), status, "PowerDeskのMonitorの設定を無効にする。"))
      << korvane->Text(status);
  EXPECT_TRUE(korvane->PointTo(Main("comwrite"), status,
                               "結合書き込みを使用(PentiumPro/II/III/Celeron専用の設定です)"))
      << korvane->Text(status);
}

TEST_F(RegistryTabE2E, ADriverSettingStoredAsAnIntegerStopsTheLoad) {
  SetDword(HKEY_LOCAL_MACHINE, SubKey("DirectX"), "Fogging", 1);
  SetString(HKEY_LOCAL_MACHINE, SubKey("GDI"), "Circles", "1");
  korvane = std::make_unique<Korvane>();
  ExpectBox("Matrox Korvane", "'Fogging' のデータ型が不正です.");
  main = korvane->WaitForForm("Form1");
  ASSERT_TRUE(main);
  ShowRegistryTab();
  EXPECT_FALSE(korvane->Checked(Main("Circles")));
  EXPECT_EQ(Stored("GDI", "Circles"), "1");
}

}  // namespace
}  // namespace e2e
