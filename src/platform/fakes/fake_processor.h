// A processor of the test's choosing: its CPUID register images, a
// time-stamp counter that hands out scripted readings, and MMX computed by
// the lane model. A Pentium III (Coppermine) unless told.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/fakes/mmx_lane_model.h"
#include "platform/processor.h"

namespace korvane {

class FakeProcessor : public Processor {
 public:
  // Feature flags of CPUID leaf 1 (EDX).
  static constexpr std::uint32_t kTsc = 1u << 4;
  static constexpr std::uint32_t kMmx = 1u << 23;
  static constexpr std::uint32_t kSse = 1u << 25;

  FakeProcessor() { Describe("GenuineIntel", 0x683, kTsc | kMmx | kSse); }

  // Leaf 0 with highest leaf `highest_leaf` and the vendor's twelve
  // characters in EBX, EDX, ECX; leaf 1 with the signature and the flags; no
  // extended leaves.
  void Describe(std::string_view vendor, std::uint32_t signature, std::uint32_t features,
                std::uint32_t highest_leaf = 1) {
    has_cpuid = true;
    extended_leaves.clear();
    leaves.assign(2, CpuidRegisters{});
    leaves[0].eax = highest_leaf;
    char text[12] = {};
    std::memcpy(text, vendor.data(), vendor.size() < 12 ? vendor.size() : 12);
    leaves[0].ebx = Word(text);
    leaves[0].edx = Word(text + 4);
    leaves[0].ecx = Word(text + 8);
    leaves[1] = CpuidRegisters{signature, 0, 0, features};
  }

  bool IdFlagToggles() override { return has_cpuid; }
  // A leaf the processor was not given answers with zeros.
  CpuidRegisters Cpuid(std::uint32_t leaf) override {
    ++cpuid_count;
    const std::vector<CpuidRegisters>& from = leaf < kExtendedBase ? leaves : extended_leaves;
    const std::uint32_t index = leaf < kExtendedBase ? leaf : leaf - kExtendedBase;
    return index < from.size() ? from[index] : CpuidRegisters{};
  }
  // The scripted readings in turn, then `stamp_step` more with each read.
  void ScriptStamps(std::vector<std::uint64_t> script) {
    stamps_ = std::move(script);
    next_stamp_ = 0;
  }
  std::uint64_t ReadTimeStamp() override {
    ++stamp_count;
    last_stamp_ = next_stamp_ < stamps_.size() ? stamps_[next_stamp_++] : last_stamp_ + stamp_step;
    return last_stamp_;
  }
  std::uint64_t Mmx(MmxOp op, std::uint64_t destination, std::uint64_t source) override {
    ++mmx_count;
    return MmxLaneModel(op, destination, source);
  }

  static constexpr std::uint32_t kExtendedBase = 0x80000000;

  bool has_cpuid = true;
  std::vector<CpuidRegisters> leaves;           // leaf i
  std::vector<CpuidRegisters> extended_leaves;  // leaf 0x80000000 + i
  std::uint64_t stamp_step = 1000;
  int cpuid_count = 0;
  int stamp_count = 0;
  int mmx_count = 0;

 private:
  static std::uint32_t Word(const char* four) {
    std::uint32_t word = 0;
    for (int i = 3; i >= 0; --i) word = (word << 8) | static_cast<std::uint8_t>(four[i]);
    return word;
  }
  std::vector<std::uint64_t> stamps_;
  std::size_t next_stamp_ = 0;
  std::uint64_t last_stamp_ = 0;
};

}  // namespace korvane
