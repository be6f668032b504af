#include "backup/restore.h"

#include <string>

#include "backup/backed_up_keys.h"
#include "backup/reg_file.h"
#include "files/file_errors.h"
#include "files/paths.h"
#include "platform/ascii.h"
#include "registry/registry.h"
#include "text/information_box.h"
#include "text/texts.h"

namespace korvane {
namespace {

using T = TextId;

// Whether the file writes only where the program keeps backups.
bool StaysInBackedUpKeys(const RegFile& file) {
  for (const RegFileKey& key : file.keys) {
    const BackedUpKey* entry = FindBackedUpKey(key.root, key.path);
    // A key the program made on the way to one of its keys holds nothing.
    if (!entry && key.created && key.values.empty() && key.absent.empty() &&
        LeadsToBackedUpKey(key.root, key.path)) {
      continue;
    }
    if (!entry) return false;
    for (const NamedValue& value : key.values) {
      if (!IsBackedUpValue(*entry, value.name)) return false;
    }
    for (const std::string& name : key.absent) {
      if (!IsBackedUpValue(*entry, name)) return false;
    }
  }
  return true;
}

Status Refused(RegistryKey& key, std::string_view name) {
  const std::string reason = key.FailureText();
  return reason.empty() ? WriteFailedError(name) : Status::Error(reason);
}

struct Counts {
  int written = 0;
  int deleted = 0;
};

const NamedValue* Find(const std::vector<NamedValue>& values, std::string_view name) {
  for (const NamedValue& value : values) {
    if (EqualsIgnoreAsciiCase(value.name, name)) return &value;
  }
  return nullptr;
}

Status PutBack(RegistryStore& store, const RegFileKey& saved, Counts* counts) {
  // A key with only values to delete is not created for them.
  const bool writes = !saved.values.empty();
  auto key =
      store.Open(saved.root, saved.path, writes ? KeyAccess::kCreate : KeyAccess::kReadWrite);
  if (!key) return writes ? WriteFailedError(saved.values.front().name) : Status::Ok();
  std::vector<NamedValue> stored;
  key->List(&stored);
  for (const NamedValue& value : saved.values) {
    const NamedValue* now = Find(stored, value.name);
    if (now && now->name == value.name && now->value == value.value) continue;
    // Writing keeps a stored name's spelling: one spelt otherwise since
    // ("FlipOnVBlank" for "FlipOnVblank") goes first.
    if (now && now->name != value.name && !key->Delete(now->name)) return Refused(*key, now->name);
    if (!key->Set(value.name, value.value.type, value.value.data)) return Refused(*key, value.name);
    ++counts->written;
  }
  for (const std::string& name : saved.absent) {
    if (!Find(stored, name)) continue;
    if (!key->Delete(name)) return Refused(*key, name);
    ++counts->deleted;
  }
  return Status::Ok();
}

}  // namespace

Status RestoreBackup(BackupRegistryStore& store, Dialogs& dialogs, FileSystem& files,
                     const std::function<Status()>& reload) {
  FileDialogOptions options;
  options.title = Text(T::kRestoreDialogTitle);
  options.filter = Text(T::kRestoreFilter);
  options.default_extension = "reg";
  options.folder = store.folder();
  const auto path = dialogs.OpenFile(options);
  if (!path) return Status::Ok();

  const auto bytes = files.Read(*path);
  if (!bytes) return CannotOpenFileError(*path);
  RegFileError error;
  const auto backup = ParseRegFile(*bytes, SystemCodePage(files), &error);
  if (!backup && !error.foreign) {
    return Status::Error(Format(T::kDamagedBackup, {*path, std::to_string(error.line)}));
  }
  if (!backup || !StaysInBackedUpKeys(*backup)) {
    return Status::Error(Format(T::kNotABackup, {*path}));
  }

  const std::string name(FileName(*path));
  if (dialogs.Message(Format(T::kRestoreQuestion, {name}), Text(T::kQuestionCaption),
                      MessageButtons::kOkCancel, MessageIcon::kNone) != MessageAnswer::kOk) {
    return Status::Ok();
  }

  store.BeginNewFile();
  Counts counts;
  Status put_back;
  for (const RegFileKey& key : backup->keys) {
    put_back = PutBack(store, key, &counts);
    if (!put_back.ok()) break;
  }
  // Keys the program made go again once empty, those below first; a key
  // that holds something since is left alone.
  for (auto key = backup->keys.rbegin(); put_back.ok() && key != backup->keys.rend(); ++key) {
    if (key->created) store.DeleteKeyIfEmpty(key->root, key->path);
  }
  // What was put back before a failure shows too.
  const Status reloaded = reload();
  RETURN_IF_ERROR(put_back);
  RETURN_IF_ERROR(reloaded);

  const std::string told =
      counts.written + counts.deleted == 0
          ? Format(T::kAlreadyRestored, {name})
          : Format(T::kRestored, {name, std::to_string(counts.written),
                                  std::to_string(counts.deleted), store.file_path()});
  Inform(dialogs, told);
  return Status::Ok();
}

}  // namespace korvane
