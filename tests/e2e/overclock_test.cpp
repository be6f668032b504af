// The Overclock tab on the real program, with the stand-ins for the clock
// tools: the status query at start-up, the clocks it shows, clock change
// and reset, and the overclock at every log-on.
#include <algorithm>
#include <string>
#include <vector>

#include "korvane_test.h"

namespace e2e {
namespace {

constexpr char kRunValue[] = "G400 OverClock";
// What the log-on overclock's message adds for clocks no test has run at.
const std::string kUntested = "\nこのクロックはまだテストしていません。";

// A status report with the system clock at columns 23-27 of line 11, the
// clocks line 13 and the AGP mode of line 16.
std::string Report(const std::string& system_clock,
                   const std::string& clocks = "1/2  -> 125 2/3  -> 166",
                   const std::string& agp = "2") {
  std::string report;
  for (int line = 1; line <= 10; ++line) report += "line " + std::to_string(line) + "\r\n";
  report += "System clock (PLL)  : " + system_clock + " MHz\r\n";
  report += "Div    Core  Div    Memory\r\n";
  report += clocks + "\r\n";
  report += "Warp 1/2\r\n\r\n";
  report += "AGP transfer  :" + agp + "x\r\n";
  return report;
}

class OverclockE2E : public KorvaneTest {
 protected:
  void SetUp() override {
    KorvaneTest::SetUp();
    SeedG400();
    folder_ = ShortPath(kProgramFolder);
  }

  void ShowOverclockTab() { korvane->SelectTab(main, kOverclockTab); }
  // Starts the program from another folder.
  void StartIn(const std::string& folder) {
    korvane = std::make_unique<Korvane>(folder);
    main = korvane->WaitForForm("Form1");
    ASSERT_TRUE(main);
    WaitForClockReport();
  }
  std::string InFolder(const std::string& name) const { return kProgramFolder + ("\\" + name); }
  std::optional<std::uint32_t> StoredClock() const {
    const auto value = Get(HKEY_LOCAL_MACHINE, kProgramKey, kRunValue);
    return value ? value->dword() : std::nullopt;
  }
  std::string RunEntry() const {
    const auto value = Get(HKEY_LOCAL_MACHINE, kRunKey, kRunValue);
    return value ? value->text() : "<missing>";
  }

  // The log-on overclock asks about a clock not set in this run: yes.
  void AcceptUntriedClockWarning() {
    const auto warning = korvane->WaitForMessageBox();
    ASSERT_TRUE(warning);
    EXPECT_EQ(warning->caption, "どうする？");
    korvane->Answer(*warning, IDOK);
  }

  // Starts with the question after a change ticked, counting `seconds`, and
  // 300 MHz typed.
  void StartToChangeWithQuestion(const wchar_t* seconds) {
    SetEnvironmentVariableW(L"KORVANE_TEST_CONFIRM_SECONDS", seconds);
    Start();
    SetEnvironmentVariableW(L"KORVANE_TEST_CONFIRM_SECONDS", nullptr);
    ShowOverclockTab();
    korvane->Click(Main("CheckBox1"));
    korvane->Type(Main("Edit1"), "300");
  }

  // Waits until the tool has started its `runs`th run.
  bool WaitForRun(std::size_t runs) {
    for (int waited = 0; waited < 15000 && ToolRuns(kProgramFolder, kG4set).size() < runs;
         waited += 50) {
      Sleep(50);
    }
    return ToolRuns(kProgramFolder, kG4set).size() == runs;
  }

