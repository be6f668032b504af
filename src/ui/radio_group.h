#pragma once

#include <string>
#include <utility>
#include <vector>

#include "ui/control.h"

namespace korvane::ui {

// A framed set of radio buttons laid out in columns; no item is selected
// until one is chosen.
class RadioGroup : public Control {
 public:
  RadioGroup(Container& parent, std::string_view name, Bounds bounds, std::string_view caption,
             std::vector<std::string> items, int columns, std::string_view hint = {});

  const std::vector<std::string>& items() const { return items_; }
  int columns() const { return columns_; }
  int item_index() const { return item_index_; }

  // Selecting another item runs the click handler, whoever selects it.
  Status SetItemIndex(int index) {
    if (index < -1 || index >= static_cast<int>(items_.size())) index = -1;
    if (index == item_index_) return Status::Ok();
    item_index_ = index;
    Notify(Change::kState);
    return on_click ? on_click() : Status::Ok();
  }

  // As CheckBox::SetCheckedSilently.
  void SetItemIndexSilently(int index) {
    if (index < -1 || index >= static_cast<int>(items_.size())) index = -1;
    if (index == item_index_) return;
    item_index_ = index;
    Notify(Change::kState);
  }

  // User input: the item's button was clicked.
  void ClickItem(int index) {
    if (enabled()) Report(SetItemIndex(index));
  }

  Handler on_click;

 private:
  std::vector<std::string> items_;
  int columns_;
  int item_index_ = -1;
};

}  // namespace korvane::ui
