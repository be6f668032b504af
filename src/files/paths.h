// Paths in the system's own rules, and as a batch line must name them.
#pragma once

#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace korvane {

// The folder part of a path, without a trailing backslash except at a drive
// root: "C:\KORVANE\KORVANE.EXE" gives "C:\KORVANE", "C:\KORVANE.EXE" gives
// "C:\".
std::string FolderOf(std::string_view path);

// The file name part of a path: what follows the last '\' or ':'.
std::string_view FileName(std::string_view path);

// A folder and a file name joined by one backslash; a drive root ("C:\")
// keeps its own.
std::string JoinPath(std::string_view folder, std::string_view name);

// The root of a path's drive: "C:\" for "C:\KORVANE\G4SET.EXE", and
// "\\SERVER\SHARE\" for a path on a network share; empty for a path that
// names neither.
std::string DriveRoot(std::string_view path);

// A path as a batch or command line must name it: in quotes when it holds
// a space or a character the command interpreter takes for its own, else
// exactly as it is.
std::string CommandPath(std::string_view path);

// A path as the user knows it: each folder and file that exists by its long
// name, component by component, as Windows 95, which has no
// GetLongPathName, allows; from the first that does not exist on, and any
// text that is no path, as it is. Batch lines keep the short form.
std::string LongPath(FileSystem& files, std::string_view path);

}  // namespace korvane
