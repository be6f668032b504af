#include "sysinfo/cpuid_leaves.h"

namespace korvane {
namespace {

void AppendHex(std::uint32_t value, std::string& text) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  for (int shift = 28; shift >= 0; shift -= 4) text += kDigits[(value >> shift) & 0xF];
}

}  // namespace

std::string CpuidLine(const CpuidLeaf& leaf) {
  std::string line = "CPUID ";
  AppendHex(leaf.leaf, line);
  line += ": ";
  const CpuidRegisters& r = leaf.registers;
  AppendHex(r.eax, line);
  for (const std::uint32_t value : {r.ebx, r.ecx, r.edx}) {
    line += '-';
    AppendHex(value, line);
  }
  return line;
}

}  // namespace korvane
