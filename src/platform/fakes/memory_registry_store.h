// A registry held in memory, with the system's rules: names compare without
// regard to ASCII case, writing a name that differs only in case replaces the
// value and keeps the stored spelling, and a key opened for reading refuses
// writes. Tests and the simulated machine also use it to seed and inspect.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry_store.h"

namespace korvane {

class MemoryRegistryStore : public RegistryStore {
 public:
  struct Write {
    enum class Kind { kSet, kDelete };
    Kind kind;
    RegistryRoot root;
    std::string path;  // as stored, names joined by '\'
    std::string name;
    RegistryValue value;  // empty for a delete
  };

  MemoryRegistryStore();
  ~MemoryRegistryStore() override;

  std::unique_ptr<RegistryKey> Open(RegistryRoot root, std::string_view path,
                                    KeyAccess access) override;
  bool DeleteKeyIfEmpty(RegistryRoot root, std::string_view path) override;

  // Seeding and inspection; paths are written as the program writes them,
  // a leading backslash allowed.
  void PutString(RegistryRoot root, std::string_view path, std::string_view name,
                 std::string_view text);
  void PutDword(RegistryRoot root, std::string_view path, std::string_view name,
                std::uint32_t value);
  void PutBinary(RegistryRoot root, std::string_view path, std::string_view name,
                 std::vector<std::uint8_t> bytes);
  void Put(RegistryRoot root, std::string_view path, std::string_view name, RegistryValue value);
  void CreateKey(RegistryRoot root, std::string_view path);
  void DeleteKey(RegistryRoot root, std::string_view path);

  bool KeyExists(RegistryRoot root, std::string_view path) const;
  std::optional<RegistryValue> Get(RegistryRoot root, std::string_view path,
                                   std::string_view name) const;
  // The text of a string value without its NUL, or empty when it is missing
  // or not a string.
  std::optional<std::string> GetString(RegistryRoot root, std::string_view path,
                                       std::string_view name) const;
  std::optional<std::uint32_t> GetDword(RegistryRoot root, std::string_view path,
                                        std::string_view name) const;
  // Value names below a key, in the spelling they were stored with.
  std::vector<std::string> ValueNames(RegistryRoot root, std::string_view path) const;

  // Every value written or deleted through opened keys, in order.
  const std::vector<Write>& writes() const { return writes_; }
  void ClearWrites() { writes_.clear(); }

 private:
  struct Node;
  class Key;

  Node* Find(RegistryRoot root, std::string_view path) const;
  Node* FindOrCreate(RegistryRoot root, std::string_view path);
  Node* RootNode(RegistryRoot root) const;

  std::unique_ptr<Node> local_machine_;
  std::unique_ptr<Node> current_user_;
  // Deleted keys are kept until the store goes, so open keys never dangle.
  std::vector<std::unique_ptr<Node>> deleted_;
  std::vector<Write> writes_;
};

RegistryValue StringValue(std::string_view text);
RegistryValue DwordValue(std::uint32_t value);
RegistryValue BinaryValue(std::vector<std::uint8_t> bytes);

}  // namespace korvane
