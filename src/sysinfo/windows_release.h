// Which release of Windows runs, as exactly as the system tells: Windows 95
// by its build and letter (4.00.950, 950 A, OSR2's 950 B, OSR2.5's 950 C),
// 98 or 98 Second Edition, Me.
#pragma once

#include <string>

#include "platform/os_info.h"

namespace korvane {

// The release's name and numbers, such as "Windows 95 OSR2 4.00.950 B
// (build 1111)"; the bare numbers for a system the table does not know.
std::string WindowsRelease(const OsVersion& version);

}  // namespace korvane
