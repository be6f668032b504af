#include "platform/fakes/cpuid_dump.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace korvane {
namespace {

struct Leaf {
  std::uint32_t number;
  CpuidRegisters registers;
};

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// A hexadecimal number of one to eight digits at the start of `text`, which
// is moved past it.
std::optional<std::uint32_t> TakeHex(std::string_view& text) {
  std::uint32_t value = 0;
  std::size_t digits = 0;
  for (; digits < text.size() && digits < 9; ++digits) {
    const char c = text[digits];
    int digit;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else {
      break;
    }
    value = value << 4 | static_cast<std::uint32_t>(digit);
  }
  if (digits == 0 || digits > 8) return std::nullopt;
  text.remove_prefix(digits);
  return value;
}

std::optional<std::uint32_t> TakeDecimal(std::string_view& text) {
  std::uint32_t value = 0;
  std::size_t digits = 0;
  for (; digits < text.size() && digits < 6 && text[digits] >= '0' && text[digits] <= '9';
       ++digits) {
    value = value * 10 + static_cast<std::uint32_t>(text[digits] - '0');
  }
  if (digits == 0) return std::nullopt;
  text.remove_prefix(digits);
  return value;
}

// Passes over spaces and tabs, and says whether there were any.
bool SkipBlanks(std::string_view& text) {
  const auto end = text.find_first_not_of(" \t");
  const bool any = end != 0 && !text.empty();
  text.remove_prefix(end == std::string_view::npos ? text.size() : end);
  return any;
}

bool Take(std::string_view& text, std::string_view prefix) {
  if (text.substr(0, prefix.size()) != prefix) return false;
  text.remove_prefix(prefix.size());
  return true;
}

// Four registers, each followed by `separator` but the last, and then
// nothing but a note after a blank.
std::optional<CpuidRegisters> TakeRegisters(std::string_view text, char separator) {
  std::uint32_t values[4];
  for (int i = 0; i < 4; ++i) {
    if (i > 0 && !Take(text, std::string_view(&separator, 1))) return std::nullopt;
    const auto value = TakeHex(text);
    if (!value) return std::nullopt;
    values[i] = *value;
  }
  if (!text.empty() && !SkipBlanks(text)) return std::nullopt;
  return CpuidRegisters{values[0], values[1], values[2], values[3]};
}

std::optional<Leaf> ReadLine(std::string_view line) {
  line = Trimmed(line);
  if (Take(line, "CPUID") && SkipBlanks(line)) {
    const auto number = TakeHex(line);
    const bool colon = Take(line, ":");
    if (!number || !(SkipBlanks(line) || colon)) return std::nullopt;
    const auto registers = TakeRegisters(line, '-');
    if (!registers) return std::nullopt;
    return Leaf{*number, *registers};
  }
  std::uint32_t base;
  if (Take(line, "basic_cpuid[")) {
    base = 0;
  } else if (Take(line, "ext_cpuid[")) {
    base = FakeProcessor::kExtendedBase;
  } else {
    return std::nullopt;
  }
  const auto index = TakeDecimal(line);
  if (!index || !Take(line, "]=")) return std::nullopt;
  const auto registers = TakeRegisters(line, ' ');
  if (!registers) return std::nullopt;
  return Leaf{base + *index, *registers};
}

}  // namespace

bool LoadCpuidDump(std::string_view text, FakeProcessor& cpu) {
  std::vector<Leaf> found;
  bool has_leaf0 = false;
  while (!text.empty()) {
    const auto end = text.find('\n');
    if (const auto leaf = ReadLine(text.substr(0, end))) {
      has_leaf0 = has_leaf0 || leaf->number == 0;
      found.push_back(*leaf);
    }
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  if (!has_leaf0) return false;
  cpu.has_cpuid = true;
  cpu.leaves.clear();
  cpu.extended_leaves.clear();
  // Backwards, so that the first line of a leaf is the one that stays.
  for (auto leaf = found.rbegin(); leaf != found.rend(); ++leaf) {
    const bool extended = leaf->number >= FakeProcessor::kExtendedBase;
    std::vector<CpuidRegisters>& to = extended ? cpu.extended_leaves : cpu.leaves;
    const std::uint32_t index =
        extended ? leaf->number - FakeProcessor::kExtendedBase : leaf->number;
    // Leaves far past any a processor has are not worth a table of zeros.
    if (index >= 0x100) continue;
    if (to.size() <= index) to.resize(index + 1);
    to[index] = leaf->registers;
  }
  return true;
}

}  // namespace korvane
