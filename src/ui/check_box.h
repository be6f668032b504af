#pragma once

#include <string>
#include <utility>

#include "ui/control.h"

namespace korvane::ui {

class CheckBox : public Control {
 public:
  CheckBox(Container& parent, std::string_view name, Bounds bounds, std::string_view caption,
           std::string_view hint = {});

  bool checked() const { return checked_; }

  // Changing the state runs the click handler, whoever changes it; setting
  // the state the box already has does nothing. The handler's error is
  // returned to the caller.
  Status SetChecked(bool checked) {
    if (checked == checked_) return Status::Ok();
    checked_ = checked;
    Notify(Change::kState);
    return on_click ? on_click() : Status::Ok();
  }

  // Shows a state already stored elsewhere, without the click handler: for
  // a window that follows a registry put back behind its back.
  void SetCheckedSilently(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    Notify(Change::kState);
  }

  // User input: toggles the box.
  void Click() {
    if (enabled()) Report(SetChecked(!checked_));
  }

  Handler on_click;

 private:
  bool checked_ = false;
};

}  // namespace korvane::ui
