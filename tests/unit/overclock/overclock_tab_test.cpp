#include "overclock/overclock_tab.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <utility>

#include "app/program.h"
#include "unit/test_machine.h"

namespace korvane::testing {
namespace {

constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\run";
constexpr int kOverclockPage = 3;

class OverclockTabTest : public ::testing::Test {
 protected:
  void SetUp() override { machine.SeedG400(); }

  // Starts the program and opens the Overclock tab.
  OverclockTab& Start() {
    program = std::make_unique<Program>(machine.services);
    program->Start();
    form().PageControl1.Select(kOverclockPage);
    return tab();
  }
  TForm1& form() { return program->main_form(); }
  OverclockTab& tab() { return form().overclock_tab(); }
  void SetReportLine(std::size_t number, const std::string& text) {
    ClockReport lines = SplitLines(machine.clock_report);
    lines.resize(std::max(lines.size(), number));
    lines[number - 1] = text;
    machine.clock_report.clear();
    for (const std::string& line : lines) machine.clock_report += line + "\r\n";
  }

  TestMachine machine;
  std::unique_ptr<Program> program;
};

TEST_F(OverclockTabTest, AtADriveRootNoPathGetsADoubledBackslash) {
  machine.files = FakeFileSystem("C:\\KORVANE.EXE");
  machine.files.Put("C:\\G4set.exe", "MZ");
  Start();
  ASSERT_EQ(machine.processes.batches().size(), 1u);
  EXPECT_EQ(machine.processes.batches()[0].path, "C:\\g4clk.bat");
  EXPECT_EQ(machine.processes.batches()[0].slice_ms, 500u);
  EXPECT_EQ(machine.files.Get("C:\\g4clk.bat"), "C:\\g4set.exe > C:\\g400.txt\r\n");
  EXPECT_EQ(machine.memory.GetString(HKLM, kProgramKey, "g4set"), "C:\\G4set.exe");

  tab().Button3.Click();
  EXPECT_EQ(machine.files.Get("C:\\OC.bat"), "C:\\G4set.exe -sclk 250 -div 1/2 2/3 1/2\r\n");
  tab().Button2.Click();
  EXPECT_EQ(machine.memory.GetString(HKLM, kRunKey, "G400 OverClock"),
            "C:\\G4set.exe -sclk 250 -div 1/2 2/3 1/2");
  tab().RadioGroup1.ClickItem(1);
  EXPECT_EQ(machine.memory.GetString(HKLM, kProgramKey, "g4set"), "C:\\g200clk.exe");
  // Not unpacked here: nothing runs and nothing is stored.
  tab().Edit1.Type("150");
  machine.dialogs.Clear();
  tab().Button3.Click();
  tab().Button2.Click();
  EXPECT_EQ(machine.Boxes(), std::vector<std::string>(
                                 2, "Matrox Korvane|ファイル C:\\g200clk.exe が見つかりません."));
  EXPECT_EQ(machine.processes.batches().size(), 2u);
  EXPECT_EQ(machine.memory.GetDword(HKLM, kProgramKey, "G400 OverClock"), 250u);
  EXPECT_EQ(machine.memory.GetString(HKLM, kRunKey, "G400 OverClock"),
            "C:\\G4set.exe -sclk 250 -div 1/2 2/3 1/2");
}

TEST_F(OverclockTabTest, AStatusQueryThatDoesNotEndIsEndedAndTheOverclockTabSaysSoOnce) {
  machine.processes.on_batch = [](const RecordingProcesses::BatchRun& run) {
    return RecordingProcesses::Hang(run);
  };
  program = std::make_unique<Program>(machine.services);
  program->Start();
  EXPECT_TRUE(form().clock_report().empty());
  EXPECT_TRUE(machine.memory.KeyExists(HKCU, kPowerDesk5)) << "start-up stopped";
  // Not in the way of a user who came for another tab: no box yet.
  EXPECT_TRUE(machine.Boxes().empty());
  EXPECT_EQ(
      form().StatusBar2.panels()[0].text,
      "チップの現在のクロックを読み取れませんでした：g4set.exe が 30 秒たっても終了しませんでした");
  form().PageControl1.Select(kOverclockPage);
  form().PageControl1.Select(0);
  form().PageControl1.Select(kOverclockPage);
  EXPECT_EQ(machine.Boxes(),
            std::vector<std::string>{"Matrox Korvane|チップの現在のクロックを読み取れませんでした："
                                     "g4set.exe が 30 秒たっても終了しませんでした."});
  EXPECT_EQ(tab().Label163.caption(), "---MHz");
  EXPECT_EQ(tab().Label92.caption(), "---MHz");
  EXPECT_EQ(tab().CoreCB.text(), "1/2");
  EXPECT_EQ(tab().MemCB.text(), "2/3");
}

// The window and its other tabs do not wait for the status query: a batch
// file that cannot be written leaves the clocks unread, which is said as
// any other failed query is.
TEST_F(OverclockTabTest, AStatusBatchThatCannotBeWrittenIsSaidAndRunsNothing) {
  machine.files.MakeReadOnly("C:\\KORVANE\\g4clk.bat");
  Start();
  EXPECT_EQ(form().StatusBar2.panels()[0].text,
            "チップの現在のクロックを読み取れませんでした：ファイル C:\\KORVANE\\g4clk.bat "
            "を作成できません");
  EXPECT_TRUE(machine.processes.batches().empty());
  EXPECT_TRUE(machine.memory.KeyExists(HKCU, kPowerDesk5));
}

TEST_F(OverclockTabTest, OnlyANewSystemClockFromTheReportRecomputesThePlannedClocks) {
  SetReportLine(13, "1/1  -> 200 1/3  ->  66 MHz");
  Start();
  EXPECT_EQ(tab().CoreCB.text(), "1/1");
  EXPECT_EQ(tab().MemCB.text(), "1/3");
  EXPECT_EQ(tab().Label157.caption(), "200MHz") << "250 was already the clock: kept as reported";
  EXPECT_EQ(tab().Label158.caption(), " 66MHz");
  EXPECT_EQ(tab().Label92.caption(), "200MHz");

  machine.memory.PutDword(HKLM, kProgramKey, "G400 OverClock", 300);
  Start();
  EXPECT_EQ(tab().Edit1.text(), "250");
  EXPECT_EQ(tab().Label163.caption(), "250MHz");
  EXPECT_EQ(tab().Label157.caption(), "250MHz") << "300 became 250: recomputed";
  EXPECT_EQ(tab().Label158.caption(), "83MHz");
  EXPECT_EQ(tab().Label92.caption(), "200MHz");
}

TEST_F(OverclockTabTest, AnUnreadableSystemClockLeavesTheClockAsItWas) {
  machine.memory.PutDword(HKLM, kProgramKey, "G400 OverClock", 500);
  SetReportLine(11, "System clock (PLL)  : 2x0.0 MHz");
  Start();
  EXPECT_EQ(machine.Boxes(), std::vector<std::string>{"Matrox Korvane|'x' は整数ではありません."});
  EXPECT_EQ(tab().Label163.caption(), "---MHz");
  EXPECT_EQ(tab().Edit1.text(), "400") << "a stored clock beyond the range is brought into it";
  EXPECT_EQ(tab().Label157.caption(), "125MHz");
}

TEST_F(OverclockTabTest, TypedTextCountsWhenAHandlerReadsItAndClickingTheBoxTakesIt) {
  OverclockTab& t = Start();
  t.Edit1.Type("300");
  EXPECT_EQ(t.Label157.caption(), "125MHz") << "typing alone recomputes nothing";
  t.CoreCB.Select(1);  // "1/1"
  EXPECT_EQ(t.Label157.caption(), "300MHz");
  EXPECT_EQ(t.Label158.caption(), "166MHz");

  t.Edit1.Type("500");
  t.Edit1.Click();
  EXPECT_EQ(t.Edit1.text(), "400");
  EXPECT_EQ(t.Label157.caption(), "400MHz");
  EXPECT_EQ(t.Label158.caption(), "266MHz");

  t.Edit1.Type("4OO");
  t.Edit1.Click();
  EXPECT_EQ(machine.Boxes(),
            std::vector<std::string>{"Matrox Korvane|'4OO' は整数ではありません."});
  t.UpDown1.Step(-1);
  EXPECT_EQ(t.Edit1.text(), "399");
  EXPECT_EQ(t.Label157.caption(), "399MHz");
}

// A click made while start-up's status query runs waits for the report,
// whose arrival fills in only what the user has not changed: the tool and
// the log-on entry get what the user set, and an untried clock is asked
// about as ever.
TEST_F(OverclockTabTest, AClickThatWaitedForTheReportActsOnWhatTheUserSet) {
  const struct {
    const char* name;
    const char* typed;  // null: the clock box untouched
    int core;           // -1: the list untouched
    int memory;
    bool log_on;  // the log-on button rather than the clock change
    const char* sent;
  } cases[] = {
      {"query fails", nullptr, -1, -1, false, nullptr},  // it hangs: nothing sent
      {"nothing touched", nullptr, -1, -1, false, "-sclk 250 -div 1/2 2/3 1/2"},
      {"clock and core", "300", 2, -1, false, "-sclk 300 -div 1/3 2/3 1/2"},
      {"memory", nullptr, -1, 1, false, "-sclk 250 -div 1/2 1/1 1/2"},
      {"clock for the log-on entry", "300", -1, -1, true, "-sclk 300 -div 1/2 2/3 1/2"},
  };
  const auto clock_tool = machine.processes.on_batch;
  for (const auto& c : cases) {
    machine.memory.DeleteKey(HKLM, kRunKey);
    program = std::make_unique<Program>(machine.services);
    bool clicked = false;
    const std::size_t started = machine.processes.batches().size();
    machine.processes.on_batch = [&](const RecordingProcesses::BatchRun& run) {
      if (std::exchange(clicked, true)) return clock_tool(run);
      form().PageControl1.Select(kOverclockPage);
      if (c.typed) tab().Edit1.Type(c.typed);
      if (c.core >= 0) tab().CoreCB.Select(c.core);
      if (c.memory >= 0) tab().MemCB.Select(c.memory);
      (c.log_on ? tab().Button2 : tab().Button3).Click();
      EXPECT_EQ(machine.processes.batches().size() - started, 1u) << c.name << ": did not wait";
      const char* waits = c.log_on ? "「起動時から有効」はその後に" : "「クロック変更」はその後に";
      EXPECT_NE(form().StatusBar2.panels()[0].text.find(waits), std::string::npos);
      return c.sent ? clock_tool(run) : RecordingProcesses::Hang(run);
    };
    machine.dialogs.Clear();
    program->Start();
    const std::string folder = "C:\\KORVANE\\G4set.exe ";
    if (!c.sent) {
      EXPECT_FALSE(machine.files.Exists("C:\\KORVANE\\OC.bat"));
      EXPECT_EQ(form().StatusBar2.panels()[0].text.rfind("その間に", 0), 0u);
    } else if (c.log_on) {
      EXPECT_EQ(machine.memory.GetString(HKLM, kRunKey, "G400 OverClock"), folder + c.sent)
          << c.name;
      EXPECT_EQ(machine.Boxes()[0].substr(0, machine.Boxes()[0].find('\n')),
                "どうする？|システムクロック300MHzはまだこのプログラムで設定していません。")
          << c.name;
    } else {
      EXPECT_EQ(machine.files.Get("C:\\KORVANE\\OC.bat"), folder + c.sent + "\r\n") << c.name;
    }
  }
}

TEST_F(OverclockTabTest, AClockChangeShowsAndStoresTheClocksActuallySent) {
  OverclockTab& t = Start();
  t.Edit1.Type("300");  // typed, never clicked
  // While the tool runs the user picks other clocks: they were not sent.
  machine.processes.on_batch = [&](const RecordingProcesses::BatchRun&) {
    t.CoreCB.Select(1);
    t.MemCB.Select(1);
    t.Edit1.Type("200");
    t.UpDown1.Step(1);
    return BatchOutcome::kEnded;
  };
  t.Button3.Click();
  EXPECT_EQ(machine.files.Get("C:\\KORVANE\\OC.bat"),
            "C:\\KORVANE\\G4set.exe -sclk 300 -div 1/2 2/3 1/2\r\n");
  EXPECT_EQ(machine.processes.batches().back().slice_ms, 5000u);
  EXPECT_EQ(machine.memory.GetDword(HKLM, kProgramKey, "G400 OverClock"), 300u);
  EXPECT_EQ(machine.Boxes(), std::vector<std::string>{"情報|G400のコアクロックを150MHzに、"
                                                      "メモリークロックを200MHzに変更しました。"});
  EXPECT_EQ(machine.dialogs.shown()[0].icon, MessageIcon::kInformation);
  EXPECT_EQ(t.Label163.caption(), "300MHz");
  EXPECT_EQ(t.Label92.caption(), "150MHz");
  EXPECT_EQ(t.Label162.caption(), "200MHz");
  EXPECT_EQ(t.Label157.caption(), "201MHz") << "the planned clocks follow the lists";
  // From now on the tab keeps what the change set.
  form().PageControl1.Select(0);
  form().PageControl1.Select(kOverclockPage);
  EXPECT_EQ(t.Label92.caption(), "150MHz");
}

// While a tool runs the window says so and starts no other; closing it asks
// whether to wait for the tool, and ending the tool stores nothing.
TEST_F(OverclockTabTest, ClosingWhileAToolRunsAsksAndTakesEffectWhenTheActionHasFinished) {
  // Waiting on after the question is the runner's own test.
  OverclockTab& t = Start();
  std::size_t runs_seen = 0;
  machine.processes.on_batch = [&](const RecordingProcesses::BatchRun& run) {
    if (runs_seen > 0) return BatchOutcome::kEnded;  // the take-back
    EXPECT_EQ(form().StatusBar2.panels()[0].text, "G4set.exe を実行中…");
    EXPECT_TRUE(form().busy());
    EXPECT_FALSE(t.Button4.enabled());
    machine.dialogs.Answer(MessageAnswer::kNo);
    form().UserClose();  // the close box
    t.Button8.Click();   // asks no more: the user has answered
    t.Button4.Click();   // disabled: a second run would rewrite the batch file
    runs_seen = machine.processes.batches().size();
    EXPECT_TRUE(form().visible());
    return RecordingProcesses::Hang(run);
  };
  t.Button3.Click();
  EXPECT_EQ(runs_seen, 2u);  // the status query and this one
  EXPECT_EQ(form().StatusBar2.panels()[0].text, "");
  EXPECT_FALSE(form().busy());
  EXPECT_TRUE(t.Button4.enabled());
  const std::vector<std::string> boxes = machine.Boxes();
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[0].substr(0, boxes[0].find('\n')),
            "どうする？|G4set.exe がまだ終了しません。終了を待ちますか？");
  // The ended tool's clocks are put back (see the table of ended changes)
  // before the window closes.
  EXPECT_EQ(boxes[2], "情報|変更前のシステムクロック250MHzに戻しました。何も保存していません。");
  EXPECT_FALSE(machine.memory.GetDword(HKLM, kProgramKey, "G400 OverClock"));
  EXPECT_EQ(t.Label163.caption(), "250MHz");
  EXPECT_FALSE(form().visible());
}

// A change or reset whose tool was ended may have set its clocks all the
// same: they are put back, and where the clocks from before are not known
// the user hears which ones were set instead. Nothing is stored.
TEST_F(OverclockTabTest, AnEndedChangeOrResetPutsTheClocksBackAndSaysWhichOnes) {
  const struct {
    const char* name;
    bool reset;
    bool known;  // whether the status query read the clocks
    const char* put_back;
  } cases[] = {
      {"change", false, true, "変更前のシステムクロック250MHzに戻しました。何も保存していません。"},
      {"reset", true, true, "変更前のシステムクロック250MHzに戻しました。何も保存していません。"},
      {"change, clocks unknown", false, false,
       "変更前のクロックが分からないため、初期設定のクロック（コアクロック125MHz、メモリー"
       "クロック166MHz）にしました。何も保存していません。"},
  };
  const std::string report = machine.clock_report;
  const auto clock_tool = machine.processes.on_batch;
  for (const auto& c : cases) {
    machine.clock_report = report;
    if (!c.known) SetReportLine(11, "");
    machine.processes.on_batch = clock_tool;
    OverclockTab& t = Start();
    t.Edit1.Type("300");
    const std::size_t started = machine.processes.batches().size();
    machine.processes.on_batch = [&](const RecordingProcesses::BatchRun& run) {
      return machine.processes.batches().size() == started + 1 ? RecordingProcesses::Hang(run)
                                                               : BatchOutcome::kEnded;
    };
    machine.dialogs.Clear();
    machine.dialogs.Answer(MessageAnswer::kNo);  // end the tool
    (c.reset ? t.Button4 : t.Button3).Click();
    const std::vector<std::string> boxes = machine.Boxes();
    ASSERT_EQ(boxes.size(), 3u) << c.name;
    EXPECT_EQ(boxes[0].substr(boxes[0].rfind('\n') + 1),
              "「いいえ」を選ぶと G4set.exe を終了させます。変更前のクロックに戻します。");
    EXPECT_EQ(boxes[1],
              "情報|G4set.exe を終了させました。新しいクロックになっているかもしれないので、"
              "変更前のクロックに戻します。")
        << c.name;
    EXPECT_EQ(boxes[2], std::string("情報|") + c.put_back) << c.name;
    EXPECT_EQ(machine.files.Get("C:\\KORVANE\\OC.bat"),
              std::string("C:\\KORVANE\\G4set.exe -sclk ") + (c.known ? "250" : "251") +
                  " -div 1/2 2/3 1/2\r\n")
        << c.name;
    EXPECT_FALSE(machine.memory.GetDword(HKLM, kProgramKey, "G400 OverClock")) << c.name;
  }
}

// The clocks a change sent and nobody kept are taken back with the tool the
// change ran, whatever the choice says by then; a revert that does not run
// through says that the chip keeps the new clocks. Nothing is stored, and
// no tool can be started or chosen until the change is over.
TEST_F(OverclockTabTest, ARevertRunsTheChangesToolAndSaysWhenItCouldNotRun) {
  const struct {
    const char* name;
    BatchOutcome revert;
    const char* told;
  } cases[] = {
      {"put back", BatchOutcome::kEnded,
       "情報|変更前のシステムクロック250MHzに戻しました。何も保存していません。"},
      {"stopped", BatchOutcome::kStopped,
       "Matrox Korvane|変更前のクロックに戻せませんでした（G4set.exe を終了させました）。\n\n"
       "G400は新しいクロック（コアクロック150MHz、メモリークロック200MHz）のままです。"
       "何も保存していません."},
      {"interpreter not started", BatchOutcome::kNotStarted,
       "Matrox Korvane|変更前のクロックに戻せませんでした（コマンドインタープリタ "
       "C:\\WINDOWS\\COMMAND.COM を起動できません）。\n\nG400は新しいクロック（コアクロック"
       "150MHz、メモリークロック200MHz）のままです。何も保存していません."},
  };
  const auto clock_tool = machine.processes.on_batch;
  for (const auto& c : cases) {
    machine.processes.on_batch = clock_tool;
    machine.processes.lingering = 0;
    machine.memory.DeleteKey(HKLM, kProgramKey);
    machine.memory.PutDword(HKLM, kProgramKey, "ConfirmClocks", 1);
    machine.memory.PutString(HKLM, kProgramKey, "g4set", "C:\\KORVANE\\G4set.exe");
    OverclockTab& t = Start();
    t.Edit1.Type("300");
    const auto held = [&] {
      for (const ui::Control* control :
           {static_cast<ui::Control*>(&t.RadioGroup1), static_cast<ui::Control*>(&t.Button2),
            static_cast<ui::Control*>(&t.Button7), static_cast<ui::Control*>(&t.Button4),
            static_cast<ui::Control*>(&form().chip_tab().PINButton())}) {
        if (control->enabled()) return false;
      }
      return true;
    };
    int runs = 0;
    machine.processes.on_batch = [&](const RecordingProcesses::BatchRun& run) {
      EXPECT_TRUE(held()) << c.name;
      t.RadioGroup1.ClickItem(1);  // disabled: nothing changes
      if (++runs == 1) return BatchOutcome::kEnded;
      return c.revert == BatchOutcome::kStopped ? RecordingProcesses::Hang(run) : c.revert;
    };
    machine.dialogs.Answer(MessageAnswer::kTimedOut);
    machine.dialogs.Answer(MessageAnswer::kNo);  // the stopped revert's end
    machine.dialogs.on_message = [&](const ScriptedDialogs::Shown& shown) {
      if (shown.seconds == 0) return;
      EXPECT_TRUE(held()) << c.name;
      // Even a choice the program makes meanwhile does not change the tool.
      ASSERT_TRUE(t.RadioGroup1.SetItemIndex(1).ok());
    };
    machine.dialogs.Clear();
    t.Button3.Click();
    machine.dialogs.on_message = nullptr;
    EXPECT_EQ(machine.files.Get("C:\\KORVANE\\OC.bat"),
              "C:\\KORVANE\\G4set.exe -sclk 250 -div 1/2 2/3 1/2\r\n")
        << c.name;
    EXPECT_EQ(machine.Boxes().back(), c.told) << c.name;
    // Ended by the user, who was told what that does to the clocks.
    const std::size_t told = machine.Boxes()[1].find("終了させます。G400は新しいクロックのまま");
    EXPECT_EQ(told != std::string::npos, c.revert == BatchOutcome::kStopped) << c.name;
    EXPECT_FALSE(machine.memory.GetDword(HKLM, kProgramKey, "G400 OverClock")) << c.name;
    EXPECT_EQ(t.Label163.caption(), "250MHz") << c.name;
    EXPECT_FALSE(held()) << c.name;
  }
}

// Windows asks whether the session may end: clocks nobody has kept go back
// first, with the change's tool, and nothing is stored; a tool at work on
// the card makes the answer no, and the user hears why once it is given.
TEST_F(OverclockTabTest, TheEndOfTheSessionWaitsForToolsAndTakesBackClocksNobodyKept) {
  enum When { kIdle, kCountdown, kChangeRuns, kTakeBackRuns, kEndedToolTold, kToolLingers };
  const struct {
    const char* name;
    When when;
    bool may_end;
    const char* told;  // after the answer: a box, or the status bar
  } cases[] = {
      {"idle", kIdle, true, ""},
      {"countdown", kCountdown, true,
       "変更前のシステムクロック250MHzに戻しました。何も保存していません。"},
      {"change runs", kChangeRuns, false,
       "情報|G4set.exe の実行中はWindowsを終了できません。G4set.exe が終了してから、"
       "もう一度お試しください。"},
      {"take-back runs", kTakeBackRuns, false,
       "情報|G4set.exe の実行中はWindowsを終了できません。G4set.exe が終了してから、"
       "もう一度お試しください。"},
      {"ended tool's clocks about to go back", kEndedToolTold, true,
       "変更前のシステムクロック250MHzに戻しました。何も保存していません。"},
      // Windows deals with the window of a tool the program could not end.
      {"a tool that could not be ended lingers", kToolLingers, true, ""},
  };
  const auto clock_tool = machine.processes.on_batch;
  for (const auto& c : cases) {
    machine.processes.on_batch = clock_tool;
    machine.processes.lingering = 0;
    machine.memory.DeleteKey(HKLM, kProgramKey);
    machine.memory.PutDword(HKLM, kProgramKey, "ConfirmClocks",
                            c.when == kCountdown || c.when == kTakeBackRuns ? 1 : 0);
    OverclockTab& t = Start();
    t.Edit1.Type("300");
    std::optional<bool> answer;
    const auto ask = [&] { answer = form().QueryEndSession(); };
    const std::size_t started = machine.processes.batches().size();
    machine.processes.on_batch = [&](const RecordingProcesses::BatchRun& run) {
      const std::size_t runs = machine.processes.batches().size() - started;
      if (runs == 1 && c.when == kChangeRuns) ask();
      if (runs == 1 && c.when == kEndedToolTold) return RecordingProcesses::Hang(run);
      if (runs == 1 && c.when == kToolLingers) {
        machine.processes.lingering = 1000;
        return RecordingProcesses::Hang(run);
      }
      if (runs == 2 && c.when == kTakeBackRuns) ask();
      return BatchOutcome::kEnded;
    };
    if (c.when == kTakeBackRuns) machine.dialogs.Answer(MessageAnswer::kCancel);
    if (c.when == kEndedToolTold || c.when == kToolLingers) {
      machine.dialogs.Answer(MessageAnswer::kNo);
    }
    machine.dialogs.on_message = [&](const ScriptedDialogs::Shown& shown) {
      if ((c.when == kCountdown && shown.seconds > 0) ||
          (c.when == kEndedToolTold && shown.text.find("新しいクロック") != std::string::npos)) {
        ask();
      }
    };
    machine.dialogs.Clear();
    if (c.when == kIdle) {
      ask();
    } else {
      t.Button3.Click();
      if (c.when == kToolLingers) ask();
    }
    machine.dialogs.on_message = nullptr;
    ASSERT_TRUE(answer) << c.name;
    EXPECT_EQ(*answer, c.may_end) << c.name;
    if (c.when == kIdle || c.when == kToolLingers) continue;
    const std::string status = form().StatusBar2.panels()[0].text;
    machine.scheduler.Advance(0);
    EXPECT_EQ(c.may_end ? status : machine.Boxes().back(), c.told) << c.name;
    if (!c.may_end) {
      EXPECT_EQ(machine.dialogs.shown().back().front, MessageFront::kForeground) << c.name;
      continue;
    }
    // Put back once, with the clocks from before, and nothing more said.
    EXPECT_EQ(machine.processes.batches().size() - started, 2u) << c.name;
    EXPECT_EQ(machine.files.Get("C:\\KORVANE\\OC.bat"),
              "C:\\KORVANE\\G4set.exe -sclk 250 -div 1/2 2/3 1/2\r\n")
        << c.name;
    EXPECT_EQ(machine.Boxes().size(), c.when == kCountdown ? 1u : 2u) << c.name;
    EXPECT_FALSE(machine.memory.GetDword(HKLM, kProgramKey, "G400 OverClock")) << c.name;
  }
}

// A clock that hangs the machine at every log-on takes Safe Mode to undo:
// one the chip has not run at in this run is asked about.
TEST_F(OverclockTabTest, TheLogOnOverclockAsksAboutAClockNotTriedYet) {
  OverclockTab& t = Start();
  t.Edit1.Type("300");
  machine.dialogs.Answer(MessageAnswer::kCancel);
  t.Button2.Click();
  ASSERT_EQ(machine.dialogs.shown().size(), 1u);
  EXPECT_EQ(machine.dialogs.shown()[0].text.substr(0, machine.dialogs.shown()[0].text.find('\n')),
            "システムクロック300MHzはまだこのプログラムで設定していません。");
  EXPECT_FALSE(machine.memory.GetString(HKLM, kRunKey, "G400 OverClock"));
  // Once set, and at the clock the chip ran at when the program started,
  // it goes straight to the log-on entry, saying whether a test found the
  // clocks sound; clocks a test found errors at are refused.
  machine.memory.PutDword(HKLM, kProgramKey, "ClockTest 250 1/2 2/3", 0);
  for (const char* clock : {"300", "250"}) {
    if (std::string(clock) == "300") t.Button3.Click();
    t.Edit1.Type(clock);
    machine.dialogs.Clear();
    t.Button2.Click();
    EXPECT_EQ(machine.Boxes(), std::vector<std::string>{
                                   std::string("情報|G400のコアクロックを") + clock +
                                   "MHzにして起動設定をします。" +
                                   (clock[0] == '3' ? "\nこのクロックはまだテストしていません。" : "")});
  }
  machine.memory.PutDword(HKLM, kProgramKey, "ClockTest 250 1/2 2/3", 3);
  t.Button7.Click();
  machine.dialogs.Clear();
  t.Button2.Click();
  EXPECT_EQ(machine.Boxes(), std::vector<std::string>{
                                 "Matrox Korvane|250MHz（1/2、2/3）では前回の"
                                 "テストで3個の誤りがあったため、起動時の設定にはしません."});
  EXPECT_FALSE(machine.memory.GetString(HKLM, kRunKey, "G400 OverClock"));
}

TEST_F(OverclockTabTest, WithoutAChosenToolNothingRuns) {
  machine.memory.PutString(HKLM, kProgramKey, "G400 OverClock", "300");  // of the wrong type
  OverclockTab& t = Start();
  EXPECT_EQ(machine.Boxes()[0], "Matrox Korvane|'G400 OverClock' のデータ型が不正です.");
  EXPECT_EQ(t.RadioGroup1.item_index(), -1);
  machine.dialogs.Clear();
  t.Button3.Click();
  t.Button2.Click();
  EXPECT_EQ(machine.Boxes(),
            std::vector<std::string>(2,
                                     "Matrox Korvane|ユーティリティ選択でG4set.exeか"
                                     "G200clk.exeを選んでください."));
  EXPECT_TRUE(machine.processes.batches().empty());
  // Choosing one makes the tab work: the program folder is known.
  t.RadioGroup1.ClickItem(0);
  t.Button3.Click();
  EXPECT_EQ(machine.files.Get("C:\\KORVANE\\OC.bat"),
            "C:\\KORVANE\\G4set.exe -sclk 250 -div 1/2 2/3 1/2\r\n");
}

}  // namespace
}  // namespace korvane::testing
