#pragma once

#include <string>
#include <utility>

namespace korvane::ui {

// The running program as a whole.
class Application {
 public:
  explicit Application(std::string title) : title_(std::move(title)) {}

  // Used as the caption of error boxes.
  const std::string& title() const { return title_; }

  // Asks the program to end. The request takes effect once the event loop
  // runs, so start-up still completes.
  void RequestTerminate() { terminate_requested_ = true; }
  bool terminate_requested() const { return terminate_requested_; }

 private:
  std::string title_;
  bool terminate_requested_ = false;
};

}  // namespace korvane::ui
