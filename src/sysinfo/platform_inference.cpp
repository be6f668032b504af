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
    {{6, Only(8)}, "Socket370 / Slot1", kOff, kOn},
    {{7}, "Socket M", kOff, kOn},
    {{10}, "Socket N", kOff, kOn},
};

// Family 6 models 7, 8 and 9 repeat the rows of family 5.
constexpr InferenceRow kAmd[] = {
    {{5, Only(0, 1, 2, 3)}, kSuper7Or5, kOff, kOff},
    {{5, Only(6, 7)}, kSuper7, kOff, kOff},
    {{5, Only(8, 9)}, kSuper7, kOn, kOff},
    {{6, Only(0, 1, 2)}, "Slot A", kOff, kOff},
    {{6, Only(3)}, "Socket A", kOff, kOff},
    {{6, Only(4)}, "Socket A / Slot A", kOff, kOff},
    {{6, Only(7)}, kSuper7, kOff, kOff},
    {{6, Only(8, 9)}, kSuper7, kOn, kOff},
    {{7}, "Slot A", kOn, kOff},
};

constexpr InferenceRow kCyrix[] = {
    {{4}, "MediaGX", kOff, kOff},
    {{5}, nullptr, kOff, kOff},
    {{6}, kSuper7, kOff, kOff},
};

constexpr InferenceRow kCentaur[] = {
    {{5, Only(4)}, kSuper7Or5, kOff, kOff},
    {{5, Only(8), Only(5, 7, 8, 9)}, kSuper7Or5, kOn, kOff},
    {{5, Only(9)}, kSuper7, kOn, kOff},
    {{6}, "Socket370", kOn, kOff},
};

constexpr InferenceRow kRise[] = {
    {{}, kSuper7, kOn, kOff},
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
