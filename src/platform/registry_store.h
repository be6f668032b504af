// The system registry as the program needs it: two roots, keys opened by
// path, typed values. The program's own semantics (error texts, the current
// key, leading backslashes) live in the registry handle built on top of this.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

enum class RegistryRoot { kCurrentUser, kLocalMachine };

// Value types, numbered as the system numbers them.
enum RegistryType : std::uint32_t {
  kRegNone = 0,
  kRegString = 1,
  kRegExpandString = 2,
  kRegBinary = 3,
  kRegDword = 4,
  kRegMultiString = 7,
};

struct RegistryValue {
  std::uint32_t type = kRegNone;
  // String data is UTF-8 and keeps its terminating NUL, as the system stores it.
  std::vector<std::uint8_t> data;

  friend bool operator==(const RegistryValue&, const RegistryValue&) = default;
};

struct NamedValue {
  std::string name;  // in the spelling it is stored with; empty for the default value
  RegistryValue value;

  friend bool operator==(const NamedValue&, const NamedValue&) = default;
};

enum class KeyAccess {
  kRead,       // existing key, reading only
  kReadWrite,  // existing key
  kCreate,     // created with any missing parents
};

class RegistryKey {
 public:
  virtual ~RegistryKey() = default;
  // False when the value does not exist or cannot be read.
  virtual bool Query(std::string_view name, RegistryValue* value) = 0;
  virtual bool Set(std::string_view name, std::uint32_t type,
                   const std::vector<std::uint8_t>& data) = 0;
  virtual bool Delete(std::string_view name) = 0;
  // Every value of the key, in the order the store keeps them. False when
  // they cannot be read.
  virtual bool List(std::vector<NamedValue>* values) = 0;
  // Why the last Set or Delete failed, when the store can tell the user
  // more than that it failed; empty otherwise.
  virtual std::string FailureText() { return std::string(); }
};

class RegistryStore {
 public:
  virtual ~RegistryStore() = default;
  // `path` is key names joined by '\', from the root, without a leading
  // backslash. Returns null when the key cannot be opened.
  virtual std::unique_ptr<RegistryKey> Open(RegistryRoot root, std::string_view path,
                                            KeyAccess access) = 0;
  // Deletes the key if it holds neither values nor keys; true when it did.
  // Nothing else is ever deleted with it (Windows 95/98 would delete a
  // whole tree).
  virtual bool DeleteKeyIfEmpty(RegistryRoot root, std::string_view path) = 0;
};

}  // namespace korvane
