// Starting outside programs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace korvane {

enum class BatchOutcome {
  kNotStarted,  // the command interpreter could not be started
  kEnded,       // the child has ended by itself
  kStopped,     // the wait asked to stop: what the run started was ended
  kWaitFailed,  // the system could not wait for the child: what it started was ended
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
  // (Windows 95/98 cannot start a .bat directly), handing it no handle: what
  // it prints that the batch line does not redirect goes to its hidden
  // console. Waits for it one slice at a time and lets the windows handle
  // their pending messages between slices.
  //
  // A run that is stopped, or whose wait fails, ends the interpreter, every
  // process below it and every process that was not running before the run
  // and runs `tool_path`, including those started while it ends them; no
  // process that ran before the run is touched, and no wait keeps the
  // windows from answering.
  virtual BatchOutcome RunBatch(std::string_view batch_path, std::string_view tool_path,
                                std::uint32_t slice_ms, BatchWait& wait) = 0;

  // While a batch run waits: whether its command interpreter still runs.
  virtual bool ToolRuns() = 0;

  // Whether what the last run could not end is still there: a process, or
  // the window it ran in.
  virtual bool Lingers() = 0;
  // The title of the window that runs in (a DOS tool's hidden DOS box);
  // empty when none was found.
  virtual std::string LingeringWindow() = 0;
  // Shows that window and brings it to the front, for the user to close.
  virtual void ShowLingering() = 0;
};

}  // namespace korvane
