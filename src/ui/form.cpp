#include "ui/form.h"

#include <utility>

#include "text/texts.h"
#include "ui/page_control.h"

namespace korvane::ui {
namespace {

Status ShowPages(const Container& container) {
  for (Control* child : container.children()) {
    if (child->kind() == ControlKind::kPageControl) {
      RETURN_IF_ERROR(static_cast<PageControl*>(child)->ShowActivePage());
    } else if (IsContainer(child->kind())) {
      RETURN_IF_ERROR(ShowPages(*static_cast<Container*>(child)));
    }
  }
  return Status::Ok();
}

}  // namespace

Form::Form(std::string_view name, std::string_view caption, int client_width, int client_height,
           BorderStyle border_style, ErrorReporter& errors)
    : Container(this, ControlKind::kForm, name),
      client_width_(client_width),
      client_height_(client_height),
      border_style_(border_style),
      font_face_(CurrentDialogFont().face),
      font_size_px_(CurrentDialogFont().size_px),
      errors_(errors) {
  SetCaption(caption);
  // Forms start hidden; showing them is what runs their show handlers.
  SetVisible(false);
}

Status Form::Show() {
  if (visible()) return Status::Ok();
  SetVisible(true);
  if (on_show) RETURN_IF_ERROR(on_show());
  return ShowPages(*this);
}

void Form::ShowModal() {
  Report(Show());
  if (observer_ && visible()) observer_->RunModal(*this);
}

void Form::Close() { SetVisible(false); }

Status PageControl::SetActiveIndex(int index) {
  if (index < 0 || index >= page_count() || index == active_index_) return Status::Ok();
  active_index_ = index;
  Notify(Change::kState);
  return form().visible() ? ShowActivePage() : Status::Ok();
}

Status PageControl::ShowActivePage() {
  if (page_count() == 0) return Status::Ok();
  TabSheet& sheet = page(active_index_);
  return sheet.on_show ? sheet.on_show() : Status::Ok();
}

}  // namespace korvane::ui
