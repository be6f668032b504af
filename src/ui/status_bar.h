#pragma once

#include <string>
#include <utility>
#include <vector>

#include "ui/control.h"

namespace korvane::ui {

class StatusBar : public Control {
 public:
  struct Panel {
    int width;
    std::string text;
  };

  StatusBar(Container& parent, std::string_view name, Bounds bounds, std::vector<Panel> panels);

  const std::vector<Panel>& panels() const { return panels_; }
  void SetPanelText(std::size_t index, std::string text) {
    if (index >= panels_.size() || panels_[index].text == text) return;
    panels_[index].text = std::move(text);
    Notify(Change::kState);
  }

 private:
  std::vector<Panel> panels_;
};

}  // namespace korvane::ui
