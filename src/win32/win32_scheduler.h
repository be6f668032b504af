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
  Win32Scheduler();
  Win32Scheduler(const Win32Scheduler&) = delete;
  Win32Scheduler& operator=(const Win32Scheduler&) = delete;
  ~Win32Scheduler() override;

  std::uint32_t After(std::uint32_t ms, std::function<void()> work) override;
  void Cancel(std::uint32_t ticket) override;

 private:
  struct Pending {
    UINT_PTR timer;
    std::function<void()> work;
  };
  static void CALLBACK Fire(HWND, UINT, UINT_PTR timer, DWORD);

  std::vector<Pending> pending_;
};

}  // namespace korvane::win32
