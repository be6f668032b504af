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

// The same card as a G400 MAX, as the tool prints it: board type 7, 360 MHz
// RAMDAC, 150 MHz cores.
inline PinText SampleMaxPin() {
  PinText pin = SamplePin();
  for (const SimulatedPinLine& line : kSimulatedG400MaxLines) pin[line.index] = line.line;
  return pin;
}

}  // namespace korvane::testing
