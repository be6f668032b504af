#include "backup/backup_store.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "registry/registry.h"
#include "unit/test_machine.h"

namespace korvane::testing {
namespace {

constexpr char kFolder[] = "C:\\KORVANE\\backup";
constexpr char kFile[] = "C:\\KORVANE\\backup\\19991123-210509.reg";
constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class BackupStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    machine.SeedG400();
    machine.memory.PutString(HKLM, machine.SubKey("CPU"), "AGP", "1");
    machine.memory.PutString(HKLM, machine.SubKey("CPU"), "AGPFlags", "-1");
    machine.memory.PutBinary(HKLM, machine.SubKey("CPU"), "Unknown", {1, 2});
    machine.memory.PutDword(HKCU, kPowerDesk5, "ShowMeAllMatrox", 1);
  }

  // The backup file as the program reads it back; empty when there is none.
  std::optional<RegFile> Saved(const std::string& path = kFile) {
    const auto bytes = machine.files.Get(path);
    if (!bytes) return std::nullopt;
    RegFileError error;
    auto file = ParseRegFile(*bytes, SystemCodePage(machine.files), &error);
    EXPECT_TRUE(file) << "line " << error.line;
    return file;
  }

  Status Write(RegistryRoot root, const std::string& path, const char* name, const char* text) {
    Registry registry(backups);
    registry.SetRoot(root);
    registry.OpenKey(path, true);
    return registry.WriteString(name, text);
  }

  Status Delete(RegistryRoot root, const std::string& path, const char* name) {
    Registry registry(backups);
    registry.SetRoot(root);
    registry.OpenKey(path, false);
    return registry.DeleteValue(name);
  }

  TestMachine machine;
  BackupRegistryStore backups{machine.registry, machine.files, machine.clock, kFolder};
};

TEST_F(BackupStoreTest, WritingWhatIsAlreadyThereOrOutsideItsKeysMakesNoFile) {
  ASSERT_TRUE(Write(HKLM, machine.SubKey("CPU"), "AGP", "1").ok());
  ASSERT_TRUE(Write(HKLM, machine.SubKey("CPU"), "agpflags", "-1").ok());
  ASSERT_TRUE(Delete(HKLM, machine.SubKey("CPU"), "MMX").ok());  // not there
  Registry registry(backups);
  registry.OpenKey(kPowerDesk5, false);
  ASSERT_TRUE(registry.WriteInteger("ShowMeAllMatrox", 1).ok());
  // The display entry itself and other programs' keys are not the program's.
  ASSERT_TRUE(Write(HKLM, std::string(kDisplayClass) + "\\0000", "DriverDesc", "x").ok());
  ASSERT_TRUE(Write(HKLM, "Software\\Other", "Value", "1").ok());
  EXPECT_FALSE(machine.files.Get(kFile));
  EXPECT_TRUE(backups.file_path().empty());
}

TEST_F(BackupStoreTest, EachKeyIsSavedAsItWasBeforeItsFirstChange) {
  const std::string cpu = machine.SubKey("CPU");
  ASSERT_TRUE(Write(HKLM, cpu, "AGP", "0").ok());
  EXPECT_EQ(backups.file_path(), kFile);
  EXPECT_EQ(machine.files.changes()[0], "write and flush C:\\KORVANE\\backup\\~kvn0.tmp");
  RegFileKey cpu_before{HKLM,
                        cpu,
                        {{"AGP", StringValue("1")},
                         {"AGPFlags", StringValue("-1")},
                         {"Unknown", BinaryValue({1, 2})}},
                        {}};
  EXPECT_EQ(Saved()->keys, std::vector<RegFileKey>{cpu_before});
  EXPECT_EQ(Saved()->stamp, "1999/11/23 21:05:09");

  // Later changes of the key add only the names that were not there.
  ASSERT_TRUE(Write(HKLM, cpu, "MMX", "1").ok());
  ASSERT_TRUE(Write(HKLM, cpu, "AGP", "1").ok());
  ASSERT_TRUE(Delete(HKLM, cpu, "AGPFLAGS").ok());
  ASSERT_TRUE(Write(HKLM,
                    "SYSTEM\\CurrentControlSet\\Services\\Class\\Display\\0000\\Settings\\cpu",
                    "mmx", "0")
                  .ok());
  cpu_before.absent = {"MMX"};
  EXPECT_EQ(Saved()->keys, std::vector<RegFileKey>{cpu_before});

  // Another key joins the same file, with its values then.
  Registry registry(backups);
  registry.OpenKey(kPowerDesk5, false);
  ASSERT_TRUE(registry.WriteInteger("ShowMeAllMatrox", 0).ok());
  ASSERT_TRUE(Delete(HKLM, machine.SubKey("GDI"), "Circles").ok());  // not there: no change
  const auto saved = Saved();
  ASSERT_EQ(saved->keys.size(), 2u);
  EXPECT_EQ(saved->keys[1],
            (RegFileKey{HKCU, kPowerDesk5, {{"ShowMeAllMatrox", DwordValue(1)}}, {}}));
  EXPECT_EQ(machine.memory.GetDword(HKCU, kPowerDesk5, "ShowMeAllMatrox"), 0u);
}

