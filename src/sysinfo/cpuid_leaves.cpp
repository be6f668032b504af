#include "sysinfo/cpuid_leaves.h"

#include "platform/ascii.h"

namespace korvane {

std::string CpuidLine(const CpuidLeaf& leaf) {
  std::string line = "CPUID ";
  line += HexText(leaf.leaf, 8);
  line += ": ";
  const CpuidRegisters& r = leaf.registers;
  line += HexText(r.eax, 8);
  for (const std::uint32_t value : {r.ebx, r.ecx, r.edx}) {
    line += '-';
    line += HexText(value, 8);
  }
  return line;
}

}  // namespace korvane
