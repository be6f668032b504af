// Which processors a row of the identification catalogue or the platform
// inference applies to. Rows are tried in order; the first that matches is
// the one that applies.
#pragma once

#include <cstdint>
#include <limits>
#include <span>
#include <string_view>

#include "platform/ascii.h"
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

constexpr ValueSet Between(int low, int high) {
  return static_cast<ValueSet>(((2u << high) - 1) & ~((1u << low) - 1));
}

// An inclusive range of the measured clock in whole megahertz.
struct ClockRange {
  std::int32_t low = std::numeric_limits<std::int32_t>::min();
  std::int32_t high = std::numeric_limits<std::int32_t>::max();
  constexpr bool Holds(std::int32_t mhz) const { return mhz >= low && mhz <= high; }
};
inline constexpr ClockRange kAnyClock{};

// Rows name processors by their base family and model. Those that came
// later tell themselves apart by the extended fields of leaf 1, so a row
// takes an extended model of 0 unless it says otherwise, and none takes an
// extended family: a Core 2 Duo's family 6 model 7 is not a Pentium III's.
// Where even those leave two products alike, the brand string tells them
// apart.
struct CpuMatch {
  int family = kAnyFamily;
  ValueSet models = kAnyValue;
  ValueSet steppings = kAnyValue;
  ClockRange clock = kAnyClock;
  ValueSet extended_models = Only(0);
  std::string_view brand{};  // found anywhere in the brand string, in any case

  constexpr bool Matches(const CpuSignature& cpu, std::int32_t mhz) const {
    const auto in = [](ValueSet set, int value) {
      return value >= 0 && value < 16 && (set >> value & 1u) != 0;
    };
    return cpu.extended_family == 0 && (family == kAnyFamily || family == cpu.family) &&
           in(models, cpu.model) && in(steppings, cpu.stepping) &&
           in(extended_models, cpu.extended_model) && clock.Holds(mhz) &&
           ContainsIgnoreAsciiCase(cpu.brand, brand);
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
