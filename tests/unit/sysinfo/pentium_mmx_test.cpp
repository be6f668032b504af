#include "sysinfo/pentium_mmx.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/fakes/fake_processor.h"

namespace korvane {
namespace {

constexpr std::uint32_t kTsc = FakeProcessor::kTsc;
constexpr std::uint32_t kMmx = FakeProcessor::kMmx;
constexpr std::uint32_t kSse = FakeProcessor::kSse;

struct ImageCase {
  const char* vendor;
  std::uint32_t signature;
  std::uint32_t features;
  int family;
  int model;
  int stepping;
  // CpuID, RDTSC, MMX, AMD, AMDPlus, SSIMD
  const char* flags;
};

// What the probe reads from CPUID register images. Extended family and model
// bits are left out, as the program knows processors by their base values.
TEST(PentiumMMXTest, ReadsVendorSignatureAndFeaturesFromTheRegisterImages) {
  const ImageCase cases[] = {
      {"GenuineIntel", 0x00000683, kTsc | kMmx | kSse, 6, 8, 3, "111001"},
      {"AuthenticAMD", 0x00000F12, kTsc | kMmx | 0x80000000u, 15, 1, 2, "111110"},
      {"CentaurHauls", 0x00000585, kTsc | kMmx | 0x40000000u, 5, 8, 5, "111010"},
      {"GenuineIntel", 0x000A0671, kTsc | kMmx | kSse, 6, 7, 1, "111001"},
      {"GenuineIntel", 0x0FF00F12, kTsc, 15, 1, 2, "110000"},
      {"CyrixInstead", 0x00000452, 0, 4, 5, 2, "100000"},
  };
  for (const ImageCase& c : cases) {
    SCOPED_TRACE(std::string(c.vendor) + " " + std::to_string(c.signature));
    FakeProcessor cpu;
    cpu.Describe(c.vendor, c.signature, c.features);
    const TPentiumMMX probe("PentiumMMX1", cpu);
    EXPECT_EQ(probe.VendorString(), c.vendor);
    EXPECT_EQ(probe.Family().value, c.family);
    EXPECT_EQ(probe.Model().value, c.model);
    EXPECT_EQ(probe.SteppingID().value, c.stepping);
    EXPECT_EQ(probe.FeatureFlags().value, c.features);
    const std::string flags = {
        probe.CpuIDsupport() ? '1' : '0',   probe.RDTSCsupport() ? '1' : '0',
        probe.MMXsupport() ? '1' : '0',     probe.AMDsupport() ? '1' : '0',
        probe.AMDPlusSupport() ? '1' : '0', probe.SSIMDsupport() ? '1' : '0'};
    EXPECT_EQ(flags, c.flags);
  }
}

struct ExtendedCase {
  const char* vendor;
  std::uint32_t highest_extended;   // what leaf 0x80000000 answers
  std::uint32_t extended_features;  // EDX of leaf 0x80000001
  bool now3d, enhanced;
};

// 3DNow! is read from extended leaf 0x80000001, and only where leaf
// 0x80000000 says it is there, believably, on a processor not Intel's.
TEST(PentiumMMXTest, ThreeDNowComesFromTheExtendedLeafWhereItIsBelievable) {
  const ExtendedCase cases[] = {
      {"AuthenticAMD", 0x80000001, 0x80000000, true, false},
      {"AuthenticAMD", 0x80000008, 0xC0000000, true, true},
      {"CentaurHauls", 0x80000001, 0x40000000, false, true},
      {"AuthenticAMD", 0x80000000, 0xC0000000, false, false},
      {"AuthenticAMD", 0x80010000, 0xC0000000, false, false},
      {"AuthenticAMD", 0x00000001, 0xC0000000, false, false},
      {"GenuineIntel", 0x80000008, 0xC0000000, false, false},
  };
  for (const ExtendedCase& c : cases) {
    SCOPED_TRACE(std::string(c.vendor) + " " + std::to_string(c.highest_extended));
    FakeProcessor cpu;
    // Leaf 1 with bit 31 set, which is no 3DNow! indication.
    cpu.Describe(c.vendor, 0x00000681, kTsc | kMmx | 0x80000000u);
    cpu.extended_leaves = {{c.highest_extended, 0, 0, 0}, {0, 0, 0, c.extended_features}};
    const TPentiumMMX probe("PentiumMMX1", cpu);
    EXPECT_EQ(probe.ThreeDNowSupport(), c.now3d);
    EXPECT_EQ(probe.EnhancedThreeDNowSupport(), c.enhanced);
    EXPECT_TRUE(probe.AMDsupport());
  }
}

// A 486 or a Cyrix with CPUID switched off: nothing is executed that the
// processor does not have, and every answer is empty.
TEST(PentiumMMXTest, WithoutCpuidNothingIsExecutedAndEverythingIsEmpty) {
  FakeProcessor cpu;
  cpu.has_cpuid = false;
  TPentiumMMX probe("PentiumMMX1", cpu);
  EXPECT_FALSE(probe.CpuIDsupport() || probe.RDTSCsupport() || probe.MMXsupport() ||
               probe.AMDsupport() || probe.AMDPlusSupport() || probe.SSIMDsupport());
  EXPECT_EQ(probe.VendorString(), "");
  EXPECT_EQ(ReadSignature(probe).family + ReadSignature(probe).model, 0);
  EXPECT_EQ(probe.TimeStampHigh(), 0);
  EXPECT_EQ(probe.TimeStamp(), TStampPair{});
  EXPECT_EQ(probe.MmxOperate(1, TMmxQuad{~0ull}, TMmxQuad{~0ull}), TMmxQuad{});
  EXPECT_EQ(cpu.cpuid_count + cpu.stamp_count + cpu.mmx_count, 0);

  probe.ErrorEnable = true;
  const auto family = probe.Family();
  ASSERT_TRUE(family.error);
  EXPECT_EQ(family.error->Message, "CPU not supported Family");
}

TEST(PentiumMMXTest, WithoutLeafOneTheLeafOneReadsGiveZeroOrTheirError) {
  FakeProcessor cpu;
  cpu.Describe("GenuineIntel", 0x00000435, kTsc | kMmx, /*highest_leaf=*/0);
  TPentiumMMX probe("PentiumMMX1", cpu);
  EXPECT_EQ(probe.VendorString(), "GenuineIntel");
  EXPECT_EQ(probe.Family().value, 0);
  EXPECT_FALSE(probe.Family().error);
  EXPECT_FALSE(probe.RDTSCsupport());
  EXPECT_FALSE(probe.MMXsupport());

  probe.ErrorEnable = true;
  const auto stepping = probe.SteppingID();
  const auto model = probe.Model();
  const auto family = probe.Family();
  const auto flags = probe.FeatureFlags();
  ASSERT_TRUE(stepping.error && model.error && family.error && flags.error);
  EXPECT_EQ(stepping.error->Message, "CPU not supported SteppingID");
  EXPECT_EQ(model.error->Message, "CPU not supported Model");
  EXPECT_EQ(family.error->Message, "CPU not supported Family");
  EXPECT_EQ(flags.error->Message, "CPU not supported FeatureFlags");
  EXPECT_EQ(flags.error->ErrorCode, 65537u);
  EXPECT_EQ(flags.value, 0u);
  // The flag properties never report one.
  EXPECT_FALSE(probe.SSIMDsupport());

  // A highest leaf that reads as negative is below 1.
  cpu.Describe("GenuineIntel", 0x00000683, kTsc, 0x80000004);
  EXPECT_TRUE(probe.Model().error);
  probe.ErrorEnable = false;
  cpu.Describe("GenuineIntel", 0x00000683, kTsc);
  EXPECT_EQ(probe.Model().value, 8);
  EXPECT_FALSE(probe.Model().error);
}

TEST(PentiumMMXTest, EachTimeStampIsOneReadingOfTheCounter) {
  FakeProcessor cpu;
  cpu.ScriptStamps({0x00000001FFFFFFFFull, 0x0000000200000000ull, 0x0000000300000005ull});
  const TPentiumMMX probe("PentiumMMX1", cpu);
  EXPECT_EQ(probe.TimeStamp(), (TStampPair{1, 0xFFFFFFFF}));
  EXPECT_EQ(cpu.stamp_count, 1);
  EXPECT_EQ(probe.TimeStampHigh(), 2);
  EXPECT_EQ(probe.TimeStampLow(), 5);
  EXPECT_EQ(cpu.stamp_count, 3);
}

TEST(PentiumMMXTest, IntervalsWrapAndBorrowAcrossEveryLimb) {
  EXPECT_EQ(TPentiumMMX::Interval32(0, 1), 4294967295u);
  EXPECT_EQ(TPentiumMMX::Interval32(5, 5), 0u);
  EXPECT_EQ(TPentiumMMX::Interval32(0x00010000, 0x0000FFFF), 1u);
  EXPECT_EQ(TPentiumMMX::Interval32(0x000000F5, 0xFFFFFF00), 0x1F5u);

  struct Case {
    TStampPair a, b, difference;
  };
  const Case cases[] = {
      {{0, 0}, {0, 1}, {0xFFFFFFFF, 0xFFFFFFFF}},
      {{1, 0}, {0, 1}, {0, 0xFFFFFFFF}},
      {{1, 256}, {0, 0xFFFFFF00}, {0, 512}},
      {{0x00010000, 0}, {0, 0x00010000}, {0x0000FFFF, 0xFFFF0000}},
      {{0x12345678, 0x9ABCDEF0}, {0x12345678, 0x9ABCDEF0}, {0, 0}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TPentiumMMX::Interval64(c.a, c.b), c.difference)
        << c.a.High << ":" << c.a.Low << " - " << c.b.High << ":" << c.b.Low;
  }
}

TEST(PentiumMMXTest, MmxOperateDispatchesOnlyTheFortyFourInstructionsOnAnMmxProcessor) {
  FakeProcessor cpu;
  const TPentiumMMX probe("PentiumMMX1", cpu);
  const TMmxQuad a{0x8000'7FFF'0001'FFFFull};
  const TMmxQuad b{0x00FF'FF00'F0F0'0F0Full};
  for (const int op : {0, 45, 255}) {
    EXPECT_EQ(probe.MmxOperate(static_cast<std::uint8_t>(op), a, b), TMmxQuad{}) << op;
  }
  EXPECT_EQ(cpu.mmx_count, 0);
  EXPECT_EQ(probe.MmxOperate(2, a, b), TMmxQuad{~a.value & b.value});
  EXPECT_EQ(probe.MmxOperate(5, a, TMmxQuad{16}), TMmxQuad{});
  EXPECT_EQ(probe.MmxOperate(8, a, TMmxQuad{16}), TMmxQuad{0xFFFF'0000'0000'FFFFull});

  cpu.Describe("CyrixInstead", 0x00000520, kTsc);  // a 6x86: no MMX
  EXPECT_EQ(probe.MmxOperate(3, a, b), TMmxQuad{});
  EXPECT_EQ(cpu.mmx_count, 3);
}

}  // namespace
}  // namespace korvane
