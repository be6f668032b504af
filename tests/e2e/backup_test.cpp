// Backups, the restore and the machine report on the real program.
#include "driver/file_tools.h"
#include "driver/host_processor.h"
#include "driver/stand_ins.h"
#include "korvane_test.h"
#include "sim/tools/g400_pin.h"

namespace e2e {
namespace {

const std::string kBackupFolder = std::string(kProgramFolder) + "\\backup";
constexpr char kUnreal[] = "SOFTWARE\\Microsoft\\UnrealD3D";

// The value of the report's line that begins with `label`.
std::string Value(const std::string& report, const std::string& label) {
  const auto at = report.find("  " + label);
  if (at == std::string::npos) return "<none>";
  const auto end = report.find("\r\n", at);
  const std::string line = report.substr(at, end - at);
  const auto colon = line.find("：");
  return colon == std::string::npos ? "<none>" : line.substr(colon + std::string("：").size());
}

class BackupE2E : public KorvaneTest {
 protected:
  void SetUp() override {
    KorvaneTest::SetUp();
    SeedG400();
    // Settings a start loads and writes back unchanged, and some it never reads.
    SetString(HKEY_LOCAL_MACHINE, SubKey("CPU"), "AGPFlags", "-1");
    SetString(HKEY_LOCAL_MACHINE, SubKey("CPU"), "AGP", "1");
    SetString(HKEY_LOCAL_MACHINE, SubKey("CPU"), "MMX", "0");
    SetString(HKEY_LOCAL_MACHINE, SubKey("DirectX"), "MipMapping", "1");
    SetString(HKEY_LOCAL_MACHINE, SubKey("DirectX"), "FlipOnVblank", "0");
    SetString(HKEY_LOCAL_MACHINE, SubKey("DirectX"), "SplitMode", "1");
    SetBinary(HKEY_LOCAL_MACHINE, SubKey("DirectX"), "Caps", {0x00, 0x5C, 0x22, 0xFF});
    SetString(HKEY_LOCAL_MACHINE, SubKey("GDI"), "Circles", "1");
    SetDword(HKEY_CURRENT_USER, kPowerDesk5, "LaunchQuickDesk", 1);
    SetDword(HKEY_CURRENT_USER, kPowerDesk5, "ShowMeAllMatrox", 0);
    SetString(HKEY_LOCAL_MACHINE, kPowerDeskCurrent, "ColorDithering", "0");
    SetDword(HKEY_LOCAL_MACHINE, kUnreal, "Truecolor", 1);
    // The clock tool a start stores again as it was: not the first run.
    SetString(HKEY_LOCAL_MACHINE, kProgramKey, "g4set", ShortPath(kProgramFolder) + "\\G4set.exe");
  }

  // Every key the presets, the removal and the restore touch, types included.
  std::vector<std::string> Registry() const {
    std::vector<std::string> lines;
    for (const auto& [root, path] : std::vector<std::pair<HKEY, std::string>>{
             {HKEY_LOCAL_MACHINE, std::string(kDisplayClass) + "\\0000\\Settings"},
             {HKEY_CURRENT_USER, kPowerDesk5},
             {HKEY_LOCAL_MACHINE, kPowerDeskCurrent},
             {HKEY_LOCAL_MACHINE, kProgramKey},
             {HKEY_LOCAL_MACHINE, kUnreal}}) {
      for (const std::string& line : Snapshot(root, path)) lines.push_back(line);
    }
    return lines;
  }

  std::vector<std::string> Backups() const { return FilesIn(kBackupFolder, "*.reg"); }

