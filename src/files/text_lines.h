// Text files kept as lines, and the fixed columns the program reads from
// them: the clock tool's report and the PIN file are both read this way.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/status.h"

namespace korvane {

using TextLines = std::vector<std::string>;

// Lines ended by CR LF, LF or CR, without their ends; a final line end
// starts no further line.
TextLines SplitLines(std::string_view text);
// CR LF after every line, the last one included.
std::string JoinLines(const TextLines& lines);

// The line at `index` (counted from 0); past the last line, an empty one.
std::string_view LineAt(const TextLines& lines, std::size_t index);
// Characters `first` to `last` (counted from 1) of a line, cut at its end.
std::string_view Characters(std::string_view line, std::size_t first, std::size_t last);

// Characters `first` to `last` of line `line`, all counted from 1: as much
// of them as the line holds, so a missing line or one that ends before
// `first` gives an empty field.
std::string Field(const TextLines& lines, std::size_t line, std::size_t first, std::size_t last);

// What a tool printed, for a message that quotes it: its first line that
// holds anything, cut short where it runs on; `files` converts lines still
// in the system's code page.
std::string FirstLine(const TextLines& lines, FileSystem* files = nullptr);

// "'%s' is not a valid integer value", in the program's language: a column
// or a typed text that should hold a number.
Status NotAnIntegerError(std::string_view text);

}  // namespace korvane
