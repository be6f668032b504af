#include "backup/backup_store.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "files/file_errors.h"
#include "files/paths.h"
#include "files/replace_file.h"
#include "platform/ascii.h"
#include "text/texts.h"

namespace korvane {
namespace {

bool HasName(const std::vector<std::string>& names, std::string_view name) {
  return std::any_of(names.begin(), names.end(),
                     [&](const std::string& other) { return EqualsIgnoreAsciiCase(other, name); });
}

// A string value's text, up to its first NUL.
std::string_view TextOf(const std::vector<std::uint8_t>& data) {
  const std::string_view bytes(reinterpret_cast<const char*>(data.data()), data.size());
  return bytes.substr(0, bytes.find('\0'));
}

bool HasValue(const std::vector<NamedValue>& values, std::string_view name) {
  return std::any_of(values.begin(), values.end(), [&](const NamedValue& value) {
    return EqualsIgnoreAsciiCase(value.name, name);
  });
}

// Whether `upper` is a key above `path`.
bool IsAbove(std::string_view upper, std::string_view path) {
  return upper.size() < path.size() && path[upper.size()] == '\\' &&
         EqualsIgnoreAsciiCase(upper, path.substr(0, upper.size()));
}

std::vector<RegFileKey>::iterator FindKey(RegFile& file, RegistryRoot root, std::string_view path) {
  return std::find_if(file.keys.begin(), file.keys.end(), [&](const RegFileKey& key) {
    return key.root == root && EqualsIgnoreAsciiCase(key.path, path);
  });
}

}  // namespace

AnsiCodePage SystemCodePage(FileSystem& files) {
  return {[&files](std::string_view text) { return files.ToSystemText(text); },
          [&files](std::string_view text) { return files.FromSystemText(text); }};
}

// A key that backs its values up before it changes them.
class BackupRegistryStore::Key : public RegistryKey {
 public:
  Key(BackupRegistryStore& store, std::unique_ptr<RegistryKey> inner, RegistryRoot root,
      std::string path, const BackedUpKey* entry)
      : store_(store),
        inner_(std::move(inner)),
        root_(root),
        path_(std::move(path)),
        entry_(entry) {}

  bool Query(std::string_view name, RegistryValue* value) override {
    return inner_->Query(name, value);
  }

  bool Set(std::string_view name, std::uint32_t type,
           const std::vector<std::uint8_t>& data) override {
    if (BackedUp(name)) {
      RegistryValue current;
      const bool unchanged =
          inner_->Query(name, &current) && current.type == type &&
          (type == kRegString ? TextOf(current.data) == TextOf(data) : current.data == data);
      if (!unchanged && !SaveBefore(name)) return store_.KeepFailure(failure_);
    }
    return inner_->Set(name, type, data);
  }

  bool Delete(std::string_view name) override {
    RegistryValue current;
    if (BackedUp(name) && inner_->Query(name, &current) && !SaveBefore(name)) {
      return store_.KeepFailure(failure_);
    }
    return inner_->Delete(name);
  }

  bool List(std::vector<NamedValue>* values) override { return inner_->List(values); }

  std::string FailureText() override {
    if (failure_.empty()) return inner_->FailureText();
    return std::exchange(failure_, std::string());
  }

 private:
  bool BackedUp(std::string_view name) const { return entry_ && IsBackedUpValue(*entry_, name); }
  bool SaveBefore(std::string_view name) {
    failure_.clear();
    return store_.SaveBefore(root_, path_, *entry_, *inner_, name, &failure_);
  }

