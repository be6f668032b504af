// The system registry through advapi32's A functions.
#pragma once

#include "platform/registry_store.h"

namespace korvane::win32 {

class Win32RegistryStore : public RegistryStore {
 public:
  std::unique_ptr<RegistryKey> Open(RegistryRoot root, std::string_view path,
                                    KeyAccess access) override;
  bool DeleteKeyIfEmpty(RegistryRoot root, std::string_view path) override;
};

}  // namespace korvane::win32
