// ASCII-only text helpers: key and value names compare without regard to
// ASCII case, whatever the code page.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korvane {

constexpr char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

// The last `digits` hexadecimal digits of `value`, in capitals: "7FFC".
inline std::string HexText(std::uint32_t value, int digits) {
  std::string text;
  for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) {
    text += "0123456789ABCDEF"[(value >> shift) & 0xF];
  }
  return text;
}

constexpr bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::string_view::size_type i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

constexpr bool ContainsIgnoreAsciiCase(std::string_view text, std::string_view part) {
  for (std::string_view::size_type at = 0; at + part.size() <= text.size(); ++at) {
    if (EqualsIgnoreAsciiCase(text.substr(at, part.size()), part)) return true;
  }
  return false;
}

// A decimal integer written as digits with an optional sign, and nothing
// else; empty for any other text, and for more digits than an int holds.
constexpr std::optional<int> ParseInteger(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  if (text.empty() || text.size() > 9) return std::nullopt;
  int value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return negative ? -value : value;
}

}  // namespace korvane
