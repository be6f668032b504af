#include "app/main_form.h"

#include <gtest/gtest.h>

#include "app/program.h"
#include "files/paths.h"
#include "unit/test_machine.h"

namespace korvane::testing {
namespace {

constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\run";

class MainFormTest : public ::testing::Test {
 protected:
  TestMachine machine;
};

TEST_F(MainFormTest, StartupNamesTheBoardAndMonitorAndCreatesTheProgramKeys) {
  machine.SeedG400();
  machine.AddMonitorEntry("0002", "プラグ アンド プレイ モニタ");
  Program program(machine.services);
  TForm1& form = program.main_form();
  EXPECT_EQ(form.Label5.caption(), "Matrox Millennium G400 DualHead");
  EXPECT_EQ(form.Label31.caption(), "プラグ アンド プレイ モニタ");
  EXPECT_EQ(form.Label29.caption(), "AGP 1x/2x/4x");  // no report yet
  EXPECT_TRUE(machine.Boxes().empty());
  EXPECT_FALSE(program.application().terminate_requested());
  EXPECT_TRUE(machine.memory.KeyExists(HKLM, kProgramKey));
  EXPECT_TRUE(machine.memory.KeyExists(HKCU, kPowerDesk5));
  EXPECT_TRUE(machine.memory.KeyExists(HKLM, kRunKey));
  EXPECT_EQ(form.program_folder(), "C:\\KORVANE");
  EXPECT_EQ(form.PageControl1.active_index(), 0);
  EXPECT_EQ(form.PageControl1.page(0).caption(), "一般");
  EXPECT_EQ(form.PageControl1.page(4).caption(), "その他");
}

TEST_F(MainFormTest, OtherPlatformsGetOneErrorBoxAndTheProgramEndsAfterStartingUp) {
  for (const std::uint32_t platform :
       {std::uint32_t{kPlatformWindowsNt}, std::uint32_t{kPlatformWin32s}, std::uint32_t{7}}) {
    TestMachine machine;
    machine.SeedG400();
    machine.os.version = OsVersion{platform, 5, 0};
    Program program(machine.services);
    EXPECT_EQ(machine.Boxes(),
              std::vector<std::string>{"エラー|Windows95/98専用のプログラムです。"});
    EXPECT_EQ(machine.dialogs.shown()[0].icon, MessageIcon::kNone);
    EXPECT_EQ(machine.dialogs.shown()[0].buttons, MessageButtons::kOk);
    EXPECT_TRUE(program.application().terminate_requested());
    // The rest of start-up still ran.
    EXPECT_TRUE(machine.memory.KeyExists(HKLM, kProgramKey));
    EXPECT_TRUE(machine.memory.KeyExists(HKCU, kPowerDesk5));
    EXPECT_EQ(program.main_form().Label5.caption(), "Matrox Millennium G400 DualHead");
    EXPECT_EQ(machine.memory.GetString(HKLM, machine.SubKey("CPU"), "AGPFlags"), "1");
  }
  TestMachine no_answer;
  no_answer.os.version.reset();
  Program program(no_answer.services);
  EXPECT_TRUE(program.application().terminate_requested());
}

TEST_F(MainFormTest, TheRunEntryEnablesTheRemoveButton) {
  machine.SeedG400();
  {
    Program program(machine.services);
    EXPECT_FALSE(program.main_form().overclock_tab().Button7.enabled());
  }
  machine.memory.PutString(HKLM, kRunKey, "G400 OverClock", "C:\\KORVANE\\G4set.exe -sclk 300");
  Program program(machine.services);
  EXPECT_TRUE(program.main_form().overclock_tab().Button7.enabled());
}

TEST_F(MainFormTest, AStartupErrorIsShownAndSkipsTheRestButTheProgramStarts) {
  machine.SeedG400();
  machine.AddMonitorEntry("0001", "Monitor");
  machine.memory.PutString(HKCU, kPowerDesk5, "LaunchQuickDesk", "1");
  Program program(machine.services);
  ASSERT_EQ(machine.dialogs.shown().size(), 1u);
  EXPECT_EQ(machine.dialogs.shown()[0].caption, "Matrox Korvane");
  EXPECT_EQ(machine.dialogs.shown()[0].text, "'LaunchQuickDesk' のデータ型が不正です.");
  EXPECT_EQ(machine.dialogs.shown()[0].icon, MessageIcon::kError);
  EXPECT_EQ(program.main_form().Label31.caption(), "???? ???????????");
  EXPECT_FALSE(machine.memory.Get(HKLM, machine.SubKey("CPU"), "AGPFlags"));
  EXPECT_FALSE(program.application().terminate_requested());
  EXPECT_EQ(program.game_form().caption(), "各種ゲーム用設定");
}

TEST_F(MainFormTest, ADiscoveryErrorStopsBeforeTheProgramKey) {
  machine.memory.PutDword(HKLM, std::string(kDisplayClass) + "\\0000\\DEFAULT", "drv", 400);
  Program program(machine.services);
  EXPECT_EQ(machine.Boxes(),
            std::vector<std::string>{"Matrox Korvane|'drv' のデータ型が不正です."});
  EXPECT_FALSE(machine.memory.KeyExists(HKLM, kProgramKey));
  EXPECT_EQ(program.main_form().Label5.caption(), "Matrox Millennium G400 MAX");
}

TEST_F(MainFormTest, WithoutADriverKeyNoDriverSettingCanBeWritten) {
  machine.AddDisplayEntry("0000", "mga.drv", "Matrox Millennium II");
  machine.memory.PutString(HKCU, kPowerDesk5, "Unrelated", "x");
  Program program(machine.services);
  TForm1& form = program.main_form();
  RegistryTab& tab = form.registry_tab();
  EXPECT_EQ(form.Label5.caption(), "Matrox G400 AGP");
  for (ui::Button* button :
       {&form.Button12, &form.Button10, &form.Button11, &form.Button9, &form.uninstall}) {
    EXPECT_FALSE(button->enabled()) << button->name();
  }
  EXPECT_FALSE(tab.box(Setting::kAgp).enabled());
  EXPECT_FALSE(tab.box(Setting::kToc).enabled());
  EXPECT_FALSE(tab.AGPSpeed().enabled());
  EXPECT_EQ(tab.AGPSpeed().item_index(), -1);
  EXPECT_TRUE(tab.box(Setting::kPowerdesk).enabled());
  EXPECT_TRUE(tab.box(Setting::kDithering).enabled());
  EXPECT_EQ(tab.StatusBar1().panels()[0].text,
            "※G400のドライバが見つからないため、ドライバの設定は変更できません。");
  // Past a control, the explanation comes back where there is none.
  tab.box(Setting::kAgp).PointerOver();
  EXPECT_EQ(tab.StatusBar1().panels()[0].text, tab.box(Setting::kAgp).hint());
  tab.group(SettingGroup::kSystem).PointerOver();
  EXPECT_EQ(tab.StatusBar1().panels()[0].text,
            "※G400のドライバが見つからないため、ドライバの設定は変更できません。");
  EXPECT_FALSE(form.TabSheet2.ShowsTooltip());

  // Even set from code, a driver box writes nothing, anywhere.
  machine.memory.ClearWrites();
  ASSERT_TRUE(tab.box(Setting::kAgp).SetChecked(true).ok());
  ASSERT_TRUE(tab.AGPSpeed().SetItemIndex(1).ok());
  form.Button12.Click();
  form.uninstall.Click();
  EXPECT_TRUE(machine.memory.writes().empty());
  EXPECT_TRUE(machine.Boxes().empty());
  for (const char* root_key : {"CPU", "DirectX", "Settings\\CPU", "Monitor", "GDI"}) {
    EXPECT_FALSE(machine.memory.KeyExists(HKLM, root_key)) << root_key;
  }
  // PowerDesk's own settings still work.
  tab.box(Setting::kPowerdesk).Click();
  EXPECT_EQ(machine.memory.GetDword(HKCU, kPowerDesk5, "ShowMeAllMatrox"), 1u);
}

// A folder that takes no file (a CD, a read-only share): what the program
// writes goes to its own folder in the Windows folder, as the status bar
// says. Where that takes no file either, the load still goes to its end,
// leaves unwritten what it could not back up, and says why.
TEST_F(MainFormTest, AFolderThatTakesNoFileMovesTheFilesAndNeverStopsTheLoad) {
  const std::string work = "C:\\WINDOWS\\KORVANE";
  for (const bool work_writable : {true, false}) {
    TestMachine machine;
    machine.SeedG400();
    machine.AddMonitorEntry("0002", "プラグ アンド プレイ モニタ");
    machine.files.MakeReadOnly("C:\\KORVANE");
    if (!work_writable) machine.files.MakeReadOnly(work + "\\backup");
    Program program(machine.services);
    program.Start();
    TForm1& form = program.main_form();
    EXPECT_EQ(form.Label31.caption(), "プラグ アンド プレイ モニタ") << work_writable;
    EXPECT_TRUE(machine.Boxes().empty()) << work_writable;
    const std::string moved = "Korvaneのフォルダーに書き込めないため " + work + " を使います";
    EXPECT_EQ(
        form.StatusBar2.panels()[0].text,
        work_writable
            ? moved
            : moved + "。バックアップ " + work +
                  "\\backup\\19991123-210509.reg を保存できないため、'g4set' は変更していません");
    EXPECT_EQ(machine.memory.GetString(HKLM, kProgramKey, "g4set").has_value(), work_writable);
    EXPECT_TRUE(machine.files.Get(work + "\\g400.txt")) << "the status query's output";
    EXPECT_EQ(program.main_form().DescribeMachine().work_folder, moved);
  }
}

TEST_F(MainFormTest, EveryExitButtonClosesTheMainWindow) {
  machine.SeedG400();
  for (const char* name : {"Button1", "Button8", "Button5"}) {
    Program program(machine.services);
    TForm1& form = program.main_form();
    program.Start();
    ASSERT_TRUE(form.visible());
    ui::Button& button = std::string(name) == "Button1"   ? form.Button1
                         : std::string(name) == "Button8" ? form.overclock_tab().Button8
                                                          : form.Button5;
    EXPECT_EQ(button.caption(), "終了(&E)");
    EXPECT_EQ(button.hint(), "Korvaneを終了します。");
    button.Click();
    EXPECT_FALSE(form.visible()) << name;
  }
}

TEST_F(MainFormTest, TheSecondaryWindowsOpenFromTheirButtons) {
  machine.SeedG400();
  Program program(machine.services);
  program.Start();
  TForm1& form = program.main_form();
  EXPECT_FALSE(program.about_box().visible());
  form.Button25.Click();
  EXPECT_TRUE(program.about_box().visible());
  program.about_box().OKButton.Click();
  EXPECT_FALSE(program.about_box().visible());

  form.Button15.Click();
  EXPECT_TRUE(program.game_form().visible());
  EXPECT_TRUE(form.visible());
  EXPECT_EQ(program.pin_form().caption(), "PINファイルをカスタマイズ");
  EXPECT_FALSE(program.pin_form().visible());
}

TEST_F(MainFormTest, TheGeneralTabShowsTheAgpModeFromTheClockReport) {
  machine.SeedG400();
  machine.clock_report.clear();
  for (int line = 0; line < 15; ++line) machine.clock_report += "x\r\n";
  machine.clock_report += "AGP transfer  :4x\r\n";
  Program program(machine.services);
  TForm1& form = program.main_form();
  // The window shows before the status query, and says the mode is being
  // read until it is in.
  const auto clock_tool = machine.processes.on_batch;
  machine.processes.on_batch = [&](const RecordingProcesses::BatchRun& run) {
    EXPECT_TRUE(form.visible());
    EXPECT_EQ(form.Label29.caption(), "読み取り中…");
    return clock_tool(run);
  };
  program.Start();
  EXPECT_EQ(form.Label29.caption(), "AGP 4x");
  form.clock_report()[15] = "AGP transfer  :2x";
  form.PageControl1.Select(1);
  EXPECT_EQ(form.Label29.caption(), "AGP 4x");
  form.PageControl1.Select(0);
  EXPECT_EQ(form.Label29.caption(), "AGP 2x");

  // A report without the mode no longer says it is being read.
  machine.clock_report = "x\r\n";
  machine.processes.on_batch = clock_tool;
  Program without(machine.services);
  without.Start();
  EXPECT_EQ(without.main_form().Label29.caption(), "AGP 1x/2x/4x");
}

// Outside tools find controls by name through atoms, which ignore case.
void ExpectNamesUniqueIgnoringCase(const ui::Container& container, std::vector<std::string>* seen) {
  for (const ui::Control* control : container.children()) {
    std::string lower = control->name();
    for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    for (const std::string& other : *seen) EXPECT_NE(lower, other) << control->name();
    seen->push_back(lower);
    if (ui::IsContainer(control->kind())) {
      ExpectNamesUniqueIgnoringCase(*static_cast<const ui::Container*>(control), seen);
    }
  }
}

TEST_F(MainFormTest, EveryFormNamesItsControlsUniquelyIgnoringCase) {
  machine.SeedG400();
  Program program(machine.services);
  for (const ui::Form* form : std::initializer_list<const ui::Form*>{
           &program.main_form(), &program.game_form(), &program.about_box(), &program.pin_form()}) {
    std::vector<std::string> seen;
    ExpectNamesUniqueIgnoringCase(*form, &seen);
    if (form == &program.main_form()) {
      EXPECT_GE(seen.size(), 80u);  // the Registry tab's boxes sit inside frames
    }
  }
}

TEST(PathsTest, FolderOfKeepsADriveRootsBackslashOnly) {
  EXPECT_EQ(FolderOf("C:\\PROGRA~1\\KORVANE\\KORVANE.EXE"), "C:\\PROGRA~1\\KORVANE");
  EXPECT_EQ(FolderOf("C:\\KORVANE.EXE"), "C:\\");
  EXPECT_EQ(FolderOf("C:KORVANE.EXE"), "C:");
  EXPECT_EQ(FolderOf("KORVANE.EXE"), "");
}

// Each component by its long name, up to the first that does not exist.
TEST(PathsTest, LongPathNamesEachExistingComponentByItsLongName) {
  FakeFileSystem files;
  files.SetLongName("C:\\PROGRA~1", "Program Files");
  files.SetLongName("C:\\PROGRA~1\\KORVANE", "Korvane");
  EXPECT_EQ(LongPath(files, "C:\\PROGRA~1\\KORVANE\\BACKUP\\1.REG"),
            "C:\\Program Files\\Korvane\\BACKUP\\1.REG");
  EXPECT_EQ(LongPath(files, "G4set.exe"), "G4set.exe");
}

}  // namespace
}  // namespace korvane::testing
