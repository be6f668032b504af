#pragma once

#include <string>
#include <utility>

#include "ui/control.h"

namespace korvane::ui {

// Static text; with a click handler it acts as a link.
class Label : public Control {
 public:
  Label(Container& parent, std::string_view name, Bounds bounds, std::string_view caption);
  void Click() {
    if (enabled() && on_click) Report(on_click());
  }
  // Keeps the label clear of the text of `before`, on the same line: at its
  // own left edge, or `gap` pixels after that text where the text reaches
  // further, as it does in one language and not the other. A label made at
  // 0 follows the text always, and the two read as one sentence. Both
  // captions stay as they were made.
  void PlaceAfter(const Label& before, int gap = 0) {
    placed_after_ = &before;
    gap_after_ = gap;
  }
  const Label* placed_after() const { return placed_after_; }
  int gap_after() const { return gap_after_; }

  Handler on_click;

 private:
  const Label* placed_after_ = nullptr;
  int gap_after_ = 0;
};

}  // namespace korvane::ui
