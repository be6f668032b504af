// Stands in for g200clk.exe, the G200/G400 clock tool, on the simulated
// machine: "g200clk.exe /1 N" sets the chip's clock to N MHz, twice the
// system clock. It logs its arguments and takes the time a test asks for
// (see stand_in.h); it changes nothing a status report would show.
#include <cstring>

#include "stand_in.h"

int main(int argc, char** argv) {
  stand_in::BeginRun("g200clk");
  return argc == 3 && std::strcmp(argv[1], "/1") == 0 ? 0 : 2;
}
