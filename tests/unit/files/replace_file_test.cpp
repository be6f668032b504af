#include "files/replace_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "backup/backup_store.h"
#include "files/paths.h"
#include "files/replace_journal.h"
#include "platform/fakes/fake_file_system.h"
#include "registry/registry.h"
#include "text/texts.h"
#include "unit/test_machine.h"

namespace korvane::testing {
namespace {

// Files whose writes, renames and deletes fail where chosen, counted in
// order; or a reset during change `cut`: that write leaves half its bytes,
// and that change and every later one do not happen.
struct FailingFiles : FakeFileSystem {
  bool Next() { return !failing.count(++calls) && (cut == 0 || calls < cut); }
  bool WriteFlushed(std::string_view path, std::string_view bytes) override {
    if (Next()) return FakeFileSystem::WriteFlushed(path, bytes);
    if (calls == cut) Put(path, bytes.substr(0, bytes.size() / 2));
    return false;
  }
  bool Rename(std::string_view from, std::string_view to) override {
    return Next() && FakeFileSystem::Rename(from, to);
  }
  bool Remove(std::string_view path) override { return Next() && FakeFileSystem::Remove(path); }
  std::set<int> failing;
  int calls = 0, cut = 0;
};

const std::string kWork = "C:\\KORVANE";
const std::string kJournal = kWork + "\\repl0000.jnl";

TEST(ReplaceFileTest, AFailureAtEachStepLeavesTheOldFileReadableAndSaysWhereTheTextsAre) {
  const std::string path = "C:\\DOCS\\pin.txt", fresh = "C:\\DOCS\\~kvn0.tmp",
                    aside = "C:\\DOCS\\~kvn1.tmp";
  const std::string kept = Format(TextId::kCannotReplaceFile, {path, fresh});
  // The steps: 1 write the new text, 2 the journal, 3 rename the old file
  // aside, 4 the new one in, 5 delete the aside copy; then 6 and 7 undo.
  const struct {
    std::set<int> failing;
    std::string error;
    std::string old_at, new_at;  // empty: nowhere
  } cases[] = {
      {{}, "", "", path},
      {{1}, Format(TextId::kCannotCreateFile, {path}), path, ""},
      {{2}, "", "", path},  // a read-only program folder
      {{3}, kept, path, fresh},
      {{4}, kept, path, fresh},
      {{5}, kept, path, fresh},
      {{4, 5}, Format(TextId::kReplaceStuck, {path, aside, fresh}), aside, fresh},
      {{5, 6}, Format(TextId::kReplaceStuck, {path, aside, path}), aside, path},
      {{5, 7}, Format(TextId::kReplaceStuck, {path, aside, fresh}), aside, fresh},
  };
  for (const auto& c : cases) {
    FailingFiles files;
    files.Put(path, "old");
    files.failing = c.failing;
    EXPECT_EQ(ReplaceFile(files, kWork, path, "new").message(), c.error);
    for (const std::string& at : {path, fresh, aside}) {
      const char* holds = at == c.old_at ? "old" : at == c.new_at ? "new" : nullptr;
      EXPECT_EQ(files.Get(at), holds ? std::optional<std::string>(holds) : std::nullopt)
          << c.error << " at " << at;
    }
  }
}

// What a reset at each change of a replace leaves, and what the next start
// makes of it. Every text it keeps is whole.
TEST(ReplaceFileTest, AResetAtEachStepIsFinishedOrUndoneAtTheNextStart) {
  const std::string path = "C:\\DOCS\\pin.txt", fresh = "C:\\DOCS\\~kvn0.tmp";
  FailingFiles whole;
  whole.Put(path, "old text");
  ASSERT_TRUE(ReplaceFile(whole, kWork, path, "new text").ok());
  EXPECT_EQ(whole.changes(),
            (std::vector<std::string>{"write and flush " + fresh, "write and flush " + kJournal,
                                      "rename " + path + " C:\\DOCS\\~kvn1.tmp",
                                      "rename " + fresh + " " + path, "commit " + path,
                                      "commit C:\\DOCS\\~kvn1.tmp", "remove C:\\DOCS\\~kvn1.tmp",
                                      "remove " + kJournal}));
  const std::string done = Format(TextId::kInterruptedWriteFinished, {path});
  enum Befell { kNothing, kStuck, kOverwritten };  // the new text's file, before the start
  const struct {
    int cut;  // numbered as the changes above
    bool had_old;
    Befell befell;
    const char* at_path;
    std::optional<std::string> at_fresh;  // the aside copy is gone in every case
    std::string said;
  } cases[] = {
      {1, true, kNothing, "old text", "new ", ""},
      {2, true, kNothing, "old text", "new text", ""},
      {3, true, kNothing, "new text", {}, done},
      {4, true, kNothing, "new text", {}, done},
      {5, true, kNothing, "new text", {}, done},
      {6, true, kNothing, "new text", {}, ""},
      {3, false, kNothing, "new text", {}, done},  // renaming the new file in
      {4, true, kStuck, "old text", "new text",
       Format(TextId::kInterruptedWriteNotFinished,
              {Format(TextId::kCannotReplaceFile, {path, fresh})})},
      {4, true, kOverwritten, "old text", "new TEXT",
       Format(TextId::kInterruptedWriteUndone, {path})},
  };
  for (const auto& c : cases) {
    FailingFiles files;
    if (c.had_old) files.Put(path, "old text");
    files.cut = c.cut;
    static_cast<void>(ReplaceFile(files, kWork, path, "new text"));
    files.cut = 0;
    if (c.befell == kStuck) files.MakeReadOnly(fresh);
    if (c.befell == kOverwritten) files.Put(fresh, "new TEXT");
    const Result<std::string> said = RecoverInterruptedReplace(files, kWork);
    EXPECT_EQ(said.ok() ? said.value() : said.status().message(), c.said) << c.cut;
    EXPECT_EQ(said.ok(), c.befell != kStuck) << c.cut;
    EXPECT_EQ(files.Get(path), c.at_path) << c.cut;
    EXPECT_EQ(files.Get(fresh), c.at_fresh) << c.cut;
    EXPECT_FALSE(files.Exists("C:\\DOCS\\~kvn1.tmp")) << c.cut;
    EXPECT_FALSE(files.Exists(kJournal)) << c.cut;
  }
}

// The disk behind the write-behind cache: a flushed write is on it at once,
// a rename or a delete only once the lazy writer gets to it, in no promised
// order. A reset keeps any of those, and a change that no longer applies to
// what the disk holds then (a rename onto a name in use) is lost.
// A commit puts every change before it that names the file on it at once.
struct CachedDisk : FakeFileSystem {
  struct Change {
    std::string kind, from, to;
  };
  bool WriteFlushed(std::string_view path, std::string_view bytes) override {
    log.push_back({"write", std::string(path), std::string(bytes)});
    return FakeFileSystem::WriteFlushed(path, bytes);
  }
  bool Rename(std::string_view from, std::string_view to) override {
    const bool renamed = FakeFileSystem::Rename(from, to);
    if (renamed) log.push_back({"rename", std::string(from), std::string(to)});
    return renamed;
  }
  bool Remove(std::string_view path) override {
    const bool removed = FakeFileSystem::Remove(path);
    if (removed) log.push_back({"remove", std::string(path), ""});
    return removed;
  }
  bool Commit(std::string_view path) override {
    log.push_back({"commit", "", std::string(path)});
    return FakeFileSystem::Commit(path);
  }
  // The unflushed changes a reset kept, a bit each, in order.
  FakeFileSystem AfterReset(const FakeFileSystem& before, unsigned kept) const {
    FakeFileSystem disk = before;
    int bit = 0;
    for (auto change = log.begin(); change != log.end(); ++change) {
      const bool committed = std::any_of(change, log.end(), [&](const Change& later) {
        return later.kind == "commit" && (later.to == change->to || later.to == change->from);
      });
      if (change->kind == "write") {
        disk.Put(change->from, change->to);
      } else if (change->kind != "commit" && ((kept >> bit++ & 1) || committed)) {
        static_cast<void>(change->kind == "rename" ? disk.Rename(change->from, change->to)
                                                   : disk.Remove(change->from));
      }
    }
    return disk;
  }
  std::vector<Change> log;
};

TEST(ReplaceFileTest, AResetKeepingAnyOfTheRenamesAndDeletesLeavesEachFileWithItsLastText) {
  const std::string pin = "C:\\DOCS\\pin.txt", report = "C:\\DOCS\\report.txt";
  const struct {
    const char* what;
    std::vector<std::pair<std::string, std::string>> replaces;  // in order
    bool had_old;
  } cases[] = {
      {"one file", {{pin, "new"}}, true},
      {"a new file", {{pin, "new"}}, false},
      {"one file twice", {{pin, "first"}, {pin, "second"}}, true},
      {"two files", {{pin, "new"}, {report, "new report"}}, true},
  };
  for (const auto& c : cases) {
    FakeFileSystem before;
    if (c.had_old) before.Put(pin, "old");
    if (c.had_old) before.Put(report, "old report");
    CachedDisk cached;
    static_cast<FakeFileSystem&>(cached) = before;
    for (const auto& [path, text] : c.replaces)
      ASSERT_TRUE(ReplaceFile(cached, kWork, path, text).ok());
    const auto unflushed = std::count_if(cached.log.begin(), cached.log.end(),
                                         [](const auto& change) { return change.kind[0] == 'r'; });
    for (unsigned kept = 0; kept < 1u << unflushed; ++kept) {
      FakeFileSystem disk = cached.AfterReset(before, kept);
      ASSERT_TRUE(RecoverInterruptedReplace(disk, kWork).ok()) << c.what << kept;
      static_cast<void>(RecoverInterruptedReplace(disk, kWork));  // the start after
      for (const std::string& path : {pin, report}) {
        std::optional<std::string> last = before.Get(path);
        for (const auto& [replaced, text] : c.replaces) {
          if (replaced == path) last = text;
        }
        EXPECT_EQ(disk.Get(path), last) << c.what << " " << path << " kept " << kept;
      }
      EXPECT_TRUE(disk.FilesMatching(kWork + "\\*").empty()) << c.what << " kept " << kept;
    }
  }
}

// The journals replaces leave: found at a drive's root too, where Windows
// 95/98 may refuse a doubled backslash; never written over, nor any file a
// standing one names, by the backup's replaces either; gone once the
// renames are on the disk; kept, and said, where every text is lost.
TEST(ReplaceFileTest, StandingJournalsAreFoundAndAvoidedAndOthersGoOnceCommitted) {
  const std::string backup = "C:\\KORVANE\\backup\\19991123-210509.reg";
  enum Act { kSave, kChangeBackupTwice, kStart };
  const struct {
    std::string work, target, fresh;  // of a standing journal, if any
    bool target_there;
    Act act;
    bool stays;  // the first journal, and no other
    std::string said = std::string();
  } cases[] = {
      {"A:\\", "A:\\pin.txt", "A:\\~kvn0.tmp", true, kSave, true},
      {"C:\\KORVANE", backup, backup + ".tmp", false, kChangeBackupTwice, true},
      {"C:\\KORVANE", "", "", false, kSave, false},
      {"C:\\KORVANE", "C:\\p.txt", "C:\\~kvn0.tmp", false, kStart, true,
       Format(TextId::kReplaceTextsLost, {"C:\\p.txt", "repl0000.jnl"})},
  };
  for (const auto& c : cases) {
    TestMachine m;
    m.SeedG400();
    const std::string journal = JoinPath(c.work, "repl0000.jnl");
    if (c.target_there) m.files.Put(c.target, "old");
    if (!c.target.empty()) {
      m.files.Put(journal, FormatReplaceJournal(JournalOf(c.target, c.fresh, "", "text")));
    }
    BackupRegistryStore backups(m.registry, m.files, m.clock, JoinPath(c.work, "backup"));
    Registry registry(backups);
    registry.SetRoot(RegistryRoot::kLocalMachine);
    registry.OpenKey(m.SubKey("CPU"), true);
    const std::string said =
        c.act == kSave ? ReplaceFile(m.files, c.work, JoinPath(c.work, "pin.txt"), "new").message()
        : c.act == kStart ? RecoverInterruptedReplace(m.files, c.work).status().message()
                          : registry.WriteString("AGP", "0").message() +
                                registry.WriteString("MMX", "1").message();
    EXPECT_EQ(said, c.said) << c.target;
    EXPECT_EQ(m.files.Exists(journal), c.stays) << c.target;
    EXPECT_FALSE(m.files.Exists(JoinPath(c.work, "repl0001.jnl"))) << c.target;
    for (const std::string& change : m.files.changes()) {
      EXPECT_TRUE(c.target.empty() || (change.find(journal) == std::string::npos &&
                                       change.find(c.fresh) == std::string::npos))
          << change;
    }
  }
}

}  // namespace
}  // namespace korvane::testing
