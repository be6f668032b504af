// Modal message boxes and the standard file dialogs.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvane {

enum class MessageButtons { kOk, kOkCancel, kYesNo };
enum class MessageIcon { kNone, kError, kInformation, kQuestion, kWarning };
enum class MessageAnswer { kOk, kCancel, kYes, kNo, kTimedOut };
// Whether a box asks to come to the front: for one the user cannot be
// expected to be looking at the program for.
enum class MessageFront { kOwner, kForeground };

struct FileDialogOptions {
  std::string title;
  // Pairs of description and pattern, all joined by '|':
  // "Text files (*.txt)|*.txt|All files|*.*".
  std::string filter;
  std::string file_name;          // proposed at start; may be empty
  std::string default_extension;  // added to a name typed without one
  std::string folder;             // where the dialog starts; empty: the system's choice
};

// What a question that ends by itself is about.
class Standing {
 public:
  virtual bool Stands() const = 0;

 protected:
  ~Standing() = default;
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Blocks until the user closes the box; returns the button that closed it.
  virtual MessageAnswer Message(std::string_view text, std::string_view caption,
                                MessageButtons buttons, MessageIcon icon,
                                MessageFront front = MessageFront::kOwner) = 0;

  // A message box that closes itself after `seconds`, answering kTimedOut;
  // its caption counts the seconds down. Answered from the keyboard as any
  // other: Enter for the first button, Esc for Cancel.
  virtual MessageAnswer TimedMessage(std::string_view text, std::string_view caption,
                                     MessageButtons buttons, MessageIcon icon, int seconds) = 0;
  // Ends every such box open now as if its time had run out: each returns
  // kTimedOut once its own loop runs again.
  virtual void EndCountdowns() = 0;
  // While held, such boxes keep their seconds where they are; ending them
  // still ends them.
  virtual void HoldCountdowns(bool hold) = 0;
  // A question about what may settle itself meanwhile: the box ends by
  // itself, answering kTimedOut, as soon as `subject` no longer stands.
  virtual MessageAnswer MessageWhile(std::string_view text, std::string_view caption,
                                     MessageButtons buttons, MessageIcon icon,
                                     const Standing& subject) = 0;

  // The standard open dialog, for an existing file. Empty when cancelled.
  virtual std::optional<std::string> OpenFile(const FileDialogOptions& options) = 0;
  // The standard save dialog; it asks before an existing file is replaced.
  // Empty when cancelled.
  virtual std::optional<std::string> SaveFile(const FileDialogOptions& options) = 0;
};

}  // namespace korvane
