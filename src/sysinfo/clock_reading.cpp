#include "sysinfo/clock_reading.h"

#include <limits>

namespace korvane {
namespace {

// `value` rounded to a multiple of 1/`scale` is `scaled`/`scale`, where
// value = ticks / divisor; half rounds up (away from zero, as nothing here
// is negative).
std::uint64_t RoundedQuotient(std::uint64_t ticks, std::uint64_t divisor, std::uint64_t scale) {
  const std::uint64_t whole = ticks / divisor;
  const std::uint64_t rest = ticks % divisor;
  // rest < divisor < 2^42 and scale <= 10, so nothing overflows.
  return whole * scale + (2 * rest * scale + divisor) / (2 * divisor);
}

void AppendDigits(std::string* text, std::uint64_t value, int min_digits) {
  char digits[24];
  int count = 0;
  do {
    digits[count++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value > 0);
  while (count < min_digits) digits[count++] = '0';
  while (count > 0) *text += digits[--count];
}

}  // namespace

std::optional<ClockReading> ReadClock(std::uint64_t ticks, std::uint32_t milliseconds) {
  if (milliseconds == 0) return std::nullopt;
  // Megahertz are ticks per millisecond over 1000.
  const std::uint64_t per_mhz = std::uint64_t{milliseconds} * 1000;
  const std::uint64_t whole = RoundedQuotient(ticks, per_mhz, 1);
  if (whole > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) {
    return std::nullopt;
  }
  // Ten-thousandths of a megahertz are ticks * 10 / milliseconds.
  const std::uint64_t ten_thousandths = RoundedQuotient(ticks, milliseconds, 10);
  ClockReading reading;
  AppendDigits(&reading.text, ten_thousandths / 10000, 3);
  reading.text += '.';
  AppendDigits(&reading.text, ten_thousandths % 10000, 4);
  reading.text += "MHz";
  reading.whole_mhz = static_cast<std::int32_t>(whole);
  return reading;
}

}  // namespace korvane
