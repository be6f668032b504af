// The two tables of texts, one per language, each in its own file.
#pragma once

#include <array>
#include <cstddef>

#include "text/texts.h"

namespace korvane {

// The program keeps the texts alone, without their names: the rows are
// checked, and then only their texts are kept, at compile time.
extern const TextPointers kJapaneseTexts;
extern const TextPointers kEnglishTexts;

// Text() indexes a table by name: row i must name text i.
constexpr bool InNameOrder(const TextRow (&rows)[kTextCount]) {
  for (std::size_t i = 0; i < kTextCount; ++i) {
    if (static_cast<std::size_t>(rows[i].id) != i || rows[i].text == nullptr) return false;
  }
  return true;
}

constexpr TextPointers TextsOfRows(const TextRow (&rows)[kTextCount]) {
  TextPointers texts{};
  for (std::size_t i = 0; i < kTextCount; ++i) texts[i] = rows[i].text;
  return texts;
}

}  // namespace korvane
