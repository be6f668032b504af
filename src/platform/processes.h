// Starting outside programs.
#pragma once

#include <cstdint>
#include <string_view>

namespace korvane {

enum class BatchOutcome {
  kNotStarted,  // the command interpreter could not be started
  kEnded,       // the child has ended
  kTimedOut,    // still running when the time limit ran out; left running
};

class Processes {
 public:
  virtual ~Processes() = default;
  // Hands a command line to the system's program starter with its window
  // hidden and does not wait. Whether it started is not reported.
  virtual void Launch(std::string_view command_line) = 0;

  // Runs an existing batch file hidden, through the command interpreter
  // (Windows 95/98 cannot start a .bat directly), its standard output on a
  // pipe that is never read. Waits for it one slice at a time and lets the
  // windows handle their pending messages between slices. `limit_ms` 0
  // waits as long as it takes.
  virtual BatchOutcome RunBatch(std::string_view batch_path, std::uint32_t slice_ms,
                                std::uint32_t limit_ms = 0) = 0;
};

}  // namespace korvane
