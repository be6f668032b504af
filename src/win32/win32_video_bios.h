// The video BIOS at C000:0000, read through the system so that no fault can
// reach the program where nothing is mapped there.
#pragma once

#include "platform/video_bios.h"

namespace korvane::win32 {

class Win32VideoBios : public VideoBios {
 public:
  std::optional<std::string> Read(std::size_t length) override;
};

}  // namespace korvane::win32
