// Modal message boxes (and, later, the file dialogs).
#pragma once

#include <string_view>

namespace korvane {

enum class MessageButtons { kOk, kOkCancel };
enum class MessageIcon { kNone, kError, kInformation };
enum class MessageAnswer { kOk, kCancel };

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Blocks until the user closes the box; returns the button that closed it.
  virtual MessageAnswer Message(std::string_view text, std::string_view caption,
                                MessageButtons buttons, MessageIcon icon) = 0;
};

}  // namespace korvane