  // Restores a backup through the button, the open dialog and the question.
  void Restore(const std::string& name) {
    korvane->Click(Main("RestoreButton"));
    const auto dialog = korvane->WaitForFileDialog();
    ASSERT_TRUE(dialog) << "no open dialog";
    EXPECT_EQ(dialog->title, "設定を元に戻す");
    EXPECT_EQ(dialog->file_type, "Korvaneのバックアップ (*.reg)");
    korvane->ChooseFile(*dialog, kBackupFolder + "\\" + name);
    ExpectBox("どうする？", "レジストリの設定を " + name + " の内容に戻しますか？");
    const auto told = korvane->WaitForMessageBox();
    ASSERT_TRUE(told);
    EXPECT_EQ(told->caption, "情報");
    EXPECT_EQ(told->text.substr(0, told->text.find('\n')),
              "レジストリの設定を " + name + " の内容に戻しました。");
    korvane->Answer(*told, IDOK);
  }
};

TEST_F(BackupE2E, APresetIsUndoneExactlyAndTheRestoreCanBeUndoneToo) {
  const auto before = Registry();
  Start();
  EXPECT_EQ(Registry(), before) << "start-up changed the registry";
  EXPECT_TRUE(Backups().empty()) << "an ordinary start made a backup";

  korvane->Click(Main("Button10"));
  ExpectBox("情報", "レジストリの設定を｢ゲームに特化した設定｣にしました。");
  const auto after_preset = Registry();
  ASSERT_EQ(Backups().size(), 1u);
  const std::string backup = Backups()[0];
  const std::string text = FromAnsi(*ReadBytes(kBackupFolder + "\\" + backup));
  EXPECT_EQ(text.substr(0, 10), "REGEDIT4\r\n");
  EXPECT_NE(text.find("\r\n\"AGPFlags\"=\"-1\"\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\n\"Caps\"=hex:00,5c,22,ff\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\n\"LaunchQuickDesk\"=dword:00000001\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\n; \"UseTripleBuffering\"=-\r\n"), std::string::npos);

  Restore(backup);
  EXPECT_EQ(Registry(), before);
  // The Registry tab shows what was put back.
  korvane->SelectTab(main, kRegistryTab);
  EXPECT_TRUE(korvane->Checked(Main("MIPMAP")));
  EXPECT_TRUE(korvane->Checked(Main("AGPSpeed[1]")));
  EXPECT_FALSE(korvane->Checked(Main("busmaster")));
  EXPECT_EQ(Registry(), before) << "showing the restored values wrote them";

  // The restore backed itself up first: undoing it gives the preset back.
  const auto files = Backups();
  ASSERT_EQ(files.size(), 2u);
  const std::string own = files[0] == backup ? files[1] : files[0];
  korvane->SelectTab(main, kGeneralTab);
  Restore(own);
  EXPECT_EQ(Registry(), after_preset);
}

// The first run on a machine without PowerDesk: start-up and the preset
// make keys, and the restore takes every one of them away again.
TEST_F(BackupE2E, KeysTheProgramMadeAreGoneAfterTheRestore) {
  DeleteKey(HKEY_LOCAL_MACHINE, "Software\\Matrox");
  DeleteKey(HKEY_CURRENT_USER, "Software\\Matrox");
  DeleteKey(HKEY_LOCAL_MACHINE, "Ostrel");
  const std::vector<std::pair<HKEY, const char*>> made = {
      {HKEY_CURRENT_USER, "Software\\Matrox"},
      {HKEY_LOCAL_MACHINE, "Ostrel"},
  };
  const auto before = Registry();
  Start();
  korvane->Click(Main("Button10"));
  ExpectBox("情報", "レジストリの設定を｢ゲームに特化した設定｣にしました。");
  for (const auto& [root, key] : made) ASSERT_TRUE(KeyExists(root, key)) << key;
  ASSERT_EQ(Backups().size(), 1u);
  Restore(Backups()[0]);
  for (const auto& [root, key] : made) EXPECT_FALSE(KeyExists(root, key)) << key;
  EXPECT_EQ(Registry(), before);
}

TEST_F(BackupE2E, TheSettingsRemovalIsUndoneExactly) {
  const auto before = Registry();
  Start();
  korvane->Click(Main("uninstall"));
  ExpectBox("どうする？", "レジストリの設定をアンインストールしますか？");
  ExpectBox("情報", "レジストリの設定をアンインストールしました。");
  ASSERT_NE(Registry(), before);
  ASSERT_EQ(Backups().size(), 1u);
  Restore(Backups()[0]);
  EXPECT_EQ(Registry(), before);
}

TEST_F(BackupE2E, ABackupFolderThatCannotBeWrittenBlocksTheChange) {
  MakeUnwritableFolder(kBackupFolder);
  const auto before = Registry();
  Start();
  korvane->Click(Main("Button12"));
  const auto box = korvane->WaitForMessageBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->caption, "Matrox Korvane");
  EXPECT_EQ(box->text.substr(0, box->text.find(' ')), "バックアップ");
  EXPECT_NE(box->text.find("\\backup\\"), std::string::npos) << box->text;
  const std::string tail = ".reg を保存できないため、'ShowMeAllMatrox' は変更していません.";
  EXPECT_EQ(box->text.substr(box->text.size() - tail.size()), tail) << box->text;
  korvane->Answer(*box, IDOK);
  EXPECT_FALSE(korvane->MessageBoxOpen()) << "success announced after the refusal";
  EXPECT_EQ(Registry(), before);
}

TEST_F(BackupE2E, RegeditOfTheSystemImportsTheBackup) {
  // What regedit must bring back exactly: escapes, a name in code page 932
  // whose second bytes are backslashes, long binary data, a negative dword.
  std::vector<std::uint8_t> table(100);
  for (std::size_t i = 0; i < table.size(); ++i) table[i] = static_cast<std::uint8_t>(i * 37);
  SetString(HKEY_LOCAL_MACHINE, SubKey("DirectX"), "Path \"G400\"", "C:\\G400\\\"new\"\\");
  SetString(HKEY_LOCAL_MACHINE, SubKey("DirectX"), "ソ表", "モニタ\\");
  SetBinary(HKEY_LOCAL_MACHINE, SubKey("DirectX"), "Table", table);
  SetDword(HKEY_LOCAL_MACHINE, SubKey("DirectX"), "Level", 0xFFFFFFFE);
  const auto before = Registry();
  Start();
  korvane->Click(Main("Button12"));
  ExpectBox("情報", "レジストリの設定を｢ベンチマーク専用の設定｣にしました。");
  korvane->Click(Main("Button1"));
  ASSERT_TRUE(korvane->WaitForExit(10000));
  ASSERT_EQ(Backups().size(), 1u);

  // The keys the preset wrote, gone; regedit brings back what was there.
  DeleteKey(HKEY_LOCAL_MACHINE, std::string(kDisplayClass) + "\\0000\\Settings");
  DeleteKey(HKEY_CURRENT_USER, kPowerDesk5);
  const std::wstring command =
      L"regedit.exe /S \"" + Wide(kBackupFolder + "\\" + Backups()[0]) + L"\"";
  std::wstring line = command;
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  ASSERT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &process));
  WaitForSingleObject(process.hProcess, 60000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  EXPECT_EQ(Registry(), before);
}

