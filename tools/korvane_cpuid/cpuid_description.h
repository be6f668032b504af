// What Korvane would show for a recorded processor: the Other tab's maker,
// name, detail and instruction sets, the General tab's platform and the two
// processor boxes of the Registry tab, in the program's Japanese texts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korvane {

struct CpuidDescription {
  std::string company;
  std::string name;
  std::string detail;
  std::string platform;
  bool mmx = false;
  bool now3d = false;
  bool enhanced_now3d = false;
  bool sse = false;
  std::string dnow_box;  // "enabled" or "disabled"
  std::string comwrite_box;
};

// `text` is a dump of CPUID leaves, or a whole machine report that carries
// one; `mhz` stands for the clock the Other tab measured. Empty when the
// text holds no leaf 0.
std::optional<CpuidDescription> DescribeCpuidDump(std::string_view text, std::int32_t mhz);

// One "key: value" line a field, each ending in a line feed.
std::string FormatDescription(const CpuidDescription& description);

}  // namespace korvane
