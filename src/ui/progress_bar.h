#pragma once

#include "ui/control.h"

namespace korvane::ui {

// A bar that fills from the left as work goes on, in thousandths.
class ProgressBar : public Control {
 public:
  ProgressBar(Container& parent, std::string_view name, Bounds bounds)
      : Control(&parent, ControlKind::kProgressBar, name, bounds) {}

  int position() const { return position_; }
  void SetPosition(int per_mille) {
    if (per_mille == position_) return;
    position_ = per_mille;
    Notify(Change::kState);
  }

 private:
  int position_ = 0;
};

}  // namespace korvane::ui
