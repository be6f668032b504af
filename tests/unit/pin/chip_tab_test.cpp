#include "pin/chip_tab.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/program.h"
#include "pin/pin_form.h"
#include "report/machine_report.h"
#include "text/texts.h"
#include "unit/pin/bios_sample.h"
#include "unit/test_machine.h"

namespace korvane::testing {
namespace {

constexpr char kOutput[] = "C:\\KORVANE\\mypins.txt";
constexpr char kTool[] = "C:\\Matrox Tools\\Progbios.exe";
constexpr char kShortTool[] = "C:\\MATROX~1\\PROGBIOS.EXE";
constexpr char kWritten[] = "情報|あなたのG400からPINファイルを「mypins.txt」に書き出しました。";
constexpr char kDone[] = "情報|先ほど書き出したPINファイルの判定が終了しました。";

class ChipTabTest : public ::testing::Test {
 protected:
  void SetUp() override {
    machine.SeedG400();
    machine.files.SetShortPath(kTool, kShortTool);
    machine.files.Put(kShortTool, "MZ");
    machine.files.Put("C:\\MATROX~1\\DOS4GW.EXE", "");
  }
  void Start(const char* description = kDualHeadDescription) {
    machine.AddDisplayEntry("0000", "G400.drv", description);
    program = std::make_unique<Program>(machine.services);
  }
  TForm1& form() { return program->main_form(); }
  ChipTab& tab() { return form().chip_tab(); }
  void ShowTab() {
    program->Start();
    ASSERT_TRUE(form().PageControl1.SetActiveIndex(2).ok());
  }
  // The tool, as the batch file runs it: dumps `pin` into mypins.txt.
  void ToolDumps(const PinText& pin) {
    machine.processes.on_batch = [this, pin](const RecordingProcesses::BatchRun&) {
      machine.files.Put(kOutput, JoinLines(pin));
      return BatchOutcome::kEnded;
    };
  }
  // The runs of pins.bat, leaving out the clock tool's at start-up.
  std::vector<RecordingProcesses::BatchRun> PinRuns() {
    std::vector<RecordingProcesses::BatchRun> runs;
    for (const auto& run : machine.processes.batches()) {
      if (run.path == "C:\\KORVANE\\pins.bat") runs.push_back(run);
    }
    return runs;
  }
  std::vector<std::string> Cells() {
    std::vector<std::string> cells = {tab().ModelName().caption(), tab().ModelNumber().caption(),
                                      tab().SerialNumber().caption(),
                                      tab().BiosVersion().caption()};
    for (std::size_t i = 0; i < 6; ++i) cells.push_back(tab().RamdacCell(i).caption());
    for (std::size_t i = 0; i < 2; ++i) cells.push_back(tab().SecondaryCell(i).caption());
    for (std::size_t i = 0; i < 3; ++i) cells.push_back(tab().CoreClockCell(i).caption());
    for (std::size_t i = 0; i < 3; ++i) cells.push_back(tab().MemoryClockCell(i).caption());
    return cells;
  }

