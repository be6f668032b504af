// The controls' constructors, kept out of line: every form makes dozens of
// controls, and inline each one would repeat the building of its strings.
#include <utility>

#include "ui/button.h"
#include "ui/check_box.h"
#include "ui/combo_box.h"
#include "ui/edit.h"
#include "ui/image.h"
#include "ui/label.h"
#include "ui/memo.h"
#include "ui/page_control.h"
#include "ui/radio_group.h"
#include "ui/status_bar.h"
#include "ui/up_down.h"

namespace korvane::ui {

Label::Label(Container& parent, std::string_view name, Bounds bounds, std::string_view caption)
    : Control(&parent, ControlKind::kLabel, name, bounds) {
  SetCaption(caption);
}

Button::Button(Container& parent, std::string_view name, Bounds bounds, std::string_view caption,
               std::string_view hint)
    : Control(&parent, ControlKind::kButton, name, bounds) {
  SetCaption(caption);
  SetHint(hint);
}

CheckBox::CheckBox(Container& parent, std::string_view name, Bounds bounds,
                   std::string_view caption, std::string_view hint)
    : Control(&parent, ControlKind::kCheckBox, name, bounds) {
  SetCaption(caption);
  SetHint(hint);
}

ComboBox::ComboBox(Container& parent, std::string_view name, Bounds bounds,
                   std::vector<std::string> items, std::string_view hint)
    : Control(&parent, ControlKind::kComboBox, name, bounds), items_(std::move(items)) {
  SetHint(hint);
}

Edit::Edit(Container& parent, std::string_view name, Bounds bounds, std::string_view text,
           std::string_view hint)
    : Control(&parent, ControlKind::kEdit, name, bounds), text_(text) {
  SetHint(hint);
}

Image::Image(Container& parent, std::string_view name, Bounds bounds, std::string_view picture,
             std::string_view hint)
    : Control(&parent, ControlKind::kImage, name, bounds), picture_(picture) {
  SetHint(hint);
}

Memo::Memo(Container& parent, std::string_view name, Bounds bounds, std::vector<std::string> lines,
           bool read_only)
    : Control(&parent, ControlKind::kMemo, name, bounds),
      lines_(std::move(lines)),
      read_only_(read_only) {}

TabSheet::TabSheet(PageControl& parent, std::string_view name, std::string_view caption)
    : Container(&parent, ControlKind::kTabSheet, name, Bounds{}) {
  SetCaption(caption);
}

RadioGroup::RadioGroup(Container& parent, std::string_view name, Bounds bounds,
                       std::string_view caption, std::vector<std::string> items, int columns,
                       std::string_view hint)
    : Control(&parent, ControlKind::kRadioGroup, name, bounds),
      items_(std::move(items)),
      columns_(columns) {
  SetCaption(caption);
  SetHint(hint);
}

StatusBar::StatusBar(Container& parent, std::string_view name, Bounds bounds,
                     std::vector<Panel> panels)
    : Control(&parent, ControlKind::kStatusBar, name, bounds), panels_(std::move(panels)) {}

UpDown::UpDown(Container& parent, std::string_view name, Bounds bounds, Edit& associate, int min,
               int max, int position, std::string_view hint)
    : Control(&parent, ControlKind::kUpDown, name, bounds),
      associate_(associate),
      min_(min),
      max_(max),
      position_(position) {
  SetHint(hint);
}

}  // namespace korvane::ui
