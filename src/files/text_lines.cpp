#include "files/text_lines.h"

#include "text/texts.h"

namespace korvane {

TextLines SplitLines(std::string_view text) {
  TextLines lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
  }
  return lines;
}

std::string JoinLines(const TextLines& lines) {
  std::string bytes;
  for (const std::string& line : lines) {
    bytes += line;
    bytes += "\r\n";
  }
  return bytes;
}

std::string_view LineAt(const TextLines& lines, std::size_t index) {
  return index < lines.size() ? std::string_view(lines[index]) : std::string_view();
}

std::string_view Characters(std::string_view line, std::size_t first, std::size_t last) {
  if (first == 0 || first > line.size() || last < first) return std::string_view();
  return line.substr(first - 1, last - first + 1);
}

std::string Field(const TextLines& lines, std::size_t line, std::size_t first, std::size_t last) {
  if (line == 0) return std::string();
  return std::string(Characters(LineAt(lines, line - 1), first, last));
}

std::string FirstLine(const TextLines& lines, FileSystem* files) {
  constexpr std::size_t kQuoted = 80;
  for (const std::string& line : lines) {
    std::string shown = files ? files->FromSystemText(line) : line;
    if (shown.find_first_not_of(" \t") == std::string::npos) continue;
    if (shown.size() > kQuoted) {
      std::size_t cut = kQuoted;
      while (cut > 0 && (static_cast<unsigned char>(shown[cut]) & 0xC0) == 0x80) --cut;
      shown.resize(cut);
      shown += "...";
    }
    return shown;
  }
  return std::string();
}

Status NotAnIntegerError(std::string_view text) {
  return Status::Error(Format(TextId::kNotAnInteger, {text}));
}

}  // namespace korvane
