#include "files/replace_file.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "files/file_errors.h"
#include "files/paths.h"
#include "files/replace_journal.h"
#include "platform/ascii.h"
#include "text/texts.h"

namespace korvane {
namespace {

using T = TextId;

// In the work folder, 8.3 as every name the program makes there: "repl"
// and a number, higher for a later replace. The first version kept one
// journal, "replace.jnl"; one left by it is the oldest.
constexpr std::string_view kJournalStem = "repl";
constexpr std::string_view kJournalExtension = ".jnl";
constexpr std::string_view kFirstJournal = "replace.jnl";
constexpr int kJournalDigits = 4;

// The files of one replace; `aside` is empty when there was no old file.
struct Replacement {
  const std::string& path;
  const std::string& fresh;
  const std::string& aside;
};

// Where a replace stands: the old file still in place, moved aside, or
// aside with the new text already in place.
enum class Step { kMoveOldAside, kMoveNewIn, kRemoveOld };

// The journal's number: 0 for the first version's, 1 and up for "repl0000"
// and on; none for a file that is no journal.
std::optional<int> JournalNumber(std::string_view name) {
  if (EqualsIgnoreAsciiCase(name, kFirstJournal)) return 0;
  const std::size_t length = kJournalStem.size() + kJournalDigits + kJournalExtension.size();
  if (name.size() != length ||
      !EqualsIgnoreAsciiCase(name.substr(0, kJournalStem.size()), kJournalStem) ||
      !EqualsIgnoreAsciiCase(name.substr(length - kJournalExtension.size()), kJournalExtension)) {
    return std::nullopt;
  }
  int number = 0;
  for (const char c : name.substr(kJournalStem.size(), kJournalDigits)) {
    if (c < '0' || c > '9') return std::nullopt;
    number = number * 10 + (c - '0');
  }
  return number + 1;
}

// The journals in the work folder, oldest first.
std::vector<std::pair<int, std::string>> Journals(FileSystem& files, std::string_view work_folder) {
  std::vector<std::pair<int, std::string>> journals;
  for (const std::string& name : files.FilesMatching(JoinPath(work_folder, "*"))) {
    const auto number = JournalNumber(name);
    if (!number) continue;
    auto at = journals.begin();
    while (at != journals.end() && at->first < *number) ++at;
    journals.insert(at, {*number, JoinPath(work_folder, name)});
  }
  return journals;
}

// What the journals still in the work folder mean for a new replace: it
// takes none of the names their replaces used, for on the disk one may
// still hold what such a replace wrote there, whatever the cache shows; and
// its own journal comes after them all, so that none is written over.
struct Standing {
  std::vector<std::string> names_in_use;
  std::string next_journal;  // empty without a folder, or when the numbers have run out
};

Standing StandingJournals(FileSystem& files, std::string_view work_folder) {
  Standing standing;
  int next = 0;
  for (const auto& [number, path] : Journals(files, work_folder)) {
    next = number;
    const auto text = files.Read(path);
    if (const auto journal = text ? ReadReplaceJournal(*text) : std::nullopt) {
      standing.names_in_use.push_back(journal->fresh);
      standing.names_in_use.push_back(journal->aside);
    }
  }
  if (!work_folder.empty() && next < 10000) {
    std::string digits = std::to_string(next);
    digits.insert(0, kJournalDigits - digits.size(), '0');
    standing.next_journal =
        JoinPath(work_folder, std::string(kJournalStem) + digits + std::string(kJournalExtension));
  }
  return standing;
}

bool Named(const Standing& standing, const std::string& path) {
  const auto& in_use = standing.names_in_use;
  return std::any_of(in_use.begin(), in_use.end(),
                     [&](const std::string& other) { return EqualsIgnoreAsciiCase(other, path); });
}

// Beside the target, under a name no file has yet, nor a standing
// journal's replace.
std::string TemporaryPathBeside(FileSystem& files, const std::string& path,
                                const Standing& standing) {
  const std::string folder = FolderOf(path);
  for (int n = 0; n < 1000; ++n) {
    const std::string name = "~kvn" + std::to_string(n) + ".tmp";
    std::string candidate = folder.empty() ? name : JoinPath(folder, name);
    if (!Named(standing, candidate) && !files.Exists(candidate)) return candidate;
  }
  return std::string();
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
// back. `committed` tells whether the files are on the disk where the
// result says, so that the journal has nothing left to finish.
Status RunSteps(FileSystem& files, const Replacement& r, Step step, bool* committed) {
  *committed = step == Step::kMoveOldAside;  // when nothing is renamed
  if (step == Step::kMoveOldAside && !r.aside.empty() && !files.Rename(r.path, r.aside)) {
    return NotReplacedError(r.path, r.fresh);
  }
  if (step == Step::kRemoveOld || files.Rename(r.fresh, r.path)) {
    // The old copy too, before it goes: on the disk no other entry may keep
    // the target's name.
    *committed = files.Commit(r.path) && (r.aside.empty() || files.Commit(r.aside));
    if (r.aside.empty() || files.Remove(r.aside)) return Status::Ok();
    // An old file that cannot be deleted (a read-only one) is not to be
    // replaced either: the new one goes back out.
    *committed = false;
    if (!files.Rename(r.path, r.fresh)) return StuckError(r.path, r.aside, r.path);
  }
  if (r.aside.empty() || files.Rename(r.aside, r.path)) {
    // The texts are where the error says.
    *committed = r.aside.empty() || (files.Commit(r.path) && files.Commit(r.fresh));
    return NotReplacedError(r.path, r.fresh);
  }
  *committed = false;
  return StuckError(r.path, r.aside, r.fresh);
}

// ReplaceFileWith, once the standing journals have been read.
Status ReplaceWith(FileSystem& files, std::string_view work_folder, const Standing& standing,
                   const std::string& path, const std::string& fresh) {
  std::string aside;
  if (files.Exists(path)) {
    aside = TemporaryPathBeside(files, path, standing);
    if (aside.empty()) return NotReplacedError(path, fresh);
  }
  const Replacement r{path, fresh, aside};
  // Without a journal (a work folder that cannot be written) the replace
  // still runs; only a reset in its midst then goes unrepaired.
  const auto text = files.Read(fresh);
  if (text && !standing.next_journal.empty() && files.MakeFolder(work_folder)) {
    files.WriteFlushed(standing.next_journal,
                       FormatReplaceJournal(JournalOf(path, fresh, r.aside, *text)));
  }
  bool committed = false;
  Status replaced = RunSteps(files, r, Step::kMoveOldAside, &committed);
  if (committed) files.Remove(standing.next_journal);
  return replaced;
}

// Takes up a replace where its journal and the files show it stopped, under
// the names the journal gives, which it guards until the steps are on the
// disk; what the user is to read of it, or nothing when it had ended. An
// error when it could not be finished, which names where each text is.
// `keep` tells whether the journal is to stay.
Result<std::string> Resume(FileSystem& files, const ReplaceJournal& journal,
                           std::string_view journal_path, bool* keep) {
  const auto holds_new = [&](const std::string& at) {
    const auto bytes = files.Read(at);
    return bytes && HoldsNewText(journal, *bytes);
  };
  const bool path_there = files.Exists(journal.target);
  const bool aside_there = !journal.aside.empty() && files.Exists(journal.aside);
  const std::string none;
  const Replacement r{journal.target, journal.fresh,
                      path_there || aside_there ? journal.aside : none};
  Step step = Step::kRemoveOld;
  if (holds_new(r.fresh)) {
    // The new text is whole where it was written: the replace goes on.
    step = path_there ? Step::kMoveOldAside : Step::kMoveNewIn;
  } else if (aside_there && !path_there) {
    // Only the old text is left.
    if (!files.Rename(r.aside, r.path)) {
      return Status::Error(Format(T::kInterruptedWriteNotFinished,
                                  {Format(T::kOldTextNotPutBack, {r.path, r.aside})}));
    }
    *keep = !files.Commit(r.path);
    return Format(T::kInterruptedWriteUndone, {r.path});
  } else if (!aside_there && !path_there && !files.Exists(r.fresh)) {
    // A reset lost every entry the replace made: what ScanDisk finds of the
    // texts is all there is, and the journal still names where they were.
    *keep = true;
    return Status::Error(Format(T::kReplaceTextsLost, {r.path, FileName(journal_path)}));
  } else if (!aside_there || !holds_new(r.path)) {
    return std::string();  // it had ended, or these are no longer its files
  }
  bool committed = false;
  const Status resumed = RunSteps(files, r, step, &committed);
  if (!resumed.ok()) {
    return Status::Error(Format(T::kInterruptedWriteNotFinished, {resumed.message()}));
  }
  *keep = !committed;
  return Format(T::kInterruptedWriteFinished, {r.path});
}

}  // namespace

Status ReplaceFile(FileSystem& files, std::string_view work_folder, const std::string& path,
                   std::string_view bytes) {
  const Standing standing = StandingJournals(files, work_folder);
  const std::string temporary = TemporaryPathBeside(files, path, standing);
  if (temporary.empty() || !files.WriteFlushed(temporary, bytes)) {
    if (!temporary.empty()) files.Remove(temporary);
    return CannotCreateFileError(path);
  }
  return ReplaceWith(files, work_folder, standing, path, temporary);
}

Status ReplaceFileWith(FileSystem& files, std::string_view work_folder, const std::string& path,
                       const std::string& fresh) {
  return ReplaceWith(files, work_folder, StandingJournals(files, work_folder), path, fresh);
}

Result<std::string> RecoverInterruptedReplace(FileSystem& files, std::string_view work_folder) {
  struct Found {
    std::string path;
    bool whole;  // a journal cut short was written before anything was renamed
    ReplaceJournal journal;
  };
  std::vector<Found> found;
  for (const auto& [number, path] : Journals(files, work_folder)) {
    // One held open elsewhere is left for the next start.
    const auto text = files.Read(path);
    if (!text) continue;
    const auto journal = ReadReplaceJournal(*text);
    found.push_back({path, journal.has_value(), journal.value_or(ReplaceJournal{})});
  }
  std::string notices;
  std::string errors;
  for (std::size_t i = 0; i < found.size(); ++i) {
    // A later replace of the same file has the last word.
    bool superseded = false;
    for (std::size_t later = i + 1; later < found.size(); ++later) {
      superseded = superseded ||
                   (found[later].whole &&
                    EqualsIgnoreAsciiCase(found[later].journal.target, found[i].journal.target));
    }
    bool keep = false;
    const Result<std::string> resumed =
        found[i].whole && !superseded ? Resume(files, found[i].journal, found[i].path, &keep) : std::string();
    if (!resumed.ok()) {
      errors += (errors.empty() ? "" : "\n") + resumed.status().message();
    } else if (!resumed.value().empty()) {
      if (!notices.empty()) notices += Text(T::kNoticeBreak);
      notices += resumed.value();
    }
    if (!keep) files.Remove(found[i].path);
  }
  // What could not be finished is said in a box, with what was.
  if (errors.empty()) return notices;
  return Status::Error(notices.empty() ? errors : errors + "\n" + notices);
}

}  // namespace korvane
