#include "files/replace_file.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/fakes/fake_file_system.h"

namespace korvane::testing {
namespace {

constexpr char kPath[] = "C:\\DOCS\\pin.txt";
constexpr char kNew[] = "C:\\DOCS\\~kvn0.tmp";    // the new text, written first
constexpr char kAside[] = "C:\\DOCS\\~kvn1.tmp";  // the old file, renamed aside

// Files whose chosen steps fail: the write, renames by their order, the delete.
class FailingFiles : public FakeFileSystem {
 public:
  bool Write(std::string_view path, std::string_view bytes) override {
    return !fail_write && FakeFileSystem::Write(path, bytes);
  }
  bool Rename(std::string_view from, std::string_view to) override {
    return !failing_renames.count(++renames) && FakeFileSystem::Rename(from, to);
  }
  bool Remove(std::string_view path) override {
    return !fail_remove && FakeFileSystem::Remove(path);
  }
  bool fail_write = false;
  std::set<int> failing_renames;  // counted from 1
  bool fail_remove = false;
  int renames = 0;
};

TEST(ReplaceFileTest, AFailureAtEachStepLeavesTheOldFileReadableAndSaysWhereTheTextsAre) {
  const std::string kept =
      "ファイル C:\\DOCS\\pin.txt を置き換えられません。新しい内容は C:\\DOCS\\~kvn0.tmp "
      "に残してあります";
  const std::string stuck =
      "ファイル C:\\DOCS\\pin.txt を置き換えられず、元にも戻せませんでした。元の内容は "
      "C:\\DOCS\\~kvn1.tmp に、新しい内容は ";
  const struct {
    const char* name;
    bool fail_write;
    std::set<int> failing_renames;  // 1 aside, 2 in, 3 back out or back in, 4 back in
    bool fail_remove;
    std::string error;
    const char* old_at;  // nullptr: gone, as it should be
    const char* new_at;  // nullptr: nowhere
  } cases[] = {
      {"all goes well", false, {}, false, "", nullptr, kPath},
      {"the write", true, {}, false, "ファイル C:\\DOCS\\pin.txt を作成できません", kPath, nullptr},
      {"the old one aside", false, {1}, false, kept, kPath, kNew},
      {"the new one in", false, {2}, false, kept, kPath, kNew},
      {"the aside copy's delete", false, {}, true, kept, kPath, kNew},
      {"the new one in, then the old one back",
       false,
       {2, 3},
       false,
       stuck + "C:\\DOCS\\~kvn0.tmp にあります",
       kAside,
       kNew},
      {"the delete, then the new one out",
       false,
       {3},
       true,
       stuck + "C:\\DOCS\\pin.txt にあります",
       kAside,
       kPath},
      {"the delete, then the old one back",
       false,
       {4},
       true,
       stuck + "C:\\DOCS\\~kvn0.tmp にあります",
       kAside,
       kNew},
  };
  for (const auto& c : cases) {
    FailingFiles files;
    files.Put(kPath, "old");
    files.fail_write = c.fail_write;
    files.failing_renames = c.failing_renames;
    files.fail_remove = c.fail_remove;
    EXPECT_EQ(ReplaceFile(files, kPath, "new").message(), c.error) << c.name;
    for (const char* path : {kPath, kNew, kAside}) {
      const char* holds = path == c.old_at ? "old" : path == c.new_at ? "new" : nullptr;
      EXPECT_EQ(files.Get(path), holds ? std::optional<std::string>(holds) : std::nullopt)
          << c.name << ": " << path;
    }
  }

  // A file that is not there yet is simply renamed into place.
  FailingFiles files;
  ASSERT_TRUE(ReplaceFile(files, kPath, "new").ok());
  EXPECT_EQ(files.Get(kPath), "new");
  files.Remove(kPath);
  files.renames = 0;
  files.failing_renames = {1};
  EXPECT_EQ(ReplaceFile(files, kPath, "new").message(), kept);
  EXPECT_EQ(files.Get(kNew), "new");
}

}  // namespace
}  // namespace korvane::testing
