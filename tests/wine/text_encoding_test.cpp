// UTF-8 inside, code page 932 at the API: the conversions the Win32 layer
// makes at every call. Run under Wine with the Japanese code page.
#include "win32/text_encoding.h"

#include <windows.h>

#include "win32/win32_dialogs.h"

#include <gtest/gtest.h>

namespace korvane::win32 {
namespace {

TEST(TextEncodingTest, JapaneseTextRoundTripsThroughCodePage932) {
  ASSERT_EQ(GetACP(), 932u) << "the prefix must run with LANG=ja_JP.UTF-8";
  const std::string text = "｢MGA-G400｣はMatrox Graphics社の商標です。";
  const std::string ansi = ToAnsi(text);
  // Half-width katakana brackets are single bytes in code page 932.
  EXPECT_EQ(static_cast<unsigned char>(ansi[0]), 0xA2);
  EXPECT_EQ(ansi.substr(1, 8), "MGA-G400");
  EXPECT_EQ(FromAnsi(ansi), text);
  EXPECT_EQ(ToAnsi("G400.drv"), "G400.drv");
  const std::string with_nul("1\0あ", 5);
  EXPECT_EQ(FromAnsi(ToAnsi(with_nul)), with_nul);
}

TEST(TextEncodingTest, Utf8DecodesEveryLengthAndReplacesBrokenBytes) {
  EXPECT_EQ(Utf8ToWide("A\xC3\xA9\xE3\x81\x82\xF0\x9F\x98\x80"),
            (std::wstring{L'A', 0x00E9, 0x3042, 0xD83D, 0xDE00}));
  EXPECT_EQ(Utf8ToWide("\xE3\x81"), (std::wstring{0xFFFD, 0xFFFD}));
  EXPECT_EQ(WideToUtf8(Utf8ToWide("ＭＳ Ｐゴシック")), "ＭＳ Ｐゴシック");
  EXPECT_EQ(WideToUtf8(std::wstring{0xD83D, 0xDE00}), "\xF0\x9F\x98\x80");
}

TEST(TextEncodingTest, FileDialogFiltersSplitAtBarsBeforeConversion) {
  // "ポ" is 0x83 0x7C in code page 932: its second byte is a bar.
  EXPECT_EQ(DialogFilter("ポ|*.txt"), std::string("\x83\x7C\0*.txt\0\0", 10));
  EXPECT_EQ(DialogFilter("PＩNファイル(*.txt)|*.txt"),
            ToAnsi("PＩNファイル(*.txt)") + std::string("\0*.txt\0\0", 8));
}

}  // namespace
}  // namespace korvane::win32
