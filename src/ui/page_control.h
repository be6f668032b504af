#pragma once

#include <string>
#include <utility>

#include "ui/control.h"

namespace korvane::ui {

class PageControl;

// One page of a page control; its show handler runs whenever it becomes the
// visible page of a shown form.
class TabSheet : public Container {
 public:
  TabSheet(PageControl& parent, std::string_view name, std::string_view caption);
  Handler on_show;
};

// Tabs drawn as flat buttons that wrap onto more rows and light up under the
// pointer, over a stack of pages.
class PageControl : public Container {
 public:
  PageControl(Container& parent, std::string_view name, Bounds bounds)
      : Container(&parent, ControlKind::kPageControl, name, bounds) {}

  int active_index() const { return active_index_; }
  TabSheet& page(int index) const { return *static_cast<TabSheet*>(children()[index]); }
  int page_count() const { return static_cast<int>(children().size()); }

  // Makes another page visible and, on a shown form, runs its show handler.
  Status SetActiveIndex(int index);
  // User input: a tab was clicked.
  void Select(int index) { Report(SetActiveIndex(index)); }

  // Runs the show handler of the visible page; called as the form is shown.
  Status ShowActivePage();

 private:
  int active_index_ = 0;
};

}  // namespace korvane::ui
