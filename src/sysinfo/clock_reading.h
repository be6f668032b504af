// The processor clock from a count of time-stamp ticks over a number of
// milliseconds, and its two forms: the text the tab shows and the whole
// megahertz the catalogue and the platform inference go by.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace korvane {

// Shown where no clock can be given.
inline constexpr char kNoClock[] = "---.----MHz";

struct ClockReading {
  // At least three integer digits and exactly four decimals, then "MHz":
  // "066.6667MHz".
  std::string text;
  std::int32_t whole_mhz = 0;
};

// Rounds half away from zero, exactly: ticks / milliseconds / 1000 is a
// fraction that integers hold without loss. Empty when no time passed or
// the clock would be 2^31 MHz or more.
std::optional<ClockReading> ReadClock(std::uint64_t ticks, std::uint32_t milliseconds);

}  // namespace korvane
