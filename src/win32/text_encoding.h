// The core keeps UTF-8; Windows 9x speaks its ANSI code page. Conversion
// happens here, at the API call. UTF-8 is decoded by hand because Windows 95
// has no CP_UTF8.
#pragma once

#include <string>
#include <string_view>

namespace korvane::win32 {

std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);

// Embedded NULs are kept.
std::string ToAnsi(std::string_view utf8);
std::string FromAnsi(std::string_view ansi);
// Text in Japanese code page 932, whatever the system's own.
std::string FromCodePage932(std::string_view text);

}  // namespace korvane::win32
