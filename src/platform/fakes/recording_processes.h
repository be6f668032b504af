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
    std::uint32_t slice_ms;
    std::uint32_t limit_ms;
  };

  void Launch(std::string_view command_line) override { launched_.emplace_back(command_line); }
  BatchOutcome RunBatch(std::string_view batch_path, std::uint32_t slice_ms,
                        std::uint32_t limit_ms) override {
    batches_.push_back({std::string(batch_path), slice_ms, limit_ms});
    return on_batch ? on_batch(batches_.back()) : BatchOutcome::kEnded;
  }

  const std::vector<std::string>& launched() const { return launched_; }
  const std::vector<BatchRun>& batches() const { return batches_; }

  // Runs in place of the batch file: writes what the tool would and says how
  // the run ended. Without it every run ends at once having done nothing.
  std::function<BatchOutcome(const BatchRun&)> on_batch;

 private:
  std::vector<std::string> launched_;
  std::vector<BatchRun> batches_;
};

}  // namespace korvane
