// The program's language and its texts. The program entry fixes the
// language once, before the first window is built; everything after reads
// it. Looking a text up is an index into constant data.
#pragma once

#include <array>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "text/text_id.h"

namespace korvane {

enum class Language { kJapanese, kEnglish };

// Japanese where the system's ANSI code page is 932 (Shift-JIS), English
// everywhere else: no other code page can show the Japanese texts. A switch
// "/lang:en" or "/lang:ja" on the command line, in any case, overrides it;
// the last one counts.
Language ChooseLanguage(unsigned ansi_code_page, std::string_view command_line);

// Japanese until set.
Language CurrentLanguage();
void SetLanguage(Language language);

// korvane.exe keeps its Japanese texts in code page 932, a third smaller
// than UTF-8, and the program entry has them turned into UTF-8 once, here,
// before the first is read; other builds keep them in UTF-8. False, with
// the texts left as they are, when `decode` gives nothing for one: a
// system without code page 932 cannot show them.
bool DecodeJapaneseTexts(std::string (*decode)(std::string_view cp932));

// The text in the current language.
const char* Text(TextId id);
// The text with each %s or %d replaced by the next of `fields`, in order.
std::string Format(TextId id, std::initializer_list<std::string_view> fields);

// Has Format show a field that is a path as `shown` gives it: the program
// entry shows every path the user reads in its long form.
void ShowPathsAs(std::string (*shown)(std::string_view path));

// The notices that are not empty, one after another.
std::string JoinNotices(std::initializer_list<std::string_view> notices);

// A caption without the colon it ends in, in the current language ("Family:"
// gives "Family"); a caption without one as it is.
std::string WithoutCaptionColon(std::string_view caption);

// The font every window's text uses in the current language: the one the
// system itself shows dialogs in.
struct DialogFont {
  const char* face;
  int size_px;
};
DialogFont CurrentDialogFont();

// A language's table as written, row i naming text i.
struct TextRow {
  TextId id;
  const char* text;
};
// A language's texts, text i at index i.
using TextPointers = std::array<const char*, kTextCount>;
using TextTable = std::span<const char* const, kTextCount>;
TextTable TextsOf(Language language);

}  // namespace korvane
