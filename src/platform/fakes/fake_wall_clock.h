// A clock that shows the time the test sets.
#pragma once

#include "platform/wall_clock.h"

namespace korvane {

class FakeWallClock : public WallClock {
 public:
  LocalTime Now() override { return now; }
  LocalTime now{1999, 11, 23, 21, 5, 9};
};

}  // namespace korvane
