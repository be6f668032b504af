// Drives the real korvane.exe from outside, as a user would: finds its
// windows and controls by the names the program gives them, clicks, reads
// texts and answers its message boxes.
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace e2e {

// Where the simulated machine has Korvane unpacked.
extern const char kProgramFolder[];

struct MessageBoxWindow {
  HWND hwnd = nullptr;
  std::string caption;
  std::string text;
  bool has_icon = false;
};

// The system's open or save dialog.
struct FileDialogWindow {
  HWND hwnd = nullptr;
  std::string title;
  std::string file_name;  // what its file name box holds
  std::string file_type;  // the chosen entry of its file type list
};

class Korvane {
 public:
  // Starts korvane.exe from a program folder, in that folder, with the
  // arguments given. It inherits this program's locale, and with it the
  // code page Wine gives it.
  explicit Korvane(const std::string& folder = kProgramFolder,
                   const std::string& arguments = std::string());
  ~Korvane();  // ends the program if it still runs
  Korvane(const Korvane&) = delete;
  Korvane& operator=(const Korvane&) = delete;

  bool started() const { return process_ != nullptr; }
  const std::string& folder() const { return folder_; }
  bool Running() const;
  // The file names of the programs it started, and they started, that still
  // run, found through the system's process list; Wine's own programs, which
  // it may have started on demand, are not among them.
  std::vector<std::string> Descendants() const;
  // Waits for the program to end by itself.
  bool WaitForExit(int timeout_ms, DWORD* exit_code = nullptr);
  // Waits until everything sent to the program so far has been handled, or
  // until the program waits for the user in a message box or in a window
  // that was not open before.
  void WaitUntilHandled(int timeout_ms = 10000);

  // Top-level window of a form, by its name ("Form1", "GameForm", ...).
  HWND Form(const std::string& name) const;
  HWND WaitForForm(const std::string& name, int timeout_ms = 15000);
  // A control of a form, by its name ("DDC", "Button12", "AGPSpeed[3]", ...).
  HWND Control(HWND form, const std::string& name) const;
  HWND Control(const std::string& form, const std::string& name) const;

  std::string Text(HWND window) const;
  bool Checked(HWND window) const;
  bool Enabled(HWND window) const;
  bool Visible(HWND window) const;

  // Clicks a button, check box, radio button or label, and waits until the
  // program has handled it (see WaitUntilHandled).
  void Click(HWND window);
  // Clicks a button and returns at once, while its action still runs.
  void ClickLater(HWND button);
  void SelectTab(HWND form, int index);
  // The caption of a tab of a form's page control.
  std::string TabCaption(HWND form, int index) const;
  // Replaces the text of an edit box, as typing would.
  void Type(HWND edit, const std::string& text);
  // Clicks an up-down control's upper (positive) or lower arrow.
  void StepUpDown(HWND up_down, int delta);
  // Picks an item of a drop-down list.
  void Choose(HWND combo, int index);
  // Moves the pointer over a control and waits until a window shows `text`.
  bool PointTo(HWND window, HWND shows, const std::string& text);
  // Presses a key (a virtual-key code) in the window that has the focus;
  // with `alt`, presses it as an Alt+key mnemonic.
  void PressKey(UINT key, bool alt = false);
  // The window that has the keyboard focus in the program.
  HWND Focus() const;

  std::optional<MessageBoxWindow> WaitForMessageBox(int timeout_ms = 10000);
  // True if a message box is open now.
  bool MessageBoxOpen() const;
  // Presses IDOK or IDCANCEL on a message box and waits as Click does.
  void Answer(const MessageBoxWindow& box, int button);

  std::optional<FileDialogWindow> WaitForFileDialog(int timeout_ms = 10000);
  // Types `path` into the dialog's file name box and presses its OK button;
  // an empty path presses Cancel. Waits as Click does.
  void ChooseFile(const FileDialogWindow& dialog, const std::string& path);

  // Puts a video BIOS image where Windows 95/98 shadow the card's, at
  // C000:0000 of the program's memory: under Wine nothing is there.
  bool PlaceVideoBios(const std::string& image);

  // Writes the window's screen area to a 24-bit BMP file.
  bool Screenshot(HWND window, const std::string& bmp_path) const;

 private:
  // The programs it started, and they started, with their numbers, each
  // parent before its children. A program whose parent has ended is still
  // found when that parent was seen before.
  std::vector<std::pair<DWORD, std::string>> DescendantProcesses() const;
  // Sends messages from a thread of its own: the send returns only when the
  // program has handled them, which is the fence the tests wait on.
  void SendInBackground(std::vector<MSG> messages);
  std::vector<HWND> VisibleForms() const;
  // The program's visible dialog windows (class #32770): message boxes, or
  // the open and save dialogs.
  HWND FindDialog(bool file_dialog) const;

  std::vector<std::thread> senders_;
  // Whether the last batch sent has been handled. Earlier batches may stay
  // unanswered for long: the click that opened a modal dialog returns only
  // when the dialog closes.
  std::shared_ptr<std::atomic<bool>> last_handled_ = std::make_shared<std::atomic<bool>>(true);
  std::vector<HWND> forms_before_;
  // Every process ever found to be its own or a descendant's.
  mutable std::vector<DWORD> family_;
  std::string folder_;
  HANDLE process_ = nullptr;
  HANDLE thread_ = nullptr;
  DWORD process_id_ = 0;
  DWORD thread_id_ = 0;
};

std::string WindowName(HWND window);

// Ends every program of the simulated machine that still runs but Wine's
// own and this one: what a test left behind (a tool, an interpreter, a
// program that did not end, a crash handler). Gives them a moment to end by
// themselves first. Returns a line for each one ended, and one for each that
// would not end.
std::vector<std::string> EndLeftovers();

}  // namespace e2e
