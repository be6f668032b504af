#pragma once

#include <string>
#include <utility>

#include "ui/control.h"
#include "ui/edit.h"

namespace korvane::ui {

// Up and down arrows that step a number shown in their edit box.
class UpDown : public Control {
 public:
  UpDown(Container& parent, std::string name, Bounds bounds, Edit& associate, int min, int max,
         int position, std::string hint = std::string())
      : Control(&parent, ControlKind::kUpDown, std::move(name), bounds),
        associate_(associate),
        min_(min),
        max_(max),
        position_(position) {
    SetHint(std::move(hint));
  }

  Edit& associate() const { return associate_; }
  int min() const { return min_; }
  int max() const { return max_; }
  int position() const { return position_; }

  // A new position, brought into range, is shown in the edit box and runs
  // the changing handler.
  Status SetPosition(int position) {
    position = position < min_ ? min_ : position > max_ ? max_ : position;
    if (position == position_) return Status::Ok();
    position_ = position;
    Notify(Change::kState);
    RETURN_IF_ERROR(associate_.SetText(std::to_string(position_)));
    return on_changing ? on_changing() : Status::Ok();
  }

  // User input: an arrow was pressed.
  void Step(int delta) {
    if (enabled()) Report(SetPosition(position_ + delta));
  }

  Handler on_changing;

 private:
  Edit& associate_;
  int min_;
  int max_;
  int position_;
};

}  // namespace korvane::ui
