#include "win32/win32_registry_store.h"

#include <windows.h>

#include <string>
#include <vector>

#include "win32/text_encoding.h"

namespace korvane::win32 {
namespace {

bool IsStringType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

class Win32RegistryKey : public RegistryKey {
 public:
  explicit Win32RegistryKey(HKEY key) : key_(key) {}
  ~Win32RegistryKey() override { RegCloseKey(key_); }

  bool Query(std::string_view name, RegistryValue* value) override {
    const std::string ansi_name = ToAnsi(name);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key_, ansi_name.c_str(), nullptr, &type, nullptr, &size) !=
        ERROR_SUCCESS) {
      return false;
    }
    std::vector<std::uint8_t> data(size);
    if (size > 0 && RegQueryValueExA(key_, ansi_name.c_str(), nullptr, &type, data.data(), &size) !=
                        ERROR_SUCCESS) {
      return false;
    }
    data.resize(size);
    value->type = type;
    if (IsStringType(type)) {
      const std::string text = FromAnsi(std::string(data.begin(), data.end()));
      value->data.assign(text.begin(), text.end());
    } else {
      value->data = std::move(data);
    }
    return true;
  }

  bool Set(std::string_view name, std::uint32_t type,
           const std::vector<std::uint8_t>& data) override {
    std::string bytes(data.begin(), data.end());
    if (IsStringType(type)) bytes = ToAnsi(bytes);
    return RegSetValueExA(key_, ToAnsi(name).c_str(), 0, type,
                          reinterpret_cast<const BYTE*>(bytes.data()),
                          static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
  }

  bool Delete(std::string_view name) override {
    return RegDeleteValueA(key_, ToAnsi(name).c_str()) == ERROR_SUCCESS;
  }

  bool List(std::vector<NamedValue>* values) override {
    values->clear();
    DWORD longest_name = 0;
    if (RegQueryInfoKeyA(key_, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                         &longest_name, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
      return false;
    }
    // Windows 95 counts the name without its NUL, NT with it.
    std::vector<char> name(longest_name + 2);
    for (DWORD index = 0;; ++index) {
      DWORD length = static_cast<DWORD>(name.size());
      const LONG result =
          RegEnumValueA(key_, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
      if (result == ERROR_NO_MORE_ITEMS) return true;
      if (result != ERROR_SUCCESS) return false;
      NamedValue entry{FromAnsi(std::string_view(name.data(), length)), {}};
      if (!Query(entry.name, &entry.value)) return false;
      values->push_back(std::move(entry));
    }
  }

 private:
  HKEY key_;
};

}  // namespace

std::unique_ptr<RegistryKey> Win32RegistryStore::Open(RegistryRoot root, std::string_view path,
                                                      KeyAccess access) {
  const HKEY base = root == RegistryRoot::kLocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
  const std::string ansi_path = ToAnsi(path);
  HKEY key = nullptr;
  LONG result;
  if (access == KeyAccess::kCreate) {
    DWORD disposition = 0;
    result = RegCreateKeyExA(base, ansi_path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                             KEY_ALL_ACCESS, nullptr, &key, &disposition);
  } else {
    result = RegOpenKeyExA(base, ansi_path.c_str(), 0,
                           access == KeyAccess::kRead ? KEY_READ : KEY_ALL_ACCESS, &key);
  }
  if (result != ERROR_SUCCESS) return nullptr;
  return std::make_unique<Win32RegistryKey>(key);
}

bool Win32RegistryStore::DeleteKeyIfEmpty(RegistryRoot root, std::string_view path) {
  const HKEY base = root == RegistryRoot::kLocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
  const std::string ansi_path = ToAnsi(path);
  HKEY key = nullptr;
  if (RegOpenKeyExA(base, ansi_path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  DWORD keys = 0;
  DWORD values = 0;
  const LONG counted = RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &keys, nullptr, nullptr,
                                        &values, nullptr, nullptr, nullptr, nullptr);
  RegCloseKey(key);
  // Windows 95/98 deletes a key with everything below it: only an empty one
  // goes.
  if (counted != ERROR_SUCCESS || keys != 0 || values != 0) return false;
  return RegDeleteKeyA(base, ansi_path.c_str()) == ERROR_SUCCESS;
}

}  // namespace korvane::win32
