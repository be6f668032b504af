// Work for later, on the windows' own thread: what must wait for something
// without freezing the windows meanwhile.
#pragma once

#include <cstdint>
#include <functional>

namespace korvane {

class Scheduler {
 public:
  virtual ~Scheduler() = default;
  // Runs `work` once, no sooner than `ms` from now, from whichever message
  // loop runs then (a message box's included).
  virtual void After(std::uint32_t ms, std::function<void()> work) = 0;
};

}  // namespace korvane
