#include "ui/control.h"

#include "ui/form.h"
#include "ui/status_bar.h"

namespace korvane::ui {

Control::Control(Container* parent, ControlKind kind, std::string_view name, Bounds bounds)
    : kind_(kind), name_(name), parent_(parent), bounds_(bounds) {
  form_ = &parent->form();
  parent->children_.push_back(this);
}

Control::Control(Form* self, ControlKind kind, std::string_view name)
    : kind_(kind), name_(name), form_(self) {}

void Control::SetCaption(std::string_view caption) {
  if (caption == caption_) return;
  caption_ = caption;
  Notify(Change::kCaption);
}

void Control::SetHint(std::string_view hint) {
  if (hint == hint_) return;
  hint_ = hint;
  Notify(Change::kHint);
}

void Control::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Notify(Change::kEnabled);
}

void Control::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  Notify(Change::kVisible);
}

void Control::SetBounds(Bounds bounds) {
  bounds_ = bounds;
  Notify(Change::kBounds);
}

void Control::SetStyle(TextStyle style) {
  style_ = style;
  Notify(Change::kStyle);
}

bool Control::ShowsTooltip() const {
  if (hint_.empty()) return false;
  for (const Control* c = this; c; c = c->parent()) {
    if (IsContainer(c->kind()) && static_cast<const Container*>(c)->hint_panel()) return false;
  }
  return true;
}

void Control::PointerOver() {
  // Over a control the panel shows its hint, even an empty one; over a
  // container's empty area, the hint of the innermost container that has
  // one, so that a tab can keep a standing explanation there.
  const std::string* hint = &hint_;
  for (const Control* c = this; c; c = c->parent()) {
    if (!IsContainer(c->kind())) continue;
    if (hint->empty() && IsContainer(kind_)) hint = &c->hint_;
    if (StatusBar* bar = static_cast<const Container*>(c)->hint_panel()) {
      bar->SetPanelText(0, *hint);
      return;
    }
  }
}

void Control::Notify(Change change) {
  if (FormObserver* observer = form_->observer()) observer->ControlChanged(*this, change);
}

void Control::Report(const Status& status) const {
  if (!status.ok()) form_->errors().ReportError(status.message());
}

GroupBox::GroupBox(Container& parent, std::string_view name, Bounds bounds,
                   std::string_view caption)
    : Container(&parent, ControlKind::kGroupBox, name, bounds) {
  SetCaption(caption);
}

Panel::Panel(Container& parent, std::string_view name, Bounds bounds, bool sunken)
    : Container(&parent, ControlKind::kPanel, name, bounds), sunken_(sunken) {}

}  // namespace korvane::ui
