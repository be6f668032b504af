// Saving the machine report.
#pragma once

#include <string_view>

#include "platform/clipboard.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/status.h"

namespace korvane {

// Writes the report where the user chooses in the save dialog, in the
// system's ANSI code page, and copies it to the clipboard too. Nothing
// happens when the dialog is cancelled. `work_folder` takes the journal of
// the save.
Status SaveReport(std::string_view report, Dialogs& dialogs, FileSystem& files,
                  std::string_view work_folder, Clipboard& clipboard);

}  // namespace korvane
