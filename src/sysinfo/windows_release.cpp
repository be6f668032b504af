#include "sysinfo/windows_release.h"

#include <array>
#include <string_view>

namespace korvane {
namespace {

// Windows 95's releases all call themselves 4.00.950 and tell one another
// apart by the letter in szCSDVersion; OSR2 and OSR2.5 show their build too.
// Windows 98 Second Edition carries the letter A as well.
struct Release {
  std::uint32_t major;
  std::uint32_t minor;
  char letter;  // ' ' for none
  std::string_view name;
  bool shows_build;
};

constexpr std::array<Release, 7> kReleases = {{
    {4, 0, ' ', "Windows 95 4.00.950", false},
    {4, 0, 'A', "Windows 95 4.00.950 A", false},
    {4, 0, 'B', "Windows 95 OSR2 4.00.950 B", true},
    {4, 0, 'C', "Windows 95 OSR2.5 4.00.950 C", true},
    {4, 10, ' ', "Windows 98", true},
    {4, 10, 'A', "Windows 98 Second Edition", true},
    {4, 90, ' ', "Windows Me", true},
}};

char ReleaseLetter(const std::string& service) {
  for (const char c : service) {
    if (c != ' ') return c;
  }
  return ' ';
}

std::string Numbers(const OsVersion& version) {
  std::string minor = std::to_string(version.minor);
  if (minor.size() < 2) minor.insert(0, 1, '0');
  return std::to_string(version.major) + "." + minor + "." + std::to_string(version.build);
}

}  // namespace

std::string WindowsRelease(const OsVersion& version) {
  const char letter = ReleaseLetter(version.service);
  if (version.platform_id == kPlatformWindows) {
    for (const Release& release : kReleases) {
      if (release.major != version.major || release.minor != version.minor ||
          release.letter != letter) {
        continue;
      }
      std::string name(release.name);
      if (!release.shows_build) return name;
      // 98 and Me name their build as their version does: 4.10.2222.
      if (version.major == 4 && version.minor > 0) return name + " " + Numbers(version);
      return name + " (build " + std::to_string(version.build) + ")";
    }
  }
  // Unknown to the table: the numbers, and what the system says beside them.
  const std::size_t first = version.service.find_first_not_of(' ');
  const std::size_t last = version.service.find_last_not_of(' ');
  std::string release = "Windows " + Numbers(version);
  if (first != std::string::npos) release += " " + version.service.substr(first, last - first + 1);
  return release;
}

}  // namespace korvane
