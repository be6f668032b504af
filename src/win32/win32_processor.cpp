#include "win32/win32_processor.h"

#include <windows.h>

#include <mmsystem.h>

namespace korvane::win32 {
namespace {

constexpr std::uint32_t kIdFlag = 0x00200000;

// The only code of the program that uses MMX registers, and only after CPUID
// has said the processor has them. Each instruction runs between two EMMS,
// so that the FPU is usable again whatever the caller does next.
#define KORVANE_MMX(instruction)       \
  asm volatile(                        \
      "emms\n\t"                       \
      "movq %1, %%mm0\n\t"             \
      "movq %2, %%mm1\n\t" instruction \
      " %%mm1, %%mm0\n\t"              \
      "movq %%mm0, %0\n\t"             \
      "emms"                           \
      : "=m"(result)                   \
      : "m"(destination), "m"(source)  \
      : "mm0", "mm1", "st", "st(1)", "st(2)", "st(3)", "st(4)", "st(5)", "st(6)", "st(7)")

__attribute__((target("mmx"), noinline)) std::uint64_t MmxDispatch(MmxOp op,
                                                                   std::uint64_t destination,
                                                                   std::uint64_t source) {
  std::uint64_t result = 0;
  // clang-format off
  switch (op) {
    case MmxOp::kPand: KORVANE_MMX("pand"); break;
    case MmxOp::kPandn: KORVANE_MMX("pandn"); break;
    case MmxOp::kPor: KORVANE_MMX("por"); break;
    case MmxOp::kPxor: KORVANE_MMX("pxor"); break;
    case MmxOp::kPsrlw: KORVANE_MMX("psrlw"); break;
    case MmxOp::kPsrld: KORVANE_MMX("psrld"); break;
    case MmxOp::kPsrlq: KORVANE_MMX("psrlq"); break;
    case MmxOp::kPsraw: KORVANE_MMX("psraw"); break;
    case MmxOp::kPsrad: KORVANE_MMX("psrad"); break;
    case MmxOp::kPsllw: KORVANE_MMX("psllw"); break;
    case MmxOp::kPslld: KORVANE_MMX("pslld"); break;
    case MmxOp::kPsllq: KORVANE_MMX("psllq"); break;
    case MmxOp::kPcmpgtb: KORVANE_MMX("pcmpgtb"); break;
    case MmxOp::kPcmpgtw: KORVANE_MMX("pcmpgtw"); break;
    case MmxOp::kPcmpgtd: KORVANE_MMX("pcmpgtd"); break;
    case MmxOp::kPcmpeqb: KORVANE_MMX("pcmpeqb"); break;
    case MmxOp::kPcmpeqw: KORVANE_MMX("pcmpeqw"); break;
    case MmxOp::kPcmpeqd: KORVANE_MMX("pcmpeqd"); break;
    case MmxOp::kPacksswb: KORVANE_MMX("packsswb"); break;
    case MmxOp::kPackssdw: KORVANE_MMX("packssdw"); break;
    case MmxOp::kPackuswb: KORVANE_MMX("packuswb"); break;
    case MmxOp::kPunpcklbw: KORVANE_MMX("punpcklbw"); break;
    case MmxOp::kPunpcklwd: KORVANE_MMX("punpcklwd"); break;
    case MmxOp::kPunpckldq: KORVANE_MMX("punpckldq"); break;
    case MmxOp::kPunpckhbw: KORVANE_MMX("punpckhbw"); break;
    case MmxOp::kPunpckhwd: KORVANE_MMX("punpckhwd"); break;
    case MmxOp::kPunpckhdq: KORVANE_MMX("punpckhdq"); break;
    case MmxOp::kPaddusb: KORVANE_MMX("paddusb"); break;
    case MmxOp::kPaddusw: KORVANE_MMX("paddusw"); break;
    case MmxOp::kPaddsb: KORVANE_MMX("paddsb"); break;
    case MmxOp::kPaddsw: KORVANE_MMX("paddsw"); break;
    case MmxOp::kPaddb: KORVANE_MMX("paddb"); break;
    case MmxOp::kPaddw: KORVANE_MMX("paddw"); break;
    case MmxOp::kPaddd: KORVANE_MMX("paddd"); break;
    case MmxOp::kPsubusb: KORVANE_MMX("psubusb"); break;
    case MmxOp::kPsubusw: KORVANE_MMX("psubusw"); break;
    case MmxOp::kPsubsb: KORVANE_MMX("psubsb"); break;
    case MmxOp::kPsubsw: KORVANE_MMX("psubsw"); break;
    case MmxOp::kPsubb: KORVANE_MMX("psubb"); break;
    case MmxOp::kPsubw: KORVANE_MMX("psubw"); break;
    case MmxOp::kPsubd: KORVANE_MMX("psubd"); break;
    case MmxOp::kPmullw: KORVANE_MMX("pmullw"); break;
    case MmxOp::kPmulhw: KORVANE_MMX("pmulhw"); break;
    case MmxOp::kPmaddwd: KORVANE_MMX("pmaddwd"); break;
  }
  // clang-format on
  return result;
}

#undef KORVANE_MMX

}  // namespace

bool Win32Processor::IdFlagToggles() {
  std::uint32_t before = 0;
  std::uint32_t after = 0;
  // Flip the ID flag, read it back, and put EFLAGS back as it was.
  asm volatile(
      "pushfl\n\t"
      "popl %0\n\t"
      "movl %0, %1\n\t"
      "xorl %2, %1\n\t"
      "pushl %1\n\t"
      "popfl\n\t"
      "pushfl\n\t"
      "popl %1\n\t"
      "pushl %0\n\t"
      "popfl"
      : "=&r"(before), "=&r"(after)
      : "i"(kIdFlag)
      : "cc");
  return ((before ^ after) & kIdFlag) != 0;
}

CpuidRegisters Win32Processor::Cpuid(std::uint32_t leaf) {
  CpuidRegisters r;
  asm volatile("cpuid" : "=a"(r.eax), "=b"(r.ebx), "=c"(r.ecx), "=d"(r.edx) : "a"(leaf), "c"(0));
  return r;
}

std::uint64_t Win32Processor::ReadTimeStamp() {
  std::uint64_t count = 0;
  // "=A" is EDX:EAX, both halves of the one reading.
  asm volatile("rdtsc" : "=A"(count) : : "memory");
  return count;
}

std::uint64_t Win32Processor::Mmx(MmxOp op, std::uint64_t destination, std::uint64_t source) {
  return MmxDispatch(op, destination, source);
}

std::uint32_t Win32Timer::Now() { return timeGetTime(); }

}  // namespace korvane::win32
