#include "files/replace_file.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/fakes/fake_file_system.h"
#include "text/texts.h"

namespace korvane::testing {
namespace {

// Files whose writes, renames and deletes fail where chosen, counted in order.
struct FailingFiles : FakeFileSystem {
  bool Next() { return !failing.count(++calls); }
  bool WriteFlushed(std::string_view path, std::string_view bytes) override {
    return Next() && FakeFileSystem::WriteFlushed(path, bytes);
  }
  bool Rename(std::string_view from, std::string_view to) override {
    return Next() && FakeFileSystem::Rename(from, to);
  }
  bool Remove(std::string_view path) override { return Next() && FakeFileSystem::Remove(path); }
  std::set<int> failing;
  int calls = 0;
};

// A reset during change number `cut` (0: none): a write then leaves half its
// bytes, a rename or a delete does not happen, and nothing after it does.
struct ResetFiles : FakeFileSystem {
  bool Up() { return cut == 0 || ++calls < cut; }
  bool WriteFlushed(std::string_view path, std::string_view bytes) override {
    if (Up()) return FakeFileSystem::WriteFlushed(path, bytes);
    if (calls == cut) Put(path, bytes.substr(0, bytes.size() / 2));
    return false;
  }
  bool Rename(std::string_view from, std::string_view to) override {
    return Up() && FakeFileSystem::Rename(from, to);
  }
  bool Remove(std::string_view path) override { return Up() && FakeFileSystem::Remove(path); }
  int cut = 0;
  int calls = 0;
};

const std::string kPath = "C:\\DOCS\\pin.txt", kFresh = "C:\\DOCS\\~kvn0.tmp",
                  kAside = "C:\\DOCS\\~kvn1.tmp", kJournal = "C:\\KORVANE\\replace.jnl";

TEST(ReplaceFileTest, AFailureAtEachStepLeavesTheOldFileReadableAndSaysWhereTheTextsAre) {
  const std::string kept = Format(TextId::kCannotReplaceFile, {kPath, kFresh});
  // The steps: 1 write the new text, 2 the journal, 3 rename the old file
  // aside, 4 the new one in, 5 delete the aside copy; then 6 and 7 undo.
  const struct {
    std::set<int> failing;
    std::string error;
    std::string old_at, new_at;  // empty: nowhere
  } cases[] = {
      {{}, "", "", kPath},
      {{1}, Format(TextId::kCannotCreateFile, {kPath}), kPath, ""},
      {{2}, "", "", kPath},  // a read-only program folder
      {{3}, kept, kPath, kFresh},
      {{4}, kept, kPath, kFresh},
      {{5}, kept, kPath, kFresh},
      {{4, 5}, Format(TextId::kReplaceStuck, {kPath, kAside, kFresh}), kAside, kFresh},
      {{5, 6}, Format(TextId::kReplaceStuck, {kPath, kAside, kPath}), kAside, kPath},
      {{5, 7}, Format(TextId::kReplaceStuck, {kPath, kAside, kFresh}), kAside, kFresh},
  };
  for (const auto& c : cases) {
    FailingFiles files;
    files.Put(kPath, "old");
    files.failing = c.failing;
    EXPECT_EQ(ReplaceFile(files, kPath, "new").message(), c.error);
    for (const std::string& at : {kPath, kFresh, kAside, kJournal}) {
      const char* holds = at == c.old_at ? "old" : at == c.new_at ? "new" : nullptr;
      EXPECT_EQ(files.Get(at), holds ? std::optional<std::string>(holds) : std::nullopt)
          << c.error << " at " << at;
    }
  }
}

TEST(ReplaceFileTest, AResetAtEachStepIsFinishedOrUndoneAtTheNextStart) {
  ResetFiles whole;
  whole.Put(kPath, "old text");
  ASSERT_TRUE(ReplaceFile(whole, kPath, "new text").ok());
  // Both texts are on the disk before the first rename.
  EXPECT_EQ(whole.changes(), (std::vector<std::string>{
                                 "write and flush " + kFresh, "write and flush " + kJournal,
                                 "rename " + kPath + " " + kAside, "rename " + kFresh + " " + kPath,
                                 "remove " + kAside, "remove " + kJournal}));

  const std::string finished = Format(TextId::kInterruptedWriteFinished, {kPath});
  enum Spoiled { kNo, kCannotMove, kNotTheNewText };  // the new text's file, before the start
  const struct {
    int cut;  // in the order of the changes above
    bool had_old;
    Spoiled spoiled;
    const char *at_path, *at_fresh, *at_aside;
    std::string said;
  } cases[] = {
      {1, true, kNo, "old text", "new ", nullptr, ""},
      {2, true, kNo, "old text", "new text", nullptr, ""},
      {3, true, kNo, "new text", nullptr, nullptr, finished},
      {4, true, kNo, "new text", nullptr, nullptr, finished},
      {5, true, kNo, "new text", nullptr, nullptr, finished},
      {6, true, kNo, "new text", nullptr, nullptr, ""},
      {3, false, kNo, "new text", nullptr, nullptr, finished},  // renaming the new file in
      {4, true, kCannotMove, "old text", "new text", nullptr,
       Format(TextId::kInterruptedWriteNotFinished,
              {Format(TextId::kCannotReplaceFile, {kPath, kFresh})})},
      {4, true, kNotTheNewText, "old text", "new TEXT", nullptr,
       Format(TextId::kInterruptedWriteUndone, {kPath})},
  };
  for (const auto& c : cases) {
    ResetFiles files;
    if (c.had_old) files.Put(kPath, "old text");
    files.cut = c.cut;
    static_cast<void>(ReplaceFile(files, kPath, "new text"));
    files.cut = 0;
    if (c.spoiled == kCannotMove) files.MakeReadOnly(kFresh);
    if (c.spoiled == kNotTheNewText) files.Put(kFresh, "new TEXT");
    EXPECT_EQ(RecoverInterruptedReplace(files), c.said) << "cut " << c.cut;
    const std::pair<std::string, const char*> held[] = {
        {kPath, c.at_path}, {kFresh, c.at_fresh}, {kAside, c.at_aside}};
    for (const auto& [at, holds] : held) {
      EXPECT_EQ(files.Get(at), holds ? std::optional<std::string>(holds) : std::nullopt)
          << "cut " << c.cut << " at " << at;
    }
    EXPECT_FALSE(files.Exists(kJournal)) << "cut " << c.cut;
  }
}

}  // namespace
}  // namespace korvane::testing
