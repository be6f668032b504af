#include "win32/win32_scheduler.h"

#include <utility>

namespace korvane::win32 {
namespace {

// A thread timer's procedure gets no pointer of its own: the one scheduler.
Win32Scheduler* g_scheduler = nullptr;

constexpr char kWorkClass[] = "KorvaneWork";
constexpr UINT kWorkMessage = WM_USER;
// Keys, the mouse, timers and hot keys waiting in the queue: a posted
// message would come before them (GetQueueStatus of Windows 95 knows
// these; MinGW's QS_INPUT adds newer bits).
constexpr UINT kWaitingInput = QS_KEY | QS_MOUSEMOVE | QS_MOUSEBUTTON | QS_TIMER | QS_HOTKEY;
// Windows that need painting, handled before posted work; a bound, should
// one never take its paint.
constexpr int kPaintsBeforeWork = 32;

}  // namespace

Win32Scheduler::Win32Scheduler(std::function<bool()> pump) : pump_(std::move(pump)) {
  g_scheduler = this;
}

Win32Scheduler::~Win32Scheduler() {
  for (const Pending& pending : pending_) {
    if (pending.timer) KillTimer(nullptr, pending.timer);
  }
  if (window_) DestroyWindow(window_);
  g_scheduler = nullptr;
}

std::uint32_t Win32Scheduler::After(std::uint32_t ms, std::function<void()> work) {
  const std::uint32_t ticket = ++last_ticket_;
  UINT_PTR timer = 0;
  if (ms > 0 || HIWORD(GetQueueStatus(kWaitingInput)) != 0 || !Post(ticket)) {
    // Without a window the system picks the timer's number, never 0.
    timer = SetTimer(nullptr, 0, ms, Fire);
    if (!timer) return 0;
  }
  pending_.push_back({ticket, timer, std::move(work)});
  return ticket;
}

bool Win32Scheduler::Post(std::uint32_t ticket) {
  if (!window_) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA work_class = {};
    work_class.cbSize = sizeof(work_class);
    work_class.lpfnWndProc = WorkProc;
    work_class.hInstance = instance;
    work_class.lpszClassName = kWorkClass;
    RegisterClassExA(&work_class);
    // Never shown: a top-level window of this thread, which every message
    // loop of the thread dispatches to.
    window_ = CreateWindowExA(0, kWorkClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance,
                              nullptr);
  }
  return window_ && PostMessageA(window_, kWorkMessage, ticket, 0);
}

void Win32Scheduler::Cancel(std::uint32_t ticket) {
  for (auto it = pending_.begin(); it != pending_.end(); ++it) {
    if (it->ticket == ticket) {
      if (it->timer) KillTimer(nullptr, it->timer);
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

void Win32Scheduler::Run(std::vector<Pending>::iterator pending) {
  // Taken out first: the work may run a message loop that fires others.
  const std::function<void()> work = std::move(pending->work);
  pending_.erase(pending);
  work();
}

void CALLBACK Win32Scheduler::Fire(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  if (!g_scheduler) return;
  std::vector<Pending>& pending = g_scheduler->pending_;
  for (auto it = pending.begin(); it != pending.end(); ++it) {
    if (it->timer == timer) return g_scheduler->Run(it);
  }
}

LRESULT CALLBACK Win32Scheduler::WorkProc(HWND window, UINT message, WPARAM wparam,
                                          LPARAM lparam) {
  if (message != kWorkMessage || !g_scheduler) {
    return DefWindowProcA(window, message, wparam, lparam);
  }
  // Painting comes only once no message is posted: what the work before
  // this changed is shown first.
  MSG paint;
  for (int i = 0; i < kPaintsBeforeWork && PeekMessageA(&paint, nullptr, WM_PAINT, WM_PAINT,
                                                        PM_REMOVE);
       ++i) {
    DispatchMessageA(&paint);
  }
  std::vector<Pending>& pending = g_scheduler->pending_;
  for (auto it = pending.begin(); it != pending.end(); ++it) {
    if (it->ticket == wparam && it->timer == 0) {
      g_scheduler->Run(it);
      break;
    }
  }
  return 0;
}

}  // namespace korvane::win32
