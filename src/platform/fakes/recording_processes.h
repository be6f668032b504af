// Records the command lines the program starts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/processes.h"

namespace korvane {

class RecordingProcesses : public Processes {
 public:
  void Launch(std::string_view command_line) override { launched_.emplace_back(command_line); }
  const std::vector<std::string>& launched() const { return launched_; }

 private:
  std::vector<std::string> launched_;
};

}  // namespace korvane
