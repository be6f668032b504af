// The processor's CPUID leaves as lines of text, one a leaf:
//   CPUID 00000001: 0000058C-00000000-00000000-008021BF
// (the leaf, then EAX-EBX-ECX-EDX, in hexadecimal). The machine report
// carries them, so that support can replay a user's processor.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/processor.h"

namespace korvane {

struct CpuidLeaf {
  std::uint32_t leaf = 0;
  CpuidRegisters registers;
};

std::string CpuidLine(const CpuidLeaf& leaf);

}  // namespace korvane
