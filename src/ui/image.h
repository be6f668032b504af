#pragma once

#include <string>
#include <utility>

#include "ui/control.h"

namespace korvane::ui {

// A picture drawn by the renderer; which one is named by `picture`.
class Image : public Control {
 public:
  Image(Container& parent, std::string name, Bounds bounds, std::string picture,
        std::string hint = std::string())
      : Control(&parent, ControlKind::kImage, std::move(name), bounds),
        picture_(std::move(picture)) {
    SetHint(std::move(hint));
  }
  const std::string& picture() const { return picture_; }
  void Click() {
    if (enabled() && on_click) Report(on_click());
  }

  Handler on_click;

 private:
  std::string picture_;
};

}  // namespace korvane::ui
