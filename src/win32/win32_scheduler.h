// Work for later through the system's timers: thread timers, which fire in
// whichever message loop the thread runs, a message box's included.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "platform/scheduler.h"

namespace korvane::win32 {

class Win32Scheduler : public Scheduler {
 public:
  // `pump` lets the windows handle what is pending, and says false once the
  // program is ending.
  explicit Win32Scheduler(std::function<bool()> pump = {});
  Win32Scheduler(const Win32Scheduler&) = delete;
  Win32Scheduler& operator=(const Win32Scheduler&) = delete;
  ~Win32Scheduler() override;

  std::uint32_t After(std::uint32_t ms, std::function<void()> work) override;
  void Cancel(std::uint32_t ticket) override;
  bool RunUntil(const std::function<bool()>& done) override;

 private:
  struct Pending {
    UINT_PTR timer;
    std::function<void()> work;
  };
  static void CALLBACK Fire(HWND, UINT, UINT_PTR timer, DWORD);

  std::function<bool()> pump_;
  std::vector<Pending> pending_;
};

}  // namespace korvane::win32
