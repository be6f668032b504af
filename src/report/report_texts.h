// What the machine report says, and what saving it tells the user, in one
// place. %s is filled with the file's path.
#pragma once

namespace korvane::report_texts {

// The button on the General tab.
inline constexpr char kReportCaption[] = "レポートを保存…";
inline constexpr char kReportHint[] = "このマシンの情報をテキストファイルに保存します。";

// The report itself.
inline constexpr char kTitle[] = "Matrox Korvane マシンレポート";
inline constexpr char kCreated[] = "作成日時";
inline constexpr char kUnknown[] = "不明";
inline constexpr char kNoChipSpecification[] = "PINファイルはまだ読み込まれていません。";
inline constexpr char kSystemHeading[] = "■ プログラムとOS";
inline constexpr char kProcessorHeading[] = "■ プロセッサ";
inline constexpr char kCardHeading[] = "■ ボードとモニター";
inline constexpr char kSettingsHeading[] = "■ レジストリの設定";
inline constexpr char kClockHeading[] = "■ オーバークロック";
inline constexpr char kChipHeading[] = "■ チップ仕様";
inline constexpr char kProgram[] = "プログラム";
inline constexpr char kOsPlatform[] = "プラットフォームID";
inline constexpr char kOsName[] = "OS";
inline constexpr char kOsVersion[] = "バージョン";
inline constexpr char kCpuVendor[] = "CPU 社名";
inline constexpr char kCpuSignature[] = "ファミリ/モデル/ステッピング";
inline constexpr char kCpuName[] = "CPU 名";
inline constexpr char kCpuDetail[] = "CPU詳細";
inline constexpr char kCpuClock[] = "CPU 動作クロック";
inline constexpr char kBoard[] = "ボード";
inline constexpr char kMonitor[] = "使用CRT";
inline constexpr char kPlatform[] = "プラットフォーム";
inline constexpr char kAgpMode[] = "AGP動作";
inline constexpr char kSystemClock[] = "システムクロック";
inline constexpr char kCoreClock[] = "コアクロック";
inline constexpr char kMemoryClock[] = "メモリークロック";
inline constexpr char kChipModel[] = "型番";
inline constexpr char kChipRevision[] = "チップリビジョン";
inline constexpr char kModelNumber[] = "モデルナンバー";
inline constexpr char kSerialNumber[] = "シリアルナンバー";
inline constexpr char kBiosVersion[] = "BIOSのバージョン";
inline constexpr char kRamdac[] = "RAMDAC (設定値/VGA/8/16/24/32Bit)";
inline constexpr char kSecondaryRamdac[] = "セカンダリ (16/32Bit)";
inline constexpr char kChipCoreClock[] = "コアクロック (VGA/2D/3D)";
inline constexpr char kChipMemoryClock[] = "メモリークロック (VGA/2D/3D)";
// A Registry tab control's state.
inline constexpr char kOn[] = "オン";
inline constexpr char kOff[] = "オフ";
inline constexpr char kNoSelection[] = "未選択";
inline constexpr char kCannotChange[] = " (変更不可)";

// Saving it.
inline constexpr char kInformationCaption[] = "情報";
inline constexpr char kReportDialogTitle[] = "レポートを保存";
inline constexpr char kReportFilter[] = "テキスト ファイル (*.txt)|*.txt";
inline constexpr char kReportFileName[] = "korvane.txt";
inline constexpr char kReportSaved[] = "レポートを %s に保存し、クリップボードにもコピーしました。";
inline constexpr char kReportSavedNotCopied[] =
    "レポートを %s に保存しました。クリップボードにはコピーできませんでした。";

}  // namespace korvane::report_texts