TEST_F(BackupE2E, TheReportHoldsTheBoardTheProcessorAndTheDriverSettings) {
  DeleteFileW(L"C:\\report.txt");
  // A PIN file dumped in an earlier run: the report decodes it as the chip
  // tab would.
  std::string pin;
  for (const char* line : kSimulatedG400Pin) pin += std::string(line) + "\r\n";
  WriteBytes(std::string(kProgramFolder) + "\\mypins.txt", pin);
  Start();
  korvane->Click(Main("ReportButton"));
  const auto dialog = korvane->WaitForFileDialog();
  ASSERT_TRUE(dialog) << "no save dialog";
  EXPECT_EQ(dialog->title, "レポートを保存");
  EXPECT_EQ(dialog->file_name, "korvane.txt");
  korvane->ChooseFile(*dialog, "C:\\report.txt");
  ExpectBox("情報", "レポートを C:\\report.txt に保存し、クリップボードにもコピーしました。");

  const auto bytes = ReadBytes("C:\\report.txt");
  ASSERT_TRUE(bytes);
  const std::string text = FromAnsi(*bytes);
  EXPECT_EQ(Value(text, "ボード"), "Matrox Millennium G400 DualHead") << text;
  EXPECT_EQ(Value(text, "使用CRT"), "Plug and Play Monitor");
  const auto host = ReadHostProcessor();
  ASSERT_TRUE(host);
  const std::string vendor = Value(text, "CPU 社名");
  EXPECT_EQ(vendor.substr(vendor.find('(')), "(" + host->vendor + ")") << vendor;
  EXPECT_EQ(Value(text, "ファミリ/モデル/ステッピング"), std::to_string(host->family) + "/" +
                                                             std::to_string(host->model) + "/" +
                                                             std::to_string(host->stepping));
  EXPECT_TRUE(ParseClock(Value(text, "CPU 動作クロック"))) << text;
  EXPECT_EQ(Value(text, "MMX 命令"), host->Has("mmx") ? "搭載" : "なし");
  EXPECT_EQ(Value(text, "Mip Mappingフィルタ"), "オン");
  EXPECT_EQ(Value(text, "トリプルバッファリングを使用"), "オフ");
  EXPECT_EQ(Value(text, "AGPの速度設定"), "AGP 2x");
  // The clocks the simulated card runs at, and its chip figures.
  EXPECT_EQ(Value(text, "システムクロック"), "250MHz");
  EXPECT_EQ(Value(text, "コアクロック"), "125MHz");
  EXPECT_EQ(Value(text, "メモリークロック"), "166MHz");
  EXPECT_EQ(Value(text, "シリアルナンバー"), "KZ604123");
  // The host's own CPUID leaves, standard and extended, for support's tool.
  EXPECT_NE(text.find("■ CPUIDの記録\r\nCPUID 00000000: "), std::string::npos) << text;
  EXPECT_NE(text.find("\r\nCPUID 80000001: "), std::string::npos);
  // CR LF after every line, the last one included.
  for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1)) {
    ASSERT_EQ(text[at - 1], '\r') << at;
  }
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
  EXPECT_EQ(ClipboardText(), text);
}

}  // namespace
}  // namespace e2e
