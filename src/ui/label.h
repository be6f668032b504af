#pragma once

#include <string>
#include <utility>

#include "ui/control.h"

namespace korvane::ui {

// Static text; with a click handler it acts as a link.
class Label : public Control {
 public:
  Label(Container& parent, std::string name, Bounds bounds, std::string caption)
      : Control(&parent, ControlKind::kLabel, std::move(name), bounds) {
    SetCaption(std::move(caption));
  }
  void Click() {
    if (enabled() && on_click) Report(on_click());
  }

  Handler on_click;
};

}  // namespace korvane::ui