  TestMachine machine;
  std::unique_ptr<Program> program;
};

const std::vector<std::string> kDualHeadCells = {
    "Matrox Millennium G400 DualHead",
    "105",
    "KZ604123",
    "V1.3",
    "300MHz",
    "300MHz",
    "300MHz",
    "300MHz",
    "300MHz",
    "300MHz",
    "136MHz",
    "136MHz",
    "82MHz",
    "126MHz",
    "126MHz",
    "108MHz",
    "168MHz",
    "168MHz",
};

TEST_F(ChipTabTest, ShowingTheTabDecodesTheLastDumpSilently) {
  Start();
  ShowTab();
  const std::vector<std::string> before = Cells();
  EXPECT_EQ(before[0], "Matrox Millennium G400 DualHead");
  EXPECT_EQ(before[4], "???MHz");
  EXPECT_EQ(before[5], "???MHｚ");
  EXPECT_FALSE(tab().PButton().enabled());
  EXPECT_EQ(tab().ChipRevision().caption(), "MGA-G400A-C");  // the clock tool's "Rev0011"

  machine.files.Put(kOutput, JoinLines(SampleMaxPin()));
  ASSERT_TRUE(form().PageControl1.SetActiveIndex(0).ok());
  ASSERT_TRUE(form().PageControl1.SetActiveIndex(2).ok());
  EXPECT_EQ(tab().ModelName().caption(), "Matrox Millennium G400 MAX");
  EXPECT_EQ(tab().RamdacCell(0).caption(), "360MHz");
  EXPECT_EQ(tab().MemoryClockCell(2).caption(), "200MHz");
  EXPECT_TRUE(tab().PButton().enabled());
  EXPECT_TRUE(tab().SecondaryCaption().enabled());
  EXPECT_EQ(tab().pin().text, SampleMaxPin());
  EXPECT_TRUE(machine.Boxes().empty());
  EXPECT_TRUE(PinRuns().empty());
}

TEST_F(ChipTabTest, ASingleHeadBoardHasNoSecondaryOutput) {
  machine.files.Put(kOutput, JoinLines(SamplePin()));
  Start("Matrox Millennium G400 - English");
  ShowTab();
  EXPECT_EQ(form().Label5.caption(), "Matrox Millennium G400 SingleHead");
  EXPECT_FALSE(tab().SecondaryCaption().enabled());
  EXPECT_FALSE(tab().SecondaryCell(1).enabled());
  EXPECT_EQ(tab().SecondaryCell(0).caption(), "");
  EXPECT_EQ(tab().SecondaryCell(1).caption(), "");
  EXPECT_EQ(tab().ModelName().caption(), "Matrox Millennium G400 SingleHead");
  EXPECT_FALSE(tab().pin().figures.SecondaryRamdacMHz[0]);
}

TEST_F(ChipTabTest, TheRevisionComesFromTheReportsSeventhLineOrStaysAsItWas) {
  const struct {
    const char* line7;  // nullptr: a report of six lines
    const char* revision;
  } cases[] = {
      {"abc0011xyz", "MGA-G400A-C"}, {"abc0001", "MGA-G400A-A"}, {"abc0111", "MGA-G400A-G"},
      {"abc0000", "MGA-G400A-?"},    {"abc1000", "MGA-G400A-?"}, {"abc001", "MGA-G400A-?"},
      {"abc00 1", "MGA-G400A-?"},    {nullptr, "MGA-G400A-?"},
  };
  for (const auto& c : cases) {
    TestMachine fresh;
    fresh.SeedG400();
    fresh.clock_report = "0\r\n1\r\n2\r\n3\r\n4\r\n5\r\n";
    if (c.line7) fresh.clock_report += std::string(c.line7) + "\r\n";
    fresh.files.Put(kOutput, JoinLines(SamplePin()));
    Program started(fresh.services);
    started.Start();
    ASSERT_TRUE(started.main_form().PageControl1.SetActiveIndex(2).ok());
    ChipTab& chip = started.main_form().chip_tab();
    EXPECT_EQ(chip.ChipRevision().caption(), c.revision) << (c.line7 ? c.line7 : "none");
    // A field it cannot read blocks nothing: the PIN is decoded all the same.
    EXPECT_EQ(chip.SerialNumber().caption(), "KZ604123");
    EXPECT_TRUE(fresh.Boxes().empty());
  }
}

TEST_F(ChipTabTest, ExtractionRunsTheToolByItsShortPathAndDecodesItsDump) {
  Start();
  ShowTab();
  machine.dialogs.AnswerFile(std::string(kTool));
  ToolDumps(SamplePin());
  tab().PINButton().Click();

  ASSERT_EQ(machine.dialogs.file_dialogs().size(), 1u);
  const FileDialogOptions& dialog = machine.dialogs.file_dialogs()[0];
  EXPECT_EQ(dialog.title, "PROGBIOS.EXEを指定してください。");
  EXPECT_EQ(dialog.filter, "BIOSツール（PROGBIOS.EXE)|Progbios.exe");
  EXPECT_EQ(dialog.file_name, "Progbios.exe");
  EXPECT_EQ(dialog.default_extension, "matrox\\util");

  EXPECT_EQ(machine.files.Get("C:\\KORVANE\\pins.bat"),
            "C:\\MATROX~1\\PROGBIOS.EXE -d > C:\\KORVANE\\mypins.txt\r\n");
  ASSERT_EQ(PinRuns().size(), 1u);
  EXPECT_EQ(PinRuns()[0].slice_ms, 1000u);
  EXPECT_EQ(machine.Boxes(), (std::vector<std::string>{kWritten, kDone}));
  EXPECT_EQ(machine.dialogs.shown()[0].icon, MessageIcon::kInformation);
  EXPECT_EQ(Cells(), kDualHeadCells);
  EXPECT_EQ(tab().ChipRevision().caption(), "MGA-G400A-C");
  EXPECT_TRUE(tab().PButton().enabled());

  // A tool the system gives no short form for is named by its long path,
  // in quotes where the interpreter would split it.
  machine.files.Put("C:\\BIOS (1.04)\\DOS4GW.EXE", "");
  machine.files.Put("C:\\BIOS (1.04)\\PROGBIOS.EXE", "MZ");
  machine.dialogs.AnswerFile(std::string("C:\\BIOS (1.04)\\PROGBIOS.EXE"));
  tab().PINButton().Click();
  EXPECT_EQ(machine.files.Get("C:\\KORVANE\\pins.bat"),
            "\"C:\\BIOS (1.04)\\PROGBIOS.EXE\" -d > C:\\KORVANE\\mypins.txt\r\n");
}

TEST_F(ChipTabTest, AToolWithoutItsDosExtenderIsNotRun) {
  Start();
  ShowTab();
  machine.files.Remove("C:\\MATROX~1\\DOS4GW.EXE");
  machine.dialogs.AnswerFile(std::string(kTool));
  tab().PINButton().Click();
  EXPECT_EQ(machine.Boxes(),
            std::vector<std::string>{"エラー|PROGBIOS.EXEを実行するにはDOS4GW.EXEが必要です。"
                                     "同じフォルダにコピーして再度実行してください。"});
  EXPECT_EQ(machine.dialogs.shown()[0].icon, MessageIcon::kError);
  EXPECT_TRUE(PinRuns().empty());
  EXPECT_FALSE(machine.files.Exists("C:\\KORVANE\\pins.bat"));

  // Cancelling the dialog does nothing at all.
  machine.dialogs.Clear();
  tab().PINButton().Click();
  EXPECT_TRUE(machine.Boxes().empty());
  EXPECT_TRUE(PinRuns().empty());
}

// What a failed extraction leaves: the last good dump on disk before any box
// says so, in the tab and for the editor, and a box that says what went wrong.
TEST_F(ChipTabTest, AFailedExtractionKeepsTheLastGoodDumpAndIsNotAnnouncedAsDone) {
  PinText garbled = SamplePin();
  garbled[37] = "65\t1\t1x6";
  const std::string cut = JoinLines(PinText(garbled.begin(), garbled.begin() + 20));
  enum Fault { kNone, kUnreadable, kNotPutBack };
  const struct {
    const char* name;
    BatchOutcome outcome;
    std::optional<std::string> dump;  // what the run leaves in mypins.txt
    Fault fault;
    std::string error;
  } cases[] = {
      {"not started", BatchOutcome::kNotStarted, std::nullopt, kNone,
       "コマンドインタープリタ C:\\WINDOWS\\COMMAND.COM を起動できません."},
      {"stopped", BatchOutcome::kStopped, cut, kNone,
       "PROGBIOS.EXE を終了させました。何も変更していません。"},
      {"prints nothing", BatchOutcome::kEnded, std::string(), kNone,
       "ファイル C:\\KORVANE\\mypins.txt にPINファイルが書き出されていません."},
      {"unreadable", BatchOutcome::kEnded, JoinLines(SampleMaxPin()), kUnreadable,
       "ファイル C:\\KORVANE\\mypins.txt は開けません."},
      {"prints an error", BatchOutcome::kEnded, "\r\n  Bad command or file name\r\n", kNone,
       "PROGBIOS.EXE が書き出したものはPINファイルではありません：「  Bad command or file name」."},
      {"garbled value", BatchOutcome::kEnded, JoinLines(garbled), kNone,
       "PROGBIOS.EXE が書き出したものはPINファイルではありません：「;MGA Bios Programming "
       "Utility v1.94d」."},
      {"cut short", BatchOutcome::kEnded, cut, kNone,
       "PROGBIOS.EXE が書き出したPINファイルは完全ではありません（21行目に読める値がありません）."},
      {"not put back", BatchOutcome::kEnded, cut, kNotPutBack,
       "PROGBIOS.EXE が書き出したPINファイルは完全ではありません（21行目に読める値がありません）\n"
       "前回のPINファイルを C:\\KORVANE\\mypins.txt に戻せませんでした。前回のPINファイルは "
       "C:\\KORVANE\\mypins.bak に残っています."},
  };
  for (const auto& c : cases) {
    TestMachine fresh;
    fresh.SeedG400();
    fresh.files.SetShortPath(kTool, kShortTool);
    fresh.files.Put(kShortTool, "MZ");
    fresh.files.Put("C:\\MATROX~1\\DOS4GW.EXE", "");
    Program started(fresh.services);
    started.Start();
    ChipTab& chip = started.main_form().chip_tab();
    fresh.dialogs.AnswerFile(std::string(kTool));
    fresh.processes.on_batch = [&](const RecordingProcesses::BatchRun&) {
      fresh.files.Put(kOutput, JoinLines(SamplePin()));
      return BatchOutcome::kEnded;
    };
    chip.PINButton().Click();  // a good extraction first
    ASSERT_EQ(chip.SerialNumber().caption(), "KZ604123");
    fresh.dialogs.Clear();

    fresh.dialogs.AnswerFile(std::string(kTool));
    fresh.processes.on_batch = [&](const RecordingProcesses::BatchRun&) {
      if (c.dump) fresh.files.Put(kOutput, *c.dump);
      if (c.fault == kUnreadable) fresh.files.MakeUnreadable(kOutput);
      if (c.fault == kNotPutBack) fresh.files.MakeReadOnly(kOutput);
      return c.outcome;
    };
    const char* kept_in = c.fault == kNotPutBack ? "C:\\KORVANE\\mypins.bak" : kOutput;
    fresh.dialogs.on_message = [&](const auto&) {
      EXPECT_EQ(fresh.files.Get(kept_in), JoinLines(SamplePin())) << c.name << ", in the box";
    };
    chip.PINButton().Click();
    ASSERT_EQ(fresh.dialogs.shown().size(), 1u) << c.name;
    EXPECT_EQ(fresh.dialogs.shown()[0].caption,
              c.outcome == BatchOutcome::kStopped ? "情報" : "Matrox Korvane");
    EXPECT_EQ(fresh.dialogs.shown()[0].text, c.error);
    EXPECT_EQ(fresh.files.Get(kept_in), JoinLines(SamplePin())) << c.name;
    EXPECT_EQ(fresh.files.Exists("C:\\KORVANE\\mypins.bak"), c.fault == kNotPutBack) << c.name;
    EXPECT_EQ(chip.pin().text, SamplePin()) << c.name;
    EXPECT_EQ(chip.RamdacCell(0).caption(), "300MHz") << c.name;
    EXPECT_EQ(chip.CoreClockCell(1).caption(), "126MHz") << c.name;
    EXPECT_TRUE(chip.PButton().enabled());
  }
}

// Windows ends the program while the tool runs, after the run removed the
// dump: its copy, flushed before, is all there is at the next start.
TEST_F(ChipTabTest, TheNextStartPutsBackTheDumpAnEndedExtractionLeftInItsCopy) {
  const std::string copy = "C:\\KORVANE\\mypins.bak";
  machine.files.Put(kOutput, "last");
  Start();
  program->Start();
  FakeFileSystem left;
  machine.dialogs.AnswerFile(std::string(kTool));
  machine.processes.on_batch = [&](const RecordingProcesses::BatchRun&) {
    left = machine.files;
    return BatchOutcome::kEnded;
  };
  tab().PINButton().Click();
  EXPECT_EQ(std::count(left.changes().begin(), left.changes().end(), "write and flush " + copy), 1);
  for (const bool dump_beside : {false, true}) {  // a copy beside a dump is left as it is
    TestMachine next;
    next.SeedG400();
    next.files = left;
    if (dump_beside) next.files.Put(kOutput, "new");
    Program started(next.services);
    started.Start();
    EXPECT_EQ(started.main_form().StatusBar2.panels()[0].text,
              dump_beside ? "" : "途中で終わった抽出の控え mypins.bak を mypins.txt に戻しました");
    EXPECT_EQ(next.files.Get(kOutput), dump_beside ? "new" : "last");
    EXPECT_EQ(next.files.Exists(copy), dump_beside);
  }
}

TEST_F(ChipTabTest, NothingStartsWhileTheToolRunsAndTheDumpIsNotReadThen) {
  Start();
  ShowTab();
  machine.dialogs.AnswerFile(std::string(kTool));
  machine.dialogs.AnswerFile(std::string(kTool));
  machine.processes.on_batch = [this](const RecordingProcesses::BatchRun&) {
    machine.files.Put(kOutput, "12\t16\t'PARTIAL");  // the tool is still writing
    tab().PINButton().Click();
    EXPECT_TRUE(form().PageControl1.SetActiveIndex(0).ok());
    EXPECT_TRUE(form().PageControl1.SetActiveIndex(2).ok());
    EXPECT_EQ(tab().SerialNumber().caption(), "XXX00000");
    machine.files.Put(kOutput, JoinLines(SamplePin()));
    return BatchOutcome::kEnded;
  };
  tab().PINButton().Click();
  EXPECT_EQ(PinRuns().size(), 1u);
  EXPECT_EQ(machine.dialogs.file_dialogs().size(), 1u);
  EXPECT_EQ(tab().SerialNumber().caption(), "KZ604123");
}

TEST_F(ChipTabTest, AFileThatDoesNotDecodeChangesNothingShown) {
  PinText pin = SamplePin();
  pin[37] = "65\t1\t1x6";
  machine.files.Put(kOutput, JoinLines(pin));
  Start();
  program->Start();
  EXPECT_EQ(form().PageControl1.SetActiveIndex(2).message(), "'1x6' は整数ではありません");
  EXPECT_EQ(tab().CoreClockCell(0).caption(), "???MHz") << "nothing is taken half-decoded";
  EXPECT_EQ(tab().SerialNumber().caption(), "XXX00000");
  EXPECT_TRUE(tab().pin().text.empty());
  EXPECT_FALSE(tab().PButton().enabled());
}

// Only a whole dump is shown, reported, opened in the editor or saved.
TEST_F(ChipTabTest, OnlyAWholeDumpIsShownReportedEditedOrSaved) {
  const PinText whole = SamplePin();
  PinText no_value = whole;
  no_value[22] = "41 1 7";
  for (const auto& [text, lacking] : {std::pair{whole, ""},
                                      {PinText(whole.begin(), whole.begin() + 20), "21"},
                                      {PinText(whole.begin(), whole.begin() + 44), "45"},
                                      {no_value, "23"}}) {
    const std::string why = *lacking ? std::string(lacking) + "行目に読める値がありません）" : "";
    TestMachine fresh;
    fresh.SeedG400();
    fresh.files.Put(kOutput, JoinLines(text));
    Program started(fresh.services);
    started.Start();
    TForm1& main = started.main_form();
    const auto show = [&main] {
      static_cast<void>(main.PageControl1.SetActiveIndex(0));
      return main.PageControl1.SetActiveIndex(2);
    };
    EXPECT_EQ(show().message(),
              *lacking
                  ? "ファイル C:\\KORVANE\\mypins.txt は完全なPINファイルではありません（" + why
                  : "");
    EXPECT_EQ(main.chip_tab().PButton().enabled(), !*lacking) << "the editor would open on it";
    fresh.dialogs.AnswerFile("C:\\korvane.txt");
    main.ReportButton.Click();
    EXPECT_EQ(fresh.files.Get("C:\\korvane.txt")->find("300MHz") == std::string::npos,
              *lacking != 0);

    // After a whole one, the editor opens on that and saves no other.
    fresh.files.Put(kOutput, JoinLines(whole));
    ASSERT_TRUE(show().ok());
    fresh.files.Put(kOutput, JoinLines(text));
    EXPECT_EQ(show().ok(), !*lacking);
    main.chip_tab().PButton().Click();
    EXPECT_EQ(started.pin_form().memo1.lines(), whole);
    fresh.dialogs.Clear();
    started.pin_form().memo1.Type(text);
    fresh.dialogs.AnswerFile("C:\\custom.txt");
    started.pin_form().Button2.Click();
    std::vector<std::string> refusal;
    if (*lacking)
      refusal.push_back("Matrox Korvane|完全なPINファイルではないため保存しません（" + why + ".");
    EXPECT_EQ(fresh.Boxes(), refusal);
  }
}

// The report says where the figures came from, or why the card was not read.
TEST_F(ChipTabTest, TheReportNamesTheCardReadOrWhyThereWasNone) {
  Start();
  ShowTab();
  EXPECT_NE(BuildReport(form().DescribeMachine()).find(Text(TextId::kBiosUnreadable)),
            std::string::npos);
  machine.video_bios.image = BiosImage(SampleMaxPin());
  // And which way the image was read.
  for (const auto& [way, said] :
       {std::pair{BiosReadWay::kDirect, TextId::kBiosReadInPlace},
        std::pair{BiosReadWay::kReadProcessMemory, TextId::kBiosReadBySystem}}) {
    machine.video_bios.way = way;
    tab().ReadCardButton().Click();
    const std::string report = BuildReport(form().DescribeMachine());
    EXPECT_NE(report.find(Text(TextId::kCardRead)), std::string::npos);
    EXPECT_NE(report.find(Text(said)), std::string::npos);
    EXPECT_NE(report.find("360MHz"), std::string::npos);
    EXPECT_EQ(report.find(Text(TextId::kBiosUnreadable)), std::string::npos);
  }
}

TEST_F(ChipTabTest, TheLinkOpensTheDownloadWithoutWaiting) {
  Start();
  tab().Label137().Click();
  EXPECT_EQ(
      machine.processes.launched(),
      std::vector<std::string>{"start ftp://ftp.matrox.com/pub/mga/unified/bios/bios_104.exe"});
  EXPECT_EQ(tab().Label137().hint(), kBiosDownloadAddress);
  EXPECT_TRUE(tab().Label137().style().underline);
  EXPECT_EQ(tab().Label137().style().colour, ui::kNavy);
}

}  // namespace
}  // namespace korvane::testing
