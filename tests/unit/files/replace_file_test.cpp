#include "files/replace_file.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

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

TEST(ReplaceFileTest, AFailureAtEachStepLeavesTheOldFileReadableAndSaysWhereTheTextsAre) {
  const std::string path = "C:\\DOCS\\pin.txt", fresh = "C:\\DOCS\\~kvn0.tmp",
                    aside = "C:\\DOCS\\~kvn1.tmp";
  const std::string kept = Format(TextId::kCannotReplaceFile, {path, fresh});
  // The steps: 1 write the new text, 2 rename the old file aside, 3 the new
  // one in, 4 delete the aside copy; then 5 and 6 undo.
  const struct {
    std::set<int> failing;
    std::string error;
    std::string old_at, new_at;  // empty: nowhere
  } cases[] = {
      {{}, "", "", path},
      {{1}, Format(TextId::kCannotCreateFile, {path}), path, ""},
      {{2}, kept, path, fresh},
      {{3}, kept, path, fresh},
      {{4}, kept, path, fresh},
      {{3, 4}, Format(TextId::kReplaceStuck, {path, aside, fresh}), aside, fresh},
      {{4, 5}, Format(TextId::kReplaceStuck, {path, aside, path}), aside, path},
      {{4, 6}, Format(TextId::kReplaceStuck, {path, aside, fresh}), aside, fresh},
  };
  for (const auto& c : cases) {
    FailingFiles files;
    files.Put(path, "old");
    files.failing = c.failing;
    EXPECT_EQ(ReplaceFile(files, path, "new").message(), c.error);
    for (const std::string& at : {path, fresh, aside}) {
      const char* holds = at == c.old_at ? "old" : at == c.new_at ? "new" : nullptr;
      EXPECT_EQ(files.Get(at), holds ? std::optional<std::string>(holds) : std::nullopt)
          << c.error << " at " << at;
    }
  }
}

}  // namespace
}  // namespace korvane::testing
