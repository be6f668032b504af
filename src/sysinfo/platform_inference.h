// The platform inference: the socket or slot the processor suggests, and
// whether the two processor-specific driver settings can apply to it.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "sysinfo/pentium_mmx.h"
#include "ui/check_box.h"
#include "ui/label.h"

namespace korvane {

struct PlatformGuess {
  std::optional<std::string_view> platform;  // empty: the label stays as it is
  bool dnow = false;                         // 3DNow! driver setting usable
  bool comwrite = false;                     // write combining usable
};

// Empty for a processor the inference leaves alone. `mhz` is the last
// measured clock in whole megahertz (0 before any).
std::optional<PlatformGuess> InferPlatform(const CpuSignature& cpu, std::int32_t mhz);

// FormShow's work: writes the platform label and enables or disables the
// two check boxes. Without a driver key they stay disabled, since there is
// nowhere for them to write.
void ShowPlatform(const TPentiumMMX& probe, std::int32_t mhz, bool driver_found,
                  ui::Label& platform_label, ui::CheckBox& dnow, ui::CheckBox& comwrite);

}  // namespace korvane
