// The restore, on the program as it starts: through the main window's
// button, the registry seen through the program's backups.
#include "backup/restore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "unit/settings/settings_test_fixture.h"

namespace korvane::testing {
namespace {

constexpr char kFirst[] = "C:\\KORVANE\\backup\\19991123-210509.reg";
constexpr char kSecond[] = "C:\\KORVANE\\backup\\19991123-210509_2.reg";
constexpr char kUnreal[] = "SOFTWARE\\Microsoft\\UnrealD3D";

class RestoreTest : public SettingsTest {
 protected:
  void SetUp() override {
    SettingsTest::SetUp();
    machine.memory.PutString(HKLM, machine.SubKey("CPU"), "AGPFlags", "0");
    machine.memory.PutString(HKLM, machine.SubKey("DirectX"), "MipMapping", "1");
    machine.memory.PutString(HKLM, machine.SubKey("DirectX"), "FlipOnVblank", "0");
    machine.memory.PutDword(HKLM, kUnreal, "Truecolor", 1);
    // Not the first run: the start stores the clock tool as it was.
    machine.memory.PutString(HKLM, kProgramKey, "g4set", "C:\\KORVANE\\G4set.exe");
  }

  // Every value of the keys a preset and the game dialog write in.
  std::vector<std::string> Snapshot() {
    std::vector<std::string> lines;
    const auto add = [&](RegistryRoot root, const std::string& path) {
      for (const std::string& name : machine.memory.ValueNames(root, path)) {
        const RegistryValue value = *machine.memory.Get(root, path, name);
        lines.push_back(path + "|" + name + "|" + std::to_string(value.type) + "|" +
                        std::string(value.data.begin(), value.data.end()));
      }
    };
    for (const char* sub_key : {"CPU", "DirectX", "Engine", "DAC", "GDI", "Monitor"}) {
      add(HKLM, machine.SubKey(sub_key));
    }
    add(HKCU, kPowerDesk5);
    add(HKLM, kUnreal);
    return lines;
  }

