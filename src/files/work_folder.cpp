#include "files/work_folder.h"

#include "files/paths.h"

namespace korvane {
namespace {

constexpr char kProbeName[] = "~kvnprb.tmp";
constexpr char kOwnFolderName[] = "KORVANE";

}  // namespace

WorkFolder ChooseWorkFolder(FileSystem& files) {
  WorkFolder folder;
  folder.program = FolderOf(files.ProgramPath());
  folder.path = folder.program;
  const std::string probe = JoinPath(folder.program, kProbeName);
  // Flushed: a write-behind cache on a removable disk takes a write and
  // fails only when it puts it on the disk.
  if (files.WriteFlushed(probe, std::string_view())) {
    files.Remove(probe);
    return folder;
  }
  const std::string windows = files.WindowsFolder();
  if (windows.empty()) return folder;
  // In 8.3 form, as the batch lines name every path.
  const std::string short_windows = files.ShortPath(windows);
  folder.path = JoinPath(short_windows.empty() ? windows : short_windows, kOwnFolderName);
  return folder;
}

}  // namespace korvane
