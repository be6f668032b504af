#include "files/replace_file.h"

#include "files/file_errors.h"
#include "files/paths.h"
#include "text/texts.h"

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

// The old file is in place; the new text only in `fresh`.
Status NotReplacedError(const std::string& path, const std::string& fresh) {
  return Status::Error(Format(TextId::kCannotReplaceFile, {path, fresh}));
}

// Neither text is at `path` as it should be.
Status StuckError(const std::string& path, const std::string& old_text,
                  const std::string& new_text) {
  return Status::Error(Format(TextId::kReplaceStuck, {path, old_text, new_text}));
}

}  // namespace

Status ReplaceFile(FileSystem& files, const std::string& path, std::string_view bytes) {
  const std::string temporary = TemporaryPathBeside(files, path);
  if (temporary.empty() || !files.WriteFlushed(temporary, bytes)) {
    if (!temporary.empty()) files.Remove(temporary);
    return CannotCreateFileError(path);
  }
  return ReplaceFileWith(files, path, temporary);
}

Status ReplaceFileWith(FileSystem& files, const std::string& path, const std::string& fresh) {
  if (!files.Exists(path)) {
    return files.Rename(fresh, path) ? Status::Ok() : NotReplacedError(path, fresh);
  }
  const std::string aside = TemporaryPathBeside(files, path);
  if (aside.empty() || !files.Rename(path, aside)) return NotReplacedError(path, fresh);
  if (files.Rename(fresh, path)) {
    if (files.Remove(aside)) return Status::Ok();
    // An old file that cannot be deleted (a read-only one) is not to be
    // replaced either: the new one goes back out.
    if (!files.Rename(path, fresh)) return StuckError(path, aside, path);
  }
  if (files.Rename(aside, path)) return NotReplacedError(path, fresh);
  return StuckError(path, aside, fresh);
}

}  // namespace korvane