  void Restore(const std::string& path) {
    machine.dialogs.AnswerFile(path);
    form().RestoreButton.Click();
  }
};

TEST_F(RestoreTest, PutsBackWhatWasThereAndShowsItWithoutWritingIt) {
  StartAndForget();
  const auto before = Snapshot();
  form().Button12.Click();  // benchmark: MipMapping "0", FlipOnVBlank "0", the rest new
  program->game_form().Show().ok();
  program->game_form().Truecolor.Click();  // Unreal's key joins the same backup
  ASSERT_NE(Snapshot(), before);
  machine.dialogs.Clear();

  Restore(kFirst);
  EXPECT_EQ(Snapshot(), before);
  const auto& dialog = machine.dialogs.file_dialogs().back();
  EXPECT_EQ(dialog.folder, "C:\\KORVANE\\backup");
  EXPECT_EQ(dialog.filter, "Korvaneのバックアップ (*.reg)|*.reg");
  EXPECT_EQ(machine.Boxes(),
            (std::vector<std::string>{
                "どうする？|レジストリの設定を 19991123-210509.reg の内容に戻しますか？",
                "情報|レジストリの設定を 19991123-210509.reg の内容に戻しました。\n"
                "書き戻した値：3個、削除した値：29個\n"
                "戻す前の設定は C:\\KORVANE\\backup\\19991123-210509_2.reg に保存しました。\n"
                "※設定を変更後は再起動してください。"}));

  // The windows show the values put back, as a start would load them, and
  // nothing was written back for the boxes that changed.
  EXPECT_TRUE(tab().box(Setting::kMIPMAP).checked());
  EXPECT_FALSE(tab().box(Setting::kBusmaster).checked());
  EXPECT_EQ(tab().AGPSpeed().item_index(), 0);
  EXPECT_TRUE(program->game_form().Truecolor.checked());
  EXPECT_EQ(Stored("Engine", "BusMastering"), "<missing>");

  // The restore's own backup undoes it.
  const auto restored = Snapshot();
  form().Button9.Click();
  Restore(kSecond);
  EXPECT_NE(Snapshot(), restored);
  EXPECT_EQ(Stored("Engine", "BusMastering"), "1");
  EXPECT_EQ(Stored("DirectX", "MipMapping"), "0");
}

TEST_F(RestoreTest, RefusesAnythingButTheProgramsOwnWholeBackupAndChangesNothing) {
  StartAndForget();
  form().Button12.Click();
  const std::string whole = *machine.files.Get(kFirst);
  const std::string signed_head = "REGEDIT4\r\n\r\n; Matrox Korvane backup 1999/11/23 21:05:09\r\n";
  const std::string end = "; end of Matrox Korvane backup\r\n";
  struct Case {
    const char* what;
    std::string text;
    std::string error;
  };
  const Case cases[] = {
      {"cut short", whole.substr(0, whole.size() / 2), "は壊れています("},
      {"another program's file", "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n",
       "はKorvaneのバックアップではありません."},
      {"a key the program never writes",
       signed_head + "[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n\"a\"=\"1\"\r\n" + end,
       "はKorvaneのバックアップではありません."},
      {"another program's Run entry",
       signed_head +
           "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n"
           "\"Virus\"=\"C:\\\\x.exe\"\r\n" +
           end,
       "はKorvaneのバックアップではありません."},
  };
  const auto before = Snapshot();
  for (const Case& c : cases) {
    machine.files.Put("C:\\odd.reg", c.text);
    machine.dialogs.Clear();
    Restore("C:\\odd.reg");
    ASSERT_EQ(machine.dialogs.shown().size(), 1u) << c.what;
    EXPECT_EQ(machine.dialogs.shown()[0].caption, "Matrox Korvane") << c.what;
    EXPECT_NE(machine.dialogs.shown()[0].text.find("C:\\odd.reg " + c.error), std::string::npos)
        << c.what << ": " << machine.dialogs.shown()[0].text;
    EXPECT_EQ(Snapshot(), before) << c.what;
  }
  machine.files.MakeUnreadable("C:\\odd.reg");
  machine.dialogs.Clear();
  Restore("C:\\odd.reg");
  EXPECT_EQ(machine.Boxes(),
            std::vector<std::string>{"Matrox Korvane|ファイル C:\\odd.reg は開けません."});

  // Cancelled in the dialog or at the question: nothing either.
  machine.dialogs.Clear();
  form().RestoreButton.Click();
  machine.dialogs.Answer(MessageAnswer::kCancel);
  Restore(kFirst);
  EXPECT_EQ(machine.dialogs.shown().size(), 1u);
  EXPECT_EQ(Snapshot(), before);
  EXPECT_FALSE(machine.files.Get(kSecond));
}

TEST_F(RestoreTest, ARemovalThatCannotBeBackedUpStopsAtOnceAndChangesNothing) {
  // AGPFlags already holds the removal's "1": its first change is a delete.
  machine.memory.PutString(HKLM, machine.SubKey("CPU"), "AGPFlags", "1");
  machine.memory.PutString(HKLM, machine.SubKey("CPU"), "MMX", "0");
  StartAndForget();
  machine.files.MakeReadOnly("C:\\KORVANE\\backup\\~kvn0.tmp");
  const auto before = Snapshot();
  form().uninstall.Click();
  EXPECT_EQ(machine.Boxes(),
            (std::vector<std::string>{
                "どうする？|レジストリの設定をアンインストールしますか？",
                "Matrox Korvane|バックアップ C:\\KORVANE\\backup\\19991123-210509.reg "
                "を保存できないため、'MMX' は変更していません."}));
  EXPECT_EQ(Snapshot(), before);
}

}  // namespace
}  // namespace korvane::testing
