// The processor's own instructions, as the processor probe needs them.
#pragma once

#include <cstdint>

namespace korvane {

struct CpuidRegisters {
  std::uint32_t eax = 0;
  std::uint32_t ebx = 0;
  std::uint32_t ecx = 0;
  std::uint32_t edx = 0;
};

// The MMX instructions the probe can apply, numbered as its callers number
// them. The destination is the first operand, the source the second.
// clang-format off
enum class MmxOp : std::uint8_t {
  kPand = 1, kPandn, kPor, kPxor,
  kPsrlw, kPsrld, kPsrlq, kPsraw, kPsrad, kPsllw, kPslld, kPsllq,
  kPcmpgtb, kPcmpgtw, kPcmpgtd, kPcmpeqb, kPcmpeqw, kPcmpeqd,
  kPacksswb, kPackssdw, kPackuswb,
  kPunpcklbw, kPunpcklwd, kPunpckldq, kPunpckhbw, kPunpckhwd, kPunpckhdq,
  kPaddusb, kPaddusw, kPaddsb, kPaddsw, kPaddb, kPaddw, kPaddd,
  kPsubusb, kPsubusw, kPsubsb, kPsubsw, kPsubb, kPsubw, kPsubd,
  kPmullw, kPmulhw, kPmaddwd,
};
// clang-format on
inline constexpr int kMmxOpCount = 44;

class Processor {
 public:
  virtual ~Processor() = default;
  // Whether bit 21 of EFLAGS (the ID flag) can be flipped, which is how a
  // processor says it has CPUID.
  virtual bool IdFlagToggles() = 0;
  // Executes CPUID for `leaf`. Only valid where IdFlagToggles() is true.
  virtual CpuidRegisters Cpuid(std::uint32_t leaf) = 0;
  // Both halves of the time-stamp counter from one RDTSC. Only valid where
  // CPUID reports a time-stamp counter.
  virtual std::uint64_t ReadTimeStamp() = 0;
  // Applies one MMX instruction to two register images and leaves the FPU
  // usable (EMMS). Only valid where CPUID reports MMX.
  virtual std::uint64_t Mmx(MmxOp op, std::uint64_t destination, std::uint64_t source) = 0;
};

}  // namespace korvane
