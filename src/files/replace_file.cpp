#include "files/replace_file.h"

#include "files/file_errors.h"
#include "files/paths.h"
#include "files/replace_journal.h"
#include "text/texts.h"

namespace korvane {
namespace {

using T = TextId;

// In the program folder; 8.3, as every name the program makes there.
constexpr char kJournalName[] = "replace.jnl";

// The files of one replace; `aside` is empty when there was no old file.
struct Replacement {
  std::string path;
  std::string fresh;
  std::string aside;
};

// Where a replace stands: the old file still in place, moved aside, or
// aside with the new text already in place.
enum class Step { kMoveOldAside, kMoveNewIn, kRemoveOld };

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

std::string JournalPath(FileSystem& files) {
  const std::string program = files.ProgramPath();
  return program.empty() ? std::string() : JoinPath(FolderOf(program), kJournalName);
}

// The old file is in place; the new text only in `fresh`.
Status NotReplacedError(const std::string& path, const std::string& fresh) {
  return Status::Error(Format(T::kCannotReplaceFile, {path, fresh}));
}

// Neither text is at `path` as it should be.
Status StuckError(const std::string& path, const std::string& old_text,
                  const std::string& new_text) {
  return Status::Error(Format(T::kReplaceStuck, {path, old_text, new_text}));
}

// The renames and the delete, from `step` on. Any failure puts the old file
// back.
Status RunSteps(FileSystem& files, const Replacement& r, Step step) {
  if (step == Step::kMoveOldAside && !r.aside.empty() && !files.Rename(r.path, r.aside)) {
    return NotReplacedError(r.path, r.fresh);
  }
  if (step == Step::kRemoveOld || files.Rename(r.fresh, r.path)) {
    if (r.aside.empty() || files.Remove(r.aside)) return Status::Ok();
    // An old file that cannot be deleted (a read-only one) is not to be
    // replaced either: the new one goes back out.
    if (!files.Rename(r.path, r.fresh)) return StuckError(r.path, r.aside, r.path);
  }
  if (r.aside.empty() || files.Rename(r.aside, r.path)) return NotReplacedError(r.path, r.fresh);
  return StuckError(r.path, r.aside, r.fresh);
}

// Takes up a replace where its journal and the files show it stopped; what
// the user is to read of it, or nothing when it had ended. An error when it
// could not be finished, which names where each text is.
Result<std::string> Resume(FileSystem& files, const ReplaceJournal& journal) {
  const auto holds_new = [&](const std::string& at) {
    const auto bytes = files.Read(at);
    return bytes && HoldsNewText(journal, *bytes);
  };
  const Replacement r{journal.target, journal.fresh,
                      !journal.aside.empty() && files.Exists(journal.aside) ? journal.aside : ""};
  Status resumed;
  if (holds_new(r.fresh)) {
    // The new text is whole where it was written: the replace goes on.
    resumed = files.Exists(r.path) ? ReplaceFileWith(files, r.path, r.fresh)
                                   : RunSteps(files, r, Step::kMoveNewIn);
  } else if (!r.aside.empty() && holds_new(r.path)) {
    resumed = RunSteps(files, r, Step::kRemoveOld);
  } else if (!r.aside.empty() && !files.Exists(r.path)) {
    // Only the old text is left.
    if (files.Rename(r.aside, r.path)) return Format(T::kInterruptedWriteUndone, {r.path});
    return Status::Error(Format(T::kInterruptedWriteNotFinished,
                                {Format(T::kOldTextNotPutBack, {r.path, r.aside})}));
  } else {
    return std::string();  // it had ended, or these are no longer its files
  }
  if (!resumed.ok()) {
    return Status::Error(Format(T::kInterruptedWriteNotFinished, {resumed.message()}));
  }
  return Format(T::kInterruptedWriteFinished, {r.path});
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
  Replacement r{path, fresh, std::string()};
  if (files.Exists(path)) {
    r.aside = TemporaryPathBeside(files, path);
    if (r.aside.empty()) return NotReplacedError(path, fresh);
  }
  // Without a journal (a read-only program folder) the replace still runs;
  // only a reset in its midst then goes unrepaired.
  const std::string journal = JournalPath(files);
  const auto text = files.Read(fresh);
  const bool journaled = !journal.empty() && text;
  if (journaled) {
    files.WriteFlushed(journal, FormatReplaceJournal(JournalOf(path, fresh, r.aside, *text)));
  }
  const Status replaced = RunSteps(files, r, Step::kMoveOldAside);
  if (journaled) files.Remove(journal);
  return replaced;
}

Result<std::string> RecoverInterruptedReplace(FileSystem& files) {
  const std::string path = JournalPath(files);
  if (path.empty() || !files.Exists(path)) return std::string();
  // One held open elsewhere is left for the next start.
  const auto text = files.Read(path);
  if (!text) return std::string();
  // A journal cut short was being written before anything was renamed.
  const auto journal = ReadReplaceJournal(*text);
  const Result<std::string> said = journal ? Resume(files, *journal) : std::string();
  files.Remove(path);
  return said;
}

}  // namespace korvane
