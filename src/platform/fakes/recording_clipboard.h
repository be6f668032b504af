// A clipboard that keeps what was put on it; it can be made to refuse.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/clipboard.h"

namespace korvane {

class RecordingClipboard : public Clipboard {
 public:
  bool SetText(std::string_view text) override {
    if (refuses) return false;
    text_ = std::string(text);
    return true;
  }
  const std::optional<std::string>& text() const { return text_; }

  bool refuses = false;

 private:
  std::optional<std::string> text_;
};

}  // namespace korvane
