// The system clipboard, for text.
#pragma once

#include <string_view>

namespace korvane {

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // Replaces the clipboard's contents with the text, which the real
  // clipboard holds in the system's ANSI code page. False when the
  // clipboard could not be opened or filled.
  virtual bool SetText(std::string_view text) = 0;
};

}  // namespace korvane
