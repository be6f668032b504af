#pragma once

#include <optional>
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

  // The position as a real up-down control reads it from its edit box:
  // typed text that is a number within range becomes the position, quietly;
  // other text leaves the last one.
  int ReadPosition() {
    const auto typed = TypedNumber();
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
  std::optional<int> TypedNumber() const {
    const std::string& text = associate_.text();
    std::size_t i = (!text.empty() && text[0] == '-') ? 1 : 0;
    if (i == text.size() || text.size() - i > 9) return std::nullopt;
    int number = 0;
    for (; i < text.size(); ++i) {
      if (text[i] < '0' || text[i] > '9') return std::nullopt;
      number = number * 10 + (text[i] - '0');
    }
    return text[0] == '-' ? -number : number;
  }

  Edit& associate_;
  int min_;
  int max_;
  int position_;
};

}  // namespace korvane::ui
