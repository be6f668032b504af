// The error box every failed action ends in: the error text with a full stop,
// titled with the application title, with the error icon and one OK button.
#pragma once

#include <string>
#include <utility>

#include "platform/dialogs.h"
#include "ui/form.h"

namespace korvane {

class ErrorBox : public ui::ErrorReporter {
 public:
  ErrorBox(Dialogs& dialogs, std::string title) : dialogs_(dialogs), title_(std::move(title)) {}
  void ReportError(const std::string& message) override {
    dialogs_.Message(message + ".", title_, MessageButtons::kOk, MessageIcon::kError);
  }

 private:
  Dialogs& dialogs_;
  std::string title_;
};

}  // namespace korvane
