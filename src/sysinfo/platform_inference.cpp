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

constexpr InferenceRow kIntel[] = {
    {{4}, "Socket1 / Socket2 / Socket3", kOff, kOff},
    {{5, Only(1, 2)}, kSuper7Or5, kOff, kOff},
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
    {{7}, "Socket M", kOff, kOn},
    {{.family = 15, .models = Only(0, 1), .brand = "Xeon"}, "Socket603", kOff, kOn},
    {{.family = 15, .models = Only(0)}, "Socket423", kOff, kOn},
    {{.family = 15, .models = Only(1), .brand = "Celeron"}, "Socket478", kOff, kOn},
    {{.family = 15, .models = Only(1)}, "Socket423 / Socket478", kOff, kOn},
    {{.family = 15, .models = Only(2), .brand = "Xeon"}, "Socket603 / Socket604", kOff, kOn},
    {{.family = 15, .models = Only(2)}, "Socket478", kOff, kOn},
    {{.family = 15, .models = Only(3, 4), .brand = "Xeon"}, "Socket604", kOff, kOn},
    {{.family = 15, .models = Only(3, 4), .brand = "Pentium(R) D"}, "LGA775", kOff, kOn},
    {{.family = 15, .models = Only(3, 4), .brand = "Mobile"}, "Socket478", kOff, kOn},
    {{.family = 15, .models = Only(3, 4)}, "Socket478 / LGA775", kOff, kOn},
    {{.family = 15, .models = Only(6), .brand = "Xeon"}, "LGA771 / Socket604", kOff, kOn},
    {{.family = 15, .models = Only(6)}, "LGA775", kOff, kOn},
};

// Every AMD processor from the K6-2 on has 3DNow!. In family 15 the two
// lowest bits of the model name the socket, differently from revision F
// (extended model 4) on.
constexpr ValueSet kFirstSocket = Only(0, 4, 8, 12);
constexpr ValueSet kSecondSocket = Only(1, 5, 9, 13);
constexpr ValueSet kThirdSocket = Only(2, 6, 10, 14);
constexpr ValueSet kFourthSocket = Only(3, 7, 11, 15);
constexpr ValueSet kRevisionsBToE = Between(0, 2);
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
    {{5, Only(8), Only(5, 7, 8, 9)}, kSuper7Or5, kOn, kOff},
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

std::optional<PlatformGuess> InferPlatform(const CpuSignature& cpu, std::int32_t mhz) {
  bool vendor_known = false;
  const InferenceRow* row =
      FindRow(std::span<const VendorRows<InferenceRow>>(kInference), cpu, mhz, &vendor_known);
  if (!vendor_known) return PlatformGuess{Text(TextId::kUnknownPlatform), kOff, kOff};
  if (!row) return std::nullopt;
  PlatformGuess guess{std::nullopt, row->dnow, row->comwrite};
  if (row->platform) guess.platform = row->platform;
  return guess;
}

void ShowPlatform(const TPentiumMMX& probe, std::int32_t mhz, bool driver_found,
                  ui::Label& platform_label, ui::CheckBox& dnow, ui::CheckBox& comwrite) {
  const auto guess = InferPlatform(ReadSignature(probe), mhz);
  if (!guess) return;
  if (guess->platform) platform_label.SetCaption(std::string(*guess->platform));
  dnow.SetEnabled(guess->dnow && driver_found);
  comwrite.SetEnabled(guess->comwrite && driver_found);
}

}  // namespace korvane
