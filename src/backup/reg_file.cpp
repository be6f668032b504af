#include "backup/reg_file.h"

#include <algorithm>
#include <cstdint>

#include "text/texts.h"

namespace korvane {
namespace {

constexpr std::string_view kHeader = "REGEDIT4";
// Format marks, never translated: a backup made in one language restores
// in the other.
constexpr std::string_view kSignature = "; Matrox Korvane backup ";
constexpr std::string_view kEndMark = "; end of Matrox Korvane backup";
constexpr std::string_view kAbsentMark = "=-";
// A key that did not exist: the header regedit of later Windows reads as
// "delete this key", behind a comment mark, so that regedit 4 skips it.
constexpr std::string_view kCreatedKeyMark = "; [-";
constexpr std::string_view kLocalMachine = "HKEY_LOCAL_MACHINE";
constexpr std::string_view kCurrentUser = "HKEY_CURRENT_USER";
constexpr std::string_view kNewline = "\r\n";
// regedit wraps long hex data below 80 columns, ending each line with '\'.
constexpr std::size_t kHexLineLimit = 76;

constexpr char kHexDigits[] = "0123456789abcdef";

bool IsTextType(std::uint32_t type) { return type == kRegString || type == kRegExpandString; }

// Inside quotes regedit knows two escapes: \\ and \".
std::string Quoted(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '\\' || c == '"') quoted += '\\';
    quoted += c;
  }
  return quoted + '"';
}

std::string ValueName(std::string_view name) { return name.empty() ? "@" : Quoted(name); }

std::string Hex(std::uint32_t number, int digits) {
  std::string text(digits, '0');
  for (int i = digits - 1; i >= 0; --i, number >>= 4) text[i] = kHexDigits[number & 15];
  return text;
}

// A string regedit brings back exactly: its text, one NUL, and nothing that
// would break the line.
bool IsPlainString(const RegistryValue& value) {
  const auto& data = value.data;
  if (value.type != kRegString || data.empty() || data.back() != 0) return false;
  return std::none_of(data.begin(), data.end() - 1,
                      [](std::uint8_t c) { return c == 0 || c == '\r' || c == '\n'; });
}

std::string TypeDigits(std::uint32_t type) {
  std::string digits;
  do {
    digits.insert(digits.begin(), kHexDigits[type & 15]);
    type >>= 4;
  } while (type != 0);
  return digits;
}

// "name"=hex:.. or =hex(N):.., wrapped as regedit wraps it unless `one_line`.
std::string HexLine(const std::string& lead, std::string_view bytes, bool one_line) {
  std::string out;
  std::string line = lead;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<std::uint8_t>(bytes[i]);
    std::string token = Hex(byte, 2);
    if (i + 1 < bytes.size()) token += ',';
    if (!one_line && line.size() + token.size() > kHexLineLimit) {
      out += line + "\\" + std::string(kNewline);
      line = "  ";
    }
    line += token;
  }
  return out + line;
}

std::string ValueLines(const NamedValue& entry, const AnsiCodePage& code_page) {
  const RegistryValue& value = entry.value;
  const std::string name = ValueName(entry.name);
  const std::string_view data(reinterpret_cast<const char*>(value.data.data()), value.data.size());
  if (IsPlainString(value)) return name + "=" + Quoted(data.substr(0, data.size() - 1));
  if (value.type == kRegDword && value.data.size() == 4) {
    const std::uint32_t number = value.data[0] | (value.data[1] << 8) | (value.data[2] << 16) |
                                 (static_cast<std::uint32_t>(value.data[3]) << 24);
    return name + "=dword:" + Hex(number, 8);
  }
  if (value.type == kRegBinary) return HexLine(name + "=hex:", data, false);
  // Beyond regedit 4: kept for the program's own restore, skipped by regedit.
  const std::string bytes = IsTextType(value.type) ? code_page.to_ansi(data) : std::string(data);
  return HexLine("; " + name + "=hex(" + TypeDigits(value.type) + "):", bytes, true);
}

// --- Reading -------------------------------------------------------------

class Reader {
 public:
  Reader(std::string_view text, const AnsiCodePage& code_page)
      : text_(text), code_page_(code_page) {}

  std::optional<RegFile> Read(RegFileError* error);

 private:
  bool NextLine(std::string_view* line);
  bool ReadKey(std::string_view line, bool created);
  bool ReadValue(std::string_view line, bool in_comment);
  bool ReadName(std::string_view* rest, std::string* name);
  bool ReadData(std::string_view rest, RegistryValue* value);
  // Joins a value's continued lines: a line ending in '\' goes on, with its
  // leading blanks dropped.
  std::string Continued(std::string_view first);

