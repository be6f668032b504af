#include "sysinfo/pentium_mmx.h"

#include <utility>

namespace korvane {
namespace {

constexpr std::uint32_t kTimeStampCounterFlag = 0x00000010;
constexpr std::uint32_t kMtrrFlag = 0x00001000;
constexpr std::uint32_t kMmxFlag = 0x00800000;
constexpr std::uint32_t kSseFlag = 0x02000000;
constexpr std::uint32_t k3DNowFlag = 0x80000000;
constexpr std::uint32_t k3DNowPlusFlags = 0xC0000000;
constexpr std::uint32_t kEnhanced3DNowFlag = 0x40000000;

constexpr std::uint32_t kExtendedBase = 0x80000000;
constexpr std::uint32_t kExtendedFeatures = 0x80000001;
constexpr std::uint32_t kBrandFirst = 0x80000002;
constexpr std::uint32_t kBrandLast = 0x80000004;
// Past this an answer to leaf 0x80000000 is not a count of leaves.
constexpr std::uint32_t kExtendedGarbage = 0x80010000;
// The report lists no more leaves than this of either kind: a processor
// that claims more is answering with garbage.
constexpr std::uint32_t kMostLeaves = 0x40;

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

std::uint32_t TPentiumMMX::ExtendedLevel() const {
  if (!CpuIDsupport()) return 0;
  const std::uint32_t level = processor_.Cpuid(kExtendedBase).eax;
  return level >= kExtendedFeatures && level < kExtendedGarbage ? level : 0;
}

bool TPentiumMMX::ExtendedFeatureBits(std::uint32_t mask) const {
  if (VendorString() == "GenuineIntel" || ExtendedLevel() < kExtendedFeatures) return false;
  return (processor_.Cpuid(kExtendedFeatures).edx & mask) != 0;
}

bool TPentiumMMX::ThreeDNowSupport() const { return ExtendedFeatureBits(k3DNowFlag); }
bool TPentiumMMX::EnhancedThreeDNowSupport() const {
  return ExtendedFeatureBits(kEnhanced3DNowFlag);
}

std::string TPentiumMMX::BrandString() const {
  if (ExtendedLevel() < kBrandLast) return std::string();
  std::string brand;
  for (std::uint32_t leaf = kBrandFirst; leaf <= kBrandLast; ++leaf) {
    const CpuidRegisters r = processor_.Cpuid(leaf);
    for (const std::uint32_t word : {r.eax, r.ebx, r.ecx, r.edx}) {
      for (int shift = 0; shift < 32; shift += 8) brand += static_cast<char>(word >> shift);
    }
  }
  brand.resize(brand.find('\0') == std::string::npos ? brand.size() : brand.find('\0'));
  const auto first = brand.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  return brand.substr(first, brand.find_last_not_of(' ') - first + 1);
}

std::uint8_t TPentiumMMX::ExtendedFamily() const {
  const auto leaf1 = Leaf1();
  return leaf1 ? static_cast<std::uint8_t>(leaf1->eax >> 20) : 0;
}

std::uint8_t TPentiumMMX::ExtendedModel() const {
  const auto leaf1 = Leaf1();
  return leaf1 ? static_cast<std::uint8_t>((leaf1->eax >> 16) & 0xF) : 0;
}

std::uint8_t TPentiumMMX::PackageType() const {
  if (ExtendedLevel() < kExtendedFeatures) return 0;
  return static_cast<std::uint8_t>(processor_.Cpuid(kExtendedFeatures).ebx >> 28);
}

std::vector<CpuidLeaf> TPentiumMMX::Leaves() const {
  std::vector<CpuidLeaf> leaves;
  if (!CpuIDsupport()) return leaves;
  const std::uint32_t highest = processor_.Cpuid(0).eax;
  for (std::uint32_t leaf = 0; leaf <= highest && leaf < kMostLeaves; ++leaf) {
    leaves.push_back({leaf, processor_.Cpuid(leaf)});
  }
  const std::uint32_t extended = ExtendedLevel();
  for (std::uint32_t leaf = kExtendedBase;
       extended != 0 && leaf <= extended && leaf < kExtendedBase + kMostLeaves; ++leaf) {
    leaves.push_back({leaf, processor_.Cpuid(leaf)});
  }
  return leaves;
}

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
  return CpuSignature{probe.VendorString(),     probe.Family().value,
                      probe.Model().value,      probe.SteppingID().value,
                      probe.ExtendedFamily(),   probe.ExtendedModel(),
                      probe.BrandString(),      probe.PackageType(),
                      probe.ThreeDNowSupport(), (probe.FeatureFlags().value & kMtrrFlag) != 0};
}

}  // namespace korvane
