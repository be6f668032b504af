// The two tables of texts, one per language, each in its own file.
#pragma once

#include <cstddef>

#include "text/texts.h"

namespace korvane {

extern const TextRow kJapaneseTexts[kTextCount];
extern const TextRow kEnglishTexts[kTextCount];

// Text() indexes a table by name: row i must name text i.
constexpr bool InNameOrder(const TextRow (&rows)[kTextCount]) {
  for (std::size_t i = 0; i < kTextCount; ++i) {
    if (static_cast<std::size_t>(rows[i].id) != i || rows[i].text == nullptr) return false;
  }
  return true;
}

}  // namespace korvane