  // The program folder as Korvane works it out: the short form.
  std::string folder_;
};

TEST_F(OverclockE2E, TheStatusQueryRunsFromTheShortFolderAndFillsTheTab) {
  ASSERT_EQ(folder_.find(' '), std::string::npos) << "no short form for " << kProgramFolder;
  Start();
  EXPECT_EQ(ReadBytes(InFolder("g4clk.bat")),
            folder_ + "\\g4set.exe > " + folder_ + "\\g400.txt\r\n");
  EXPECT_EQ(ToolRuns(kProgramFolder, kG4set), std::vector<std::string>{""});
  EXPECT_EQ(Get(HKEY_LOCAL_MACHINE, kProgramKey, "g4set")->text(), folder_ + "\\G4set.exe");

  ShowOverclockTab();
  const std::vector<std::pair<const char*, const char*>> shown = {
      {"Label14", "Matrox G400 Chip Control Utility"},
      {"Label16", "システムクロック指定："},
      {"Edit1", "250"},
      {"Label163", "250MHz"},
      {"Label92", "125MHz"},
      {"Label162", "166MHz"},
      {"Label157", "125MHz"},
      {"Label158", "166MHz"},
      {"CoreCB", "1/2"},
      {"MemCB", "2/3"},
      {"Label28", "400MHｚ"},
      {"RadioGroup1", "ユーティリティ選択"},
      {"GroupBox1", "起動時の設定"},
      {"Button3", "クロック変更"},
      {"Button4", "初期設定"},
  };
  for (const auto& [name, text] : shown) EXPECT_EQ(korvane->Text(Main(name)), text) << name;
  EXPECT_TRUE(korvane->Checked(Main("RadioGroup1[0]")));
  EXPECT_FALSE(korvane->Checked(Main("RadioGroup1[1]")));
  EXPECT_EQ(korvane->Text(Main("Memo0")),
            "・G4set.exe /  ・G200clk.exe\r\nどちらか選択してお使いください。\r\n"
            "※デフォルトはG4set.exeになっています。\r\n\r\n"
            "同じG400搭載ボードでも環境によってベスト設定は変わってくるので\r\n"
            "色々な設定をお試しになってご自分の最適の設定を見つけてください。\r\n\r\n"
            "起動時の設定を高く設定しすぎた場合WindowsをSafeモードで立ち上げ、\r\n"
            "このプログラムで起動時の設定を解除してください。\r\n\r\n"
            "「オプション」でデフォルトクロックとOC上限クロックを設定できます。");
}

TEST_F(OverclockE2E, TheReportGivesTheClocksTheDividersAndTheAgpMode) {
  const struct {
    std::string report;
    const char* system_clock;  // Label163
    const char* clock_box;     // Edit1
    const char* core_divider;
    const char* planned_core;  // Label157
    const char* agp;
  } cases[] = {
      {Report("250.0", "1/2  -> 125 2/3  -> 166", "4"), "250MHz", "250", "1/2", "125MHz", "AGP 4x"},
      {Report("249.5"), "250MHz", "250", "1/2", "125MHz", "AGP 2x"},
      // Brought into the box's range, so the planned clocks follow 100.
      {Report(" 99.4"), "99MHz", "100", "1/2", "50MHz", "AGP 2x"},
      // No such divider: the first item, with the reported clock as it is.
      {Report("250.0", "3/4  -> 187 2/3  -> 166"), "250MHz", "250", "1/2", "187MHz", "AGP 2x"},
  };
  for (const auto& c : cases) {
    SetStatusReport(kProgramFolder, c.report);
    korvane.reset();
    Start();
    EXPECT_EQ(korvane->Text(Main("Label29")), c.agp);
    ShowOverclockTab();
    EXPECT_EQ(korvane->Text(Main("Label163")), c.system_clock);
    EXPECT_EQ(korvane->Text(Main("Edit1")), c.clock_box);
    EXPECT_EQ(korvane->Text(Main("CoreCB")), c.core_divider);
    EXPECT_EQ(korvane->Text(Main("Label157")), c.planned_core);
    EXPECT_FALSE(korvane->MessageBoxOpen());
  }
}

// A tool that finds no card says so: the status bar quotes it, no clock is made up.
TEST_F(OverclockE2E, AReportWithoutClocksIsQuotedAndNoClockIsMadeUp) {
  SetStatusReport(kProgramFolder, "G4SET: no Matrox G400 card found.\r\n");
  Start();
  EXPECT_EQ(korvane->Text(Main("StatusBar2")),
            "g4set.exe の出力を読めません：「G4SET: no Matrox G400 card found.」");
  EXPECT_EQ(korvane->Text(Main("Label29")), "AGP 1x/2x/4x");
  ShowOverclockTab();
  ExpectBox("Matrox Korvane", "'' は整数ではありません.");
  EXPECT_EQ(korvane->Text(Main("Label163")) + korvane->Text(Main("Label162")), "---MHz---MHz");
}

TEST_F(OverclockE2E, AStoredLowerCaseG4setPathChoosesTheSecondTool) {
  SetString(HKEY_LOCAL_MACHINE, kProgramKey, "G4set", folder_ + "\\g4set.exe");
  Start();
  ShowOverclockTab();
  EXPECT_TRUE(korvane->Checked(Main("RadioGroup1[1]")));
  EXPECT_EQ(korvane->Text(Main("Label14")), "Matrox G200/G400 Optimization");
  EXPECT_EQ(Get(HKEY_LOCAL_MACHINE, kProgramKey, "G4set")->text(), folder_ + "\\g200clk.exe");
  // The status query runs G4set.exe whatever the choice.
  EXPECT_EQ(ToolRuns(kProgramFolder, kG4set).size(), 1u);
}

TEST_F(OverclockE2E, AClockChangeRunsTheChosenToolAndStoresTheClock) {
  Start();
  ShowOverclockTab();
  korvane->Type(Main("Edit1"), "300");
  korvane->Choose(Main("CoreCB"), 1);  // "1/1"
  EXPECT_EQ(korvane->Text(Main("Label157")), "300MHz");
  korvane->Click(Main("Button3"));
  ExpectBox("情報", "G400のコアクロックを300MHzに、メモリークロックを200MHzに変更しました。");
  EXPECT_EQ(ReadBytes(InFolder("OC.bat")), folder_ + "\\G4set.exe -sclk 300 -div 1/1 2/3 1/2\r\n");
  EXPECT_EQ(ToolRuns(kProgramFolder, kG4set).back(), "-sclk 300 -div 1/1 2/3 1/2");
  EXPECT_EQ(StoredClock(), 300u);
  EXPECT_EQ(korvane->Text(Main("Label163")), "300MHz");
  EXPECT_EQ(korvane->Text(Main("Label92")), "300MHz");
  EXPECT_EQ(korvane->Text(Main("Label162")), "200MHz");

  korvane->Click(Main("RadioGroup1[1]"));
  EXPECT_EQ(korvane->Text(Main("Label14")), "Matrox G200/G400 Optimization");
  korvane->Type(Main("Edit1"), "151");
  korvane->Click(Main("Edit1"));
  korvane->StepUpDown(Main("UpDown1"), -1);
  EXPECT_EQ(korvane->Text(Main("Edit1")), "150");
  EXPECT_EQ(korvane->Text(Main("Label158")), "100MHz");
  korvane->Click(Main("Button3"));
  ExpectBox("情報", "G400のコアクロックを150MHzに、メモリークロックを100MHzに変更しました。");
  EXPECT_EQ(ReadBytes(InFolder("OC.bat")), folder_ + "\\g200clk.exe /1 300\r\n");
  EXPECT_EQ(ToolRuns(kProgramFolder, kG200clk), std::vector<std::string>{"/1 300"});
  EXPECT_EQ(StoredClock(), 150u);
}

TEST_F(OverclockE2E, AResetSends251AndStoresTheInitialCoreClock) {
  Start();
  ShowOverclockTab();
  korvane->Click(Main("Button4"));
  ExpectBox("情報", "G400のコアクロックを 125MHz に、 メモリークロックを 166MHz に戻しました。");
  EXPECT_EQ(ReadBytes(InFolder("OC.bat")), folder_ + "\\G4set.exe -sclk 251 -div 1/2 2/3 1/2\r\n");
  EXPECT_EQ(ToolRuns(kProgramFolder, kG4set).back(), "-sclk 251 -div 1/2 2/3 1/2");
  EXPECT_EQ(StoredClock(), 125u);
  EXPECT_EQ(korvane->Text(Main("Edit1")), "251");
  EXPECT_EQ(korvane->Text(Main("Label163")), "250MHz");
  EXPECT_EQ(korvane->Text(Main("Label92")), "125MHz");
  EXPECT_EQ(korvane->Text(Main("Label162")), "166MHz");
}

TEST_F(OverclockE2E, TheSecondToolIsGivenNothingOutsideItsRange) {
  Start();
  ShowOverclockTab();
  korvane->Click(Main("RadioGroup1[1]"));
  // 250 MHz, and a reset's 251, are beyond what G200clk.exe takes.
  for (const char* button : {"Button3", "Button4", "Button2"}) {
    korvane->Click(Main(button));
    ExpectBox("Matrox Korvane",
              "G200clk.exeで設定できるシステムクロックは125MHzから200MHzまでです.");
  }
  EXPECT_FALSE(ReadBytes(InFolder("OC.bat")));
  EXPECT_TRUE(ToolRuns(kProgramFolder, kG200clk).empty());
  EXPECT_FALSE(StoredClock());
  EXPECT_EQ(RunEntry(), "<missing>");
  EXPECT_FALSE(korvane->Enabled(Main("Button7")));
  EXPECT_EQ(korvane->Text(Main("Label163")), "250MHz");
  EXPECT_EQ(korvane->Text(Main("Edit1")), "250");
}

TEST_F(OverclockE2E, TheLogOnOverclockIsReplacedAndItsRemovalNeedsNoEntry) {
  Start();
  ShowOverclockTab();
  korvane->Type(Main("Edit1"), "300");
  korvane->Click(Main("Button2"));
  AcceptUntriedClockWarning();
  ExpectBox("情報", "G400のコアクロックを300MHzにして起動設定をします。" + kUntested);
  EXPECT_EQ(RunEntry(), folder_ + "\\G4set.exe -sclk 300 -div 1/2 2/3 1/2");
  EXPECT_TRUE(korvane->Enabled(Main("Button7")));

  korvane->Click(Main("RadioGroup1[1]"));
  korvane->Type(Main("Edit1"), "160");
  korvane->Click(Main("Button2"));
  AcceptUntriedClockWarning();
  ExpectBox("情報", "G400のコアクロックを160MHzにして起動設定をします。" + kUntested);
  EXPECT_EQ(RunEntry(), folder_ + "\\g200clk.exe /1 320");
  const auto names = ValueNames(HKEY_LOCAL_MACHINE, kRunKey);
  EXPECT_EQ(std::count(names.begin(), names.end(), kRunValue), 1);
  // Nothing ran: the entry is for the next log-on.
  EXPECT_EQ(ToolRuns(kProgramFolder, kG4set).size(), 1u);
  EXPECT_TRUE(ToolRuns(kProgramFolder, kG200clk).empty());
  EXPECT_FALSE(StoredClock());

  DeleteValue(HKEY_LOCAL_MACHINE, kRunKey, kRunValue);
  korvane->Click(Main("Button7"));
  EXPECT_FALSE(korvane->MessageBoxOpen());
  EXPECT_FALSE(korvane->Enabled(Main("Button7")));
  EXPECT_EQ(RunEntry(), "<missing>");
}

TEST_F(OverclockE2E, FoldersWithAmpersandOrPercentKeepTheirBatchLinesWhole) {
  const struct {
    const char* folder;
    const char* status_line;
    const char* change_line;
    const char* run_entry;
  } cases[] = {
      {"C:\\A&B", "\"C:\\A&B\\g4set.exe\" > \"C:\\A&B\\g400.txt\"\r\n",
       "\"C:\\A&B\\G4set.exe\" -sclk 250 -div 1/2 2/3 1/2\r\n",
       "\"C:\\A&B\\G4set.exe\" -sclk 250 -div 1/2 2/3 1/2"},
      {"C:\\100%", "C:\\100%%\\g4set.exe > C:\\100%%\\g400.txt\r\n",
       "C:\\100%%\\G4set.exe -sclk 250 -div 1/2 2/3 1/2\r\n",
       "C:\\100%\\G4set.exe -sclk 250 -div 1/2 2/3 1/2"},
  };
  for (const auto& c : cases) {
    const std::string folder = c.folder;
    RemoveFolder(folder);
    ASSERT_TRUE(InstallProgram(kProgramFolder, folder)) << folder;
    ASSERT_EQ(ShortPath(folder), folder);
    ASSERT_NO_FATAL_FAILURE(StartIn(folder));
    EXPECT_EQ(ReadBytes(folder + "\\g4clk.bat"), c.status_line);
    EXPECT_EQ(ToolRuns(folder, kG4set).size(), 1u) << folder;
    korvane->SelectTab(main, kOverclockTab);
    EXPECT_EQ(korvane->Text(Main("Label163")), "250MHz") << "the report was not read";
    korvane->Click(Main("Button3"));
    ExpectBox("情報", "G400のコアクロックを125MHzに、メモリークロックを166MHzに変更しました。");
    EXPECT_EQ(ReadBytes(folder + "\\OC.bat"), c.change_line);
    EXPECT_EQ(ToolRuns(folder, kG4set).back(), "-sclk 250 -div 1/2 2/3 1/2") << folder;
    korvane->Click(Main("Button2"));
    ExpectBox("情報", "G400のコアクロックを250MHzにして起動設定をします。" + kUntested);
    EXPECT_EQ(RunEntry(), c.run_entry);
    korvane.reset();
    RemoveFolder(folder);
  }
}

TEST_F(OverclockE2E, AnOCBatThatCannotBeWrittenIsReportedAndNothingRuns) {
  const std::string batch = std::string(kProgramFolder) + "\\OC.bat";
  ASSERT_TRUE(WriteBytes(batch, "rem earlier\r\n"));
  SetFileAttributesW(Wide(batch).c_str(), FILE_ATTRIBUTE_READONLY);
  // Wine lets root write a read-only file; another program holding it open
  // keeps it from being written there too.
  const HANDLE held = CreateFileW(Wide(batch).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  Start();
  ShowOverclockTab();
  korvane->Click(Main("Button3"));
  ExpectBox("Matrox Korvane", "ファイル " + InFolder("OC.bat") + " を作成できません.");
  korvane->Click(Main("Button4"));
  ExpectBox("Matrox Korvane", "ファイル " + InFolder("OC.bat") + " を作成できません.");
  CloseHandle(held);
  EXPECT_EQ(ReadBytes(batch), "rem earlier\r\n");
  EXPECT_EQ(ToolRuns(kProgramFolder, kG4set).size(), 1u);
  EXPECT_FALSE(StoredClock());
  EXPECT_EQ(korvane->Text(Main("Edit1")), "250");
  EXPECT_EQ(korvane->Text(Main("Label92")), "125MHz");
}

// The rest of start-up does not wait for the report, so it is there even
// when the report cannot be read.
TEST_F(OverclockE2E, AReportThatCannotBeOpenedIsSaidOnceTheWindowShows) {
  CreateDirectoryW(Wide(std::string(kProgramFolder) + "\\g400.txt").c_str(), nullptr);
  korvane = std::make_unique<Korvane>();
  main = korvane->WaitForForm("Form1");
  ASSERT_TRUE(main);
  ExpectBox("Matrox Korvane", "ファイル " + InFolder("g400.txt") + " は開けません.");
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kPowerDesk5));
  EXPECT_EQ(korvane->Text(Main("Label31")), "Plug and Play Monitor");
}

// The window does not wait for a slow status query: it answers meanwhile,
// says what it is reading, and a clock change clicked then runs once the
// report is in.
TEST_F(OverclockE2E, TheWindowAnswersWhileASlowStatusQueryRunsAndAClickWaitsForIt) {
  SetToolDelay(kProgramFolder, kG4set, 4000);
  korvane = std::make_unique<Korvane>();
  main = korvane->WaitForForm("Form1");
  ASSERT_TRUE(main);
  EXPECT_EQ(korvane->Text(Main("Label29")), "読み取り中…");
  ShowOverclockTab();
  EXPECT_EQ(korvane->Text(Main("Label163")), "読み取り中…");
  // What the user sets meanwhile is what the waiting click sends: the
  // report's arrival does not overwrite it.
  korvane->Type(Main("Edit1"), "300");
  korvane->Choose(Main("CoreCB"), 2);  // "1/3"
  korvane->Click(Main("Button3"));
  const std::vector<std::string> before = ToolRuns(kProgramFolder, kG4set);
  EXPECT_LE(before.size(), 1u) << "the clock change ran before the report was in";
  const auto told = korvane->WaitForMessageBox(20000);
  ASSERT_TRUE(told);
  EXPECT_EQ(told->text, "G400のコアクロックを100MHzに、メモリークロックを200MHzに変更しました。");
  korvane->Answer(*told, IDOK);
  EXPECT_EQ(ToolRuns(kProgramFolder, kG4set),
            (std::vector<std::string>{"", "-sclk 300 -div 1/3 2/3 1/2"}));
  EXPECT_EQ(korvane->Text(Main("Label163")), "300MHz");
}

TEST_F(OverclockE2E, WhileASlowToolRunsTheWindowSaysSoAndClosesOnlyAfterIt) {
  Start();
  ShowOverclockTab();
  SetToolDelay(kProgramFolder, kG4set, 6000);
  korvane->ClickLater(Main("Button3"));
  ASSERT_TRUE(WaitForRun(2));
  korvane->SelectTab(main, kGeneralTab);
  EXPECT_TRUE(korvane->Visible(Main("TabSheet1")));
  EXPECT_EQ(korvane->Text(Main("Label29")), "AGP 2x");
  EXPECT_EQ(korvane->Text(Main("StatusBar2")), "G4set.exe を実行中…");
  korvane->SelectTab(main, kOverclockTab);
  // A second run would rewrite the batch file being read.
  EXPECT_FALSE(korvane->Enabled(Main("Button3")));
  EXPECT_FALSE(korvane->Enabled(Main("Button4")));
  // The close box asks; waiting on closes the window once the tool is done.
  PostMessageW(main, WM_CLOSE, 0, 0);
  const auto question = korvane->WaitForMessageBox();
  ASSERT_TRUE(question);
  EXPECT_EQ(question->text.substr(0, question->text.find_first_of("\r\n")),
            "G4set.exe がまだ終了しません。終了を待ちますか？");
  EXPECT_NE(question->text.find("G4set.exe を終了させます。変更前のクロックに戻します。"),
            std::string::npos);
  korvane->Answer(*question, IDYES);
  EXPECT_TRUE(korvane->Visible(main)) << "closed while the tool ran";

  ExpectBox("情報", "G400のコアクロックを125MHzに、メモリークロックを166MHzに変更しました。");
  EXPECT_TRUE(korvane->WaitForExit(10000)) << "the close was lost";
  EXPECT_EQ(ToolRuns(kProgramFolder, kG4set).size(), 2u);
  EXPECT_EQ(StoredClock(), 250u);
}

// Closed while a change runs, and nobody there: the question goes with the
// tool, the countdown follows at once and puts the clocks from before back,
// and once that is told the program ends.
TEST_F(OverclockE2E, ClosedDuringAChangeWithNobodyThereTheClocksGoBackAndTheProgramEnds) {
  StartToChangeWithQuestion(L"2");
  SetToolDelay(kProgramFolder, kG4set, 4000);
  korvane->ClickLater(Main("Button3"));
  ASSERT_TRUE(WaitForRun(2));
  SetToolDelay(kProgramFolder, kG4set, 0);  // for the run that puts them back
  PostMessageW(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(korvane->WaitForMessageBox()) << "no question about the running tool";
  const std::string put_back = "変更前のシステムクロック250MHzに戻しました。何も保存していません。";
  std::optional<MessageBoxWindow> told;
  for (const DWORD asked = GetTickCount(); GetTickCount() - asked < 4000 + 2000 + 3000;) {
    told = korvane->WaitForMessageBox(100);
    if (told && told->text == put_back) break;
    Sleep(100);
  }
  ASSERT_TRUE(told && told->text == put_back) << (told ? told->text : "no box");
  EXPECT_EQ(ToolRuns(kProgramFolder, kG4set).back(), "-sclk 250 -div 1/2 2/3 1/2");
  EXPECT_FALSE(StoredClock());
  korvane->Answer(*told, IDOK);
  EXPECT_TRUE(korvane->WaitForExit(5000));
}

TEST_F(OverclockE2E, AToolThatNeverEndsIsEndedWhenTheUserSaysSo) {
  SetEnvironmentVariableW(L"KORVANE_TEST_QUESTION_MS", L"3000");
  Start();
  SetEnvironmentVariableW(L"KORVANE_TEST_QUESTION_MS", nullptr);
  ShowOverclockTab();
  korvane->Type(Main("Edit1"), "300");
  SetToolDelay(kProgramFolder, kG4set, 3600000);
  korvane->ClickLater(Main("Button3"));
  ASSERT_TRUE(WaitForRun(2));
  const std::vector<std::string> running = korvane->Descendants();
  EXPECT_EQ(std::count(running.begin(), running.end(), "G4set.exe"), 1) << "the tool did not start";
  EXPECT_FALSE(korvane->MessageBoxOpen()) << "asked before the bound";
  // With another window of the program active, the question still belongs
  // to the main window and keeps it from starting anything meanwhile.
  korvane->SelectTab(main, kOtherTab);
  korvane->Click(Main("Button15"));
  ASSERT_TRUE(korvane->WaitForForm("GameForm"));
  const auto question = korvane->WaitForMessageBox(15000);
  ASSERT_TRUE(question) << "no question after the bound";
  EXPECT_EQ(question->caption, "どうする？");
  EXPECT_EQ(GetWindow(question->hwnd, GW_OWNER), main);
  EXPECT_FALSE(IsWindowEnabled(main));
  korvane->Answer(*question, IDNO);
  // The ended tool may have set 300 MHz: the clocks from before go back.
  const auto ended = korvane->WaitForMessageBox();
  ASSERT_TRUE(ended);
  EXPECT_EQ(ended->text,
            "G4set.exe を終了させました。新しいクロックになっているかもしれないので、"
            "変更前のクロックに戻します。");
  EXPECT_EQ(korvane->Descendants(), std::vector<std::string>{})
      << "the tool or its command interpreter still runs";
  SetToolDelay(kProgramFolder, kG4set, 0);
  korvane->Answer(*ended, IDOK);
  ExpectBox("情報", "変更前のシステムクロック250MHzに戻しました。何も保存していません。");
  const std::vector<std::string> runs = ToolRuns(kProgramFolder, kG4set);
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs.back(), "-sclk 250 -div 1/2 2/3 1/2");
  EXPECT_FALSE(StoredClock());
  EXPECT_EQ(korvane->Text(Main("Label163")), "250MHz");
  EXPECT_EQ(korvane->Text(Main("StatusBar2")), "");
  EXPECT_TRUE(korvane->Enabled(Main("Button3")));
}

// With the check box on, a change nobody confirms is taken back: the
// countdown runs out, the tool runs again with the clocks from before.
TEST_F(OverclockE2E, NewClocksNobodyKeepsArePutBack) {
  SetEnvironmentVariableW(L"KORVANE_TEST_CONFIRM_SECONDS", L"2");
  Start();
  SetEnvironmentVariableW(L"KORVANE_TEST_CONFIRM_SECONDS", nullptr);
  ShowOverclockTab();
  EXPECT_FALSE(korvane->Checked(Main("CheckBox1")));
  korvane->Click(Main("CheckBox1"));
  EXPECT_EQ(Get(HKEY_LOCAL_MACHINE, kProgramKey, "ConfirmClocks")->dword(), 1u);
  korvane->Type(Main("Edit1"), "300");
  korvane->Choose(Main("CoreCB"), 1);  // "1/1"
  korvane->ClickLater(Main("Button3"));
  const auto question = korvane->WaitForMessageBox();
  ASSERT_TRUE(question);
  EXPECT_EQ(question->text.substr(0, question->text.find_first_of("\r\n")),
            "このクロックのままにしますか？");
  EXPECT_EQ(ToolRuns(kProgramFolder, kG4set).back(), "-sclk 300 -div 1/1 2/3 1/2");
  EXPECT_EQ(question->caption.substr(0, question->caption.find(' ')), "どうする？");
  // Nobody answers: the box closes by itself.
  for (int waited = 0; waited < 10000 && IsWindow(question->hwnd); waited += 50) Sleep(50);
  EXPECT_FALSE(IsWindow(question->hwnd));
  const auto told = korvane->WaitForMessageBox(10000);
  ASSERT_TRUE(told);
  EXPECT_EQ(told->text, "変更前のシステムクロック250MHzに戻しました。何も保存していません。");
  korvane->Answer(*told, IDOK);
  EXPECT_EQ(
      ToolRuns(kProgramFolder, kG4set),
      (std::vector<std::string>{"", "-sclk 300 -div 1/1 2/3 1/2", "-sclk 250 -div 1/2 2/3 1/2"}));
  EXPECT_FALSE(StoredClock());
  EXPECT_EQ(korvane->Text(Main("Label163")), "250MHz");
  EXPECT_EQ(korvane->Text(Main("Label92")), "125MHz");

  // Enter keeps them, and the change goes on as without the check box.
  korvane->ClickLater(Main("Button3"));
  const auto again = korvane->WaitForMessageBox();
  ASSERT_TRUE(again);
  korvane->PressKey(VK_RETURN);
  for (int waited = 0; waited < 10000 && IsWindow(again->hwnd); waited += 50) Sleep(50);
  ExpectBox("情報", "G400のコアクロックを300MHzに、メモリークロックを200MHzに変更しました。");
  EXPECT_EQ(StoredClock(), 300u);
}

// Windows asking to shut down during the countdown counts as a No: the
// clocks from before go back with the change's tool and nothing is stored
// before the answer; the end of the session then ends the program without
// a box.
TEST_F(OverclockE2E, AShutDownDuringTheCountdownPutsTheClocksBackBeforeItsAnswer) {
  StartToChangeWithQuestion(L"120");
  korvane->ClickLater(Main("Button3"));
  const auto question = korvane->WaitForMessageBox();
  ASSERT_TRUE(question);
  DWORD_PTR may_end = FALSE;
  ASSERT_TRUE(SendMessageTimeoutW(main, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 30000, &may_end));
  EXPECT_EQ(may_end, static_cast<DWORD_PTR>(TRUE));
  EXPECT_EQ(
      ToolRuns(kProgramFolder, kG4set),
      (std::vector<std::string>{"", "-sclk 300 -div 1/2 2/3 1/2", "-sclk 250 -div 1/2 2/3 1/2"}));
  EXPECT_FALSE(StoredClock());
  EXPECT_EQ(korvane->Text(Main("StatusBar2")),
            "変更前のシステムクロック250MHzに戻しました。何も保存していません。");
  for (int waited = 0; waited < 10000 && IsWindow(question->hwnd); waited += 50) Sleep(50);
  EXPECT_FALSE(IsWindow(question->hwnd)) << "the countdown's box stayed";
  EXPECT_FALSE(korvane->MessageBoxOpen());
  SendMessageTimeoutW(main, WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 5000, &may_end);
  EXPECT_TRUE(korvane->WaitForExit(10000));
  EXPECT_FALSE(StoredClock());
}

TEST_F(OverclockE2E, AMissingClockToolIsAnErrorAndNothingIsStored) {
  const std::string folder = "C:\\NoG4set";
  RemoveFolder(folder);
  ASSERT_TRUE(InstallProgram(kProgramFolder, folder));
  ASSERT_TRUE(DeleteFileW(Wide(folder + "\\G4set.exe").c_str()));
  const std::string shown = ShortPath(folder);  // as Korvane works it out
  korvane = std::make_unique<Korvane>(folder);
  // The window comes first; the status bar says why the clocks are missing,
  // and the Overclock tab says it once more, once.
  main = korvane->WaitForForm("Form1");
  ASSERT_TRUE(main);
  EXPECT_FALSE(korvane->MessageBoxOpen()) << "a box before the window";
  const std::string told = "チップの現在のクロックを読み取れませんでした：ファイル " + shown +
                           "\\g4set.exe が見つかりません";
  EXPECT_EQ(korvane->Text(Main("StatusBar2")), told);
  korvane->SelectTab(main, kOverclockTab);
  ExpectBox("Matrox Korvane", told + ".");
  korvane->SelectTab(main, kGeneralTab);
  korvane->SelectTab(main, kOverclockTab);
  EXPECT_FALSE(korvane->MessageBoxOpen()) << "the tab told it again";
  for (const char* button : {"Button3", "Button4", "Button2"}) {
    korvane->Click(Main(button));
    ExpectBox("Matrox Korvane", "ファイル " + shown + "\\G4set.exe が見つかりません.");
  }
  EXPECT_FALSE(ReadBytes(folder + "\\OC.bat"));
  EXPECT_FALSE(StoredClock());
  EXPECT_EQ(RunEntry(), "<missing>");
  EXPECT_FALSE(korvane->Enabled(Main("Button7")));
  korvane.reset();
  RemoveFolder(folder);
}

}  // namespace
}  // namespace e2e
