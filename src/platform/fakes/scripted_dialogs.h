// Message boxes answered from a script; every box shown is recorded.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/dialogs.h"

namespace korvane {

class ScriptedDialogs : public Dialogs {
 public:
  struct Shown {
    std::string text;
    std::string caption;
    MessageButtons buttons;
    MessageIcon icon;
    int seconds = 0;  // of a box that closes itself
    MessageFront front = MessageFront::kOwner;
  };

  MessageAnswer Message(std::string_view text, std::string_view caption, MessageButtons buttons,
                        MessageIcon icon, MessageFront front = MessageFront::kOwner) override {
    shown_.push_back(
        {std::string(text), std::string(caption), buttons, icon, timed_seconds_, front});
    if (on_message) on_message(shown_.back());
    if (answers_.empty()) {
      return buttons == MessageButtons::kYesNo ? MessageAnswer::kYes : MessageAnswer::kOk;
    }
    const MessageAnswer answer = answers_.front();
    answers_.pop_front();
    return answer;
  }

  // Answered from the script too; kTimedOut plays the time running out.
  MessageAnswer TimedMessage(std::string_view text, std::string_view caption,
                             MessageButtons buttons, MessageIcon icon, int seconds) override {
    timed_seconds_ = seconds;
    ended_ = false;
    const MessageAnswer answer = Message(text, caption, buttons, icon);
    timed_seconds_ = 0;
    return ended_ ? MessageAnswer::kTimedOut : answer;
  }
  // While a timed box is open (from on_message), its answer becomes
  // kTimedOut.
  void EndCountdowns() override { ended_ = timed_seconds_ > 0; }
  void HoldCountdowns(bool hold) override { held = hold; }
  // Whether countdowns are held now.
  bool held = false;
  // Answered from the script, or kTimedOut when `subject` no longer stands
  // once on_message has run.
  MessageAnswer MessageWhile(std::string_view text, std::string_view caption,
                             MessageButtons buttons, MessageIcon icon,
                             const Standing& subject) override {
    const MessageAnswer answer = Message(text, caption, buttons, icon);
    return subject.Stands() ? answer : MessageAnswer::kTimedOut;
  }

  std::optional<std::string> OpenFile(const FileDialogOptions& options) override {
    return FileAnswer(options);
  }
  std::optional<std::string> SaveFile(const FileDialogOptions& options) override {
    return FileAnswer(options);
  }

  // Answers for the next boxes, in order; boxes beyond them are answered OK,
  // or Yes.
  void Answer(MessageAnswer answer) { answers_.push_back(answer); }
  // Answers for the next file dialogs, in order: a path, or empty for
  // Cancel. Dialogs beyond them are cancelled.
  void AnswerFile(std::optional<std::string> path) { file_answers_.push_back(std::move(path)); }
  // The file dialogs shown so far.
  const std::vector<FileDialogOptions>& file_dialogs() const { return file_dialogs_; }

  const std::vector<Shown>& shown() const { return shown_; }
  void Clear() { shown_.clear(); }

  // Runs while a box is open, as code that runs behind a modal box would.
  std::function<void(const Shown&)> on_message;

 private:
  std::optional<std::string> FileAnswer(const FileDialogOptions& options) {
    file_dialogs_.push_back(options);
    if (file_answers_.empty()) return std::nullopt;
    std::optional<std::string> answer = std::move(file_answers_.front());
    file_answers_.pop_front();
    return answer;
  }

  std::deque<MessageAnswer> answers_;
  std::deque<std::optional<std::string>> file_answers_;
  std::vector<FileDialogOptions> file_dialogs_;
  std::vector<Shown> shown_;
  int timed_seconds_ = 0;
  bool ended_ = false;
};

}  // namespace korvane
