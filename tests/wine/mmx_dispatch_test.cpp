// The processor's real MMX instructions against the portable lane model, on
// edge vectors and seeded random operands, each call leaving the FPU usable.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <utility>
#include <vector>

#include "platform/fakes/mmx_lane_model.h"
#include "win32/win32_processor.h"

namespace korvane::win32 {
namespace {

// The x87 tag word: all ones when every register is empty, as EMMS leaves it.
std::uint16_t FpuTagWord() {
  std::uint16_t environment[14] = {};
  asm volatile("fnstenv %0\n\tfldenv %0" : "+m"(environment));
  return environment[4];
}

TEST(MmxDispatchTest, EveryInstructionMatchesTheLaneModelAndLeavesTheFpuEmpty) {
  Win32Processor processor;
  ASSERT_TRUE(processor.IdFlagToggles());
  ASSERT_TRUE(processor.Cpuid(1).edx & (1u << 23)) << "this machine has no MMX";

  const std::uint64_t edges[] = {
      0,
      ~0ull,
      0x8000800080008000ull,
      0x7FFF7FFF7FFF7FFFull,
      0x8080808080808080ull,
      0x7F7F7F7F7F7F7F7Full,
      0x0123456789ABCDEFull,
      0xFEDCBA9876543210ull,
      0x80000000FFFFFFFFull,
      0x00FF00FF00FF00FFull,
      1,
      7,
      8,
      15,
      16,
      17,
      31,
      32,
      33,
      63,
      64,
      65,
      0x0000000100000000ull,  // a shift count only the high half makes large
  };
  std::mt19937_64 random(20000820);
  std::vector<std::pair<std::uint64_t, std::uint64_t>> operands;
  for (const std::uint64_t a : edges) {
    for (const std::uint64_t b : edges) operands.emplace_back(a, b);
  }
  for (int i = 0; i < 500; ++i) {
    const std::uint64_t a = random();
    const std::uint64_t b = random();
    operands.emplace_back(a, b);
    operands.emplace_back(a, b % 70);  // shift counts near the lane widths
  }

  for (int number = 1; number <= kMmxOpCount; ++number) {
    const auto op = static_cast<MmxOp>(number);
    int mismatches = 0;
    for (const auto& [a, b] : operands) {
      const std::uint64_t got = processor.Mmx(op, a, b);
      ASSERT_EQ(FpuTagWord(), 0xFFFF) << "op " << number << " left MMX state behind";
      const std::uint64_t expected = MmxLaneModel(op, a, b);
      if (got != expected && ++mismatches <= 3) {
        ADD_FAILURE() << "op " << number << std::hex << ": " << a << ", " << b << " gave " << got
                      << ", expected " << expected;
      }
    }
    EXPECT_EQ(mismatches, 0) << "op " << number;
    volatile double x = 1.25;
    EXPECT_EQ(x * 3, 3.75) << "op " << number;
  }
}

}  // namespace
}  // namespace korvane::win32
