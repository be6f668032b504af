#include "sysinfo/pentium_mmx.h"

#include <utility>

namespace korvane {
namespace {

constexpr std::uint32_t kTimeStampCounterFlag = 0x00000010;
constexpr std::uint32_t kMmxFlag = 0x00800000;
constexpr std::uint32_t kSseFlag = 0x02000000;
constexpr std::uint32_t k3DNowFlag = 0x80000000;
constexpr std::uint32_t k3DNowPlusFlags = 0xC0000000;

std::uint64_t Joined(const TStampPair& pair) {
  return (static_cast<std::uint64_t>(pair.High) << 32) | pair.Low;
}

TStampPair Split(std::uint64_t count) {
  return TStampPair{static_cast<std::uint32_t>(count >> 32), static_cast<std::uint32_t>(count)};
}

}  // namespace

TPentiumMMX::TPentiumMMX(std::string name, Processor& processor)
    : name_(std::move(name)), processor_(processor) {}

bool TPentiumMMX::CpuIDsupport() const { return processor_.IdFlagToggles(); }

std::optional<CpuidRegisters> TPentiumMMX::Leaf1() const {
  if (!CpuIDsupport()) return std::nullopt;
  // The highest standard leaf is compared as a signed number.
  if (static_cast<std::int32_t>(processor_.Cpuid(0).eax) < 1) return std::nullopt;
  return processor_.Cpuid(1);
}

bool TPentiumMMX::FeatureBits(std::uint32_t mask) const {
  const auto leaf1 = Leaf1();
  return leaf1 && (leaf1->edx & mask) != 0;
}

bool TPentiumMMX::RDTSCsupport() const { return FeatureBits(kTimeStampCounterFlag); }
bool TPentiumMMX::MMXsupport() const { return FeatureBits(kMmxFlag); }
bool TPentiumMMX::AMDsupport() const { return FeatureBits(k3DNowFlag); }
bool TPentiumMMX::AMDPlusSupport() const { return FeatureBits(k3DNowPlusFlags); }
bool TPentiumMMX::SSIMDsupport() const { return FeatureBits(kSseFlag); }

std::string TPentiumMMX::VendorString() const {
  if (!CpuIDsupport()) return std::string();
  const CpuidRegisters leaf0 = processor_.Cpuid(0);
  std::string vendor;
  for (const std::uint32_t word : {leaf0.ebx, leaf0.edx, leaf0.ecx}) {
    for (int shift = 0; shift < 32; shift += 8) vendor += static_cast<char>(word >> shift);
  }
  return vendor;
}

template <typename T>
ProbeValue<T> TPentiumMMX::Leaf1Field(const char* property,
                                      const std::optional<CpuidRegisters>& leaf1,
                                      T (*field)(const CpuidRegisters&)) const {
  ProbeValue<T> result;
  if (leaf1) {
    result.value = field(*leaf1);
  } else if (ErrorEnable) {
    result.error = EPentiumMMXError{std::string("CPU not supported ") + property};
  }
  return result;
}

ProbeValue<std::uint8_t> TPentiumMMX::SteppingID() const {
  return Leaf1Field<std::uint8_t>("SteppingID", Leaf1(), [](const CpuidRegisters& r) {
    return static_cast<std::uint8_t>(r.eax & 0xF);
  });
}

ProbeValue<std::uint8_t> TPentiumMMX::Model() const {
  return Leaf1Field<std::uint8_t>("Model", Leaf1(), [](const CpuidRegisters& r) {
    return static_cast<std::uint8_t>((r.eax >> 4) & 0xF);
  });
}

// No extended family or model is added in: the program knows processors by
// their base values.
ProbeValue<std::uint16_t> TPentiumMMX::Family() const {
  return Leaf1Field<std::uint16_t>("Family", Leaf1(), [](const CpuidRegisters& r) {
    return static_cast<std::uint16_t>((r.eax >> 8) & 0xF);
  });
}

ProbeValue<std::uint32_t> TPentiumMMX::FeatureFlags() const {
  return Leaf1Field<std::uint32_t>("FeatureFlags", Leaf1(),
                                   [](const CpuidRegisters& r) { return r.edx; });
}

TStampPair TPentiumMMX::TimeStamp() const {
  return RDTSCsupport() ? Split(processor_.ReadTimeStamp()) : TStampPair{};
}

std::int32_t TPentiumMMX::TimeStampHigh() const {
  return static_cast<std::int32_t>(TimeStamp().High);
}

std::int32_t TPentiumMMX::TimeStampLow() const {
  return static_cast<std::int32_t>(TimeStamp().Low);
}

std::uint32_t TPentiumMMX::Interval32(std::uint32_t a, std::uint32_t b) { return a - b; }

TStampPair TPentiumMMX::Interval64(const TStampPair& a, const TStampPair& b) {
  return Split(Joined(a) - Joined(b));
}

TMmxQuad TPentiumMMX::MmxOperate(std::uint8_t op, const TMmxQuad& a, const TMmxQuad& b) const {
  if (op < 1 || op > kMmxOpCount || !MMXsupport()) return TMmxQuad{};
  return TMmxQuad{processor_.Mmx(static_cast<MmxOp>(op), a.value, b.value)};
}

CpuSignature ReadSignature(const TPentiumMMX& probe) {
  return CpuSignature{probe.VendorString(), probe.Family().value, probe.Model().value,
                      probe.SteppingID().value};
}

}  // namespace korvane
