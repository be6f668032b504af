// Stands in for G4set.exe, the G400 clock tool, on the simulated machine.
// It knows nothing of Korvane; it acts as the tool would on a G400 card.
//
//   G4set.exe                            prints the card's status report
//   G4set.exe -sclk N -div CORE MEM X    sets the system clock to N MHz
//                                        and the core and memory dividers
//
// The report has the system clock on line 11 (columns 23-27, "250.0"), the
// dividers and the clocks they give on line 13 (columns 1-3, 9-11, 13-15,
// 21-23), the chip revision bits on line 7 (columns 4-7) and the AGP mode on
// line 16 (column 16). Besides the files every stand-in reads (see
// stand_in.h), a test may leave beside it:
//
//   g4set-report.txt   printed instead of the simulated report, byte for
//                      byte
//   g4set-clocks.txt   the card's clocks: "<system MHz> <core div> <mem div>";
//                      written by -sclk, so the next report shows them
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "card_clocks.h"

namespace {

using stand_in::Clocks;
using stand_in::Divided;
using stand_in::LoadClocks;

std::string Report(const Clocks& c) {
  char clocks_line[64];
  std::snprintf(clocks_line, sizeof(clocks_line), "%-3.3s  -> %3d %-3.3s  -> %3d MHz", c.core,
                Divided(c.system_mhz, c.core), c.memory, Divided(c.system_mhz, c.memory));
  char system_line[64];
  std::snprintf(system_line, sizeof(system_line), "System clock (PLL)  : %3d.0 MHz", c.system_mhz);
  const char* lines[] = {
      "G4SET  Matrox G400 clock control",
      "",
      "Board        : Matrox Millennium G400 DualHead",
      "Memory       : 32 MB SGRAM",
      "PCI device   : 102B:0525 rev 03",
      "Chip revision register",
      "Rev0011",
      "",
      "Clock synthesizer",
      "",
      system_line,
      "Div    Core  Div    Memory",
      clocks_line,
      "Warp 1/2",
      "",
      "AGP transfer  :2x",
  };
  std::string report;
  for (const char* line : lines) report += std::string(line) + "\r\n";
  return report;
}

}  // namespace

int main(int argc, char** argv) {
  stand_in::BeginRun("g4set");
  if (argc == 1) {
    const auto chosen = stand_in::ReadFile(stand_in::State("g4set-report.txt"));
    const std::string report = chosen ? *chosen : Report(LoadClocks());
    _setmode(_fileno(stdout), _O_BINARY);  // the lines end in CR LF already
    std::fwrite(report.data(), 1, report.size(), stdout);
    return 0;
  }
  if (argc == 7 && std::strcmp(argv[1], "-sclk") == 0 && std::strcmp(argv[3], "-div") == 0) {
    Clocks clocks;
    clocks.system_mhz = std::atoi(argv[2]);
    std::snprintf(clocks.core, sizeof(clocks.core), "%s", argv[4]);
    std::snprintf(clocks.memory, sizeof(clocks.memory), "%s", argv[5]);
    char state[64];
    std::snprintf(state, sizeof(state), "%d %s %s", clocks.system_mhz, clocks.core, clocks.memory);
    return stand_in::WriteFile(stand_in::State("g4set-clocks.txt"), state) ? 0 : 1;
  }
  std::fprintf(stderr, "usage: G4set [-sclk MHz -div core memory warp]\n");
  return 2;
}
