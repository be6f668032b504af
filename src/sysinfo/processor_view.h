// What the Other tab makes of the processor: its maker, the catalogue's
// name and detail, and the instruction sets it shows as fitted. The tab and
// the support tool that replays recorded processors both go by it.
#pragma once

#include <cstdint>
#include <string>

#include "sysinfo/cpu_catalogue.h"
#include "sysinfo/pentium_mmx.h"

namespace korvane {

struct ProcessorView {
  std::string company;
  Identification identification;
  bool mmx = false;
  bool now3d = false;
  bool enhanced_now3d = false;
  bool sse = false;
};

// `mhz` is the last measured clock in whole megahertz (0 before any).
ProcessorView ViewProcessor(const TPentiumMMX& probe, std::int32_t mhz);

}  // namespace korvane
