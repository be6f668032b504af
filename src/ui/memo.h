#pragma once

#include <string>
#include <utility>
#include <vector>

#include "ui/control.h"

namespace korvane::ui {

// A word-wrapping text area, read-only unless made editable.
class Memo : public Control {
 public:
  Memo(Container& parent, std::string_view name, Bounds bounds, std::vector<std::string> lines,
       bool read_only = true);

  bool read_only() const { return read_only_; }
  const std::vector<std::string>& lines() const { return lines_; }
  void SetLines(std::vector<std::string> lines) {
    if (lines == lines_) return;
    lines_ = std::move(lines);
    Notify(Change::kState);
  }

  // User input: the text was edited.
  void Type(std::vector<std::string> lines) {
    if (enabled() && !read_only_) SetLines(std::move(lines));
  }

 private:
  std::vector<std::string> lines_;
  bool read_only_;
};

}  // namespace korvane::ui
