// The batch runner: the one way the program runs an outside console tool
// and waits for it. The tool's output that the program needs is redirected
// into a file by the batch line itself and read by the caller afterwards.
//
// One tool runs at a time. While it runs the windows stay live and are told
// which tool runs; a run that lasts too long asks the user whether to wait
// on, and ends the tool when the user says no; the question goes by itself
// when the tool ends meanwhile. A tool that cannot be ended (Windows 95/98
// may leave a DOS tool's box standing) still counts as running: the window
// it runs in is shown for the user to close, and the windows are told of
// its end only once it is gone.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/processes.h"
#include "platform/scheduler.h"
#include "platform/status.h"
#include "text/text_id.h"

namespace korvane {

// One run: the tool the batch line starts, which must exist, and the line.
struct ToolRun {
  std::string tool_path;
  std::string batch_name;  // the batch file, in the folder the run is given
  std::string line;
  std::uint32_t slice_ms;
  // The file the line redirects the tool's output into, if any. It is
  // removed before the run, so that what an earlier run left is never read
  // as this run's output.
  std::string output = std::string();
  // What ending the tool leads to, as the question about it says.
  TextId if_ended = TextId::kNothingChanges;
};

enum class RunEnd {
  kEnded,        // the tool ended by itself
  kStopped,      // the program ended it: the user chose to, or the bound ran out
  kToolMissing,  // nothing ran: the tool does not exist
  kNotStarted,   // nothing ran: the command interpreter could not be started
  kWaitFailed,   // the system could not wait for the tool, which was then ended
  kNotEnded,     // the program could not end the tool, which still runs
};

class BatchRunner : private Standing {
 public:
  // How long a run from a button waits before it asks whether to wait on.
  static constexpr std::uint32_t kQuestionAfterMs = 60000;

  // How often a tool that could not be ended is looked for again.
  static constexpr std::uint32_t kLingerCheckMs = 1000;

  BatchRunner(FileSystem& files, Processes& processes, Dialogs& dialogs, Scheduler& scheduler)
      : files_(files), processes_(processes), dialogs_(dialogs), scheduler_(scheduler) {}

  // A run from a button: writes `run.line` as the only line of
  // `folder\run.batch_name` (ANSI code page, CR LF; '%' doubled, as the
  // interpreter halves it), runs it hidden and waits while the windows stay
  // live. After `question_after_ms` the user is asked whether to wait on,
  // and again each time as long again has passed. A missing tool, a batch
  // file that cannot be written, an output file that cannot be removed or
  // an interpreter that cannot be started is an error, and nothing runs. A
  // wait that fails, or a tool that cannot be ended, is an error too: the
  // result is kEnded or kStopped only.
  Result<RunEnd> Run(std::string_view folder, const ToolRun& run);
  // A run nobody waits for at a button: the tool is ended without asking
  // once `limit_ms` has passed. A tool that could not run is told by the
  // result, not as an error: only a batch file that cannot be written, or an
  // output file that cannot be removed, is one.
  Result<RunEnd> RunBounded(std::string_view folder, const ToolRun& run, std::uint32_t limit_ms);
  // What went wrong, for the user, for any end but kEnded and kStopped.
  std::string FailureText(RunEnd end, const ToolRun& run);

  // True while a run waits for its tool, or a tool it could not end runs.
  bool busy() const { return !running_.empty(); }
  // True only while a run waits for its tool.
  bool waiting() const { return waiting_; }
  // The file name of the tool that runs now; empty when none does.
  const std::string& running() const { return running_; }

  // The window is being closed while a run waits: asks the user whether to
  // wait on; if not, the run ends its tool at once. Asked once however many
  // closes arrive while the question stands.
  void AskWhileClosing();

  // Brings the window of a tool that could not be ended to the front: once
  // the box that says so has been closed, as a box shown after it would
  // take the front back.
  void ShowLingeringWindow();

  // Ends the running tool at its next slice, without asking: for a run
  // whose result nobody needs any more.
  void Stop() {
    if (busy()) stop_requested_ = true;
  }

  // The same question after another time: for tests, which cannot wait a
  // minute.
  void SetQuestionAfter(std::uint32_t ms) { question_after_ms_ = ms; }

  // Told when a run begins, with the tool's file name; when its tool could
  // not be ended, with what the user is to do about it; and when it is over.
  std::function<void(std::string_view tool)> on_begin;
  std::function<void(std::string_view notice)> on_linger;
  std::function<void()> on_end;

 private:
  class Wait;
  Result<RunEnd> Start(std::string_view folder, const ToolRun& run, Wait& wait);
  // True when the user chose to wait on.
  bool KeepWaiting();
  // The tool the question is about still runs.
  bool Stands() const override { return processes_.ToolRuns(); }
  // The run is over once no process it could not end is left.
  void WatchUntilGone();
  void Finish();
  // What to close while a tool the program could not end runs on.
  std::string LingeringNotice() const;

  FileSystem& files_;
  Processes& processes_;
  Dialogs& dialogs_;
  Scheduler& scheduler_;
  std::uint32_t question_after_ms_ = kQuestionAfterMs;
  std::string running_;
  TextId if_ended_ = TextId::kNothingChanges;
  // The title of the window a tool that could not be ended runs in; empty
  // when none was found.
  std::string lingering_window_;
  bool waiting_ = false;
  bool stop_requested_ = false;
  bool asking_ = false;
  // The user has answered a question: the next counts from then.
  bool answered_ = false;
};

// "Cannot find the file %s": a tool that is not where it is looked for.
Status ToolNotFoundError(std::string_view tool_path);

// "%s was ended. Nothing was changed.", with the tool's file name: what a
// handler says once the user has ended its tool.
std::string ToolStoppedText(std::string_view tool_path);

}  // namespace korvane
