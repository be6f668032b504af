#pragma once

#include <string>
#include <utility>

#include "ui/control.h"

namespace korvane::ui {

// A picture drawn by the renderer; which one is named by `picture`.
class Image : public Control {
 public:
  Image(Container& parent, std::string_view name, Bounds bounds, std::string_view picture,
        std::string_view hint = {});
  const std::string& picture() const { return picture_; }
  void Click() {
    if (enabled() && on_click) Report(on_click());
  }

  Handler on_click;

 private:
  std::string picture_;
};

}  // namespace korvane::ui
