// Wraps a store so that writes of one value name fail, as a full or
// protected registry would make them.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "platform/ascii.h"
#include "platform/registry_store.h"

namespace korvane {

class FaultyRegistryStore : public RegistryStore {
 public:
  explicit FaultyRegistryStore(RegistryStore& inner) : inner_(inner) {}

  // Every later write (or delete) of a value of this name fails.
  void FailWritesOf(std::string name) { failing_name_ = std::move(name); }

  std::unique_ptr<RegistryKey> Open(RegistryRoot root, std::string_view path,
                                    KeyAccess access) override {
    auto key = inner_.Open(root, path, access);
    if (!key) return nullptr;
    return std::make_unique<Key>(std::move(key), failing_name_);
  }
  bool DeleteKeyIfEmpty(RegistryRoot root, std::string_view path) override {
    return inner_.DeleteKeyIfEmpty(root, path);
  }

 private:
  class Key : public RegistryKey {
   public:
    Key(std::unique_ptr<RegistryKey> inner, const std::string& failing_name)
        : inner_(std::move(inner)), failing_name_(failing_name) {}
    bool Query(std::string_view name, RegistryValue* value) override {
      return inner_->Query(name, value);
    }
    bool Set(std::string_view name, std::uint32_t type,
             const std::vector<std::uint8_t>& data) override {
      return !Fails(name) && inner_->Set(name, type, data);
    }
    bool Delete(std::string_view name) override { return !Fails(name) && inner_->Delete(name); }
    bool List(std::vector<NamedValue>* values) override { return inner_->List(values); }
    std::string FailureText() override { return inner_->FailureText(); }

   private:
    bool Fails(std::string_view name) const {
      return !failing_name_.empty() && EqualsIgnoreAsciiCase(name, failing_name_);
    }
    std::unique_ptr<RegistryKey> inner_;
    const std::string& failing_name_;
  };

  RegistryStore& inner_;
  std::string failing_name_;
};

}  // namespace korvane