  BackupRegistryStore& store_;
  std::unique_ptr<RegistryKey> inner_;
  RegistryRoot root_;
  std::string path_;
  const BackedUpKey* entry_;
  std::string failure_;
};

BackupRegistryStore::BackupRegistryStore(RegistryStore& inner, FileSystem& files, WallClock& clock,
                                         std::string folder)
    : inner_(inner), files_(files), clock_(clock), folder_(std::move(folder)) {}

std::unique_ptr<RegistryKey> BackupRegistryStore::Open(RegistryRoot root, std::string_view path,
                                                       KeyAccess access) {
  if (access == KeyAccess::kCreate && FindBackedUpKey(root, path)) NoteCreatedKeys(root, path);
  auto key = inner_.Open(root, path, access);
  if (!key) return nullptr;
  return std::make_unique<Key>(*this, std::move(key), root, std::string(path),
                               FindBackedUpKey(root, path));
}

bool BackupRegistryStore::DeleteKeyIfEmpty(RegistryRoot root, std::string_view path) {
  return inner_.DeleteKeyIfEmpty(root, path);
}

bool BackupRegistryStore::KeepFailure(std::string& failure) {
  if (!holding_) return false;
  if (held_failure_.empty()) held_failure_ = failure;
  failure.clear();
  return true;
}

void BackupRegistryStore::BeginNewFile() {
  file_path_.clear();
  file_ = RegFile{};
  // The keys that exist now are where the next file starts from.
  created_.clear();
}

void BackupRegistryStore::NoteCreatedKeys(RegistryRoot root, std::string_view path) {
  if (inner_.Open(root, path, KeyAccess::kRead)) return;
  // From the top down: the first key that is missing, and all below it.
  bool missing = false;
  for (std::size_t end = path.find('\\');; end = path.find('\\', end + 1)) {
    const std::string_view key = path.substr(0, end);
    missing = missing || !inner_.Open(root, key, KeyAccess::kRead);
    if (missing && !WasCreated(root, key)) created_.emplace_back(root, std::string(key));
    if (end == std::string_view::npos) return;
  }
}

bool BackupRegistryStore::WasCreated(RegistryRoot root, std::string_view path) const {
  return std::any_of(created_.begin(), created_.end(), [&](const auto& key) {
    return key.first == root && EqualsIgnoreAsciiCase(key.second, path);
  });
}

bool BackupRegistryStore::SaveBefore(RegistryRoot root, std::string_view path,
                                     const BackedUpKey& entry, RegistryKey& key,
                                     std::string_view name, std::string* failure) {
  if (file_path_.empty()) {
    file_path_ = NewFilePath();
    file_.stamp = DateTimeText(clock_.Now());
  }
  RegFile updated = file_;
  auto saved = FindKey(updated, root, path);
  bool grew = false;
  bool listed = true;
  if (saved == updated.keys.end()) {
    const bool created = WasCreated(root, path);
    // A key the program made is listed with those above it it made too,
    // top first, so that a restore removes them again.
    for (const auto& [created_root, upper] : created_) {
      if (created && created_root == root && IsAbove(upper, path) &&
          FindKey(updated, root, upper) == updated.keys.end()) {
        updated.keys.push_back({root, upper, {}, {}, true});
      }
    }
    RegFileKey added{root, std::string(path), {}, {}, created};
    std::vector<NamedValue> values;
    listed = key.List(&values);
    for (NamedValue& value : values) {
      if (IsBackedUpValue(entry, value.name)) added.values.push_back(std::move(value));
    }
    updated.keys.push_back(std::move(added));
    saved = updated.keys.end() - 1;
    grew = true;
  }
  if (!HasValue(saved->values, name) && !HasName(saved->absent, name)) {
    saved->absent.emplace_back(name);
    grew = true;
  }
  if (!grew) return true;
  // A key whose values cannot be listed cannot be backed up either.
  std::string where;
  if (!listed || !Save(updated, &where)) {
    *failure = Format(TextId::kBackupFailed, {file_path_, name});
    if (!where.empty()) *failure += "\n" + where;
    return false;
  }
  file_ = std::move(updated);
  return true;
}

bool BackupRegistryStore::Save(const RegFile& file, std::string* where) {
  // Replaced, never written over: the file already holds keys that have
  // changed since, and must stay whole until its successor is in its place.
  if (!files_.MakeFolder(FolderOf(folder_)) || !files_.MakeFolder(folder_)) return false;
  const Status replaced = ReplaceFile(files_, FolderOf(folder_), file_path_,
                                      FormatRegFile(file, SystemCodePage(files_)));
  // A successor that could not be written is no news beside the refusal.
  if (replaced.message() != CannotCreateFileError(file_path_).message()) {
    *where = replaced.message();
  }
  return replaced.ok();
}

std::string BackupRegistryStore::NewFilePath() {
  // "19991123-210509.reg", then "19991123-210509_2.reg" within the same
  // second: in the open dialog they sort by date and time.
  std::string stem;
  for (const char c : DateTimeText(clock_.Now())) {
    if (c == ' ') stem += '-';
    if (c >= '0' && c <= '9') stem += c;
  }
  std::string path = JoinPath(folder_, stem + ".reg");
  for (int n = 2; files_.Exists(path); ++n) {
    path = JoinPath(folder_, stem + "_" + std::to_string(n) + ".reg");
  }
  return path;
}

}  // namespace korvane
