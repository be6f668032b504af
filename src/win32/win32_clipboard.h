// The clipboard through the system.
#pragma once

#include <windows.h>

#include <string_view>

#include "platform/clipboard.h"

namespace korvane::win32 {

class Win32Clipboard : public Clipboard {
 public:
  bool SetText(std::string_view text) override;
};

}  // namespace korvane::win32
