// The registry handle: one use of the registry by one action. It holds a
// root (HKEY_CURRENT_USER until set) and at most one current key, and gives
// the program's rules and error texts on top of the store.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry_store.h"
#include "platform/status.h"

namespace korvane {

class Registry {
 public:
  explicit Registry(RegistryStore& store) : store_(store) {}
  Registry(const Registry&) = delete;
  Registry& operator=(const Registry&) = delete;
  ~Registry() { CloseKey(); }

  // Changing the root closes the current key.
  void SetRoot(RegistryRoot root);
  RegistryRoot root() const { return root_; }

  // Every path is meant from the root; a leading backslash is optional. On
  // failure the previous current key stays current.
  bool OpenKey(std::string_view path, bool create);
  bool OpenKeyReadOnly(std::string_view path);
  bool has_current_key() const { return key_ != nullptr; }
  void CloseKey() { key_.reset(); }

  bool ValueExists(std::string_view name);
  // Missing or empty gives the empty string.
  Result<std::string> ReadString(std::string_view name);
  Result<std::int32_t> ReadInteger(std::string_view name);
  // Copies a value of at most `size` bytes into `buffer` and returns its
  // length; a missing value gives 0 and leaves the buffer alone.
  Result<std::size_t> ReadBinary(std::string_view name, std::uint8_t* buffer, std::size_t size);

  Status WriteString(std::string_view name, std::string_view text);
  Status WriteInteger(std::string_view name, std::int32_t value);
  Status WriteBinary(std::string_view name, std::span<const std::uint8_t> bytes);
  // A missing value, or no current key, is no error; a delete the store
  // refused with a reason of its own (its backup could not be saved) is an
  // error with that reason.
  Status DeleteValue(std::string_view name);

 private:
  bool Open(std::string_view path, KeyAccess access);
  Status Write(std::string_view name, std::uint32_t type, const std::vector<std::uint8_t>& data);

  RegistryStore& store_;
  RegistryRoot root_ = RegistryRoot::kCurrentUser;
  std::unique_ptr<RegistryKey> key_;
};

// The program's own key, below HKEY_LOCAL_MACHINE.
inline constexpr std::string_view kProgramKeyPath = "\\Ostrel\\Korvane";

// The error texts, with the value name in place of %s.
Status InvalidTypeError(std::string_view name);
Status ReadFailedError(std::string_view name);
Status WriteFailedError(std::string_view name);

}  // namespace korvane
