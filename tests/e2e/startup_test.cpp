// Start-up, the main window, driver discovery and the version dialog, seen
// from outside the real program.
#include "korvane_test.h"

#include <commctrl.h>

#include <algorithm>

namespace e2e {
namespace {

TEST_F(KorvaneTest, TheMainWindowShowsTheSeededBoardAndMonitor) {
  SeedG400();
  Start();
  EXPECT_EQ(korvane->Text(main), "Korvane");
  EXPECT_EQ(korvane->Text(Main("Label5")), "Matrox Millennium G400 DualHead");
  EXPECT_EQ(korvane->Text(Main("Label31")), "Plug and Play Monitor");
  EXPECT_EQ(korvane->Text(Main("Label29")), "AGP 2x");  // as the clock tool reports it
  EXPECT_EQ(korvane->Text(Main("Label1")), "Matrox Korvane Ver1.10");
  EXPECT_EQ(korvane->Text(Main("Button12")), "ベンチマークモード");
  EXPECT_EQ(korvane->Text(Main("uninstall")), "アンインストールする");
  EXPECT_FALSE(korvane->MessageBoxOpen());
  EXPECT_TRUE(korvane->Visible(Main("TabSheet1")));
  EXPECT_FALSE(korvane->Visible(Main("TabSheet2")));
  // The client area is 426 by 385, and the status bar's 18 below the tabs.
  RECT client;
  GetClientRect(main, &client);
  EXPECT_EQ(client.right, 426);
  EXPECT_EQ(client.bottom, 385 + 18);
  // The program's own key and PowerDesk's are made on the first run.
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kProgramKey));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kPowerDesk5));
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kRunKey));
  EXPECT_FALSE(korvane->Enabled(Main("Button7")));
}

TEST_F(KorvaneTest, OnWindowsNtTheErrorBoxAppearsOnceAndTheProgramEndsByItself) {
  SeedG400();
  PretendWindowsNt();
  korvane = std::make_unique<Korvane>();
  const auto box = korvane->WaitForMessageBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->caption, "エラー");
  EXPECT_EQ(box->text, "Windows95/98専用のプログラムです。");
  EXPECT_FALSE(box->has_icon);
  korvane->Answer(*box, IDOK);
  DWORD code = 1;
  EXPECT_TRUE(korvane->WaitForExit(10000, &code)) << "the program did not end by itself";
  EXPECT_EQ(code, 0u);
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kProgramKey));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kPowerDesk5));
  // Start-up ran to the end: the AGP speed was loaded and stored.
  EXPECT_EQ(Stored("CPU", "AGPFlags"), "1");
}

TEST_F(KorvaneTest, EachExitButtonEndsTheProgram) {
  SeedG400();
  const struct {
    int tab;
    const char* button;
  } exits[] = {{kGeneralTab, "Button1"}, {kOverclockTab, "Button8"}, {kOtherTab, "Button5"}};
  for (const auto& exit : exits) {
    Start();
    korvane->SelectTab(main, exit.tab);
    const HWND button = Main(exit.button);
    ASSERT_TRUE(korvane->Visible(button)) << exit.button;
    EXPECT_EQ(korvane->Text(button), "終了(&E)");
    korvane->Click(button);
    DWORD code = 1;
    EXPECT_TRUE(korvane->WaitForExit(10000, &code)) << exit.button;
    EXPECT_EQ(code, 0u);
  }
}

