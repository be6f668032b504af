#include "driver/registry_tools.h"

#include <algorithm>
#include <cstdio>

namespace e2e {

std::wstring Wide(const std::string& utf8) {
  const int size =
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(size, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), size);
  return wide;
}

std::string Utf8(const std::wstring& wide) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string utf8(size, '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), size,
                      nullptr, nullptr);
  return utf8;
}

std::string Value::text() const {
  const auto end = std::find(data.begin(), data.end(), 0);
  return std::string(data.begin(), end);
}

std::optional<std::uint32_t> Value::dword() const {
  if (type != REG_DWORD || data.size() != 4) return std::nullopt;
  return data[0] | (data[1] << 8) | (data[2] << 16) | (static_cast<std::uint32_t>(data[3]) << 24);
}

void DeleteKey(HKEY root, const std::string& path) {
  RegDeleteTreeW(root, Wide(path).c_str());
  RegDeleteKeyW(root, Wide(path).c_str());
}

void CreateKey(HKEY root, const std::string& path, bool is_volatile) {
  HKEY key;
  if (RegCreateKeyExW(root, Wide(path).c_str(), 0, nullptr,
                      is_volatile ? REG_OPTION_VOLATILE : REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                      nullptr, &key, nullptr) == ERROR_SUCCESS) {
    RegCloseKey(key);
  }
}

bool KeyExists(HKEY root, const std::string& path) {
  HKEY key;
  if (RegOpenKeyExW(root, Wide(path).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

namespace {

void SetRaw(HKEY root, const std::string& path, const std::string& name, DWORD type,
            const void* data, DWORD size) {
  HKEY key;
  if (RegCreateKeyExW(root, Wide(path).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    std::fprintf(stderr, "cannot create %s\n", path.c_str());
    return;
  }
  RegSetValueExW(key, Wide(name).c_str(), 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
}

}  // namespace

void SetString(HKEY root, const std::string& path, const std::string& name,
               const std::string& text) {
  const std::wstring wide = Wide(text);
  SetRaw(root, path, name, REG_SZ, wide.c_str(),
         static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
}

void SetDword(HKEY root, const std::string& path, const std::string& name, std::uint32_t value) {
  SetRaw(root, path, name, REG_DWORD, &value, sizeof(value));
}

void SetBinary(HKEY root, const std::string& path, const std::string& name,
               const std::vector<std::uint8_t>& bytes) {
  SetRaw(root, path, name, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
}

void DeleteValue(HKEY root, const std::string& path, const std::string& name) {
  HKEY key;
  if (RegOpenKeyExW(root, Wide(path).c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  RegDeleteValueW(key, Wide(name).c_str());
  RegCloseKey(key);
}

std::optional<Value> Get(HKEY root, const std::string& path, const std::string& name) {
  HKEY key;
  if (RegOpenKeyExW(root, Wide(path).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  DWORD type = 0;
  DWORD size = 0;
  const std::wstring wide_name = Wide(name);
  if (RegQueryValueExW(key, wide_name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
    RegCloseKey(key);
    return std::nullopt;
  }
  std::vector<std::uint8_t> data(size);
  RegQueryValueExW(key, wide_name.c_str(), nullptr, &type, data.data(), &size);
  RegCloseKey(key);
  Value value;
  value.type = type;
  if (type == REG_SZ || type == REG_EXPAND_SZ) {
    std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), size / sizeof(wchar_t));
    const std::string utf8 = Utf8(text);
    value.data.assign(utf8.begin(), utf8.end());
    if (value.data.empty() || value.data.back() != 0) value.data.push_back(0);
  } else {
    value.data = std::move(data);
  }
  return value;
}

std::vector<std::string> ValueNames(HKEY root, const std::string& path) {
  std::vector<std::string> names;
  HKEY key;
  if (RegOpenKeyExW(root, Wide(path).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return names;
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    DWORD length = 256;
    if (RegEnumValueW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
      break;
    }
    names.push_back(Utf8(std::wstring(name, length)));
  }
  RegCloseKey(key);
  return names;
}

std::vector<std::string> Snapshot(HKEY root, const std::string& path) {
  std::vector<std::string> lines;
  for (const std::string& name : ValueNames(root, path)) {
    const auto value = Get(root, path, name);
    std::string line = path + "|" + name + "|" + std::to_string(value->type) + "|";
    for (const std::uint8_t byte : value->data) {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%02x", byte);
      line += hex;
    }
    lines.push_back(line);
  }
  HKEY key;
  if (RegOpenKeyExW(root, Wide(path).c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
    std::vector<std::string> subkeys;
    for (DWORD i = 0;; ++i) {
      wchar_t name[256];
      DWORD length = 256;
      if (RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
          ERROR_SUCCESS) {
        break;
      }
      subkeys.push_back(Utf8(std::wstring(name, length)));
    }
    RegCloseKey(key);
    for (const std::string& sub : subkeys) {
      const auto below = Snapshot(root, path + "\\" + sub);
      lines.insert(lines.end(), below.begin(), below.end());
    }
  }
  std::sort(lines.begin(), lines.end());
  return lines;
}

}  // namespace e2e
