#include "sysinfo/platform_inference.h"

#include <span>
#include <string>

#include "sysinfo/cpu_match.h"
#include "text/texts.h"

namespace korvane {
namespace {

constexpr bool kOn = true;
constexpr bool kOff = false;

struct InferenceRow {
  CpuMatch match;
  const char* platform;  // null: the label stays as it is
  bool dnow;
  bool comwrite;
};

constexpr char kSuper7Or5[] = "Socket7 / Socket5 (Super7)";
constexpr char kSuper7[] = "Socket7 (Super7)";
constexpr char kLga775[] = "LGA775";

constexpr InferenceRow kIntel[] = {
    {{4}, "Socket1 / Socket2 / Socket3", kOff, kOff},
    // The first Pentium, at 60 and 66 MHz, took Socket 4 only (Intel's
    // Pentium data sheet).
    {{5, Only(1)}, "Socket4", kOff, kOff},
    {{5, Only(2)}, kSuper7Or5, kOff, kOff},
    {{5, Only(3)}, "Socket3", kOff, kOff},
    {{5, Only(4)}, kSuper7, kOff, kOff},
    {{5}, nullptr, kOff, kOff},
    {{6, Only(1, 2)}, "Socket8", kOff, kOn},
    {{6, Only(3)}, "Slot1", kOff, kOn},
    {{6, Only(5), Only(0, 1)}, "Slot1", kOff, kOn},
    {{6, Only(5), Only(2), {266, 280}}, "Slot1", kOff, kOn},
    {{6, Only(5), Only(2), {281, 1000}}, "Slot1 / Slot2", kOff, kOn},
    {{6, Only(5), Only(3)}, "Slot1 / Slot2", kOff, kOn},
    {{6, Only(6), Only(0)}, "Slot1", kOff, kOn},
    {{6, Only(6), Only(5)}, "Socket370", kOff, kOn},
    {{6, Only(7)}, "Slot1 / Slot2", kOff, kOn},
    {{6, Only(6), Only(10, 13)}, "MMC-1 / MMC-2 / Micro-PGA1", kOff, kOn},
    {{6, Only(8)}, "Socket370 / Slot1", kOff, kOn},
    {{6, Only(9)}, "Socket479", kOff, kOn},
    {{6, Only(10)}, "Slot2", kOff, kOn},
    {{.family = 6, .models = Only(11), .brand = "Mobile"}, "Socket479", kOff, kOn},
    {{6, Only(11)}, "Socket370", kOff, kOn},
    {{6, Only(13)}, "Socket479", kOff, kOn},
    {{6, Only(14)}, "Socket M", kOff, kOn},
    // The Core generation: desktop parts on LGA775, told from mobile ones,
    // which keep the label, by the model number in the brand (libcpuid's
    // Core and Penryn tables; Intel's processor lists).
    {{.family = 6, .models = Only(15), .brand = " 30##| X32##"}, kLga775, kOff, kOn},
    {{.family = 6, .models = Only(15), .brand = "Xeon"}, "LGA771 / Socket604", kOff, kOn},
    {{.family = 6, .models = Only(15), .brand = " E#| Q#| X6#| 4###| 6###"}, kLga775, kOff, kOn},
    {{.family = 6, .models = Only(6), .extended_models = Only(1), .brand = " 4##"},
     kLga775,
     kOff,
     kOn},
    {{.family = 6,
      .models = Only(7),
      .extended_models = Only(1),
      .brand = " E31#| L31#| X33#| L33#"},
     kLga775,
     kOff,
     kOn},
    {{.family = 6, .models = Only(7), .extended_models = Only(1), .brand = "Xeon"},
     "LGA771",
     kOff,
     kOn},
    {{.family = 6,
      .models = Only(7),
      .extended_models = Only(1),
      .brand = " E#| Q8| Q93| Q94| Q95| Q96| X96| X97"},
     kLga775,
     kOff,
     kOn},
    {{7}, "Socket M", kOff, kOn},
    {{.family = 15, .models = Only(0, 1), .brand = "Xeon"}, "Socket603", kOff, kOn},
    {{.family = 15, .models = Only(0)}, "Socket423", kOff, kOn},
    {{.family = 15, .models = Only(1), .brand = "Celeron"}, "Socket478", kOff, kOn},
    {{.family = 15, .models = Only(1)}, "Socket423 / Socket478", kOff, kOn},
    {{.family = 15, .models = Only(2), .brand = "Xeon"}, "Socket603 / Socket604", kOff, kOn},
    {{.family = 15, .models = Only(2)}, "Socket478", kOff, kOn},
    {{.family = 15, .models = Only(3, 4), .brand = "Xeon"}, "Socket604", kOff, kOn},
    {{.family = 15, .models = Only(3, 4), .brand = "Pentium(R) D"}, kLga775, kOff, kOn},
    {{.family = 15, .models = Only(3, 4), .brand = "Mobile"}, "Socket478", kOff, kOn},
    {{.family = 15, .models = Only(3, 4)}, "Socket478 / LGA775", kOff, kOn},
    // Steppings 6 and 8 are the Tulsa, whatever its brand (libcpuid's
    // NetBurst table; Intel's Xeon 7100 errata and stepping notes).
    {{15, Only(6), Only(6, 8)}, "Socket604", kOff, kOn},
    {{.family = 15, .models = Only(6), .brand = "Xeon"}, "LGA771", kOff, kOn},
    {{.family = 15, .models = Only(6)}, kLga775, kOff, kOn},
};

// Every AMD processor from the K6-2 on has 3DNow!. In family 15 the two
// lowest bits of the model name the socket, differently from revision F
// (extended model 4) on.
constexpr ValueSet kFirstSocket = Only(0, 4, 8, 12);
constexpr ValueSet kSecondSocket = Only(1, 5, 9, 13);
constexpr ValueSet kThirdSocket = Only(2, 6, 10, 14);
constexpr ValueSet kFourthSocket = Only(3, 7, 11, 15);
constexpr ValueSet kRevisionsBToE = Between(0, 3);
constexpr ValueSet kRevisionsFAndG = Between(4, 7);

constexpr InferenceRow kAmd[] = {
    {{5, Only(0, 1, 2, 3)}, kSuper7Or5, kOff, kOff},
    {{5, Only(6, 7)}, kSuper7, kOff, kOff},
    {{5, Only(8, 9, 13)}, kSuper7, kOn, kOff},
    {{6, Only(0, 1, 2)}, "Slot A", kOn, kOff},
    {{6, Only(3)}, "Socket A", kOn, kOff},
    {{6, Only(4)}, "Socket A / Slot A", kOn, kOff},
    {{6, Only(6, 7, 8, 10)}, "Socket A", kOn, kOff},
    {{7}, "Slot A", kOn, kOff},
    {{.family = 15, .models = kFirstSocket | kThirdSocket, .extended_models = kRevisionsBToE},
     "Socket754",
     kOn,
     kOff},
    {{.family = 15, .models = kSecondSocket, .extended_models = kRevisionsBToE},
     "Socket940",
     kOn,
     kOff},
    {{.family = 15, .models = kFourthSocket, .extended_models = kRevisionsBToE},
     "Socket939",
     kOn,
     kOff},
    {{.family = 15, .models = kFirstSocket, .extended_models = kRevisionsFAndG},
     "Socket S1",
     kOn,
     kOff},
    {{.family = 15, .models = kSecondSocket, .extended_models = kRevisionsFAndG},
     "Socket F",
     kOn,
     kOff},
    {{.family = 15, .models = kFourthSocket, .extended_models = kRevisionsFAndG},
     "Socket AM2",
     kOn,
     kOff},
    {{.family = 15, .extended_models = Between(0, 7)}, nullptr, kOn, kOff},
    // Family 10h tells its package in leaf 0x80000001 (AMD's BIOS and
    // Kernel Developer's Guide for family 10h): 1 is AM2+ and AM3, which
    // the model tells apart, 0 is Socket F; the mobile and server packages
    // keep the label, and all have 3DNow!.
    {{.family = 16, .models = Only(2), .packages = Only(1)}, "Socket AM2+", kOn, kOff},
    {{.family = 16, .models = Only(4), .packages = Only(1)}, "Socket AM2+ / Socket AM3", kOn, kOff},
    {{.family = 16, .packages = Only(1)}, "Socket AM3", kOn, kOff},
    {{.family = 16, .packages = Only(0)}, "Socket F", kOn, kOff},
};

constexpr InferenceRow kCyrix[] = {
    {{4}, "MediaGX", kOff, kOff},
    {{5}, nullptr, kOff, kOff},
    {{6}, kSuper7, kOff, kOff},
};

// VIA's processors from the Cyrix III to the C3 Ezra-T have 3DNow!; the
// Nehemiah and the C7 have SSE in its place, and the C7 comes soldered.
constexpr InferenceRow kCentaur[] = {
    {{5, Only(4)}, kSuper7Or5, kOff, kOff},
    // Every WinChip 2, the 2A and 2B included (x86info's IDT identification).
    {{5, Only(8), Only(5) | Between(7, 15)}, kSuper7Or5, kOn, kOff},
    {{5, Only(9)}, kSuper7, kOn, kOff},
    {{6, Only(6, 7, 8)}, "Socket370", kOn, kOff},
    {{6, Only(9)}, "Socket370", kOff, kOff},
    {{6, Only(10, 13)}, "NanoBGA2", kOff, kOff},
};

// The mP6 has MMX but no 3DNow!.
constexpr InferenceRow kRise[] = {
    {{}, kSuper7, kOff, kOff},
};

constexpr VendorRows<InferenceRow> kInference[] = {
    {"GenuineIntel", kIntel},   {"AuthenticAMD", kAmd},  {"CyrixInstead", kCyrix},
    {"CentaurHauls", kCentaur}, {"RiseRiseRise", kRise},
};

}  // namespace

PlatformGuess InferPlatform(const CpuSignature& cpu, std::int32_t mhz) {
  bool vendor_known = false;
  const InferenceRow* row =
      FindRow(std::span<const VendorRows<InferenceRow>>(kInference), cpu, mhz, &vendor_known);
  PlatformGuess guess{std::nullopt, cpu.now3d, cpu.vendor == "GenuineIntel" && cpu.mtrr};
  if (!vendor_known) guess.platform = Text(TextId::kUnknownPlatform);
  if (!row) return guess;
  if (row->platform) guess.platform = row->platform;
  guess.dnow = row->dnow;
  guess.comwrite = row->comwrite;
  return guess;
}

void ShowPlatform(const TPentiumMMX& probe, std::int32_t mhz, bool driver_found,
                  ui::Label& platform_label, ui::CheckBox& dnow, ui::CheckBox& comwrite) {
  const PlatformGuess guess = InferPlatform(ReadSignature(probe), mhz);
  if (guess.platform) platform_label.SetCaption(std::string(*guess.platform));
  dnow.SetEnabled(guess.dnow && driver_found);
  comwrite.SetEnabled(guess.comwrite && driver_found);
}

}  // namespace korvane
