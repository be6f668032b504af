#pragma once

#include <string>
#include <utility>
#include <vector>

#include "ui/control.h"

namespace korvane::ui {

// A read-only, word-wrapping text area.
class Memo : public Control {
 public:
  Memo(Container& parent, std::string name, Bounds bounds, std::vector<std::string> lines)
      : Control(&parent, ControlKind::kMemo, std::move(name), bounds), lines_(std::move(lines)) {}

  const std::vector<std::string>& lines() const { return lines_; }
  void SetLines(std::vector<std::string> lines) {
    lines_ = std::move(lines);
    Notify(Change::kState);
  }

 private:
  std::vector<std::string> lines_;
};

}  // namespace korvane::ui
