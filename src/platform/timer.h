// The system's millisecond timer.
#pragma once

#include <cstdint>

namespace korvane {

class MillisecondTimer {
 public:
  virtual ~MillisecondTimer() = default;
  // Milliseconds since an arbitrary origin; wraps at 2^32.
  virtual std::uint32_t Now() = 0;
};

}  // namespace korvane