TEST_F(KorvaneTest, TheVersionDialogOpensModallyAndClosesWithOk) {
  SeedG400();
  Start();
  korvane->Click(Main("Button25"));
  const HWND about = korvane->WaitForForm("AboutBox");
  ASSERT_TRUE(about);
  EXPECT_EQ(korvane->Text(about), "バージョン情報");
  EXPECT_EQ(korvane->Text(korvane->Control(about, "Label1")), "Matrox Korvane");
  EXPECT_EQ(korvane->Text(korvane->Control(about, "Label3")), "1.10");
  EXPECT_EQ(korvane->Text(korvane->Control(about, "Label2")), "2000/08/20");
  EXPECT_FALSE(korvane->Enabled(main)) << "the main window should wait for the dialog";

  korvane->Click(korvane->Control(about, "ProgramIcon"));
  const auto box = korvane->WaitForMessageBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->caption, "情報");
  EXPECT_EQ(box->text, "もうすぐG450が出るのぅ～そして････その次は期待のG800ですね～");
  EXPECT_TRUE(box->has_icon);
  korvane->Answer(*box, IDOK);

  korvane->Click(korvane->Control(about, "OKButton"));
  EXPECT_FALSE(korvane->Visible(about));
  EXPECT_TRUE(korvane->Enabled(main));
  // It opens again.
  korvane->Click(Main("Button25"));
  EXPECT_TRUE(korvane->WaitForForm("AboutBox"));
}

TEST_F(KorvaneTest, DiscoveryUsesTheLowestMatchingEntry) {
  AddDisplayEntry("0003", "G400.drv", "Matrox Millennium G400 - English");
  AddDisplayEntry("0000", "G400.drv", kDualHead);
  Start();
  EXPECT_EQ(korvane->Text(Main("Label5")), "Matrox Millennium G400 DualHead");
  EXPECT_EQ(Stored("CPU", "AGPFlags"), "1");
  EXPECT_FALSE(Get(HKEY_LOCAL_MACHINE, SubKey("CPU", "0003"), "AGPFlags"));
}

TEST_F(KorvaneTest, ALowerCaseDriverNameIsNoG400) {
  AddDisplayEntry("0000", "g400.drv", kDualHead);
  Start();
  EXPECT_EQ(korvane->Text(Main("Label5")), "Matrox G400 AGP");
  EXPECT_EQ(korvane->Text(Main("Label31")), "Unknown");
  EXPECT_FALSE(korvane->Enabled(Main("Button12")));
  EXPECT_FALSE(korvane->Enabled(Main("uninstall")));
  EXPECT_FALSE(Get(HKEY_LOCAL_MACHINE, SubKey("CPU"), "AGPFlags"));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "CPU"));
  korvane->SelectTab(main, kRegistryTab);
  EXPECT_FALSE(korvane->Enabled(Main("agp")));
  EXPECT_TRUE(korvane->Enabled(Main("Powerdesk")));
  EXPECT_EQ(korvane->Text(Main("StatusBar1")),
            "※G400のドライバが見つからないため、ドライバの設定は変更できません。");
  EXPECT_TRUE(korvane->PointTo(Main("agp"), Main("StatusBar1"), "AGPを使用する。"));
}

TEST_F(KorvaneTest, TheHighestMonitorEntryNamesTheMonitor) {
  SeedG400();
  SetString(HKEY_LOCAL_MACHINE, std::string(kMonitorClass) + "\\0002", "DriverDesc",
            "プラグ アンド プレイ モニタ");
  Start();
  EXPECT_EQ(korvane->Text(Main("Label31")), "プラグ アンド プレイ モニタ");
}

TEST_F(KorvaneTest, AStartupTypeErrorIsShownAndTheProgramStillStarts) {
  SeedG400();
  SetString(HKEY_CURRENT_USER, kPowerDesk5, "LaunchQuickDesk", "1");
  korvane = std::make_unique<Korvane>();
  ExpectBox("Matrox Korvane", "'LaunchQuickDesk' のデータ型が不正です.");
  main = korvane->WaitForForm("Form1");
  ASSERT_TRUE(main);
  EXPECT_EQ(korvane->Text(Main("Label31")), "???? ???????????");
  EXPECT_EQ(Stored("CPU", "AGPFlags"), "<missing>");
}

