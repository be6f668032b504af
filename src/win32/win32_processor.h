// The processor's own instructions, executed on the processor the program
// runs on, and the system's millisecond timer.
#pragma once

#include "platform/processor.h"
#include "platform/timer.h"

namespace korvane::win32 {

class Win32Processor : public Processor {
 public:
  bool IdFlagToggles() override;
  CpuidRegisters Cpuid(std::uint32_t leaf) override;
  std::uint64_t ReadTimeStamp() override;
  std::uint64_t Mmx(MmxOp op, std::uint64_t destination, std::uint64_t source) override;
};

class Win32Timer : public MillisecondTimer {
 public:
  std::uint32_t Now() override;
};

}  // namespace korvane::win32
