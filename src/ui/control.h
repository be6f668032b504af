// The control model: each control of the program's windows is a small object
// holding its state, with no window system behind it. The Win32 renderer
// shows it and feeds user input back through the same objects, so the forms
// behave the same on screen and in unit tests.
//
// The program's central rule lives in the state setters: a check box, radio
// group or edit box that the program changes runs its handler exactly as a
// user's change would, and only when the state really changes.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/status.h"

namespace korvane::ui {

using Handler = std::function<Status()>;

// Position and size in pixels, relative to the parent's client area. A
// width or height of 0 on a label means "fit the caption".
struct Bounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

using Colour = std::uint32_t;  // 0x00BBGGRR
constexpr Colour kDefaultColour = 0xFFFFFFFFu;
constexpr Colour Rgb(int r, int g, int b) {
  return static_cast<Colour>(r) | (static_cast<Colour>(g) << 8) | (static_cast<Colour>(b) << 16);
}
constexpr Colour kNavy = Rgb(0, 0, 128);
constexpr Colour kRed = Rgb(255, 0, 0);

struct TextStyle {
  int size_px = 0;  // 0: the form's size
  bool bold = false;
  bool underline = false;
  Colour colour = kDefaultColour;
};

enum class ControlKind {
  kForm,
  kPageControl,
  kTabSheet,
  kGroupBox,
  kPanel,
  kLabel,
  kButton,
  kCheckBox,
  kRadioGroup,
  kComboBox,
  kEdit,
  kUpDown,
  kMemo,
  kStatusBar,
  kImage,
  kProgressBar,
};

constexpr bool IsContainer(ControlKind kind) {
  return kind == ControlKind::kForm || kind == ControlKind::kPageControl ||
         kind == ControlKind::kTabSheet || kind == ControlKind::kGroupBox ||
         kind == ControlKind::kPanel;
}

// What an observer is told has changed.
enum class Change { kCaption, kHint, kEnabled, kVisible, kBounds, kStyle, kState, kItems };

class Container;
class Form;

class Control {
 public:
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control() = default;

  ControlKind kind() const { return kind_; }
  const std::string& name() const { return name_; }
  Container* parent() const { return parent_; }
  Form& form() const { return *form_; }

  const std::string& caption() const { return caption_; }
  void SetCaption(std::string_view caption);
  const std::string& hint() const { return hint_; }
  void SetHint(std::string_view hint);
  // A disabled control takes no user input; the program can still change it.
  bool enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool visible() const { return visible_; }
  void SetVisible(bool visible);
  const Bounds& bounds() const { return bounds_; }
  void SetBounds(Bounds bounds);
  const TextStyle& style() const { return style_; }
  void SetStyle(TextStyle style);
  bool hand_cursor() const { return hand_cursor_; }
  void SetHandCursor(bool hand_cursor) { hand_cursor_ = hand_cursor; }

  // Whether the hint pops up as a tooltip; false where a container shows
  // hints in a status bar instead.
  bool ShowsTooltip() const;

  // User input: the pointer moved over the control.
  void PointerOver();

 protected:
  // Names and texts are taken as views and copied once, here: the forms
  // make hundreds of controls from literals and looked-up texts.
  Control(Container* parent, ControlKind kind, std::string_view name, Bounds bounds);
  // For a form, which is its own form.
  Control(Form* self, ControlKind kind, std::string_view name);

  void Notify(Change change);
  // Ends a user action: shows its error, if any, in the error box.
  void Report(const Status& status) const;

 private:
  ControlKind kind_;
  std::string name_;
  Container* parent_ = nullptr;
  Form* form_ = nullptr;
  std::string caption_;
  std::string hint_;
  bool enabled_ = true;
  bool visible_ = true;
  Bounds bounds_;
  TextStyle style_;
  bool hand_cursor_ = false;
};

class StatusBar;

// A control that holds others; children are kept in creation order, which is
// also the keyboard focus order.
class Container : public Control {
 public:
  const std::vector<Control*>& children() const { return children_; }

  // Hints of the controls inside go to the first panel of this status bar
  // when the pointer moves over them, instead of popping up.
  void ShowHintsIn(StatusBar* status_bar) { hint_panel_ = status_bar; }
  StatusBar* hint_panel() const { return hint_panel_; }

 protected:
  using Control::Control;

 private:
  friend class Control;
  std::vector<Control*> children_;
  StatusBar* hint_panel_ = nullptr;
};

class GroupBox : public Container {
 public:
  GroupBox(Container& parent, std::string_view name, Bounds bounds, std::string_view caption);
};

class Panel : public Container {
 public:
  Panel(Container& parent, std::string_view name, Bounds bounds, bool sunken);
  bool sunken() const { return sunken_; }

 private:
  bool sunken_;
};

}  // namespace korvane::ui
