#include "overclock/batch_runner.h"

#include <gtest/gtest.h>

#include "platform/fakes/fake_file_system.h"
#include "platform/fakes/recording_processes.h"

namespace korvane {
namespace {

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
  }
}

TEST(BatchRunnerTest, WritesOneCrLfLineDoublingPercentRunsAndRefusesToNest) {
  FakeFileSystem files;
  RecordingProcesses processes;
  BatchRunner runner(files, processes);
  bool nested_refused = false;
  processes.on_batch = [&](const RecordingProcesses::BatchRun&) {
    EXPECT_TRUE(runner.busy());
    const auto nested = runner.Run("C:\\K", "OC.bat", "other", 5000);
    nested_refused = nested.ok() && nested.value() == BatchOutcome::kNotStarted;
    return BatchOutcome::kEnded;
  };
  const auto outcome = runner.Run("C:\\K", "g4clk.bat", "C:\\100%\\g4set.exe > x.txt", 500);
  ASSERT_TRUE(outcome.ok());
  EXPECT_EQ(outcome.value(), BatchOutcome::kEnded);
  EXPECT_TRUE(nested_refused);
  EXPECT_FALSE(runner.busy());
  EXPECT_EQ(files.Get("C:\\K\\g4clk.bat"), "C:\\100%%\\g4set.exe > x.txt\r\n");
  EXPECT_FALSE(files.Get("C:\\K\\OC.bat")) << "the nested run wrote its batch file";
  ASSERT_EQ(processes.batches().size(), 1u);
  EXPECT_EQ(processes.batches()[0].path, "C:\\K\\g4clk.bat");
  EXPECT_EQ(processes.batches()[0].slice_ms, 500u);
}

TEST(BatchRunnerTest, ABatchFileThatCannotBeWrittenIsReportedAndNothingRuns) {
  FakeFileSystem files;
  RecordingProcesses processes;
  BatchRunner runner(files, processes);
  files.MakeReadOnly("C:\\K\\OC.bat");
  const auto outcome = runner.Run("C:\\K", "OC.bat", "line", 5000);
  ASSERT_FALSE(outcome.ok());
  EXPECT_EQ(outcome.status().message(), "ファイル C:\\K\\OC.bat を作成できません");
  EXPECT_TRUE(processes.batches().empty());
}

}  // namespace
}  // namespace korvane
