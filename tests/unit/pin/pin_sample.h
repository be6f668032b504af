// A G400 PIN file as the BIOS tool writes it: a DualHead card unless the
// test changes its lines.
#pragma once

#include <string>

#include "pin/pin_file.h"

namespace korvane::testing {

inline PinText SamplePin() {
  return {
      "PINS dump",
      "",
      "Device: MGA-G400",
      "",
      "Offset\tSize\tValue",
      "PIN structure (BIOS V1.5)",
      "0\t2\t0x412E",
      "2\t1\t64",
      "3\t1\t1",
      "4\t2\t0x0000",
      "6\t1\t0",
      "7\t1\t0",
      "8\t1\t0",
      "9\t1\t0",
      "10\t2\t0x0300",
      "12\t16\t'KZ604123'",
      "28\t10\t482",
      "36\t1\t0",
      "37\t1\t0",
      "38\t1\t75",
      "39\t1\t75",
      "40\t1\t75",
      "41\t1\t75",
      "42\t1\t75",
      "43\t1\t75",
      "44\t1\t34",
      "45\t1\t34",
      "46\t1\t0",
      "47\t1\t0",
      "48\t2\t0x0000",
      "50\t2\t0x0000",
      "52\t2\t0x0000",
      "54\t1\t0",
      "55\t1\t82",
      "56\t1\t41",
      "57\t4\t0x00000000",
      "61\t4\t0x24045491",
      "65\t1\t126",
      "66\t1\t63",
      "67\t4\t0x00000000",
      "71\t4\t0x24045491",
      "75\t1\t126",
      "76\t1\t63",
      "77\t4\t0x00000000",
      "81\t4\t0x24045491",
      "85\t1\t0",
      "86\t2\t0x0000",
      "88\t1\t0",
      "89\t1\t0",
  };
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
