// The identification catalogue: the processor's name and a detail line (its
// clock grades, core and process) from what it reports about itself, and for
// some processors the instruction sets it is known to have.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sysinfo/pentium_mmx.h"

namespace korvane {

// Instruction sets a catalogue row vouches for.
enum CatalogueExtra : unsigned {
  kExtra3DNow = 1u << 0,
  kExtraEnhanced3DNow = 1u << 1,
  kExtraSse = 1u << 2,
};

// What the catalogue says; an empty optional leaves that label as it is.
struct Identification {
  std::optional<std::string_view> name;
  std::optional<std::string_view> detail;  // "" clears the detail
  unsigned extras = 0;
};

// `mhz` is the last measured clock in whole megahertz (0 before any).
Identification IdentifyCpu(const CpuSignature& cpu, std::int32_t mhz);

// A name or detail of the catalogue as the program's language shows it. The
// catalogue keeps the texts of its time; in English they are spelt in ASCII,
// which every code page shows.
std::string CatalogueText(std::string_view text);

// Every name and detail the catalogue holds, for checks over all of them.
std::vector<std::string_view> CatalogueTexts();

}  // namespace korvane
