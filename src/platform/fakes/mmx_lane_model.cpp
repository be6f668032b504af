#include "platform/fakes/mmx_lane_model.h"

#include <algorithm>
#include <cstdint>

namespace korvane {
namespace {

std::uint64_t Mask(int bits) {
  return bits == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << bits) - 1;
}

std::uint64_t Lane(std::uint64_t v, int bits, int i) { return (v >> (bits * i)) & Mask(bits); }

std::int64_t Signed(std::uint64_t lane, int bits) {
  const std::uint64_t sign = std::uint64_t{1} << (bits - 1);
  return static_cast<std::int64_t>((lane ^ sign) - sign);
}

std::uint64_t Saturate(std::int64_t value, std::int64_t low, std::int64_t high) {
  return static_cast<std::uint64_t>(std::clamp(value, low, high));
}

// Applies `f` to each pair of `bits`-wide lanes; `f` gets them unsigned.
template <typename F>
std::uint64_t EachLane(std::uint64_t a, std::uint64_t b, int bits, F f) {
  std::uint64_t result = 0;
  for (int i = 0; i < 64 / bits; ++i) {
    result |= (static_cast<std::uint64_t>(f(Lane(a, bits, i), Lane(b, bits, i))) & Mask(bits))
              << (bits * i);
  }
  return result;
}

// Shifts take their count from all 64 bits of the source.
std::uint64_t ShiftLeft(std::uint64_t a, std::uint64_t count, int bits) {
  return EachLane(a, 0, bits, [&](std::uint64_t x, std::uint64_t) {
    return count >= static_cast<std::uint64_t>(bits) ? 0 : x << count;
  });
}

std::uint64_t ShiftRight(std::uint64_t a, std::uint64_t count, int bits) {
  return EachLane(a, 0, bits, [&](std::uint64_t x, std::uint64_t) {
    return count >= static_cast<std::uint64_t>(bits) ? 0 : x >> count;
  });
}

std::uint64_t ShiftRightArithmetic(std::uint64_t a, std::uint64_t count, int bits) {
  const int n = static_cast<int>(std::min<std::uint64_t>(count, bits - 1));
  return EachLane(a, 0, bits, [&](std::uint64_t x, std::uint64_t) {
    return static_cast<std::uint64_t>(Signed(x, bits) >> n);
  });
}

std::uint64_t Compare(std::uint64_t a, std::uint64_t b, int bits, bool greater) {
  return EachLane(a, b, bits, [&](std::uint64_t x, std::uint64_t y) {
    const bool holds = greater ? Signed(x, bits) > Signed(y, bits) : x == y;
    return holds ? Mask(bits) : 0;
  });
}

// The destination's lanes narrowed into the low half, the source's into the
// high half.
std::uint64_t Pack(std::uint64_t a, std::uint64_t b, int bits, std::int64_t low,
                   std::int64_t high) {
  const int count = 64 / bits;
  std::uint64_t result = 0;
  for (int i = 0; i < 2 * count; ++i) {
    const std::uint64_t lane = i < count ? Lane(a, bits, i) : Lane(b, bits, i - count);
    result |= (Saturate(Signed(lane, bits), low, high) & Mask(bits / 2)) << (bits / 2 * i);
  }
  return result;
}

// Interleaves the lanes of one half of each operand, the destination's first.
std::uint64_t Unpack(std::uint64_t a, std::uint64_t b, int bits, bool high_half) {
  const int count = 32 / bits;
  const int first = high_half ? count : 0;
  std::uint64_t result = 0;
  for (int i = 0; i < count; ++i) {
    result |= Lane(a, bits, first + i) << (bits * 2 * i);
    result |= Lane(b, bits, first + i) << (bits * (2 * i + 1));
  }
  return result;
}

std::uint64_t AddSaturated(std::uint64_t a, std::uint64_t b, int bits, bool is_signed,
                           bool subtract) {
  return EachLane(a, b, bits, [&](std::uint64_t x, std::uint64_t y) {
    if (is_signed) {
      const std::int64_t limit = std::int64_t{1} << (bits - 1);
      const std::int64_t sum =
          subtract ? Signed(x, bits) - Signed(y, bits) : Signed(x, bits) + Signed(y, bits);
      return Saturate(sum, -limit, limit - 1);
    }
    const std::int64_t sum = subtract ? static_cast<std::int64_t>(x) - static_cast<std::int64_t>(y)
                                      : static_cast<std::int64_t>(x + y);
    return Saturate(sum, 0, static_cast<std::int64_t>(Mask(bits)));
  });
}

std::uint64_t Add(std::uint64_t a, std::uint64_t b, int bits, bool subtract) {
  return EachLane(a, b, bits,
                  [&](std::uint64_t x, std::uint64_t y) { return subtract ? x - y : x + y; });
}

std::uint64_t MultiplyWords(std::uint64_t a, std::uint64_t b, bool high) {
  return EachLane(a, b, 16, [&](std::uint64_t x, std::uint64_t y) {
    const std::int64_t product = Signed(x, 16) * Signed(y, 16);
    return static_cast<std::uint64_t>(high ? product >> 16 : product);
  });
}

std::uint64_t MultiplyAdd(std::uint64_t a, std::uint64_t b) {
  std::uint64_t result = 0;
  for (int i = 0; i < 2; ++i) {
    const std::int64_t sum =
        Signed(Lane(a, 16, 2 * i), 16) * Signed(Lane(b, 16, 2 * i), 16) +
        Signed(Lane(a, 16, 2 * i + 1), 16) * Signed(Lane(b, 16, 2 * i + 1), 16);
    result |= (static_cast<std::uint64_t>(sum) & Mask(32)) << (32 * i);
  }
  return result;
}

}  // namespace

