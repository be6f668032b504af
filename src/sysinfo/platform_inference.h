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

// `mhz` is the last measured clock in whole megahertz (0 before any). A
// processor no row knows keeps the label as it is, and the two boxes follow
// its own bits as they do for the processors the rows know: the driver's
// 3DNow! where it has 3DNow!, write combining on Intel's processors with
// memory type range registers, which the P6 brought.
PlatformGuess InferPlatform(const CpuSignature& cpu, std::int32_t mhz);

// FormShow's work: writes the platform label and enables or disables the
// two check boxes. Without a driver key they stay disabled, since there is
// nowhere for them to write.
void ShowPlatform(const TPentiumMMX& probe, std::int32_t mhz, bool driver_found,
                  ui::Label& platform_label, ui::CheckBox& dnow, ui::CheckBox& comwrite);

}  // namespace korvane
