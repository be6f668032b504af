#include "pin/pin_file.h"

#include <utility>

namespace korvane {
namespace {

constexpr std::size_t kValueStart = 6;
constexpr std::size_t kBiosVersionFirst = 21;
constexpr std::size_t kSerialFirst = 8;
constexpr std::size_t kSerialShown = 8;
constexpr std::size_t kModelNumberFirst = 7;
constexpr std::size_t kModelNumberLast = 9;
constexpr std::size_t kBoardTypeCharacter = 9;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsSeparator(char c) { return c == ' ' || c == '\t'; }

Result<int> DecimalValue(std::string_view digits, const ShownText& shown) {
  if (digits.empty()) return NotAnIntegerError(shown(digits));
  int value = 0;
  for (const char c : digits) {
    if (!IsDigit(c)) return NotAnIntegerError(shown(digits));
    value = value * 10 + (c - '0');
  }
  return value;
}

std::optional<int> Times(std::optional<int> value, int (*derive)(int)) {
  if (!value) return std::nullopt;
  return derive(*value);
}

}  // namespace

std::string_view SerialText(std::string_view line) {
  const std::size_t open = line.find('\'');
  if (open == std::string_view::npos) return std::string_view();
  const std::size_t close = line.rfind('\'');
  if (close == open) return line.substr(open + 1);
  return line.substr(open + 1, close - open - 1);
}

Result<std::optional<int>> ReadByteValue(const PinText& text, std::size_t index,
                                         const ShownText& shown) {
  const std::string_view line = LineAt(text, index);
  if (line.size() != 7 && line.size() != 8) return std::optional<int>();
  ASSIGN_OR_RETURN(const int value,
                   DecimalValue(Characters(line, kValueStart, line.size()), shown));
  return std::optional<int>(value);
}

std::string MHzText(std::optional<int> mhz) {
  return (mhz ? std::to_string(*mhz) : std::string("???")) + "MHz";
}

Status DecodePinText(const PinText& text, bool secondary_output, const ShownText& shown,
                     ChipFigures* figures, const FieldDecoded& decoded) {
  const auto characters = [&](std::size_t line, std::size_t first, std::size_t last) {
    return shown(Characters(LineAt(text, line), first, last));
  };
  figures->BiosVersion = characters(kBiosVersionLine, kBiosVersionFirst, kBiosVersionFirst + 3);
  decoded(PinField::kBiosVersion, 0);
  figures->SerialNumber =
      characters(kSerialNumberLine, kSerialFirst, kSerialFirst + kSerialShown - 1);
  decoded(PinField::kSerialNumber, 0);
  figures->ModelNumber = characters(kModelNumberLine, kModelNumberFirst, kModelNumberLast);
  decoded(PinField::kModelNumber, 0);

  for (std::size_t i = 0; i < figures->RamdacMHz.size(); ++i) {
    ASSIGN_OR_RETURN(const auto stored, ReadByteValue(text, kFirstRamdacLine + i, shown));
    figures->RamdacMHz[i] = Times(stored, RamdacFromStored);
    decoded(PinField::kRamdac, i);
  }
  for (std::size_t i = 0; i < figures->SecondaryRamdacMHz.size(); ++i) {
    std::optional<int> mhz;
    if (secondary_output) {
      ASSIGN_OR_RETURN(const auto stored, ReadByteValue(text, kFirstSecondaryLine + i, shown));
      mhz = Times(stored, RamdacFromStored);
    }
    figures->SecondaryRamdacMHz[i] = mhz;
    decoded(PinField::kSecondaryRamdac, i);
  }
  for (std::size_t i = 0; i < kCoreClockLines.size(); ++i) {
    ASSIGN_OR_RETURN(const auto core, ReadByteValue(text, kCoreClockLines[i], shown));
    figures->CoreClockMHz[i] = core;
    figures->MemoryClockMHz[i] = Times(core, MemoryClockFor);
    decoded(PinField::kCoreClock, i);
  }

  const std::string_view board_type =
      Characters(LineAt(text, kBoardTypeLine), kBoardTypeCharacter, kBoardTypeCharacter);
  ASSIGN_OR_RETURN(figures->BoardTypeDigit, DecimalValue(board_type, shown));
  decoded(PinField::kBoardType, 0);
  return Status::Ok();
}

std::optional<std::size_t> LineLackingFromWhole(const PinText& text, const ChipFigures& figures,
                                                bool secondary_output) {
  std::optional<std::size_t> first;
  const auto lacks = [&first](std::size_t line) {
    if (!first || line < *first) first = line;
  };
  if (text.size() <= kLastFieldLine) lacks(text.size());
  for (std::size_t i = 0; i < figures.RamdacMHz.size(); ++i) {
    if (!figures.RamdacMHz[i]) lacks(kFirstRamdacLine + i);
  }
  for (std::size_t i = 0; secondary_output && i < figures.SecondaryRamdacMHz.size(); ++i) {
    if (!figures.SecondaryRamdacMHz[i]) lacks(kFirstSecondaryLine + i);
  }
  for (std::size_t i = 0; i < kCoreClockLines.size(); ++i) {
    if (!figures.CoreClockMHz[i]) lacks(kCoreClockLines[i]);
  }
  return first;
}

Status DecodeWholePinFile(const PinText& text, bool secondary_output, const ShownText& shown,
                          ChipFigures* figures, const NotWhole& not_whole) {
  RETURN_IF_ERROR(
      DecodePinText(text, secondary_output, shown, figures, [](PinField, std::size_t) {}));
  const std::optional<std::size_t> lacking = LineLackingFromWhole(text, *figures, secondary_output);
  return lacking ? not_whole(*lacking + 1) : Status::Ok();
}

bool SameFieldLine(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  // The two separators before the value; the value itself is compared as is.
  int separators = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const bool either = separators < 2 && IsSeparator(a[i]) && IsSeparator(b[i]);
    if (either) ++separators;
    if (a[i] != b[i] && !either) return false;
  }
  return true;
}

std::string FieldLine(int offset, int size, std::string_view value) {
  std::string line = std::to_string(offset);
  line += '\t';
  line += std::to_string(size);
  line += '\t';
  line += value;
  return line;
}

void RewriteLine(std::vector<std::string>* lines, std::size_t index, std::string line) {
  if (index < lines->size() && !SameFieldLine((*lines)[index], line)) {
    (*lines)[index] = std::move(line);
  }
}

}  // namespace korvane
