// Records the command lines and batch runs the program starts; a test's
// callback plays the outside tool.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/processes.h"

namespace korvane {

class RecordingProcesses : public Processes {
 public:
  struct BatchRun {
    std::string path;
    std::string tool_path;
    std::uint32_t slice_ms;
    BatchWait* wait;  // valid while the run lasts
  };

  void Launch(std::string_view command_line) override { launched_.emplace_back(command_line); }
  std::string CommandInterpreter() override { return interpreter; }
  BatchOutcome RunBatch(std::string_view batch_path, std::string_view tool_path,
                        std::uint32_t slice_ms, BatchWait& wait) override {
    batches_.push_back({std::string(batch_path), std::string(tool_path), slice_ms, &wait});
    const BatchRun run = batches_.back();
    batches_.back().wait = nullptr;
    return on_batch ? on_batch(run) : BatchOutcome::kEnded;
  }

  bool ToolRuns() override { return tool_runs; }
  bool Lingers() override { return lingering > 0 && lingering--; }
  std::string LingeringWindow() override { return lingering_window; }
  void ShowLingering() override { ++windows_shown; }

  const std::vector<std::string>& launched() const { return launched_; }
  const std::vector<BatchRun>& batches() const { return batches_; }

  // Runs in place of the batch file: writes what the tool would and says how
  // the run ended. Without it every run ends at once having done nothing.
  std::function<BatchOutcome(const BatchRun&)> on_batch;
  std::string interpreter = "C:\\WINDOWS\\COMMAND.COM";
  // What ToolRuns says.
  bool tool_runs = true;
  // How many more times a process that a run could not end is said to
  // linger.
  int lingering = 0;
  // The title of the window such a process runs in, empty for none; and how
  // often it was shown.
  std::string lingering_window;
  int windows_shown = 0;

  // Plays a tool that does not end by itself: asks the wait after each slice
  // until it says stop; `between` runs before each asking. A wait that never
  // says stop sees the tool end after an hour, so a test cannot hang.
  static BatchOutcome Hang(const BatchRun& run, const std::function<void()>& between = {}) {
    constexpr std::uint32_t kHour = 3600000;
    for (std::uint32_t waited = run.slice_ms; waited < kHour; waited += run.slice_ms) {
      if (between) between();
      if (run.wait->StopNow(waited)) return BatchOutcome::kStopped;
    }
    return BatchOutcome::kEnded;
  }

 private:
  std::vector<std::string> launched_;
  std::vector<BatchRun> batches_;
};

}  // namespace korvane
