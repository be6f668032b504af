// Where the program writes its own files: the batch files and what the
// tools print into files, the PIN dump and its copy, the replace journals
// and the registry backups. That is the program's folder, unless it takes
// no new file: Korvane was tried from a magazine's CD, a write-protected
// floppy or a read-only share. Then it is a folder of the program's own in
// the Windows folder, where Windows 95/98 programs kept their files (there
// is no per-user application folder before Internet Explorer 4's shell).
// The outside tools are still run from where they are.
#pragma once

#include <string>

#include "platform/file_system.h"

namespace korvane {

struct WorkFolder {
  std::string program;  // the program's folder, in 8.3 form
  std::string path;     // where its files go; made when first needed
  bool moved() const { return path != program; }
};

// Tries a new file in the program's folder, and removes it again.
WorkFolder ChooseWorkFolder(FileSystem& files);

}  // namespace korvane
