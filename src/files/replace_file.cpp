#include "files/replace_file.h"

#include "files/file_errors.h"
#include "files/paths.h"

namespace korvane {
namespace {

// Beside the target, under a name no file has yet.
std::string TemporaryPathBeside(FileSystem& files, const std::string& path) {
  const std::string folder = FolderOf(path);
  for (int n = 0; n < 1000; ++n) {
    const std::string name = "~kvn" + std::to_string(n) + ".tmp";
    std::string candidate = folder.empty() ? name : JoinPath(folder, name);
    if (!files.Exists(candidate)) return candidate;
  }
  return std::string();
}

}  // namespace

Status ReplaceFile(FileSystem& files, const std::string& path, std::string_view bytes) {
  const std::string temporary = TemporaryPathBeside(files, path);
  if (temporary.empty()) return CannotCreateFileError(path);
  if (!files.Write(temporary, bytes)) {
    files.Remove(temporary);
    return CannotCreateFileError(path);
  }
  // Windows 95/98 cannot replace a file in one step: delete, then rename. A
  // file that cannot be deleted (read-only) stays as it was.
  if (files.Exists(path) && !files.Remove(path)) {
    files.Remove(temporary);
    return CannotCreateFileError(path);
  }
  // Should the rename fail, the text stays in the temporary file.
  if (!files.Rename(temporary, path)) return CannotCreateFileError(path);
  return Status::Ok();
}

}  // namespace korvane
