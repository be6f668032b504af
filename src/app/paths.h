// Path helpers in the system's own rules.
#pragma once

#include <string>
#include <string_view>

namespace korvane {

// The folder part of a path, without a trailing backslash except at a drive
// root: "C:\KORVANE\KORVANE.EXE" gives "C:\KORVANE", "C:\KORVANE.EXE" gives
// "C:\".
inline std::string FolderOf(std::string_view path) {
  const auto cut = path.find_last_of("\\:");
  if (cut == std::string_view::npos) return std::string();
  std::size_t length = cut + 1;
  if (cut > 0 && path[cut] == '\\' && path[cut - 1] != '\\' && path[cut - 1] != ':') length = cut;
  return std::string(path.substr(0, length));
}

}  // namespace korvane
