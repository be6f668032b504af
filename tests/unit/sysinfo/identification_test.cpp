// The identification catalogue and the platform inference, row by row from
// what a processor reports.
#include <gtest/gtest.h>

#include <string>

#include "sysinfo/cpu_catalogue.h"
#include "sysinfo/platform_inference.h"

namespace korvane {
namespace {

constexpr char kIntel[] = "GenuineIntel";
constexpr char kAmd[] = "AuthenticAMD";
constexpr char kCyrix[] = "CyrixInstead";
constexpr char kCentaur[] = "CentaurHauls";
constexpr char kTransmeta[] = "GenuineTMx86";
constexpr char kSuper7Or5[] = "Socket7 / Socket5 (Super7)";
constexpr char kKeep[] = "<unchanged>";

std::string Shown(const std::optional<std::string_view>& text) {
  return text ? std::string(*text) : kKeep;
}

struct CatalogueCase {
  const char* vendor;
  int family, model, stepping, mhz;
  const char* name;
  const char* detail;
  unsigned extras;
};

// A processor by its family with the extended family added in, as the rows
// count it; the processors of the original rows report nothing more.
CpuSignature Cpu(const char* vendor, int family, int model, int stepping, int extended_model = 0,
                 const char* brand = "", int package = 0, bool now3d = false, bool mtrr = false) {
  const int base = family < 15 ? family : 15;
  return CpuSignature{vendor,         base,  model,   stepping, family - base,
                      extended_model, brand, package, now3d,    mtrr};
}

template <typename Case>
CpuSignature Signature(const Case& c) {
  return Cpu(c.vendor, c.family, c.model, c.stepping);
}

std::string Describe(const char* vendor, int family, int model, int stepping, int mhz) {
  return std::string(vendor) + " " + std::to_string(family) + "/" + std::to_string(model) + "/" +
         std::to_string(stepping) + " at " + std::to_string(mhz) + " MHz";
}

TEST(CpuCatalogueTest, NamesEachProcessorFromItsVendorFamilyModelSteppingAndClock) {
  constexpr unsigned k3D = kExtra3DNow;
  constexpr unsigned kAthlon = kExtra3DNow | kExtraEnhanced3DNow;
  constexpr unsigned kSse = kExtraSse;
  constexpr unsigned kAthlonXp = kAthlon | kSse;
  const CatalogueCase cases[] = {
      // Intel 486: the name only.
      {kIntel, 4, 0, 0, 0, "i486DX Processor", kKeep, 0},
      {kIntel, 4, 1, 0, 0, "i486DX Processor", kKeep, 0},
      {kIntel, 4, 2, 0, 0, "i486SX Processor", kKeep, 0},
      {kIntel, 4, 3, 0, 0, "i486DX2 Processor", kKeep, 0},
      {kIntel, 4, 4, 0, 0, "i486SL Processor", kKeep, 0},
      {kIntel, 4, 5, 0, 0, "i486SX2 Processor", kKeep, 0},
      {kIntel, 4, 7, 0, 0, "WriteBack Enhanced i486DX2 Processor", kKeep, 0},
      {kIntel, 4, 8, 0, 0, "Intel DX4 Processor", kKeep, 0},
      {kIntel, 4, 6, 0, 0, kKeep, kKeep, 0},
      // P5.
      {kIntel, 5, 0, 0, 0, kKeep, kKeep, 0},
      {kIntel, 5, 2, 5, 0, "Pentium Processor", "(P54C) [0.35μ]", 0},
      {kIntel, 5, 3, 0, 0, "Pentium OverDrive Processor", "for Intel 486 Processor", 0},
      {kIntel, 5, 4, 3, 0, "Pentium Processor w/MMX Tech", "(P55C) [0.35μ]", 0},
      // P6: model 5 stepping 2 splits by clock, model 6 by stepping.
      {kIntel, 6, 0, 0, 0, kKeep, kKeep, 0},
      {kIntel, 6, 1, 9, 0, "PentiumPro Processor", "150,180,200MHz (P6) [0.35μ]", 0},
      {kIntel, 6, 2, 0, 0, "PentiumII Over Drive Processor", "", 0},
      {kIntel, 6, 3, 4, 0, "PentiumII Processor with MMX Tech.", "233,266,300MHz (Klamath) [0.35μ]",
       0},
      {kIntel, 6, 5, 0, 0, "PentiumII / Celeron Processor with MMX tech.",
       "266,300,333MHz (Desthutes/Convington) [0.25μ]", 0},
      {kIntel, 6, 5, 1, 0, "PentiumII / Celeron Processor with MMX tech.",
       "266,300,333,350,400MHz (Desthutes/Convington) [0.25μ]", 0},
      {kIntel, 6, 5, 2, 0, kKeep, kKeep, 0},
      {kIntel, 6, 5, 2, 265, kKeep, kKeep, 0},
      {kIntel, 6, 5, 2, 266, "Celeron Processor with MMX tech.", "266MHz (Convington) [0.25μ]", 0},
      {kIntel, 6, 5, 2, 280, "Celeron Processor with MMX tech.", "266MHz (Convington) [0.25μ]", 0},
      {kIntel, 6, 5, 2, 281, "PentiumII/PentiumII Xeon/Celeron Processor with MMX tech.",
       "300,333,350,400,450MHz (Desthutes/Convington) [0.25μ]", 0},
      {kIntel, 6, 5, 2, 1000, "PentiumII/PentiumII Xeon/Celeron Processor with MMX tech.",
       "300,333,350,400,450MHz (Desthutes/Convington) [0.25μ]", 0},
      {kIntel, 6, 5, 2, 1001, kKeep, kKeep, 0},
      {kIntel, 6, 5, 3, 0, "PentiumII / PentiumII Xeon Processor with MMX tech.",
       "350,400,450MHz (Desthutes) [0.25μ]", 0},
      {kIntel, 6, 5, 4, 0, kKeep, kKeep, 0},
      {kIntel, 6, 6, 0, 0, "Celeron Processor (with L2-128KB)",
       "300A,333,366,400,433MHz SEPP (Mendocino) [0.25μ]", 0},
      {kIntel, 6, 6, 5, 0, "Celeron Processor (with L2-128KB)",
       "300A,333,366,400,433,466,500MHz PPGA (Mendocino) [0.25μ]", 0},
      {kIntel, 6, 6, 2, 0, "Celeron Processor (with L2-128KB)", kKeep, 0},
      {kIntel, 6, 7, 3, 0, "PentiumIII / PentiumIII Xeon Processor",
       "450,500,550,600,533B,600BMHz (Katmai/Tarner) [0.25μ]", kSse},
      {kIntel, 6, 7, 2, 0, "PentiumIII / PentiumIII Xeon Processor",
       "450,500MHz (Katmai/Tarner) [0.25μ]", kSse},
      {kIntel, 6, 7, 4, 0, "PentiumIII", "533B,600BMHz (Katmai) [0.25μ]", kSse},
      {kIntel, 6, 7, 1, 0, kKeep, kKeep, 0},
      {kIntel, 6, 8, 1, 0, "PentiumIII Processor (Coppermine cA2コア)",
       "500E,533EB,550E,600E,600EB,650,667,700,733,750MHz", kSse},
      {kIntel, 6, 8, 3, 0, "PentiumIII / Celeron Processor (Coppermine cB0コア)", "500～1000MHz",
       kSse},
      {kIntel, 6, 8, 6, 0, "PentiumIII / Celeron Processor (Coppermine cC0コア)", "500～1.13GHz",
       kSse},
      // Without a brand string to tell them apart, both products.
      {kIntel, 6, 9, 0, 0, "Pentium M / Celeron M Processor (Banias)", "600MHz～1.7GHz [0.13μ]",
       kSse},
      // Itanium and the Pentium 4 family, which reports family 15, not 10.
      {kIntel, 7, 1, 0, 0, "Itanium ?", "Itanium [0.18μ]", 0},
      {kIntel, 7, 3, 0, 0, kKeep, "Itanium [0.18μ]", 0},
      {kIntel, 10, 1, 0, 0, kKeep, kKeep, 0},
      {kIntel, 15, 1, 2, 0, "Pentium4 Processor (Willamette)", "1.3～2.0GHz [0.18μ]", kSse},
      {kIntel, 15, 5, 0, 0, kKeep, kKeep, 0},
      {kIntel, 8, 0, 0, 0, kKeep, kKeep, 0},
      // AMD K5, K6, K7.
      {kAmd, 5, 0, 0, 0, "AMD-K5 Processor", "75,90,100MHz [0.5μ]", 0},
      {kAmd, 5, 4, 0, 0, kKeep, kKeep, 0},
      {kAmd, 5, 6, 0, 0, "K6 MMX Enhanced Processor", "166,200,233MHz [0.35μ]", 0},
      {kAmd, 5, 7, 0, 0, "K6 MMX Enhanced Processor", "266,300MHz [0.25μ]", 0},
      {kAmd, 5, 8, 0, 0, "K6-2 Processor with 3DNow!! Technology",
       "266,300,333,366,380,400,450,475,500MHz [2.2v 0.25μ]", k3D},
      {kAmd, 5, 9, 1, 0, "K6-III Processor with 3DNow!! Technology",
       "400,450,475,500MHz [2.4v 0.25μ]", k3D},
      {kAmd, 6, 0, 0, 0, "Athlon Processor (ES)", "500,550,600,650MHz [1.7v 0.25μ]", kAthlon},
      {kAmd, 6, 1, 0, 0, "Athlon Processor", "500,550,600,650MHz [1.7v 0.25μ]", kAthlon},
      {kAmd, 6, 4, 0, 0, "Athlon Processor (Thunderbard)",
       "650,700,750,800,850,900,950,1000MHz [1.7v 0.18μ]", kAthlon},
      {kAmd, 6, 5, 0, 0, kKeep, kKeep, 0},
      {kAmd, 6, 7, 0, 0, "Duron Processor (Morgan)", "800MHz～1.3GHz [1.75v 0.18μ]", kAthlonXp},
      {kAmd, 6, 8, 0, 0, "Athlon XP / Duron / Sempron Processor (Thoroughbred/Applebred)",
       "1.4GHz～2800+ [0.13μ]", kAthlonXp},
      {kAmd, 6, 9, 0, 0, kKeep, kKeep, 0},
      {kAmd, 7, 2, 0, 0, "Athlon Processor", "500,550,600,650MHz [1.7v 0.25μ]", kAthlon},
      {kAmd, 15, 1, 0, 0, "Athlon 64 / Opteron / Sempron Processor", "(K8 rev.B/C) [0.13μ]",
       kAthlonXp},
      // Cyrix: family 6 by clock, name and detail each from its own ranges.
      {kCyrix, 4, 9, 0, 0, "MediaGX Processor", kKeep, 0},
      {kCyrix, 5, 2, 0, 0, "Cyrix 6x86 or 6x86L Processor", "PR90+,120+,133+,150+,166+,200+", 0},
      {kCyrix, 5, 4, 0, 0, "MediaGXm Processor", "", 0},
      {kCyrix, 5, 3, 0, 0, kKeep, kKeep, 0},
      {kCyrix, 6, 0, 0, 0, kKeep, kKeep, 0},
      {kCyrix, 6, 0, 0, 99, kKeep, kKeep, 0},
      {kCyrix, 6, 0, 0, 100, "Cyrix 6x86MX Processor", "6x86MX PR166GP [2.9v 60x2.5 0.35μ]", 0},
      {kCyrix, 6, 0, 0, 150, "Cyrix 6x86MX Processor", "6x86MX PR166GP [2.9v 60x2.5 0.35μ]", 0},
      {kCyrix, 6, 0, 0, 151, "Cyrix 6x86MX Processor", "6x86MX PR200GP [2.9v 66x2.5 0.35μ]", 0},
      {kCyrix, 6, 0, 0, 193, "Cyrix 6x86MX Processor", "6x86MX PR233GP [2.9v 75x2.5 0.35μ]", 0},
      {kCyrix, 6, 0, 0, 194, "Cyrix 6x86MX Processor", "6x86MX PR233GP [2.9v 66x3 0.35μ]", 0},
      {kCyrix, 6, 0, 0, 215, "Cyrix 6x86MX Processor", "6x86MX PR266GP [2.9v 83x2.5 0.35μ]", 0},
      {kCyrix, 6, 0, 0, 218, "Cyrix 6x86MX Processor", "ＭII PR300GP [2.8v 66x3.5 0.25μ]", 0},
      {kCyrix, 6, 0, 0, 220, "Cyrix 6x86MX Processor", "ＭII PR300GP [2.8v 66x3.5 0.25μ]", 0},
      {kCyrix, 6, 0, 0, 221, "Cyrix ＭII Processor", "ＭII PR300GP [2.8v 66x3.5 0.25μ]", 0},
      {kCyrix, 6, 0, 0, 238, "Cyrix ＭII Processor", "ＭII PR333GP [2.8v 83x3 0.25μ]", 0},
      {kCyrix, 6, 0, 0, 250, "Cyrix ＭII Processor", kKeep, 0},
      {kCyrix, 6, 0, 0, 310, "Cyrix ＭII Processor", kKeep, 0},
      {kCyrix, 6, 0, 0, 311, "Cyrix ＭII Processor", "ＭII PR350GP [2.8v 100x3 0.25μ]", 0},
      {kCyrix, 6, 0, 0, 360, "Cyrix ＭII Processor", "ＭII PR350GP [2.8v 100x3 0.25μ]", 0},
      {kCyrix, 6, 0, 0, 361, kKeep, "ＭII PR400GP [2.8v 100x3.5 0.25μ]", 0},
      {kCyrix, 6, 0, 0, 410, kKeep, "ＭII PR400GP [2.8v 100x3.5 0.25μ]", 0},
      {kCyrix, 6, 0, 0, 411, kKeep, kKeep, 0},
      // IDT/Centaur by stepping.
      {kCentaur, 5, 4, 0, 0, "WinChip C6 Processor", "180,200,225,240MHz", 0},
      {kCentaur, 5, 8, 5, 0, "WinChip 2 Processor", "200,225,240,250,266,300MHz", k3D},
      {kCentaur, 5, 8, 6, 0, kKeep, kKeep, 0},
      {kCentaur, 5, 8, 7, 0, "WinChip 2A Processor", "???MHz", k3D},
      {kCentaur, 5, 8, 8, 0, "WinChip 2A Processor", "???MHz", k3D},
      {kCentaur, 6, 6, 0, 0, "CyrixIII Processor", "500,533MHz", 0},
      // Rise by vendor alone; anything else is unknown.
      {"RiseRiseRise", 5, 0, 4, 0, "mP6 Processor", "166(PR166),190(PR233),200MHz(PR266)", 0},
      {"            ", 6, 8, 3, 0, "未定義", "", 0},
      {"genuineintel", 6, 8, 3, 0, "未定義", "", 0},
      {"NexGenDriven", 5, 0, 4, 0, "未定義", "", 0},
      {"", 0, 0, 0, 0, "未定義", "", 0},
  };
  for (const CatalogueCase& c : cases) {
    const Identification found = IdentifyCpu(Signature(c), c.mhz);
    const std::string where = Describe(c.vendor, c.family, c.model, c.stepping, c.mhz);
    EXPECT_EQ(Shown(found.name), c.name) << where;
    EXPECT_EQ(Shown(found.detail), c.detail) << where;
    EXPECT_EQ(found.extras, c.extras) << where;
  }
}

struct InferenceCase {
  const char* vendor;
  int family, model, stepping, mhz;
  const char* platform;
  bool dnow, comwrite;
};

TEST(PlatformInferenceTest, InfersTheSocketAndWhichProcessorSettingsApply) {
  const InferenceCase cases[] = {
      {kIntel, 4, 9, 0, 0, "Socket1 / Socket2 / Socket3", false, false},
      {kIntel, 5, 2, 0, 0, "Socket7 / Socket5 (Super7)", false, false},
      {kIntel, 5, 3, 0, 0, "Socket3", false, false},
      {kIntel, 5, 4, 0, 0, "Socket7 (Super7)", false, false},
      {kIntel, 5, 7, 0, 0, kKeep, false, false},
      {kIntel, 6, 0, 0, 0, kKeep, false, false},
      {kIntel, 6, 1, 0, 0, "Socket8", false, true},
      {kIntel, 6, 2, 0, 0, "Socket8", false, true},
      {kIntel, 6, 3, 0, 0, "Slot1", false, true},
      {kIntel, 6, 5, 0, 0, "Slot1", false, true},
      {kIntel, 6, 5, 1, 0, "Slot1", false, true},
      {kIntel, 6, 5, 2, 0, kKeep, false, false},
      {kIntel, 6, 5, 2, 266, "Slot1", false, true},
      {kIntel, 6, 5, 2, 280, "Slot1", false, true},
      {kIntel, 6, 5, 2, 281, "Slot1 / Slot2", false, true},
      {kIntel, 6, 5, 2, 450, "Slot1 / Slot2", false, true},
      {kIntel, 6, 5, 2, 1000, "Slot1 / Slot2", false, true},
      {kIntel, 6, 5, 2, 1001, kKeep, false, false},
      {kIntel, 6, 5, 3, 0, "Slot1 / Slot2", false, true},
      {kIntel, 6, 5, 4, 0, kKeep, false, false},
      {kIntel, 6, 6, 0, 0, "Slot1", false, true},
      {kIntel, 6, 6, 5, 0, "Socket370", false, true},
      {kIntel, 6, 6, 1, 0, kKeep, false, false},
      {kIntel, 6, 7, 1, 0, "Slot1 / Slot2", false, true},
      {kIntel, 6, 8, 3, 0, "Socket370 / Slot1", false, true},
      {kIntel, 6, 9, 0, 0, "Socket479", false, true},
      {kIntel, 7, 0, 0, 0, "Socket M", false, true},
      {kIntel, 8, 0, 0, 0, kKeep, false, false},
      {kIntel, 10, 2, 0, 0, kKeep, false, false},
      {kIntel, 15, 0, 0, 0, "Socket423", false, true},
      {kIntel, 15, 2, 0, 0, "Socket478", false, true},
      {kAmd, 5, 3, 0, 0, "Socket7 / Socket5 (Super7)", false, false},
      {kAmd, 5, 4, 0, 0, kKeep, false, false},
      {kAmd, 5, 6, 0, 0, "Socket7 (Super7)", false, false},
      {kAmd, 5, 7, 0, 0, "Socket7 (Super7)", false, false},
      {kAmd, 5, 8, 0, 0, "Socket7 (Super7)", true, false},
      {kAmd, 5, 9, 0, 0, "Socket7 (Super7)", true, false},
      // Every Athlon has 3DNow!.
      {kAmd, 6, 0, 0, 0, "Slot A", true, false},
      {kAmd, 6, 1, 0, 0, "Slot A", true, false},
      {kAmd, 6, 2, 0, 0, "Slot A", true, false},
      {kAmd, 6, 3, 0, 0, "Socket A", true, false},
      {kAmd, 6, 4, 0, 0, "Socket A / Slot A", true, false},
      {kAmd, 6, 5, 0, 0, kKeep, false, false},
      {kAmd, 6, 7, 0, 0, "Socket A", true, false},
      {kAmd, 6, 8, 0, 0, "Socket A", true, false},
      {kAmd, 6, 9, 0, 0, kKeep, false, false},
      {kAmd, 7, 1, 0, 0, "Slot A", true, false},
      {kAmd, 15, 1, 0, 0, "Socket940", true, false},
      {kCyrix, 4, 4, 0, 0, "MediaGX", false, false},
      {kCyrix, 5, 2, 0, 0, kKeep, false, false},
      {kCyrix, 6, 0, 0, 0, "Socket7 (Super7)", false, false},
      {kCyrix, 7, 0, 0, 0, kKeep, false, false},
      {kCentaur, 5, 4, 0, 0, "Socket7 / Socket5 (Super7)", false, false},
      {kCentaur, 5, 8, 5, 0, "Socket7 / Socket5 (Super7)", true, false},
      {kCentaur, 5, 8, 7, 0, "Socket7 / Socket5 (Super7)", true, false},
      {kCentaur, 5, 8, 8, 0, "Socket7 / Socket5 (Super7)", true, false},
      {kCentaur, 5, 8, 9, 0, "Socket7 / Socket5 (Super7)", true, false},
      {kCentaur, 5, 8, 6, 0, kKeep, false, false},
      {kCentaur, 5, 9, 0, 0, "Socket7 (Super7)", true, false},
      {kCentaur, 6, 7, 0, 0, "Socket370", true, false},
      {kCentaur, 6, 9, 0, 0, "Socket370", false, false},
      {kCentaur, 6, 15, 0, 0, kKeep, false, false},
      {"RiseRiseRise", 5, 2, 0, 0, "Socket7 (Super7)", false, false},
      {"GenuineTMx86", 5, 4, 0, 0, "Unknown", false, false},
      {"", 0, 0, 0, 0, "Unknown", false, false},
  };
  for (const InferenceCase& c : cases) {
    const PlatformGuess guess = InferPlatform(Signature(c), c.mhz);
    const std::string where = Describe(c.vendor, c.family, c.model, c.stepping, c.mhz);
    EXPECT_EQ(Shown(guess.platform), c.platform) << where;
    EXPECT_EQ(guess.dnow, c.dnow) << where;
    EXPECT_EQ(guess.comwrite, c.comwrite) << where;
  }
}

struct MendedCase {
  CpuSignature cpu;
  const char* platform;
  bool dnow, comwrite;
  const char* name;
  const char* detail;
};

// The rows mended against the makers' data, the recognition tables and the
// dumps, and the brands no recorded processor shows: the processor's
// platform, boxes, name and detail. A processor no row knows keeps its
// labels, and its boxes follow its own bits.
TEST(MendedRowsTest, PlatformBoxesNameAndDetailAsTheMakersHaveThem) {
  const char* const kWinChip = "???MHz";
  // clang-format off
  const MendedCase cases[] = {
      {Cpu(kIntel, 5, 1, 7), "Socket4", false, false, "Pentium Processor", "(P5) [0.8μ]"},
      {Cpu(kIntel, 6, 7, 5), "Slot1 / Slot2", false, true,
       "PentiumIII", "533B,600BMHz (Katmai) [0.25μ]"},
      {Cpu(kIntel, 15, 6, 8, 0, "Intel(R) Xeon(R) CPU 7150N @ 3.50GHz"), "Socket604", false, true,
       "Xeon 7100 Processor (Tulsa)", "2.5～3.5GHz [0.065μ]"},
      {Cpu(kIntel, 15, 6, 2, 0, "Genuine Intel(R) CPU 3.73GHz"), "LGA775", false, true,
       "Pentium Extreme Edition Processor (Presler)", "3.46,3.73GHz [0.065μ]"},
      {Cpu(kIntel, 15, 6, 2, 0, "Intel(R) Pentium(R) 4 CPU 3.00GHz"), "LGA775", false, true,
       "Pentium4 Processor (Cedar Mill)", "3.0～3.8GHz [0.065μ]"},
      {Cpu(kIntel, 15, 6, 4, 0, "Intel(R) Pentium(R) D CPU 3.40GHz"), "LGA775", false, true,
       "Pentium D 900 Processor (Presler)", "2.8～3.73GHz [0.065μ]"},
      {Cpu(kIntel, 15, 6, 4, 0, "Intel(R) Xeon(TM) CPU 3.00GHz"), "LGA771", false, true,
       "Xeon 5000 Processor (Dempsey)", "2.5～3.73GHz [0.065μ]"},
      // Mobile parts keep the label; the boxes follow their bits.
      {Cpu(kIntel, 6, 15, 6, 0, "Intel(R) Core(TM)2 CPU         T7200  @ 2.00GHz", 0, false, true),
       kKeep, false, true, "Core 2 Duo Processor (Merom)", "1.06～2.6GHz [0.065μ]"},
      {Cpu(kIntel, 6, 15, 6, 0, "Intel(R) Core(TM)2 CPU         X6800  @ 2.93GHz"), "LGA775", 0, 1,
       "Core 2 Extreme Processor (Conroe/Kentsfield/Merom)", "2.6～3.0GHz [0.065μ]"},
      {Cpu(kIntel, 6, 15, 6, 0, "Intel(R) Xeon(R) CPU            3060  @ 2.40GHz"), "LGA775", 0, 1,
       "Xeon Processor (Conroe/Kentsfield)", "1.86～3.0GHz [0.065μ]"},
      {Cpu(kIntel, 6, 7, 10, 1, "Intel(R) Core(TM)2 Duo CPU     E8400  @ 3.00GHz"), "LGA775", 0, 1,
       "Core 2 Duo Processor (Wolfdale)", "2.53～3.33GHz [0.045μ]"},
      {Cpu(kIntel, 6, 7, 6, 1, "Intel(R) Core(TM)2 Duo CPU     T9300  @ 2.50GHz", 0, false, true),
       kKeep, false, true, "Core 2 Duo / Core 2 Solo Processor (Penryn)", "1.2～3.06GHz [0.045μ]"},
      {Cpu(kIntel, 6, 7, 6, 1, "Intel(R) Xeon(R) CPU           E3110  @ 3.00GHz"), "LGA775", 0, 1,
       "Xeon Processor (Wolfdale/Yorkfield/Harpertown)", "1.86～3.4GHz [0.045μ]"},
      {Cpu(kAmd, 5, 1, 1), kSuper7Or5, false, false, "AMD-K5 Processor", "120,133MHz [0.35μ]"},
      {Cpu(kAmd, 5, 3, 4), kSuper7Or5, false, false, "AMD-K5 Processor", "200MHz [0.35μ]"},
      {Cpu(kAmd, 6, 2, 2), "Slot A", true, false, "Athlon Processor (K75)",
       "500,550,600,650,700,750,800,850,900,950,1000MHz [1.7v 0.18μ]"},
      {Cpu(kAmd, 6, 3, 1), "Socket A", true, false, "Duron Processor (Spitfire)",
       "600,650,700,750,800,850,900,950MHz [1.7v 0.18μ]"},
      {Cpu(kAmd, 15, 11, 2, 6, "AMD Athlon(tm) Dual Core Processor 4850e"), "Socket AM2", 1, 0,
       "Athlon X2 Processor", "(K8 rev.G) [0.065μ]"},
      {Cpu(kAmd, 15, 3, 2, 3, "AMD Athlon(tm) 64 X2 Dual Core Processor 4400+"), "Socket939", 1, 0,
       "Athlon 64 X2 Processor", "(K8 rev.D/E) [0.09μ]"},
      {Cpu(kAmd, 16, 2, 3, 0, "Quad-Core AMD Opteron(tm) Processor 2350", 0), "Socket F", 1, 0,
       "Opteron Processor", "(Agena/Toliman/Kuma) [0.065μ]"},
      {Cpu(kAmd, 16, 6, 2, 0, "AMD Turion(tm) II Dual-Core Mobile M500", 2, true), kKeep, true, false,
       "Turion II Processor", "(Regor/Sargas) [0.045μ]"},
      {Cpu(kAmd, 6, 5, 0, 0, "", 0, true, true), kKeep, true, false, kKeep, kKeep},
      {Cpu(kCentaur, 5, 8, 9), kSuper7Or5, true, false, "WinChip 2A Processor", kWinChip},
      {Cpu(kCentaur, 5, 8, 15), kSuper7Or5, true, false, "WinChip 2B Processor", kWinChip},
      {Cpu(kCentaur, 5, 9, 1), "Socket7 (Super7)", true, false, "WinChip 3 Processor", kWinChip},
      {Cpu(kTransmeta, 5, 4, 3, 0, "Transmeta(tm) Crusoe(tm) Processor TM5800"), "Unknown", 0, 0,
       "Crusoe TM5800 Processor", ""},
      {Cpu(kTransmeta, 15, 2, 4, 0, "Transmeta Efficeon(tm) Processor TM8600"), "Unknown", 0, 0,
       "Efficeon TM8000 Processor", ""},
      {Cpu("Geode by NSC", 5, 10, 2, 0, "", 0, true, true), "Unknown", true, false, "未定義", ""},
  };
  // clang-format on
  for (const MendedCase& c : cases) {
    const Identification found = IdentifyCpu(c.cpu, 0);
    const PlatformGuess guess = InferPlatform(c.cpu, 0);
    const std::string where = c.cpu.vendor + " " + std::to_string(c.cpu.model) + "/" +
                              std::to_string(c.cpu.stepping) + " " + c.cpu.brand;
    EXPECT_EQ(Shown(guess.platform), c.platform) << where;
    EXPECT_EQ(guess.dnow, c.dnow) << where;
    EXPECT_EQ(guess.comwrite, c.comwrite) << where;
    EXPECT_EQ(Shown(found.name), c.name) << where;
    EXPECT_EQ(Shown(found.detail), c.detail) << where;
  }
}

}  // namespace
}  // namespace korvane
