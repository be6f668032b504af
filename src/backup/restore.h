// The restore: the registry put back as a backup file holds it.
#pragma once

#include <functional>

#include "backup/backup_store.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/status.h"

namespace korvane {

// Lets the user pick a backup in the open dialog on the backup folder and
// confirm it by name, then writes every value back with its type and
// deletes the values that did not exist. A file that is not one of the
// program's backups, or is damaged, is refused before anything changes.
// The writes go through `store`, so the restore is backed up in a file of
// its own first. `reload` then shows the restored values in the windows.
Status RestoreBackup(BackupRegistryStore& store, Dialogs& dialogs, FileSystem& files,
                     const std::function<Status()>& reload);

}  // namespace korvane
