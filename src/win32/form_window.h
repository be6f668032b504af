// The renderer: one Win32 window per form and one child window per control.
// It forwards user input to the control model and mirrors the model's
// changes back to the windows without re-entering the handlers.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "ui/control.h"
#include "ui/form.h"
#include "win32/gdi_resources.h"

namespace korvane::win32 {

class FormWindow : public ui::FormObserver {
 public:
  // `owner` keeps a secondary window above the main one and out of the task
  // bar. Hiding a window that `ends_program` ends the event loop. The
  // windows are made when the form is first shown, the controls of a page
  // when the page is; until then the model alone holds their state.
  FormWindow(ui::Form& form, FormWindow* owner, bool ends_program, GdiResources& gdi);
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;
  ~FormWindow() override;

  // None until the form has first been shown.
  HWND hwnd() const { return frame_; }

  void ControlChanged(ui::Control& control, ui::Change change) override;
  void RunModal(ui::Form& form) override;
  void BringToFront(ui::Form& form) override;

  // The form window that `window` belongs to, if any.
  static FormWindow* Of(HWND window);
  // Gives the form a look at a message before it is dispatched: keyboard
  // navigation, mnemonics, and hints that follow the pointer. True when the
  // message has been handled.
  bool PreTranslate(MSG& msg);

 private:
  friend HWND OwnerOfBoxes();
  // The window whose input the model acts on while it lives.
  class Acting;

  struct View {
    ui::Control* control = nullptr;
    HWND hwnd = nullptr;      // the control's window; a radio group's frame
    std::vector<HWND> items;  // a radio group's buttons; a page control's pages
    int id = 0;
    POINT origin = {0, 0};  // where the parent's coordinates start in its window
    bool filled = true;     // false for a page whose controls are not made yet
  };

  static LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  void RefreshCursor();
  static LRESULT CALLBACK ContainerProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK EditProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK TooltipProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

  // Messages that frames and containers handle alike; false if not handled.
  bool HandleChildMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result);
  void OnCommand(HWND control, int id, int code);
  bool OnNotify(const NMHDR& header, LRESULT* result);
  HBRUSH OnControlColour(HDC dc, HWND control);

  static bool PrepareWindowing();
  static bool PrepareControls();
  static bool RegisterClasses();
  // The frame alone, hidden; then what is inside it.
  void CreateFrame();
  void CreateControls();
  void Build(const ui::Container& container, HWND parent, int dx, int dy);
  // Gives the views made since the last call their hints, and the enabled
  // and visible states the model gave their controls before.
  void FinishViews();
  void FillPage(View& page);
  View& AddView(ui::Control& control, HWND hwnd);
  HWND CreateChild(const char* window_class, const std::string& text, DWORD style, DWORD ex_style,
                   int x, int y, int width, int height, HWND parent);
  void Name(HWND hwnd, const std::string& name);
  void ApplyFont(const View& view);
  // The size a control's caption takes in its font.
  SIZE CaptionSize(const ui::Control& control, HWND window);
  void AddTooltips(const View& view);
  void ShowPages(const View& view);
  void MirrorState(View& view);
  void ShowFrame(bool visible);
  // The window of the innermost control at a point of the screen, disabled
  // ones included; `window` is the one the system found there.
  HWND ControlWindowAt(HWND window, POINT screen) const;
  // Tells the tooltip and the hint panel where the pointer is.
  void TrackPointer(const MSG& msg);

  View* ViewOf(HWND hwnd) const;
  View* ViewOf(const ui::Control& control) const;
  int ItemOf(HWND hwnd) const;

  ui::Form& form_;
  FormWindow* owner_;
  bool ends_program_;
  GdiResources& gdi_;
  HWND frame_ = nullptr;
  HWND tooltip_ = nullptr;
  HWND saved_focus_ = nullptr;
  bool positioned_ = false;
  bool built_ = false;  // the controls' windows are made
  bool mirroring_ = false;
  int next_id_ = 100;
  std::size_t finished_views_ = 0;
  std::vector<std::unique_ptr<View>> views_;
};

// The window a message box or file dialog belongs to: the one whose control
// or frame the user worked when the asking action began, or the main
// window; none while no window of the program is shown.
HWND OwnerOfBoxes();

// Runs the event loop until the program ends; returns the exit code.
int RunMessageLoop();

// Handles the messages waiting now and returns; used while the program
// waits for an outside tool. A request to end the program is kept for the
// event loop, which ends once the waiting action has finished. False once
// the program is ending.
bool PumpPendingMessages();

}  // namespace korvane::win32
