#pragma once

#include <string>
#include <utility>

#include "platform/ascii.h"
#include "ui/control.h"
#include "ui/edit.h"

namespace korvane::ui {

// Up and down arrows that step a number shown in their edit box.
class UpDown : public Control {
 public:
  UpDown(Container& parent, std::string_view name, Bounds bounds, Edit& associate, int min, int max,
         int position, std::string_view hint = {});

  Edit& associate() const { return associate_; }
  int min() const { return min_; }
  int max() const { return max_; }
  int position() const { return position_; }

  // The position as a real up-down control reads it from its edit box:
  // typed text that is a number within range becomes the position, quietly;
  // other text leaves the last one.
  int ReadPosition() {
    const auto typed = ParseInteger(associate_.text());
    if (typed && *typed >= min_ && *typed <= max_ && *typed != position_) {
      position_ = *typed;
      Notify(Change::kState);
    }
    return position_;
  }

  // The position, brought into range, is shown in the edit box; a new one
  // runs the changing handler.
  Status SetPosition(int position) {
    position = position < min_ ? min_ : position > max_ ? max_ : position;
    const bool moved = position != position_;
    position_ = position;
    if (moved) Notify(Change::kState);
    RETURN_IF_ERROR(associate_.SetText(std::to_string(position_)));
    return moved && on_changing ? on_changing() : Status::Ok();
  }

  // User input: an arrow was pressed, `delta` steps up or down from what the
  // box shows; then the click handler runs.
  void Step(int delta) {
    if (!enabled()) return;
    Status status = SetPosition(ReadPosition() + delta * increment);
    if (status.ok() && on_click) status = on_click();
    Report(status);
  }

  int increment = 1;  // what one step adds
  Handler on_changing;
  Handler on_click;

 private:
  Edit& associate_;
  int min_;
  int max_;
  int position_;
};

}  // namespace korvane::ui
