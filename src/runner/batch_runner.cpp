#include "runner/batch_runner.h"

#include <utility>

#include "files/file_errors.h"
#include "files/paths.h"
#include "text/texts.h"

namespace korvane {

// Decides, between the slices of a wait, whether the tool is to be ended.
class BatchRunner::Wait : public BatchWait {
 public:
  // `ask` asks the user when `bound_ms` has passed; otherwise the tool is
  // ended then without a word.
  Wait(BatchRunner& runner, std::uint32_t bound_ms, bool ask)
      : runner_(runner), next_ms_(bound_ms), bound_ms_(bound_ms), ask_(ask) {}

  bool StopNow(std::uint32_t waited_ms) override {
    if (runner_.stop_requested_) return true;
    // The next question counts from the last answer, to this question or
    // to one at a close: it may have stood for long.
    if (std::exchange(runner_.answered_, false)) next_ms_ = waited_ms + bound_ms_;
    if (waited_ms < next_ms_) return false;
    return !ask_ || !runner_.KeepWaiting();
  }

 private:
  BatchRunner& runner_;
  std::uint32_t next_ms_;
  std::uint32_t bound_ms_;
  bool ask_;
};

Result<RunEnd> BatchRunner::Run(std::string_view folder, const ToolRun& run) {
  Wait wait(*this, question_after_ms_, true);
  ASSIGN_OR_RETURN(const RunEnd end, Start(folder, run, wait));
  if (end != RunEnd::kEnded && end != RunEnd::kStopped) {
    return Status::Error(FailureText(end, run));
  }
  return end;
}

Result<RunEnd> BatchRunner::RunBounded(std::string_view folder, const ToolRun& run,
                                       std::uint32_t limit_ms) {
  Wait wait(*this, limit_ms, false);
  return Start(folder, run, wait);
}

Result<RunEnd> BatchRunner::Start(std::string_view folder, const ToolRun& run, Wait& wait) {
  // Nested runs would rewrite a batch file that the interpreter still reads;
  // a tool the program could not end may still be at work on the card.
  if (waiting_) return Status::Error(Format(TextId::kToolRunning, {running_}));
  if (busy()) {
    lingering_window_ = processes_.LingeringWindow();
    return Status::Error(LingeringNotice());
  }
  // Without the tool the interpreter would only print an error nobody reads,
  // and the program would take that for a run.
  if (!files_.Exists(run.tool_path)) return RunEnd::kToolMissing;
  std::string batch_line;
  for (const char c : run.line) {
    batch_line += c;
    if (c == '%') batch_line += '%';
  }
  const std::string path = JoinPath(folder, run.batch_name);
  // The work folder is made when first needed.
  if (!files_.MakeFolder(folder) || !files_.Write(path, files_.ToSystemText(batch_line + "\r\n"))) {
    return CannotCreateFileError(path);
  }
  // An output that stays would be read as new should the redirect fail.
  if (!run.output.empty() && files_.Exists(run.output) && !files_.Remove(run.output)) {
    return CannotCreateFileError(run.output);
  }

  running_ = FileName(run.tool_path);
  if_ended_ = run.if_ended;
  stop_requested_ = answered_ = false;
  if (on_begin) on_begin(running_);
  waiting_ = true;
  const BatchOutcome outcome = processes_.RunBatch(path, run.tool_path, run.slice_ms, wait);
  waiting_ = false;
  stop_requested_ = false;
  const bool lingers = processes_.Lingers();
  if (lingers) {
    lingering_window_ = processes_.LingeringWindow();
    if (on_linger) on_linger(LingeringNotice());
    WatchUntilGone();
  } else {
    Finish();
  }

  switch (outcome) {
    case BatchOutcome::kNotStarted:
      return RunEnd::kNotStarted;
    case BatchOutcome::kWaitFailed:
      return lingers ? RunEnd::kNotEnded : RunEnd::kWaitFailed;
    case BatchOutcome::kStopped:
      return lingers ? RunEnd::kNotEnded : RunEnd::kStopped;
    case BatchOutcome::kEnded:
      break;
  }
  return RunEnd::kEnded;
}

// Until the tool is gone a new run would meet it still at work on the card
// and on the files.
void BatchRunner::WatchUntilGone() {
  scheduler_.After(kLingerCheckMs, [this] {
    if (processes_.Lingers()) {
      WatchUntilGone();
    } else {
      Finish();
    }
  });
}

std::string BatchRunner::LingeringNotice() const {
  if (lingering_window_.empty()) return Format(TextId::kToolLingeringNoWindow, {running_});
  return Format(TextId::kToolLingering, {running_, lingering_window_});
}

void BatchRunner::ShowLingeringWindow() {
  if (busy() && !waiting_) processes_.ShowLingering();
}

void BatchRunner::Finish() {
  running_.clear();
  lingering_window_.clear();
  if (on_end) on_end();
}

std::string BatchRunner::FailureText(RunEnd end, const ToolRun& run) {
  switch (end) {
    case RunEnd::kToolMissing:
      return ToolNotFoundError(run.tool_path).message();
    case RunEnd::kNotStarted:
      return Format(TextId::kInterpreterNotStarted, {processes_.CommandInterpreter()});
    case RunEnd::kWaitFailed:
      return Format(TextId::kToolWaitFailed, {FileName(run.tool_path)});
    case RunEnd::kNotEnded: {
      const std::string tool(FileName(run.tool_path));
      if (lingering_window_.empty()) return Format(TextId::kToolNotEndedNoWindow, {tool});
      return Format(TextId::kToolNotEndedWindowShown,
                    {tool, tool, lingering_window_, lingering_window_});
    }
    case RunEnd::kEnded:
    case RunEnd::kStopped:
      break;
  }
  return std::string();
}

bool BatchRunner::KeepWaiting() {
  // Nothing is asked about a tool that has ended, and the question goes by
  // itself once it ends: what waits behind it goes on.
  if (!Stands()) return true;
  const std::string text = Format(TextId::kKeepWaiting, {running_, running_, Text(if_ended_)});
  answered_ = true;
  return dialogs_.MessageWhile(text, Text(TextId::kQuestionCaption), MessageButtons::kYesNo,
                               MessageIcon::kQuestion, *this) != MessageAnswer::kNo;
}

void BatchRunner::AskWhileClosing() {
  if (!busy() || stop_requested_ || asking_) return;
  asking_ = true;
  if (!KeepWaiting()) stop_requested_ = true;
  asking_ = false;
}

Status ToolNotFoundError(std::string_view tool_path) {
  return Status::Error(Format(TextId::kToolNotFound, {tool_path}));
}

std::string ToolStoppedText(std::string_view tool_path) {
  return Format(TextId::kToolStopped, {FileName(tool_path)});
}

}  // namespace korvane
