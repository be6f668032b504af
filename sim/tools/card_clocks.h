// The simulated card's clocks, as the clock tool's stand-in sets them and
// the stand-in for its memory reads them: g4set-clocks.txt holds
// "<system MHz> <core divider> <memory divider>".
#pragma once

#include <cstdio>

#include "stand_in.h"

namespace stand_in {

struct Clocks {
  int system_mhz = 250;
  char core[8] = "1/2";
  char memory[8] = "2/3";
};

inline Clocks LoadClocks() {
  Clocks clocks;
  if (const auto text = ReadFile(State("g4set-clocks.txt"))) {
    std::sscanf(text->c_str(), "%d %7s %7s", &clocks.system_mhz, clocks.core, clocks.memory);
  }
  return clocks;
}

// The clock a divider gives on the card.
inline int Divided(int system_mhz, const char* divider) {
  int multiplier = 1;
  int divisor = 1;
  if (std::sscanf(divider, "%d/%d", &multiplier, &divisor) != 2 || divisor == 0) return 0;
  return system_mhz * multiplier / divisor;
}

}  // namespace stand_in