TEST_F(BackupStoreTest, TheRunKeyKeepsOnlyTheProgramsEntry) {
  machine.memory.PutString(HKLM, kRunKey, "ScanRegistry", "scanregw.exe /autorun");
  machine.memory.PutString(HKLM, kRunKey, "G400 OverClock", "C:\\KORVANE\\G4set.exe -sclk 250");
  ASSERT_TRUE(
      Write(HKLM, "\\Software\\Microsoft\\Windows\\CurrentVersion\\run", "ScanRegistry", "other")
          .ok());
  EXPECT_FALSE(machine.files.Get(kFile));
  ASSERT_TRUE(Delete(HKLM, kRunKey, "G400 OverClock").ok());
  EXPECT_EQ(Saved()->keys,
            std::vector<RegFileKey>(
                {{HKLM,
                  kRunKey,
                  {{"G400 OverClock", StringValue("C:\\KORVANE\\G4set.exe -sclk 250")}},
                  {}}}));
}

TEST_F(BackupStoreTest, AChangeThatCannotBeBackedUpIsNotMade) {
  const std::string cpu = machine.SubKey("CPU");
  machine.files.MakeReadOnly(std::string(kFolder) + "\\~kvn0.tmp");
  const std::string refused =
      "バックアップ C:\\KORVANE\\backup\\19991123-210509.reg を保存できないため、'AGP' "
      "は変更していません";
  EXPECT_EQ(Write(HKLM, cpu, "AGP", "0").message(), refused);
  EXPECT_EQ(Delete(HKLM, cpu, "AGP").message(), refused);
  EXPECT_EQ(machine.memory.GetString(HKLM, cpu, "AGP"), "1");
  EXPECT_FALSE(machine.files.Get(kFile));
  // What needs no backup still goes through.
  EXPECT_TRUE(Write(HKLM, cpu, "AGP", "1").ok());
}

TEST_F(BackupStoreTest, AFailedSaveKeepsWhatTheFileHeld) {
  const std::string cpu = machine.SubKey("CPU");
  ASSERT_TRUE(Write(HKLM, cpu, "AGP", "0").ok());
  const auto before = Saved();
  machine.files.MakeReadOnly(std::string(kFolder) + "\\~kvn0.tmp");
  EXPECT_FALSE(Write(HKLM, cpu, "MMX", "1").ok());
  EXPECT_FALSE(machine.memory.GetString(HKLM, cpu, "MMX"));
  EXPECT_EQ(Saved(), before);
}

TEST_F(BackupStoreTest, ANewFileStartsFromTheValuesThen) {
  const std::string cpu = machine.SubKey("CPU");
  ASSERT_TRUE(Write(HKLM, cpu, "AGP", "0").ok());
  backups.BeginNewFile();
  ASSERT_TRUE(Write(HKLM, cpu, "AGP", "1").ok());
  const std::string second = "C:\\KORVANE\\backup\\19991123-210509_2.reg";
  EXPECT_EQ(backups.file_path(), second);
  EXPECT_EQ(Saved(second)->keys[0].values[0], (NamedValue{"AGP", StringValue("0")}));
  EXPECT_EQ(Saved()->keys[0].values[0], (NamedValue{"AGP", StringValue("1")}));
}

}  // namespace
}  // namespace korvane::testing
