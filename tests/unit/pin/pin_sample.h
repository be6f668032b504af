// A G400 PIN file as the BIOS tool writes it: the simulated machine's
// DualHead card unless the test changes its lines.
#pragma once

#include <iterator>
#include <string>

#include "pin/pin_file.h"
#include "sim/tools/g400_pin.h"

namespace korvane::testing {

inline PinText SamplePin() {
  return PinText(std::begin(kSimulatedG400Pin), std::end(kSimulatedG400Pin));
}

// The same card as a G400 MAX: board type 7, 360 MHz RAMDAC, 150 MHz cores.
inline PinText SampleMaxPin() {
  PinText pin = SamplePin();
  pin[14] = "10\t2\t0x0700";
  for (std::size_t line = 19; line <= 24; ++line) pin[line] = std::to_string(line + 19) + "\t1\t90";
  pin[37] = "65\t1\t150";
  pin[41] = "75\t1\t150";
  return pin;
}

}  // namespace korvane::testing
