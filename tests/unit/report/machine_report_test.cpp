#include "report/machine_report.h"

#include <gtest/gtest.h>

#include <string>

#include "report/save_report.h"
#include "sysinfo/windows_release.h"
#include "unit/test_machine.h"

namespace korvane::testing {
namespace {

TEST(MachineReport, NamesTheExactWindowsReleaseFromItsBuildAndLetter) {
  const std::pair<OsVersion, const char*> cases[] = {
      {{1, 4, 0, 950, ""}, "Windows 95 4.00.950"},
      {{1, 4, 0, 950, " A"}, "Windows 95 4.00.950 A"},
      {{1, 4, 0, 1111, " B"}, "Windows 95 OSR2 4.00.950 B (build 1111)"},
      {{1, 4, 0, 1214, " C"}, "Windows 95 OSR2.5 4.00.950 C (build 1214)"},
      {{1, 4, 10, 1998, " "}, "Windows 98 4.10.1998"},
      {{1, 4, 10, 2222, " A "}, "Windows 98 Second Edition 4.10.2222"},
      {{1, 4, 90, 3000, " "}, "Windows Me 4.90.3000"},
      {{1, 4, 0, 950, " D"}, "Windows 4.00.950 D"},
      {{2, 4, 0, 1381, "Service Pack 6"}, "Windows 4.00.1381 Service Pack 6"},
  };
  for (const auto& [version, release] : cases) {
    EXPECT_EQ(WindowsRelease(version), release) << version.build << version.service;
  }
}

TEST(MachineReport, LinesUpEachBlockAndNamesWhatIsUnknown) {
  MachineReport report;
  report.created = "1999/11/23 21:05:09";
  report.program = "Matrox Korvane Ver1.10";
  report.os_platform = "Windows95/98";
  report.os_version = "4.10";
  report.cpu_vendor = "AMD (AuthenticAMD)";
  report.cpu_features = {{"MMX 命令", "搭載"}, {"Streaming SIMD拡張命令", "非対応"}};
  report.board = "Matrox Millennium G400 DualHead";
  report.agp_mode = "AGP 2x";
  report.driver_settings = {
      {"一般設定", {{"DDCの影響を強くする", "オン"}, {"ハイカラーモード", "オフ"}}},
      {"システム設定", {{"AGPの速度設定", "AGP 2x"}}},
  };
  report.core_clock = "125MHz";
  report.chip_figures = {{"チップ", "G400"}, {"ｼﾘｱﾙ番号", "HH12345"}};

  EXPECT_EQ(BuildReport(report),
            "Matrox Korvane マシンレポート\r\n"
            "作成日時：1999/11/23 21:05:09\r\n"
            "\r\n"
            "■ プログラムとOS\r\n"
            "  プログラム        ：Matrox Korvane Ver1.10\r\n"
            "  OS                ：不明\r\n"
            "  バージョン        ：4.10\r\n"
            "  リリース          ：不明\r\n"
            "  プラットフォームID：Windows95/98\r\n"
            "\r\n"
            "■ プロセッサ\r\n"
            "  CPU 社名                    ：AMD (AuthenticAMD)\r\n"
            "  ファミリ/モデル/ステッピング：不明\r\n"
            "  CPU 名                      ：不明\r\n"
            "  CPU詳細                     ：不明\r\n"
            "  CPU 動作クロック            ：不明\r\n"
            "  MMX 命令                    ：搭載\r\n"
            "  Streaming SIMD拡張命令      ：非対応\r\n"
            "\r\n"
            "■ ボードとモニター\r\n"
            "  ボード          ：Matrox Millennium G400 DualHead\r\n"
            "  使用CRT         ：不明\r\n"
            "  プラットフォーム：不明\r\n"
            "  AGP動作         ：AGP 2x\r\n"
            "\r\n"
            "■ レジストリの設定\r\n"
            "  一般設定\r\n"
            "    DDCの影響を強くする：オン\r\n"
            "    ハイカラーモード   ：オフ\r\n"
            "  システム設定\r\n"
            "    AGPの速度設定：AGP 2x\r\n"
            "\r\n"
            "■ オーバークロック\r\n"
            "  システムクロック：不明\r\n"
            "  コアクロック    ：125MHz\r\n"
            "  メモリークロック：不明\r\n"
            "\r\n"
            "■ チップ仕様\r\n"
            "  チップ  ：G400\r\n"
            "  ｼﾘｱﾙ番号：HH12345\r\n");

  report.chip_figures.clear();
  const std::string text = BuildReport(report);
  EXPECT_EQ(text.substr(text.find("■ チップ仕様")),
            "■ チップ仕様\r\n  PINファイルはまだ読み込まれていません。\r\n");
}

TEST(MachineReport, IsSavedWhereTheUserSaysAndCopied) {
  TestMachine machine;
  machine.dialogs.AnswerFile("C:\\My Documents\\g400.txt");
  ASSERT_TRUE(
      SaveReport("レポート\r\n", machine.dialogs, machine.files, "C:\\KORVANE", machine.clipboard)
          .ok());
  EXPECT_EQ(machine.files.Get("C:\\My Documents\\g400.txt"), "レポート\r\n");
  EXPECT_EQ(machine.clipboard.text(), "レポート\r\n");
  const FileDialogOptions& dialog = machine.dialogs.file_dialogs()[0];
  EXPECT_EQ(dialog.file_name, "korvane.txt");
  EXPECT_EQ(dialog.default_extension, "txt");
  EXPECT_EQ(machine.Boxes(),
            std::vector<std::string>{"情報|レポートを C:\\My Documents\\g400.txt "
                                     "に保存し、クリップボードにもコピーしました。"});

  // A clipboard another program holds open: the file is still saved.
  machine.dialogs.Clear();
  machine.clipboard.refuses = true;
  machine.dialogs.AnswerFile("C:\\g400.txt");
  ASSERT_TRUE(
      SaveReport("b", machine.dialogs, machine.files, "C:\\KORVANE", machine.clipboard).ok());
  EXPECT_EQ(machine.Boxes(), std::vector<std::string>{"情報|レポートを C:\\g400.txt "
                                                      "に保存しました。クリップボードにはコピー"
                                                      "できませんでした。"});

  // A file that cannot be written is an error; cancelling does nothing.
  machine.dialogs.Clear();
  machine.files.MakeReadOnly("C:\\g400.txt");
  machine.dialogs.AnswerFile("C:\\g400.txt");
  EXPECT_EQ(
      SaveReport("c", machine.dialogs, machine.files, "C:\\KORVANE", machine.clipboard).message(),
      "ファイル C:\\g400.txt を置き換えられません。新しい内容は C:\\~kvn0.tmp に残してあります");
  EXPECT_TRUE(
      SaveReport("d", machine.dialogs, machine.files, "C:\\KORVANE", machine.clipboard).ok());
  EXPECT_TRUE(machine.dialogs.shown().empty());
  EXPECT_EQ(machine.files.Get("C:\\g400.txt"), "b");
}

}  // namespace
}  // namespace korvane::testing
