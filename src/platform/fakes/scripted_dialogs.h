// Message boxes answered from a script; every box shown is recorded.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <string_view>
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
  };

  MessageAnswer Message(std::string_view text, std::string_view caption, MessageButtons buttons,
                        MessageIcon icon) override {
    shown_.push_back({std::string(text), std::string(caption), buttons, icon});
    if (on_message) on_message(shown_.back());
    if (answers_.empty()) return MessageAnswer::kOk;
    const MessageAnswer answer = answers_.front();
    answers_.pop_front();
    return answer;
  }

  // Answers for the next boxes, in order; boxes beyond them are answered OK.
  void Answer(MessageAnswer answer) { answers_.push_back(answer); }

  const std::vector<Shown>& shown() const { return shown_; }
  void Clear() { shown_.clear(); }

  // Runs while a box is open, as code that runs behind a modal box would.
  std::function<void(const Shown&)> on_message;

 private:
  std::deque<MessageAnswer> answers_;
  std::vector<Shown> shown_;
};

}  // namespace korvane
