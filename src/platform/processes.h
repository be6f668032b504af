// Starting outside programs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace korvane {

enum class BatchOutcome {
  kNotStarted,  // the command interpreter could not be started
  kEnded,       // the child has ended by itself
  kStopped,     // the wait asked to stop: the child and what it started were ended
};

// What a batch run asks of whoever waits for it.
class BatchWait {
 public:
  virtual ~BatchWait() = default;
  // Asked after every slice in which the child has not ended, once the
  // windows have handled their messages, with the milliseconds waited so
  // far. True ends the child and every program it started.
  virtual bool StopNow(std::uint32_t waited_ms) = 0;
};

class Processes {
 public:
  virtual ~Processes() = default;
  // Hands a command line to the system's program starter with its window
  // hidden and does not wait. Whether it started is not reported.
  virtual void Launch(std::string_view command_line) = 0;

  // The command interpreter that runs batch files: COMSPEC, else
  // command.com.
  virtual std::string CommandInterpreter() = 0;

  // Runs an existing batch file hidden, through the command interpreter
  // (Windows 95/98 cannot start a .bat directly), its standard output on a
  // pipe that is never read. Waits for it one slice at a time and lets the
  // windows handle their pending messages between slices.
  virtual BatchOutcome RunBatch(std::string_view batch_path, std::uint32_t slice_ms,
                                BatchWait& wait) = 0;
};

}  // namespace korvane
