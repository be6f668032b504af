// The keys the program writes in. Before the program first changes a value
// in one of them, the key's values as they were go into the backup; a
// restore writes nowhere else.
#pragma once

#include <array>
#include <string_view>

#include "platform/registry_store.h"

namespace korvane {

struct BackedUpKey {
  RegistryRoot root;
  // Key names joined by '\'; "*" stands for any one name.
  std::string_view path;
  // When set, the only value of the key that is saved and restored: the Run
  // key holds other programs' entries too.
  std::string_view only_value;
};

extern const std::array<BackedUpKey, 8> kBackedUpKeys;

// The entry for a key path (without a leading backslash), names matched
// without regard to case; null when the program keeps no backup of it.
const BackedUpKey* FindBackedUpKey(RegistryRoot root, std::string_view path);

// Whether a key lies on the way to one the program keeps a backup of: the
// key itself or one above it. Such a key that the program created is
// removed again by a restore, once it is empty.
bool LeadsToBackedUpKey(RegistryRoot root, std::string_view path);

// Whether a value of the key is saved and restored.
bool IsBackedUpValue(const BackedUpKey& key, std::string_view name);

}  // namespace korvane
