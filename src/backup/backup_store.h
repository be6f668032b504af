// The registry as the program's windows use it: before the first real
// change of a value in one of the keys the program writes in, that key's
// values as they were are saved into this run's backup file, a REGEDIT4
// file in the backup folder named by the date and time. A change that
// cannot be backed up is not made.
//
// A real change creates or deletes a value, or gives it other data or
// another type. Writing back what a value already holds, as start-up does,
// changes nothing and makes no file; a string counts as the same up to its
// end, whatever a writer of the value left after it.
//
// While the windows load, a change that cannot be backed up is left unmade
// without failing the load, and why is kept to be told.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "backup/backed_up_keys.h"
#include "backup/reg_file.h"
#include "platform/file_system.h"
#include "platform/registry_store.h"
#include "platform/wall_clock.h"

namespace korvane {

class BackupRegistryStore : public RegistryStore {
 public:
  BackupRegistryStore(RegistryStore& inner, FileSystem& files, WallClock& clock,
                      std::string folder);

  std::unique_ptr<RegistryKey> Open(RegistryRoot root, std::string_view path,
                                    KeyAccess access) override;
  bool DeleteKeyIfEmpty(RegistryRoot root, std::string_view path) override;

  const std::string& folder() const { return folder_; }
  // The file this run's changes are backed up in; empty until the first.
  const std::string& file_path() const { return file_path_; }
  // The changes from here on go into a file of their own, so that what
  // comes next (a restore) can be undone by itself.
  void BeginNewFile();

  // From `Hold(true)` until `Hold(false)`, a change that cannot be backed up
  // is left unmade and succeeds; why the first could not be is kept.
  void HoldFailures(bool hold) { holding_ = hold; }
  const std::string& held_failure() const { return held_failure_; }

 private:
  class Key;

  // Puts the key's values into the file, unless it holds them already, and
  // notes `name` if it did not exist. False, with the reason in `failure`,
  // when the file cannot be saved.
  bool SaveBefore(RegistryRoot root, std::string_view path, const BackedUpKey& entry,
                  RegistryKey& key, std::string_view name, std::string* failure);
  // Puts `file` in the backup file's place. False when it cannot; `where`
  // then says where the two files' texts are, when the written one could not
  // take the old one's place.
  bool Save(const RegFile& file, std::string* where);
  std::string NewFilePath();
  // Notes the keys an open with create is about to make, the key and those
  // above it that do not exist yet.
  void NoteCreatedKeys(RegistryRoot root, std::string_view path);
  bool WasCreated(RegistryRoot root, std::string_view path) const;
  // A change the file could not take: while failures are held, kept to be
  // told and taken as made (true); otherwise a failure (false).
  bool KeepFailure(std::string& failure);

  RegistryStore& inner_;
  FileSystem& files_;
  WallClock& clock_;
  std::string folder_;
  std::string file_path_;
  RegFile file_;  // what the file holds
  bool holding_ = false;
  std::string held_failure_;
  // Keys the program made since this file began, on the way to a key it
  // keeps a backup of, each with the keys above it before it.
  std::vector<std::pair<RegistryRoot, std::string>> created_;
};

// The file system's ANSI conversions, for the backup file.
AnsiCodePage SystemCodePage(FileSystem& files);

}  // namespace korvane
