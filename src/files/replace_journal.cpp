#include "files/replace_journal.h"

#include <array>
#include <utility>

namespace korvane {
namespace {

constexpr std::string_view kFirstLine = "Korvane replace 1";
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kHexDigits = "0123456789ABCDEF";
constexpr std::size_t kChecksumDigits = 8;
constexpr std::size_t kMaxSizeDigits = 10;

// FNV-1a: enough to tell one text from another, not meant against forgery.
std::uint32_t Checksum(std::string_view bytes) {
  std::uint32_t hash = 2166136261u;
  for (const char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 16777619u;
  }
  return hash;
}

// A path may hold no control character: a NUL would end it early at the
// system call and name another file.
bool IsPath(std::string_view line) {
  for (const char c : line) {
    if (static_cast<unsigned char>(c) < 0x20) return false;
  }
  return true;
}

// "SIZE CHECKSUM": decimal, then eight upper-case hexadecimal digits.
bool ReadFigures(std::string_view line, std::uint32_t* size, std::uint32_t* checksum) {
  const std::size_t space = line.find(' ');
  if (space == 0 || space > kMaxSizeDigits || line.size() != space + 1 + kChecksumDigits) {
    return false;
  }
  std::uint64_t value = 0;
  for (const char c : line.substr(0, space)) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<unsigned>(c - '0');
  }
  if (value > 0xFFFFFFFFu) return false;
  *size = static_cast<std::uint32_t>(value);
  *checksum = 0;
  for (const char c : line.substr(space + 1)) {
    const std::size_t digit = kHexDigits.find(c);
    if (digit == std::string_view::npos) return false;
    *checksum = *checksum << 4 | static_cast<std::uint32_t>(digit);
  }
  return true;
}

}  // namespace

ReplaceJournal JournalOf(std::string target, std::string fresh, std::string aside,
                         std::string_view text) {
  return {std::move(target), std::move(fresh), std::move(aside),
          static_cast<std::uint32_t>(text.size()), Checksum(text)};
}

bool HoldsNewText(const ReplaceJournal& journal, std::string_view bytes) {
  return bytes.size() == journal.size && Checksum(bytes) == journal.checksum;
}

std::string FormatReplaceJournal(const ReplaceJournal& journal) {
  std::string checksum(kChecksumDigits, '0');
  for (std::size_t i = 0; i < kChecksumDigits; ++i) {
    checksum[kChecksumDigits - 1 - i] = kHexDigits[journal.checksum >> (4 * i) & 0xF];
  }
  std::string text;
  for (const std::string_view line :
       {kFirstLine, std::string_view(journal.target), std::string_view(journal.fresh),
        std::string_view(journal.aside)}) {
    text.append(line).append(kLineEnd);
  }
  return text + std::to_string(journal.size) + " " + checksum + std::string(kLineEnd);
}

std::optional<ReplaceJournal> ReadReplaceJournal(std::string_view text) {
  std::array<std::string_view, 5> lines;
  for (std::string_view& line : lines) {
    const std::size_t end = text.find(kLineEnd);
    if (end == std::string_view::npos) return std::nullopt;
    line = text.substr(0, end);
    text.remove_prefix(end + kLineEnd.size());
  }
  ReplaceJournal journal{std::string(lines[1]), std::string(lines[2]), std::string(lines[3])};
  if (!text.empty() || lines[0] != kFirstLine || journal.target.empty() || journal.fresh.empty() ||
      !IsPath(lines[1]) || !IsPath(lines[2]) || !IsPath(lines[3]) ||
      !ReadFigures(lines[4], &journal.size, &journal.checksum)) {
    return std::nullopt;
  }
  return journal;
}

}  // namespace korvane