std::uint64_t MmxLaneModel(MmxOp op, std::uint64_t a, std::uint64_t b) {
  // clang-format off
  switch (op) {
    case MmxOp::kPand: return a & b;
    case MmxOp::kPandn: return ~a & b;
    case MmxOp::kPor: return a | b;
    case MmxOp::kPxor: return a ^ b;
    case MmxOp::kPsrlw: return ShiftRight(a, b, 16);
    case MmxOp::kPsrld: return ShiftRight(a, b, 32);
    case MmxOp::kPsrlq: return ShiftRight(a, b, 64);
    case MmxOp::kPsraw: return ShiftRightArithmetic(a, b, 16);
    case MmxOp::kPsrad: return ShiftRightArithmetic(a, b, 32);
    case MmxOp::kPsllw: return ShiftLeft(a, b, 16);
    case MmxOp::kPslld: return ShiftLeft(a, b, 32);
    case MmxOp::kPsllq: return ShiftLeft(a, b, 64);
    case MmxOp::kPcmpgtb: return Compare(a, b, 8, true);
    case MmxOp::kPcmpgtw: return Compare(a, b, 16, true);
    case MmxOp::kPcmpgtd: return Compare(a, b, 32, true);
    case MmxOp::kPcmpeqb: return Compare(a, b, 8, false);
    case MmxOp::kPcmpeqw: return Compare(a, b, 16, false);
    case MmxOp::kPcmpeqd: return Compare(a, b, 32, false);
    case MmxOp::kPacksswb: return Pack(a, b, 16, -128, 127);
    case MmxOp::kPackssdw: return Pack(a, b, 32, -32768, 32767);
    case MmxOp::kPackuswb: return Pack(a, b, 16, 0, 255);
    case MmxOp::kPunpcklbw: return Unpack(a, b, 8, false);
    case MmxOp::kPunpcklwd: return Unpack(a, b, 16, false);
    case MmxOp::kPunpckldq: return Unpack(a, b, 32, false);
    case MmxOp::kPunpckhbw: return Unpack(a, b, 8, true);
    case MmxOp::kPunpckhwd: return Unpack(a, b, 16, true);
    case MmxOp::kPunpckhdq: return Unpack(a, b, 32, true);
    case MmxOp::kPaddusb: return AddSaturated(a, b, 8, false, false);
    case MmxOp::kPaddusw: return AddSaturated(a, b, 16, false, false);
    case MmxOp::kPaddsb: return AddSaturated(a, b, 8, true, false);
    case MmxOp::kPaddsw: return AddSaturated(a, b, 16, true, false);
    case MmxOp::kPaddb: return Add(a, b, 8, false);
    case MmxOp::kPaddw: return Add(a, b, 16, false);
    case MmxOp::kPaddd: return Add(a, b, 32, false);
    case MmxOp::kPsubusb: return AddSaturated(a, b, 8, false, true);
    case MmxOp::kPsubusw: return AddSaturated(a, b, 16, false, true);
    case MmxOp::kPsubsb: return AddSaturated(a, b, 8, true, true);
    case MmxOp::kPsubsw: return AddSaturated(a, b, 16, true, true);
    case MmxOp::kPsubb: return Add(a, b, 8, true);
    case MmxOp::kPsubw: return Add(a, b, 16, true);
    case MmxOp::kPsubd: return Add(a, b, 32, true);
    case MmxOp::kPmullw: return MultiplyWords(a, b, false);
    case MmxOp::kPmulhw: return MultiplyWords(a, b, true);
    case MmxOp::kPmaddwd: return MultiplyAdd(a, b);
  }
  // clang-format on
  return 0;
}

}  // namespace korvane
