#include "backup/backed_up_keys.h"

#include "platform/ascii.h"

namespace korvane {

constexpr RegistryRoot HKLM = RegistryRoot::kLocalMachine;

const std::array<BackedUpKey, 8> kBackedUpKeys = {{
    // The driver's settings sub-keys, below any display-class entry.
    {HKLM, "System\\CurrentControlSet\\Services\\Class\\Display\\*\\Settings\\*", {}},
    {RegistryRoot::kCurrentUser, "Software\\Matrox\\PowerDesk\\Version5\\CurrentSettings", {}},
    {HKLM, "Software\\Matrox\\PowerDesk\\Current Settings", {}},
    {HKLM, "SOFTWARE\\Microsoft\\UnrealD3D", {}},
    {HKLM, "Software\\Electronic Arts\\Need For Speed III", {}},
    {HKLM, "Software\\Acclaim Entertainment\\Forsaken\\1.00", {}},
    {HKLM, "Ostrel\\Korvane", {}},
    {HKLM, "Software\\Microsoft\\Windows\\CurrentVersion\\run", "G400 OverClock"},
}};

namespace {

// The next key name of a path, removed from it.
std::string_view TakeName(std::string_view* path) {
  const auto cut = path->find('\\');
  const std::string_view name = path->substr(0, cut);
  path->remove_prefix(cut == std::string_view::npos ? path->size() : cut + 1);
  return name;
}

// Whether `path` matches `pattern` name for name; with `leading`, a path
// that ends before the pattern does counts too.
bool Matches(std::string_view pattern, std::string_view path, bool leading = false) {
  while (!pattern.empty() && !path.empty()) {
    const std::string_view wanted = TakeName(&pattern);
    const std::string_view name = TakeName(&path);
    if (name.empty() || (wanted != "*" && !EqualsIgnoreAsciiCase(wanted, name))) return false;
  }
  return path.empty() && (leading || pattern.empty());
}

}  // namespace

const BackedUpKey* FindBackedUpKey(RegistryRoot root, std::string_view path) {
  for (const BackedUpKey& key : kBackedUpKeys) {
    if (key.root == root && Matches(key.path, path)) return &key;
  }
  return nullptr;
}

bool LeadsToBackedUpKey(RegistryRoot root, std::string_view path) {
  for (const BackedUpKey& key : kBackedUpKeys) {
    if (key.root == root && !path.empty() && Matches(key.path, path, true)) return true;
  }
  return false;
}

bool IsBackedUpValue(const BackedUpKey& key, std::string_view name) {
  return key.only_value.empty() || EqualsIgnoreAsciiCase(key.only_value, name);
}

}  // namespace korvane