  std::string_view text_;
  const AnsiCodePage& code_page_;
  std::size_t position_ = 0;
  int line_number_ = 0;
  RegFile file_;
};

std::string_view TrimRight(std::string_view text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

std::string_view TrimLeft(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  return text;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// 1 to `max_digits` hex digits, the whole of `text`.
bool ParseHex(std::string_view text, std::size_t max_digits, std::uint32_t* number) {
  if (text.empty() || text.size() > max_digits) return false;
  *number = 0;
  for (const char c : text) {
    const int digit = HexValue(c);
    if (digit < 0) return false;
    *number = (*number << 4) | static_cast<std::uint32_t>(digit);
  }
  return true;
}

bool ParseBytes(std::string_view text, std::string* bytes) {
  text = TrimLeft(TrimRight(text));
  bytes->clear();
  if (text.empty()) return true;
  while (true) {
    const auto comma = text.find(',');
    std::uint32_t byte = 0;
    if (!ParseHex(TrimLeft(TrimRight(text.substr(0, comma))), 2, &byte)) return false;
    bytes->push_back(static_cast<char>(byte));
    if (comma == std::string_view::npos) return true;
    text.remove_prefix(comma + 1);
  }
}

bool Reader::NextLine(std::string_view* line) {
  if (position_ >= text_.size()) return false;
  const auto end = text_.find('\n', position_);
  *line = text_.substr(position_, end == std::string_view::npos ? end : end - position_);
  if (!line->empty() && line->back() == '\r') line->remove_suffix(1);
  position_ = end == std::string_view::npos ? text_.size() : end + 1;
  ++line_number_;
  return true;
}

std::string Reader::Continued(std::string_view first) {
  std::string joined(TrimRight(first));
  std::string_view next;
  while (!joined.empty() && joined.back() == '\\' && position_ < text_.size()) {
    joined.pop_back();
    if (!NextLine(&next)) break;
    joined += TrimRight(TrimLeft(next));
  }
  return joined;
}

// `line` is the header without its opening "[" (or "; [-").
bool Reader::ReadKey(std::string_view line, bool created) {
  line = TrimRight(line);
  if (line.size() < 1 || line.back() != ']') return false;
  std::string_view path = line.substr(0, line.size() - 1);
  const auto cut = path.find('\\');
  const std::string_view root = path.substr(0, cut);
  RegFileKey key;
  key.created = created;
  if (root == kLocalMachine) {
    key.root = RegistryRoot::kLocalMachine;
  } else if (root == kCurrentUser) {
    key.root = RegistryRoot::kCurrentUser;
  } else {
    return false;
  }
  if (cut == std::string_view::npos || cut + 1 >= path.size()) return false;
  key.path = std::string(path.substr(cut + 1));
  file_.keys.push_back(std::move(key));
  return true;
}

bool Reader::ReadName(std::string_view* rest, std::string* name) {
  name->clear();
  if (StartsWith(*rest, "@")) {
    rest->remove_prefix(1);
    return true;
  }
  if (!StartsWith(*rest, "\"")) return false;
  for (std::size_t i = 1; i < rest->size(); ++i) {
    const char c = (*rest)[i];
    if (c == '"') {
      rest->remove_prefix(i + 1);
      return true;
    }
    if (c == '\\') {
      if (++i >= rest->size() || ((*rest)[i] != '\\' && (*rest)[i] != '"')) return false;
    }
    *name += (*rest)[i];
  }
  return false;
}

bool Reader::ReadData(std::string_view rest, RegistryValue* value) {
  std::string bytes;
  if (StartsWith(rest, "\"")) {
    std::string text;
    if (!ReadName(&rest, &text) || !TrimRight(rest).empty()) return false;
    *value = RegistryValue{kRegString, std::vector<std::uint8_t>(text.begin(), text.end())};
    value->data.push_back(0);
    return true;
  }
  if (StartsWith(rest, "dword:")) {
    std::uint32_t number = 0;
    if (!ParseHex(TrimRight(rest.substr(6)), 8, &number)) return false;
    value->type = kRegDword;
    value->data = {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
                   static_cast<std::uint8_t>(number >> 16),
                   static_cast<std::uint8_t>(number >> 24)};
    return true;
  }
  std::uint32_t type = kRegBinary;
  if (StartsWith(rest, "hex(")) {
    const auto close = rest.find("):");
    if (close == std::string_view::npos || !ParseHex(rest.substr(4, close - 4), 8, &type)) {
      return false;
    }
    rest.remove_prefix(close + 2);
  } else if (StartsWith(rest, "hex:")) {
    rest.remove_prefix(4);
  } else {
    return false;
  }
  if (!ParseBytes(rest, &bytes)) return false;
  // Text types were written in the ANSI code page; the program keeps UTF-8.
  if (IsTextType(type)) bytes = code_page_.from_ansi(bytes);
  value->type = type;
  value->data.assign(bytes.begin(), bytes.end());
  return true;
}

bool Reader::ReadValue(std::string_view line, bool in_comment) {
  if (file_.keys.empty()) return false;
  RegFileKey& key = file_.keys.back();
  const std::string joined = in_comment ? std::string(TrimRight(line)) : Continued(line);
  std::string_view rest = joined;
  NamedValue entry;
  if (!ReadName(&rest, &entry.name) || !StartsWith(rest, "=")) return false;
  if (in_comment && rest == kAbsentMark) {
    key.absent.push_back(std::move(entry.name));
    return true;
  }
  rest.remove_prefix(1);
  // A comment holds only what regedit cannot express, as hex(N).
  if (in_comment && !StartsWith(rest, "hex(")) return false;
  if (!ReadData(rest, &entry.value)) return false;
  key.values.push_back(std::move(entry));
  return true;
}

std::optional<RegFile> Reader::Read(RegFileError* error) {
  *error = RegFileError{};
  std::string_view line;
  bool signed_file = false;
  bool ended = false;
  if (!NextLine(&line) || TrimRight(line) != kHeader) {
    error->foreign = true;
    return std::nullopt;
  }
  while (NextLine(&line)) {
    const std::string_view trimmed = TrimRight(line);
    if (trimmed.empty()) continue;
    if (!signed_file) {
      // The signature comes first, or the file is not one of ours.
      if (!StartsWith(trimmed, kSignature)) break;
      signed_file = true;
      file_.stamp = std::string(trimmed.substr(kSignature.size()));
      continue;
    }
    bool read = true;
    if (ended) {
      read = false;  // nothing may follow the end mark
    } else if (trimmed == kEndMark) {
      ended = true;
    } else if (StartsWith(trimmed, "; \"") || StartsWith(trimmed, "; @")) {
      read = ReadValue(trimmed.substr(2), true);
    } else if (StartsWith(trimmed, kCreatedKeyMark)) {
      read = ReadKey(trimmed.substr(kCreatedKeyMark.size()), true);
    } else if (trimmed.front() == ';') {
      // A remark for whoever reads the file.
    } else if (trimmed.front() == '[') {
      read = ReadKey(trimmed.substr(1), false);
    } else if (trimmed.front() == '"' || trimmed.front() == '@') {
      read = ReadValue(line, false);
    } else {
      read = false;
    }
    if (!read) {
      error->line = line_number_;
      return std::nullopt;
    }
  }
  if (!signed_file) {
    error->foreign = true;
    return std::nullopt;
  }
  if (!ended) {
    // Cut short: the end mark is the last thing written.
    error->line = line_number_ + 1;
    return std::nullopt;
  }
  return std::move(file_);
}

}  // namespace

std::string FormatRegFile(const RegFile& file, const AnsiCodePage& code_page) {
  std::string text;
  const auto add = [&text](std::string_view line) {
    text += line;
    text += kNewline;
  };
  add(kHeader);
  add("");
  add(std::string(kSignature) + file.stamp);
  add("; " + std::string(Text(TextId::kBackupFileNote)));
  for (const RegFileKey& key : file.keys) {
    add("");
    const std::string_view root =
        key.root == RegistryRoot::kLocalMachine ? kLocalMachine : kCurrentUser;
    const std::string header = std::string(root) + "\\" + key.path + "]";
    add(key.created ? std::string(kCreatedKeyMark) + header : "[" + header);
    for (const NamedValue& entry : key.values) add(ValueLines(entry, code_page));
    for (const std::string& name : key.absent)
      add("; " + ValueName(name) + std::string(kAbsentMark));
  }
  add("");
  add(kEndMark);
  return code_page.to_ansi(text);
}

std::optional<RegFile> ParseRegFile(std::string_view bytes, const AnsiCodePage& code_page,
                                    RegFileError* error) {
  // Converted whole first, as regedit does: a double-byte character whose
  // second byte is a backslash must not be taken for an escape.
  const std::string text = code_page.from_ansi(bytes);
  return Reader(text, code_page).Read(error);
}

}  // namespace korvane
