#pragma once

#include <string>
#include <utility>
#include <vector>

#include "ui/control.h"

namespace korvane::ui {

// A drop-down list. Only the user's choice runs the change handler;
// selecting from code does not.
class ComboBox : public Control {
 public:
  ComboBox(Container& parent, std::string_view name, Bounds bounds, std::vector<std::string> items,
           std::string_view hint = {});

  const std::vector<std::string>& items() const { return items_; }
  void SetItems(std::vector<std::string> items) {
    items_ = std::move(items);
    item_index_ = -1;
    Notify(Change::kItems);
  }
  int item_index() const { return item_index_; }
  std::string text() const { return item_index_ < 0 ? std::string() : items_[item_index_]; }

  void SetItemIndex(int index) {
    if (index < -1 || index >= static_cast<int>(items_.size())) index = -1;
    if (index == item_index_) return;
    item_index_ = index;
    Notify(Change::kState);
  }

  // User input: an item was picked from the list.
  void Select(int index) {
    if (!enabled()) return;
    SetItemIndex(index);
    if (on_change) Report(on_change());
  }

  Handler on_change;

 private:
  std::vector<std::string> items_;
  int item_index_ = -1;
};

}  // namespace korvane::ui
