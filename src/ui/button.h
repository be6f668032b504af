#pragma once

#include <string>
#include <utility>

#include "ui/control.h"

namespace korvane::ui {

// A push button; "&" in the caption marks its Alt mnemonic.
class Button : public Control {
 public:
  Button(Container& parent, std::string_view name, Bounds bounds, std::string_view caption,
         std::string_view hint = {});
  void Click() {
    if (enabled() && on_click) Report(on_click());
  }

  bool is_default = false;  // pressed by Enter
  Handler on_click;
};

}  // namespace korvane::ui
