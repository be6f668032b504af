// A scheduler whose time moves only when a test says so.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "platform/scheduler.h"

namespace korvane {

class ManualScheduler : public Scheduler {
 public:
  std::uint32_t After(std::uint32_t ms, std::function<void()> work) override {
    pending_.push_back({now_ + ms, ++last_ticket_, std::move(work)});
    return last_ticket_;
  }
  void Cancel(std::uint32_t ticket) override {
    for (auto it = pending_.begin(); it != pending_.end(); ++it) {
      if (it->ticket == ticket) {
        pending_.erase(it);
        return;
      }
    }
  }

  // Moves time on by `ms` and runs, in order, what has come due, including
  // work that work scheduled meanwhile.
  void Advance(std::uint32_t ms) {
    const std::uint64_t until = now_ + ms;
    while (true) {
      std::size_t next = pending_.size();
      for (std::size_t i = 0; i < pending_.size(); ++i) {
        if (pending_[i].due <= until &&
            (next == pending_.size() || pending_[i].due < pending_[next].due)) {
          next = i;
        }
      }
      if (next == pending_.size()) break;
      MoveTo(pending_[next].due);
      std::function<void()> work = std::move(pending_[next].work);
      pending_.erase(pending_.begin() + static_cast<std::ptrdiff_t>(next));
      work();
    }
    MoveTo(until);
  }
  std::size_t pending() const { return pending_.size(); }

  // Moves time on from one piece of due work to the next until `done`, or
  // until nothing is left to run.
  bool RunUntil(const std::function<bool()>& done) override {
    while (!done() && !pending_.empty()) {
      std::uint64_t next = pending_.front().due;
      for (const Pending& pending : pending_) next = std::min(next, pending.due);
      Advance(static_cast<std::uint32_t>(next - now_));
    }
    return done();
  }

  // Told how far time moves, before what has come due runs.
  std::function<void(std::uint32_t ms)> on_time_passing;

 private:
  void MoveTo(std::uint64_t when) {
    if (when > now_ && on_time_passing) on_time_passing(static_cast<std::uint32_t>(when - now_));
    now_ = when;
  }

  struct Pending {
    std::uint64_t due;
    std::uint32_t ticket;
    std::function<void()> work;
  };
  std::vector<Pending> pending_;
  std::uint64_t now_ = 0;
  std::uint32_t last_ticket_ = 0;
};

}  // namespace korvane
