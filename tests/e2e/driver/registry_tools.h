// The real registry of the simulated machine, as the tests seed and read it.
// Texts are UTF-8; the wide-character API keeps them exact.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

struct Value {
  DWORD type = REG_NONE;
  std::vector<std::uint8_t> data;  // strings as UTF-8 with their NUL
  std::string text() const;        // a string's text, up to the NUL
  std::optional<std::uint32_t> dword() const;
};

void DeleteKey(HKEY root, const std::string& path);
// A volatile key lives until Wine's server ends, and no lasting key can be
// created below it: the way to a key the program cannot make.
void CreateKey(HKEY root, const std::string& path, bool is_volatile = false);
bool KeyExists(HKEY root, const std::string& path);
void SetString(HKEY root, const std::string& path, const std::string& name,
               const std::string& text);
void SetDword(HKEY root, const std::string& path, const std::string& name, std::uint32_t value);
void SetBinary(HKEY root, const std::string& path, const std::string& name,
               const std::vector<std::uint8_t>& bytes);
void DeleteValue(HKEY root, const std::string& path, const std::string& name);
std::optional<Value> Get(HKEY root, const std::string& path, const std::string& name);
// Value names in the spelling they are stored with.
std::vector<std::string> ValueNames(HKEY root, const std::string& path);
// Every value below a key and its sub-keys, as "sub\key|name|type|data" lines.
std::vector<std::string> Snapshot(HKEY root, const std::string& path);

std::wstring Wide(const std::string& utf8);
std::string Utf8(const std::wstring& wide);

}  // namespace e2e
