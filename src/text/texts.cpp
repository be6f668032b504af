#include "text/texts.h"

#include "text/text_tables.h"

namespace korvane {
namespace {

// Constant-initialised: they hold before any constructor runs.
Language g_language = Language::kJapanese;
const char* const* g_japanese = kJapaneseTexts.data();
std::string (*g_shown_path)(std::string_view) = nullptr;

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsLower(std::string_view text, std::string_view lower) {
  if (text.size() != lower.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (LowerAscii(text[i]) != lower[i]) return false;
  }
  return true;
}

}  // namespace

Language ChooseLanguage(unsigned ansi_code_page, std::string_view command_line) {
  constexpr unsigned kShiftJis = 932;
  Language language = ansi_code_page == kShiftJis ? Language::kJapanese : Language::kEnglish;
  std::size_t start = 0;
  while (start < command_line.size()) {
    const std::size_t end = command_line.find_first_of(" \t", start);
    const std::string_view word =
        command_line.substr(start, end == std::string_view::npos ? end : end - start);
    if (EqualsLower(word, "/lang:en")) language = Language::kEnglish;
    if (EqualsLower(word, "/lang:ja")) language = Language::kJapanese;
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return language;
}

Language CurrentLanguage() { return g_language; }

void SetLanguage(Language language) { g_language = language; }

TextTable TextsOf(Language language) {
  return TextTable(language == Language::kEnglish ? kEnglishTexts : kJapaneseTexts);
}

bool DecodeJapaneseTexts(std::string (*decode)(std::string_view cp932)) {
  // Kept for the rest of the run.
  auto* decoded = new std::string;
  std::array<std::size_t, kTextCount> at;
  for (std::size_t i = 0; i < kTextCount; ++i) {
    const std::string text = decode(kJapaneseTexts[i]);
    if (text.empty()) {
      delete decoded;
      return false;
    }
    at[i] = decoded->size();
    *decoded += text;
    *decoded += '\0';
  }
  auto* texts = new const char*[kTextCount];
  for (std::size_t i = 0; i < kTextCount; ++i) texts[i] = decoded->data() + at[i];
  g_japanese = texts;
  return true;
}

const char* Text(TextId id) {
  const char* const* texts = g_language == Language::kEnglish ? kEnglishTexts.data() : g_japanese;
  return texts[static_cast<std::size_t>(id)];
}

std::string Format(TextId id, std::initializer_list<std::string_view> fields) {
  const std::string_view text = Text(id);
  std::string filled;
  auto field = fields.begin();
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 1 < text.size() && (text[i + 1] == 's' || text[i + 1] == 'd') &&
        field != fields.end()) {
      if (g_shown_path) {
        filled += g_shown_path(*field++);
      } else {
        filled += *field++;
      }
      ++i;
    } else {
      filled += text[i];
    }
  }
  return filled;
}

void ShowPathsAs(std::string (*shown)(std::string_view path)) { g_shown_path = shown; }

std::string JoinNotices(std::initializer_list<std::string_view> notices) {
  std::string joined;
  for (const std::string_view notice : notices) {
    if (notice.empty()) continue;
    if (!joined.empty()) joined += Text(TextId::kNoticeBreak);
    joined += notice;
  }
  return joined;
}

DialogFont CurrentDialogFont() {
  // MS Sans Serif 8 pt is 11 pixels high on the 96 dpi screens of the time.
  if (g_language == Language::kEnglish) return {"MS Sans Serif", 11};
  return {"ＭＳ Ｐゴシック", 12};
}

std::string WithoutCaptionColon(std::string_view caption) {
  const std::string_view colon = Text(TextId::kCaptionColon);
  if (caption.size() >= colon.size() && caption.substr(caption.size() - colon.size()) == colon) {
    caption.remove_suffix(colon.size());
  }
  return std::string(caption);
}

}  // namespace korvane
