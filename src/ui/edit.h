#pragma once

#include <string>
#include <utility>

#include "ui/control.h"

namespace korvane::ui {

// A one-line edit box.
class Edit : public Control {
 public:
  Edit(Container& parent, std::string_view name, Bounds bounds, std::string_view text,
       std::string_view hint = {});

  const std::string& text() const { return text_; }

  // A change of text runs the change handler, whoever makes it.
  Status SetText(std::string text) {
    if (text == text_) return Status::Ok();
    text_ = std::move(text);
    Notify(Change::kState);
    return on_change ? on_change() : Status::Ok();
  }

  // User input: the text was edited, or the box clicked.
  void Type(std::string text) {
    if (enabled()) Report(SetText(std::move(text)));
  }
  void Click() {
    if (enabled() && on_click) Report(on_click());
  }

  Handler on_change;
  Handler on_click;
  // How many characters the user can type; 0: no limit. Text set by the
  // program is not cut.
  int max_length = 0;

 private:
  std::string text_;
};

}  // namespace korvane::ui
