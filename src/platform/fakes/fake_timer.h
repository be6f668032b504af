// A millisecond timer that hands out scripted readings, then moves on by one
// with each read, and by as much as a test lets pass.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "platform/timer.h"

namespace korvane {

class FakeTimer : public MillisecondTimer {
 public:
  std::uint32_t Now() override {
    last_ = next_ < readings.size() ? readings[next_++] : last_ + 1;
    return last_;
  }
  // Time passes: the readings after the script move on by as much.
  void Pass(std::uint32_t ms) { last_ += ms; }
  // Replaces the script; the next read gives its first reading.
  void Script(std::vector<std::uint32_t> script) {
    readings = std::move(script);
    next_ = 0;
  }

  std::vector<std::uint32_t> readings;

 private:
  std::size_t next_ = 0;
  std::uint32_t last_ = 0;
};

}  // namespace korvane
