// Message boxes, the boxes that close themselves, and the file dialogs,
// through the system.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/dialogs.h"

namespace korvane::win32 {

// A file dialog's filter as the system takes it: descriptions and patterns,
// each ended by a NUL, the list by another. The text is split at its bars
// before conversion, as a code page 932 character's second byte can be '|'.
std::string DialogFilter(std::string_view filter);

// How a countdown's hook sees the class of a window being made: the class as
// given, unless a test plays what Windows 95's 16-bit message box may show.
using HookClassView = LPCSTR (*)(LPCSTR window_class);

class Win32Dialogs : public Dialogs {
 public:
  // `owner` names the window a box or dialog belongs to: the one whose
  // action asks, so that the box disables it; none before any is shown.
  explicit Win32Dialogs(std::function<HWND()> owner = {}, HookClassView hook_class_view = nullptr)
      : owner_(std::move(owner)), hook_class_view_(hook_class_view) {}
  MessageAnswer Message(std::string_view text, std::string_view caption, MessageButtons buttons,
                        MessageIcon icon, MessageFront front = MessageFront::kOwner) override;
  MessageAnswer TimedMessage(std::string_view text, std::string_view caption,
                             MessageButtons buttons, MessageIcon icon, int seconds) override;
  std::optional<std::string> OpenFile(const FileDialogOptions& options) override;
  std::optional<std::string> SaveFile(const FileDialogOptions& options) override;
  void EndCountdowns() override;
  void HoldCountdowns(bool hold) override;
  MessageAnswer MessageWhile(std::string_view text, std::string_view caption,
                             MessageButtons buttons, MessageIcon icon,
                             const Standing& subject) override;

 private:
  HWND Owner() const;
  // A box that ends itself after `seconds`, or once `subject`, if given, no
  // longer stands.
  MessageAnswer ClosingItself(std::string_view text, std::string_view caption,
                              MessageButtons buttons, MessageIcon icon, int seconds,
                              const Standing* subject);
  static MessageAnswer ShowOwned(HWND owner, const std::string& text, const std::string& caption,
                                 UINT flags);

  std::function<HWND()> owner_;
  HookClassView hook_class_view_;
};

}  // namespace korvane::win32
