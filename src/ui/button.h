#pragma once

#include <string>
#include <utility>

#include "ui/control.h"

namespace korvane::ui {

// A push button; "&" in the caption marks its Alt mnemonic.
class Button : public Control {
 public:
  Button(Container& parent, std::string name, Bounds bounds, std::string caption,
         std::string hint = std::string())
      : Control(&parent, ControlKind::kButton, std::move(name), bounds) {
    SetCaption(std::move(caption));
    SetHint(std::move(hint));
  }
  void Click() {
    if (enabled() && on_click) Report(on_click());
  }

  bool is_default = false;  // pressed by Enter
  Handler on_click;
};

}  // namespace korvane::ui
