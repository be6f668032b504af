#include "win32/win32_scheduler.h"

#include <utility>

namespace korvane::win32 {
namespace {

// A thread timer's procedure gets no pointer of its own: the one scheduler.
Win32Scheduler* g_scheduler = nullptr;

}  // namespace

Win32Scheduler::Win32Scheduler(std::function<bool()> pump) : pump_(std::move(pump)) {
  g_scheduler = this;
}

Win32Scheduler::~Win32Scheduler() {
  for (const Pending& pending : pending_) KillTimer(nullptr, pending.timer);
  g_scheduler = nullptr;
}

std::uint32_t Win32Scheduler::After(std::uint32_t ms, std::function<void()> work) {
  // Without a window the system picks the timer's number, never 0.
  const UINT_PTR timer = SetTimer(nullptr, 0, ms, Fire);
  if (timer) pending_.push_back({timer, std::move(work)});
  return static_cast<std::uint32_t>(timer);
}

void Win32Scheduler::Cancel(std::uint32_t ticket) {
  for (auto it = pending_.begin(); it != pending_.end(); ++it) {
    if (it->timer == ticket) {
      KillTimer(nullptr, it->timer);
      pending_.erase(it);
      return;
    }
  }
}

bool Win32Scheduler::RunUntil(const std::function<bool()>& done) {
  while (!done()) {
    if (!pump_ || !pump_()) return false;
    if (done()) break;
    // Until the next message: a timer's, for the scheduled work.
    WaitMessage();
  }
  return true;
}

void CALLBACK Win32Scheduler::Fire(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  if (!g_scheduler) return;
  std::vector<Pending>& pending = g_scheduler->pending_;
  for (auto it = pending.begin(); it != pending.end(); ++it) {
    if (it->timer != timer) continue;
    // Taken out first: the work may run a message loop that fires others.
    const std::function<void()> work = std::move(it->work);
    pending.erase(it);
    work();
    return;
  }
}

}  // namespace korvane::win32
