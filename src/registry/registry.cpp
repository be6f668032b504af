#include "registry/registry.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "text/texts.h"

namespace korvane {

Status InvalidTypeError(std::string_view name) {
  return Status::Error(Format(TextId::kInvalidDataType, {name}));
}

Status ReadFailedError(std::string_view name) {
  return Status::Error(Format(TextId::kReadFailed, {name}));
}

Status WriteFailedError(std::string_view name) {
  return Status::Error(Format(TextId::kWriteFailed, {name}));
}

void Registry::SetRoot(RegistryRoot root) {
  if (root == root_) return;
  root_ = root;
  CloseKey();
}

bool Registry::Open(std::string_view path, KeyAccess access) {
  if (!path.empty() && path.front() == '\\') path.remove_prefix(1);
  auto key = store_.Open(root_, path, access);
  if (!key) return false;
  key_ = std::move(key);
  return true;
}

bool Registry::OpenKey(std::string_view path, bool create) {
  return Open(path, create ? KeyAccess::kCreate : KeyAccess::kReadWrite);
}

bool Registry::OpenKeyReadOnly(std::string_view path) { return Open(path, KeyAccess::kRead); }

bool Registry::ValueExists(std::string_view name) {
  RegistryValue value;
  return key_ && key_->Query(name, &value);
}

Result<std::string> Registry::ReadString(std::string_view name) {
  RegistryValue value;
  if (!key_ || !key_->Query(name, &value) || value.data.empty()) return std::string();
  if (value.type != kRegString && value.type != kRegExpandString) return InvalidTypeError(name);
  const auto end = std::find(value.data.begin(), value.data.end(), 0);
  return std::string(value.data.begin(), end);
}

Result<std::int32_t> Registry::ReadInteger(std::string_view name) {
  RegistryValue value;
  if (!key_ || !key_->Query(name, &value) || value.data.size() > 4) return ReadFailedError(name);
  if (value.type != kRegDword) return InvalidTypeError(name);
  std::uint32_t bits = 0;
  for (std::size_t i = 0; i < value.data.size(); ++i) {
    bits |= static_cast<std::uint32_t>(value.data[i]) << (8 * i);
  }
  return static_cast<std::int32_t>(bits);
}

Result<std::size_t> Registry::ReadBinary(std::string_view name, std::uint8_t* buffer,
                                         std::size_t size) {
  RegistryValue value;
  if (!key_ || !key_->Query(name, &value)) return std::size_t{0};
  const bool binary_like =
      value.type != kRegString && value.type != kRegExpandString && value.type != kRegDword;
  if (!binary_like || value.data.size() > size) return InvalidTypeError(name);
  if (!value.data.empty()) std::memcpy(buffer, value.data.data(), value.data.size());
  return value.data.size();
}

Status Registry::Write(std::string_view name, std::uint32_t type,
                       const std::vector<std::uint8_t>& data) {
  if (!key_) return WriteFailedError(name);
  if (key_->Set(name, type, data)) return Status::Ok();
  const std::string reason = key_->FailureText();
  return reason.empty() ? WriteFailedError(name) : Status::Error(reason);
}

Status Registry::WriteString(std::string_view name, std::string_view text) {
  std::vector<std::uint8_t> data(text.begin(), text.end());
  data.push_back(0);
  return Write(name, kRegString, data);
}

Status Registry::WriteInteger(std::string_view name, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  return Write(name, kRegDword,
               {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
                static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)});
}

Status Registry::WriteBinary(std::string_view name, std::span<const std::uint8_t> bytes) {
  return Write(name, kRegBinary, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

Status Registry::DeleteValue(std::string_view name) {
  if (!key_ || key_->Delete(name)) return Status::Ok();
  const std::string reason = key_->FailureText();
  return reason.empty() ? Status::Ok() : Status::Error(reason);
}

}  // namespace korvane
