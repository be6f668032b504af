// Korvane started from a CD, as from a magazine's: its folder takes no file,
// so what it writes goes to KORVANE in the Windows folder, and the clock
// tool is not put into the Run key from a disc that may be gone at the next
// log-on. tests/e2e/read-only-folder.sh runs it, with drive D: a CD-ROM
// whose files are on a read-only mount.
#include <windows.h>

#include <string>

#include "korvane_test.h"

namespace e2e {
namespace {

constexpr char kCdFolder[] = "D:\\KORVANE";
const std::string kWork = "C:\\windows\\KORVANE";
// Where the stand-ins keep the card's clocks and their logs: not on the CD.
constexpr char kCard[] = "C:\\card";

class ReadOnlyFolderE2E : public KorvaneTest {};

TEST_F(ReadOnlyFolderE2E, StartedFromACdItWritesInTheWindowsFolderAndKeepsTheToolOutOfTheRunKey) {
  ASSERT_FALSE(WriteBytes(std::string(kCdFolder) + "\\probe.txt", "")) << "D: takes files";
  RemoveFolder(kWork + "\\backup");
  RemoveFolder(kWork);
  CreateDirectoryA(kCard, nullptr);
  ResetStandIns(kCard);
  SetEnvironmentVariableA("KORVANE_STAND_IN_STATE", kCard);
  SeedG400();
  korvane = std::make_unique<Korvane>(kCdFolder);
  main = korvane->WaitForForm("Form1");
  ASSERT_TRUE(main);
  WaitForClockReport();

  // Start-up went to its end: the monitor comes last.
  EXPECT_FALSE(korvane->MessageBoxOpen());
  EXPECT_EQ(korvane->Text(Main("Label31")), "Plug and Play Monitor");
  EXPECT_EQ(korvane->Text(Main("StatusBar2")),
            "Korvaneのフォルダーに書き込めないため " + kWork + " を使います");
  const auto tool = Get(HKEY_LOCAL_MACHINE, kProgramKey, "G4set");
  ASSERT_TRUE(tool) << "the first start's tool path is not stored";
  EXPECT_EQ(tool->text(), "D:\\KORVANE\\G4set.exe");
  korvane->SelectTab(main, kOverclockTab);
  EXPECT_EQ(korvane->Text(Main("Label163")), "250MHz");

  korvane->SelectTab(main, kRegistryTab);
  korvane->Click(Main("DDC"));
  EXPECT_EQ(Stored("Monitor", "ForceDDC"), "1");
  // Into the run's backup file, with the first start's tool path.
  const auto backups = FilesIn(kWork + "\\backup", "*.reg");
  ASSERT_EQ(backups.size(), 1u);
  EXPECT_NE(ReadBytes(kWork + "\\backup\\" + backups[0]).value_or("").find("\"ForceDDC\"=-"),
            std::string::npos);

  korvane->SelectTab(main, kOverclockTab);
  korvane->Click(Main("Button3"));
  ExpectBox("情報", "G400のコアクロックを125MHzに、メモリークロックを166MHzに変更しました。");
  EXPECT_EQ(ReadBytes(kWork + "\\OC.bat"), "D:\\KORVANE\\G4set.exe -sclk 250 -div 1/2 2/3 1/2\r\n");
  EXPECT_EQ(ToolRuns(kCard, kG4set).back(), "-sclk 250 -div 1/2 2/3 1/2");

  korvane->Click(Main("Button2"));
  ExpectBox("Matrox Korvane",
            "D:\\KORVANE\\G4set.exe はCD-ROMかリムーバブル ディスクにあるため、起動時の設定はでき"
            "ません。次のログオンでそのディスクがないと、Windowsは起動のたびにエラーを表示します。"
            "Korvaneとツールをハード ディスクにコピーしてから設定してください.");
  EXPECT_FALSE(Get(HKEY_LOCAL_MACHINE, kRunKey, "G400 OverClock"));
  SetEnvironmentVariableA("KORVANE_STAND_IN_STATE", nullptr);
}

}  // namespace
}  // namespace e2e