TEST_F(KorvaneTest, TheRunEntryEnablesTheRemoveButton) {
  SeedG400();
  SetString(HKEY_LOCAL_MACHINE, kRunKey, "G400 OverClock",
            "C:\\PROGRA~1\\KORVANE\\G4set.exe -sclk 300 -div 1/2 2/3 1/2");
  Start();
  korvane->SelectTab(main, kOverclockTab);
  EXPECT_TRUE(korvane->Enabled(Main("Button7")));
}

}  // namespace
}  // namespace e2e

namespace e2e {
namespace {

TEST_F(KorvaneTest, TheKeyboardWalksTheControlsInOrderAndAltEEnds) {
  SeedG400();
  Start();
  EXPECT_EQ(WindowName(korvane->Focus()), "Button12");
  std::vector<std::string> order;
  for (int i = 0; i < 10; ++i) {
    korvane->PressKey(VK_TAB);
    order.push_back(WindowName(korvane->Focus()));
  }
  EXPECT_EQ(order, (std::vector<std::string>{"Button10", "Button11", "Button9", "uninstall",
                                             "RestoreButton", "ReportButton", "Button1", "Button25",
                                             "PageControl1", "Button12"}));

  // On the Registry tab the hidden boxes are in the focus order too.
  korvane->SelectTab(main, kRegistryTab);
  std::vector<std::string> visited;
  for (int i = 0; i < 60; ++i) {
    korvane->PressKey(VK_TAB);
    visited.push_back(WindowName(korvane->Focus()));
  }
  // Tab enters a radio group at its selected item, here "自動設定".
  for (const char* name : {"Powerdesk", "vsync", "toc", "AnalogJoy", "AGPSpeed[3]"}) {
    EXPECT_NE(std::find(visited.begin(), visited.end(), name), visited.end()) << name;
  }
  const auto toc = std::find(visited.begin(), visited.end(), "toc");
  const auto agp_execute = std::find(visited.begin(), visited.end(), "AGPExecute");
  ASSERT_NE(toc, visited.begin());
  EXPECT_EQ(*(toc - 1), "AGPExecute");
  EXPECT_NE(agp_execute, visited.end());

  // Alt+E reaches the exit button of the page on show.
  korvane->SelectTab(main, kGeneralTab);
  korvane->PressKey('E', true);
  DWORD code = 1;
  EXPECT_TRUE(korvane->WaitForExit(10000, &code)) << "Alt+E did not end the program";
  EXPECT_EQ(code, 0u);
}

TEST_F(KorvaneTest, HintsPopUpEverywhereButOnTheRegistryTabDisabledControlsIncluded) {
  SeedG400();
  Start();
  HWND tooltip = nullptr;
  for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (std::wstring(name) == L"tooltips_class32" && GetWindow(window, GW_OWNER) == main) {
      tooltip = window;
    }
  }
  ASSERT_TRUE(tooltip);
  // Fourteen hints on the General tab, twenty-four on the chip tab, thirteen
  // on the Overclock tab (the radio group's frame and each of its buttons
  // hold one), three on the Other tab, and none of the Registry tab's forty. A
  // page's controls get their windows, and so their hints, when the page is
  // first shown.
  for (const int tab : {kRegistryTab, kChipTab, kOverclockTab, kOtherTab}) {
    korvane->SelectTab(main, tab);
  }
  DWORD_PTR tools = 0;
  SendMessageTimeoutW(tooltip, TTM_GETTOOLCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &tools);
  EXPECT_EQ(tools, 54u);

  // A disabled control gets no pointer moves of its own; its hint shows all
  // the same.
  korvane->SelectTab(main, kOverclockTab);
  ASSERT_FALSE(korvane->Enabled(Main("Button7")));
  EXPECT_TRUE(
      korvane->PointTo(Main("Button7"), tooltip, "起動時からのオーバークロックを解除します。"));
  EXPECT_TRUE(korvane->Visible(tooltip));
}

}  // namespace
}  // namespace e2e
