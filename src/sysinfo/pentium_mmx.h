// TPentiumMMX (unit PentiumMMX): answers questions about the processor the
// program runs on. Every property asks the processor again; nothing is
// cached. A processor without CPUID answers with an empty vendor, zeros and
// False, and nothing is executed that it does not have.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/processor.h"
#include "sysinfo/cpuid_leaves.h"

namespace korvane {

// A 64-bit count as two halves, the high one first.
struct TStampPair {
  std::uint32_t High = 0;
  std::uint32_t Low = 0;
  friend bool operator==(const TStampPair&, const TStampPair&) = default;
};

// An MMX register image: byte i is bits 8i to 8i+7.
struct TMmxQuad {
  std::uint64_t value = 0;
  friend bool operator==(const TMmxQuad&, const TMmxQuad&) = default;
};

inline constexpr std::uint32_t kPentiumMMXErrorCode = 0x00010001;

// EPentiumMMXError, returned instead of raised.
struct EPentiumMMXError {
  std::string Message;
  std::uint32_t ErrorCode = kPentiumMMXErrorCode;
};

// A leaf-1 property: its value, or with ErrorEnable on and no leaf 1 on the
// processor, the error in its place (the value is then 0).
template <typename T>
struct ProbeValue {
  T value{};
  std::optional<EPentiumMMXError> error;
};

class TPentiumMMX {
 public:
  TPentiumMMX(std::string name, Processor& processor);

  const std::string& name() const { return name_; }

  // When on, the leaf-1 reads report an error on a processor without leaf 1.
  bool ErrorEnable = false;

  bool CpuIDsupport() const;
  bool RDTSCsupport() const;
  bool MMXsupport() const;
  bool AMDsupport() const;      // feature flag bit 31
  bool AMDPlusSupport() const;  // feature flag bit 30 or 31
  bool SSIMDsupport() const;

  // 3DNow! and its enhanced set: bits 31 and 30 of EDX of extended leaf
  // 0x80000001. Intel processors have neither; what they keep in those bits,
  // and in bit 31 of the feature flags, is something else.
  bool ThreeDNowSupport() const;
  bool EnhancedThreeDNowSupport() const;
  // The highest extended leaf, or 0 where the processor has none worth
  // asking: the answer is below 0x80000001, or 0x80010000 and above, which
  // early processors give for a leaf they do not know.
  std::uint32_t ExtendedLevel() const;
  // The processor's own name from extended leaves 0x80000002 to
  // 0x80000004, without the spaces it is padded with; empty where it has
  // none.
  std::string BrandString() const;
  // Leaf 1's extended family (EAX bits 20-27) and extended model (bits
  // 16-19), which processors after the Pentium III and Athlon use; 0
  // without leaf 1.
  std::uint8_t ExtendedFamily() const;
  std::uint8_t ExtendedModel() const;
  // AMD's package type, bits 28-31 of EBX of extended leaf 0x80000001,
  // which from family 10h on tells the socket; 0 without that leaf.
  std::uint8_t PackageType() const;
  // Every leaf the processor reports, standard then extended, for the
  // machine report; none without CPUID.
  std::vector<CpuidLeaf> Leaves() const;

  std::string VendorString() const;
  ProbeValue<std::uint8_t> SteppingID() const;
  ProbeValue<std::uint8_t> Model() const;
  ProbeValue<std::uint16_t> Family() const;
  ProbeValue<std::uint32_t> FeatureFlags() const;

  // Each of these executes RDTSC once; 0 without a time-stamp counter.
  std::int32_t TimeStampHigh() const;
  std::int32_t TimeStampLow() const;
  // Both halves from one RDTSC, so that a carry between them cannot tear it.
  TStampPair TimeStamp() const;

  // A - B, wrapping: A is the later reading.
  static std::uint32_t Interval32(std::uint32_t a, std::uint32_t b);
  static TStampPair Interval64(const TStampPair& a, const TStampPair& b);

  // The MMX instruction numbered `op` (1 to 44) applied to A and B; zero for
  // any other number and on a processor without MMX.
  TMmxQuad MmxOperate(std::uint8_t op, const TMmxQuad& a, const TMmxQuad& b) const;

 private:
  // EAX and EDX of leaf 1; zeros without CPUID or without leaf 1.
  std::optional<CpuidRegisters> Leaf1() const;
  template <typename T>
  ProbeValue<T> Leaf1Field(const char* property, const std::optional<CpuidRegisters>& leaf1,
                           T (*field)(const CpuidRegisters&)) const;
  bool FeatureBits(std::uint32_t mask) const;
  bool ExtendedFeatureBits(std::uint32_t mask) const;

  std::string name_;
  Processor& processor_;
};

// What the catalogue and the platform inference go by.
struct CpuSignature {
  std::string vendor;
  int family = 0;
  int model = 0;
  int stepping = 0;
  int extended_family = 0;
  int extended_model = 0;
  std::string brand;
  int package = 0;
  // The processor's own bits, for what no row knows: 3DNow! and the memory
  // type range registers that write combining is set up with (leaf 1 EDX
  // bit 12).
  bool now3d = false;
  bool mtrr = false;
};

// Reads the vendor string, family, model, stepping, brand and bits afresh.
CpuSignature ReadSignature(const TPentiumMMX& probe);

}  // namespace korvane
