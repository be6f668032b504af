// What the fuzz targets share: a check that stops the run where it fails,
// and text taken as it stands.
#pragma once

#include <string>
#include <string_view>

namespace fuzz {

inline void Check(bool holds) {
  if (!holds) __builtin_trap();
}

inline std::string Same(std::string_view text) { return std::string(text); }

}  // namespace fuzz
