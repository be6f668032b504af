// Which processors a row of the identification catalogue or the platform
// inference applies to. Rows are tried in order; the first that matches is
// the one that applies. Rows are kept small: the tables hold some hundred
// and fifty of them.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "platform/ascii.h"
#include "sysinfo/pentium_mmx.h"

namespace korvane {

inline constexpr int kAnyFamily = -1;

// A set of models, steppings or package types (0 to 15), one bit each.
using ValueSet = std::uint16_t;
inline constexpr ValueSet kAnyValue = 0xFFFF;

template <typename... Values>
constexpr ValueSet Only(Values... values) {
  return static_cast<ValueSet>(((1u << values) | ...));
}

constexpr ValueSet Between(int low, int high) {
  return static_cast<ValueSet>(((2u << high) - 1) & ~((1u << low) - 1));
}

// An inclusive range of the measured clock in whole megahertz; the default
// holds every clock.
struct ClockRange {
  static constexpr std::uint16_t kNoLimit = 0xFFFF;
  std::uint16_t low = 0;
  std::uint16_t high = kNoLimit;
  constexpr bool Holds(std::int32_t mhz) const {
    return high == kNoLimit || (mhz >= low && mhz <= high);
  }
};
inline constexpr ClockRange kAnyClock{};

// Whether the brand string holds one of the alternatives of `pattern`,
// split by '|', anywhere and in any case; '#' in an alternative stands for
// any digit. The model number tells what the words do not: "E6300" is a
// desktop part where "T7200" is a mobile one. An empty pattern holds for
// every brand.
constexpr bool BrandHolds(std::string_view brand, std::string_view pattern) {
  const auto at = [brand](std::size_t from, std::string_view part) {
    for (std::size_t i = 0; i < part.size(); ++i) {
      const char c = brand[from + i];
      if (part[i] == '#' ? c < '0' || c > '9' : AsciiLower(c) != AsciiLower(part[i])) return false;
    }
    return true;
  };
  for (std::size_t begin = 0;;) {
    const std::size_t bar = pattern.find('|', begin);
    const std::string_view part = pattern.substr(begin, bar - begin);
    for (std::size_t from = 0; from + part.size() <= brand.size(); ++from) {
      if (at(from, part)) return true;
    }
    if (bar == std::string_view::npos) return false;
    begin = bar + 1;
  }
}

// Rows name processors by their family with the extended family added in,
// as Intel and AMD count from family 15 on (AMD's family 10h is 16 here),
// and by their base model. Those that came later tell themselves apart by
// the extended model of leaf 1, so a row takes an extended model of 0
// unless it says otherwise: a Core 2 Duo's family 6 model 7 is not a
// Pentium III's. Where even those leave two products alike, the brand
// string or AMD's package type tells them apart.
struct CpuMatch {
  std::int8_t family = kAnyFamily;
  ValueSet models = kAnyValue;
  ValueSet steppings = kAnyValue;
  ClockRange clock = kAnyClock;
  ValueSet extended_models = Only(0);
  ValueSet packages = kAnyValue;
  const char* brand = "";

  constexpr bool Matches(const CpuSignature& cpu, std::int32_t mhz) const {
    const auto in = [](ValueSet set, int value) {
      return value >= 0 && value < 16 && (set >> value & 1u) != 0;
    };
    return (family == kAnyFamily || family == cpu.family + cpu.extended_family) &&
           in(models, cpu.model) && in(steppings, cpu.stepping) &&
           in(extended_models, cpu.extended_model) && in(packages, cpu.package) &&
           clock.Holds(mhz) && BrandHolds(cpu.brand, brand);
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
