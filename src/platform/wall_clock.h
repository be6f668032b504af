// The local date and time, as the system's clock shows them.
#pragma once

#include <string>

namespace korvane {

struct LocalTime {
  int year = 0;
  int month = 0;  // 1..12
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// "1999/11/23 21:05:09", as the program writes a date and time.
inline std::string DateTimeText(const LocalTime& time) {
  const auto digits = [](int number, std::size_t width) {
    std::string text = std::to_string(number);
    if (text.size() < width) text.insert(0, width - text.size(), '0');
    return text;
  };
  return digits(time.year, 4) + "/" + digits(time.month, 2) + "/" + digits(time.day, 2) + " " +
         digits(time.hour, 2) + ":" + digits(time.minute, 2) + ":" + digits(time.second, 2);
}

class WallClock {
 public:
  virtual ~WallClock() = default;
  virtual LocalTime Now() = 0;
};

}  // namespace korvane
