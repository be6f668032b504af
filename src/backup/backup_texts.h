// What the backup and the restore say to the user, in one place. %s and %d
// are filled in the order they stand.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace korvane::backup_texts {

// The text with each %s or %d replaced by the next of `fields`.
inline std::string Fill(std::string_view text, std::initializer_list<std::string_view> fields) {
  std::string filled;
  auto field = fields.begin();
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 1 < text.size() && (text[i + 1] == 's' || text[i + 1] == 'd') &&
        field != fields.end()) {
      filled += *field++;
      ++i;
    } else {
      filled += text[i];
    }
  }
  return filled;
}

// The button on the General tab.
inline constexpr char kRestoreCaption[] = "設定を元に戻す…";
inline constexpr char kRestoreHint[] = "バックアップからレジストリの設定を元に戻します。";

// The comment near the top of every backup file.
inline constexpr char kFileExplanation[] =
    "Korvaneが変更する前のレジストリの設定です。｢; \"名前\"=-｣の行は変更前になかった値で、"
    "Korvaneの｢設定を元に戻す…｣で削除されます。";

// A change the program refuses, since it could not save its backup first.
inline constexpr char kBackupFailed[] =
    "バックアップ %s を保存できないため、'%s' は変更していません";

// The restore.
inline constexpr char kRestoreDialogTitle[] = "設定を元に戻す";
inline constexpr char kRestoreFilter[] = "Korvaneのバックアップ (*.reg)|*.reg";
inline constexpr char kNotABackup[] = "%s はKorvaneのバックアップではありません";
inline constexpr char kDamaged[] = "バックアップ %s は壊れています(%d行目)";
inline constexpr char kQuestionCaption[] = "どうする？";
inline constexpr char kRestoreQuestion[] = "レジストリの設定を %s の内容に戻しますか？";
inline constexpr char kInformationCaption[] = "情報";
inline constexpr char kRestored[] =
    "レジストリの設定を %s の内容に戻しました。\n"
    "書き戻した値：%d個、削除した値：%d個\n"
    "戻す前の設定は %s に保存しました。\n"
    "※設定を変更後は再起動してください。";
inline constexpr char kAlreadyRestored[] =
    "レジストリの設定はすでに %s の内容と同じです。何も変更していません。";

}  // namespace korvane::backup_texts
