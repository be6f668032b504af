#include "runner/batch_runner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/paths.h"
#include "platform/fakes/fake_file_system.h"
#include "platform/fakes/manual_scheduler.h"
#include "platform/fakes/recording_processes.h"
#include "platform/fakes/scripted_dialogs.h"

namespace korvane {
namespace {

constexpr char kTool[] = "C:\\K\\G4set.exe";

struct Runner {
  Runner() { files.Put(kTool, "MZ"); }
  FakeFileSystem files;
  RecordingProcesses processes;
  ScriptedDialogs dialogs;
  ManualScheduler scheduler;
  BatchRunner runner{files, processes, dialogs, scheduler};
};

ToolRun Line(std::string line, std::string batch = "OC.bat") {
  return {kTool, std::move(batch), std::move(line), 500};
}

TEST(BatchRunnerTest, PathsKeepTheirFormUnlessTheInterpreterWouldSplitThem) {
  const struct {
    const char* folder;
    const char* expected_join;
    const char* expected_command;
  } cases[] = {
      {"C:\\PROGRA~1\\KORVANE", "C:\\PROGRA~1\\KORVANE\\g4set.exe",
       "C:\\PROGRA~1\\KORVANE\\g4set.exe"},
      {"C:\\", "C:\\g4set.exe", "C:\\g4set.exe"},
      {"C:\\Tools & Co", "C:\\Tools & Co\\g4set.exe", "\"C:\\Tools & Co\\g4set.exe\""},
      {"C:\\My Tools", "C:\\My Tools\\g4set.exe", "\"C:\\My Tools\\g4set.exe\""},
      {"C:\\(x86)", "C:\\(x86)\\g4set.exe", "\"C:\\(x86)\\g4set.exe\""},
      {"C:\\100%", "C:\\100%\\g4set.exe", "C:\\100%\\g4set.exe"},
  };
  for (const auto& c : cases) {
    const std::string joined = JoinPath(c.folder, "g4set.exe");
    EXPECT_EQ(joined, c.expected_join);
    EXPECT_EQ(CommandPath(joined), c.expected_command);
    EXPECT_EQ(FileName(joined), "g4set.exe");
  }
}

TEST(BatchRunnerTest, WritesOneCrLfLineDoublingPercentRunsAndRefusesToNest) {
  Runner r;
  std::vector<std::string> told;
  r.runner.on_begin = [&](std::string_view tool) { told.push_back("begins " + std::string(tool)); };
  r.runner.on_end = [&] { told.push_back("ends"); };
  std::string nested_error;
  r.files.Put("C:\\K\\x.txt", "the last run's");
  r.processes.on_batch = [&](const RecordingProcesses::BatchRun&) {
    EXPECT_TRUE(r.runner.busy());
    EXPECT_FALSE(r.files.Exists("C:\\K\\x.txt"));
    nested_error = r.runner.Run("C:\\K", Line("other")).status().message();
    return BatchOutcome::kEnded;
  };
  ToolRun run = Line("C:\\100%\\g4set.exe > x.txt", "g4clk.bat");
  run.output = "C:\\K\\x.txt";
  const auto end = r.runner.Run("C:\\K", run);
  ASSERT_TRUE(end.ok());
  EXPECT_EQ(end.value(), RunEnd::kEnded);
  EXPECT_EQ(nested_error, "G4set.exe を実行中…");
  EXPECT_EQ(told, (std::vector<std::string>{"begins G4set.exe", "ends"}));
  EXPECT_FALSE(r.runner.busy());
  EXPECT_EQ(r.files.Get("C:\\K\\g4clk.bat"), "C:\\100%%\\g4set.exe > x.txt\r\n");
  EXPECT_FALSE(r.files.Get("C:\\K\\OC.bat")) << "the nested run wrote its batch file";
  ASSERT_EQ(r.processes.batches().size(), 1u);
  EXPECT_EQ(r.processes.batches()[0].path, "C:\\K\\g4clk.bat");
  EXPECT_EQ(r.processes.batches()[0].slice_ms, 500u);
}

TEST(BatchRunnerTest, WhatCannotRunIsAnErrorAndRunsNothing) {
  const struct {
    const char* name;
    bool tool_there;
    bool batch_writable;
    bool output_removable;
    const char* error;
  } cases[] = {
      {"missing tool", false, true, true, "ファイル C:\\K\\G4set.exe が見つかりません"},
      {"read-only batch file", true, false, true, "ファイル C:\\K\\OC.bat を作成できません"},
      // The last run's output would be read as this run's.
      {"output held open", true, true, false, "ファイル C:\\K\\out.txt を作成できません"},
  };
  for (const auto& c : cases) {
    Runner r;
    if (!c.tool_there) r.files.Remove(kTool);
    if (!c.batch_writable) r.files.MakeReadOnly("C:\\K\\OC.bat");
    r.files.Put("C:\\K\\out.txt", "old");
    if (!c.output_removable) r.files.MakeReadOnly("C:\\K\\out.txt");
    ToolRun run = Line("line");
    run.output = "C:\\K\\out.txt";
    const auto end = r.runner.Run("C:\\K", run);
    EXPECT_EQ(end.status().message(), c.error) << c.name;
    EXPECT_TRUE(r.processes.batches().empty()) << c.name;
  }
  // The interpreter that cannot be started is named; the start-up query is
  // told by the result, not by an error.
  Runner r;
  r.processes.on_batch = [](const RecordingProcesses::BatchRun&) {
    return BatchOutcome::kNotStarted;
  };
  EXPECT_EQ(r.runner.Run("C:\\K", Line("line")).status().message(),
            "コマンドインタープリタ C:\\WINDOWS\\COMMAND.COM を起動できません");
  const auto bounded = r.runner.RunBounded("C:\\K", Line("line"), 30000);
  ASSERT_TRUE(bounded.ok());
  EXPECT_EQ(bounded.value(), RunEnd::kNotStarted);
}

// A tool that never ends: when the question comes, what it says, and how
// the answers, a close of the window and the start-up bound end the wait.
TEST(BatchRunnerTest, AHangingToolIsEndedWhenTheUserSaysSoOrTheBoundRunsOut) {
  const struct {
    const char* name;
    bool bounded;
    std::vector<MessageAnswer> answers;
    bool close_after_first_slice;
    std::uint32_t stopped_at_ms;  // the wait's time when it said stop
    std::size_t questions;
    bool close_again_while_asked = false;
  } cases[] = {
      {"no at once", false, {MessageAnswer::kNo}, false, 2000, 1},
      // The second question comes as long after the first answer.
      {"yes, then no", false, {MessageAnswer::kYes, MessageAnswer::kNo}, false, 4500, 2},
      {"close, then no", false, {MessageAnswer::kNo}, true, 1000, 1},
      // The next question counts from an answer at a close too.
      {"close, then yes: waits on",
       false,
       {MessageAnswer::kYes, MessageAnswer::kNo},
       true,
       3000,
       2},
      {"start-up bound", true, {}, false, 2000, 0},
      {"a second close while the question stands",
       false,
       {MessageAnswer::kNo},
       true,
       1000,
       1,
       true},
  };
  for (const auto& c : cases) {
    Runner r;
    r.runner.SetQuestionAfter(2000);
    for (const MessageAnswer answer : c.answers) r.dialogs.Answer(answer);
    if (c.close_again_while_asked) {
      r.dialogs.on_message = [&](const ScriptedDialogs::Shown&) { r.runner.AskWhileClosing(); };
    }
    std::uint32_t waited = 0;
    r.processes.on_batch = [&](const RecordingProcesses::BatchRun& run) {
      for (waited = run.slice_ms;; waited += run.slice_ms) {
        if (c.close_after_first_slice && waited == 1000) r.runner.AskWhileClosing();
        if (run.wait->StopNow(waited)) return BatchOutcome::kStopped;
      }
    };
    const auto end = c.bounded ? r.runner.RunBounded("C:\\K", Line("x"), 2000)
                               : r.runner.Run("C:\\K", Line("x"));
    ASSERT_TRUE(end.ok()) << c.name;
    EXPECT_EQ(end.value(), RunEnd::kStopped) << c.name;
    EXPECT_EQ(waited, c.stopped_at_ms) << c.name;
    ASSERT_EQ(r.dialogs.shown().size(), c.questions) << c.name;
    if (c.questions == 0) continue;
    const auto& question = r.dialogs.shown()[0];
    EXPECT_EQ(question.caption, "どうする？");
    EXPECT_EQ(question.buttons, MessageButtons::kYesNo);
    EXPECT_EQ(question.text,
              "G4set.exe がまだ終了しません。終了を待ちますか？\n\n"
              "「いいえ」を選ぶと G4set.exe を終了させます。何も変更しません。");
  }
}

// A run whose wait fails, or whose tool outlives the program's attempt to
// end it, is a failure; a tool that lives on keeps the runner busy, though
// no longer waiting, its window is shown for the user to close, and the
// windows are told of the end only once it is gone.
TEST(BatchRunnerTest, AToolThatCannotBeWaitedForOrEndedIsAnError) {
  const struct {
    BatchOutcome outcome;
    int lingering;       // how often the tool is still found there
    const char* window;  // the title of the window it runs in
    const char* error;
    const char* retry;  // what a run meanwhile says
  } cases[] = {
      {BatchOutcome::kWaitFailed, 0, "",
       "G4set.exe の終了を待てないため、終了させました。何も保存していません", ""},
      {BatchOutcome::kStopped, 2, "Korvane - G4set.exe",
       "G4set.exe を終了できませんでした。G4set.exe が動いているウィンドウ「Korvane - "
       "G4set.exe」を前面に出しました。そのウィンドウを閉じてください。閉じられないときは、Ctrl+"
       "Alt+Delで「Korvane - G4set.exe」を選んで［タスクの終了］を押してください。終わるまで次のツ"
       "ールは実行しません",
       "G4set.exe がまだ終わっていません。ウィンドウ「Korvane - G4set.exe」を閉じてください"},
      {BatchOutcome::kWaitFailed, 1, "",
       "G4set.exe を終了できませんでした。Ctrl+Alt+Delで一覧から選んで［タスクの終了］を押すか、"
       "Windowsを再起動してください。終わるまで次のツールは実行しません",
       "G4set.exe がまだ終わっていません。Ctrl+Alt+Delで終了させてください"},
  };
  for (const auto& c : cases) {
    Runner r;
    std::vector<std::string> told;
    r.runner.on_linger = [&](std::string_view notice) { told.emplace_back(notice); };
    r.runner.on_end = [&] { told.emplace_back("ends"); };
    r.processes.lingering_window = c.window;
    r.processes.on_batch = [&](const RecordingProcesses::BatchRun& run) {
      EXPECT_EQ(run.tool_path, kTool);
      EXPECT_TRUE(r.runner.waiting());
      r.processes.lingering = c.lingering;
      return c.outcome;
    };
    EXPECT_EQ(r.runner.Run("C:\\K", Line("x")).status().message(), c.error);
    r.runner.ShowLingeringWindow();  // once the box is closed
    for (int check = 0; check < c.lingering; ++check) {
      EXPECT_TRUE(r.runner.busy() && !r.runner.waiting()) << c.error;
      EXPECT_EQ(r.runner.Run("C:\\K", Line("y")).status().message(), c.retry);
      r.runner.ShowLingeringWindow();
      EXPECT_EQ(r.processes.windows_shown, check + 2) << "shown again at the retry";
      r.scheduler.Advance(BatchRunner::kLingerCheckMs);
    }
    EXPECT_FALSE(r.runner.busy()) << c.error;
    const std::vector<std::string> expected_told =
        c.lingering ? std::vector<std::string>{c.retry, "ends"} : std::vector<std::string>{"ends"};
    EXPECT_EQ(told, expected_told) << c.error;
  }
}

}  // namespace
}  // namespace korvane
