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
  // loop runs then (a message box's included). Returns a ticket for Cancel;
  // 0 when the system could not take it, and `work` will not run.
  virtual std::uint32_t After(std::uint32_t ms, std::function<void()> work) = 0;
  // Drops work that has not run yet; an old or zero ticket does nothing.
  virtual void Cancel(std::uint32_t ticket) = 0;
  // Lets the windows and the scheduled work run until `done` says so; the
  // caller's action waits meanwhile. False, at once, when the program is
  // ending instead.
  virtual bool RunUntil(const std::function<bool()>& done) = 0;
};

}  // namespace korvane
