// A window of the program. It owns its controls as members and its handlers
// as member functions; the renderer observes it.
#pragma once

#include <functional>
#include <string>

#include "ui/control.h"

namespace korvane::ui {

class ErrorReporter {
 public:
  virtual ~ErrorReporter() = default;
  virtual void ReportError(const std::string& message) = 0;
};

class FormObserver {
 public:
  virtual ~FormObserver() = default;
  virtual void ControlChanged(Control& control, Change change) = 0;
  // Runs until the form is hidden again.
  virtual void RunModal(Form& form) = 0;
  // Puts the form's window in front of the others.
  virtual void BringToFront(Form&) {}
};

enum class BorderStyle {
  kSingle,      // fixed frame with system menu and minimise box
  kDialog,      // fixed dialog frame
  kToolWindow,  // small caption
};

class Form : public Container {
 public:
  ~Form() override = default;

  int client_width() const { return client_width_; }
  int client_height() const { return client_height_; }
  BorderStyle border_style() const { return border_style_; }
  const std::string& font_face() const { return font_face_; }
  int font_size_px() const { return font_size_px_; }

  // Shows the form and runs its show handler, then the show handlers of the
  // tab sheets that become visible with it. Does nothing if already shown.
  Status Show();
  // Shows the form and returns when it is hidden again; the form's own
  // errors on showing are reported, as there is no caller to hand them to.
  void ShowModal();
  // Hides the form. For the main window this ends the program.
  void Close();
  // User input: the window's close box, Alt+F4 or Escape. `can_close` may
  // put it off.
  void UserClose() {
    if (!can_close || can_close()) Close();
  }
  void BringToFront() {
    if (observer_) observer_->BringToFront(*this);
  }

  // While the program waits for an outside tool: the pointer over the
  // window shows that it works.
  bool busy() const { return busy_; }
  void SetBusy(bool busy) {
    if (busy_ == busy) return;
    busy_ = busy;
    Notify(Change::kState);
  }

  FormObserver* observer() const { return observer_; }
  void SetObserver(FormObserver* observer) { observer_ = observer; }
  ErrorReporter& errors() const { return errors_; }

  Handler on_show;
  std::function<bool()> can_close;
  // Windows asks whether the session may end (shut-down or log-off); true
  // lets it. Without a handler it may.
  std::function<bool()> can_end_session;

 protected:
  Form(std::string_view name, std::string_view caption, int client_width, int client_height,
       BorderStyle border_style, ErrorReporter& errors);

 private:
  int client_width_;
  int client_height_;
  BorderStyle border_style_;
  // The language's dialog font, fixed when the form is made.
  std::string font_face_;
  int font_size_px_;
  ErrorReporter& errors_;
  FormObserver* observer_ = nullptr;
  bool busy_ = false;
};

}  // namespace korvane::ui
