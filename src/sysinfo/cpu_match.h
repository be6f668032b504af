// Which processors a row of the identification catalogue or the platform
// inference applies to. Rows are tried in order; the first that matches is
// the one that applies.
#pragma once

#include <cstdint>
#include <limits>
#include <span>
#include <string_view>

#include "sysinfo/pentium_mmx.h"

namespace korvane {

inline constexpr int kAnyFamily = -1;

// A set of models or steppings (0 to 15), one bit each.
using ValueSet = std::uint16_t;
inline constexpr ValueSet kAnyValue = 0xFFFF;

template <typename... Values>
constexpr ValueSet Only(Values... values) {
  return static_cast<ValueSet>(((1u << values) | ...));
}

// An inclusive range of the measured clock in whole megahertz.
struct ClockRange {
  std::int32_t low = std::numeric_limits<std::int32_t>::min();
  std::int32_t high = std::numeric_limits<std::int32_t>::max();
  constexpr bool Holds(std::int32_t mhz) const { return mhz >= low && mhz <= high; }
};
inline constexpr ClockRange kAnyClock{};

struct CpuMatch {
  int family = kAnyFamily;
  ValueSet models = kAnyValue;
  ValueSet steppings = kAnyValue;
  ClockRange clock = kAnyClock;

  constexpr bool Matches(const CpuSignature& cpu, std::int32_t mhz) const {
    const auto in = [](ValueSet set, int value) {
      return value >= 0 && value < 16 && (set >> value & 1u) != 0;
    };
    return (family == kAnyFamily || family == cpu.family) && in(models, cpu.model) &&
           in(steppings, cpu.stepping) && clock.Holds(mhz);
  }
};

// One vendor's rows, tried in order.
template <typename Row>
struct VendorRows {
  std::string_view vendor;
  std::span<const Row> rows;
};

// The first row of the vendor's table that matches; null when the vendor
// has no table or no row matches.
template <typename Row>
const Row* FindRow(std::span<const VendorRows<Row>> vendors, const CpuSignature& cpu,
                   std::int32_t mhz, bool* vendor_known) {
  for (const VendorRows<Row>& table : vendors) {
    if (table.vendor != cpu.vendor) continue;
    *vendor_known = true;
    for (const Row& row : table.rows) {
      if (row.match.Matches(cpu, mhz)) return &row;
    }
    return nullptr;
  }
  *vendor_known = false;
  return nullptr;
}

}  // namespace korvane
