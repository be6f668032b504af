// Work for later through the system's timers: thread timers, which fire in
// whichever message loop the thread runs, a message box's included. Work
// due at once goes through a message posted to a hidden window of the
// scheduler's instead, which every loop dispatches too: a thread timer
// fires no sooner than the system's tick, 55 ms on Windows 95/98, and work
// cut in slices (the clock test) would spend most of its time waiting.
#pragma once

#include <windows.h>

#include <cstdint>
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

  // 0 ms runs `work` once the windows have handled the input and timers
  // waiting now, painting first.
  std::uint32_t After(std::uint32_t ms, std::function<void()> work) override;
  void Cancel(std::uint32_t ticket) override;
  bool RunUntil(const std::function<bool()>& done) override;

 private:
  struct Pending {
    std::uint32_t ticket;
    UINT_PTR timer;  // 0 for work posted to the window
    std::function<void()> work;
  };
  static void CALLBACK Fire(HWND, UINT, UINT_PTR timer, DWORD);
  static LRESULT CALLBACK WorkProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  // Takes the pending work out and runs it.
  void Run(std::vector<Pending>::iterator pending);
  // Posts the work's ticket to the hidden window; false when it cannot.
  bool Post(std::uint32_t ticket);

  std::function<bool()> pump_;
  std::vector<Pending> pending_;
  std::uint32_t last_ticket_ = 0;
  HWND window_ = nullptr;
};

}  // namespace korvane::win32
