// Files of the simulated machine, as the tests prepare and read them, and
// the clipboard. Paths and texts are UTF-8.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace e2e {

// Text in the system's ANSI code page (932 on the simulated machine), as UTF-8.
std::string FromAnsi(const std::string& ansi);
// Names of the files in a folder that match a pattern such as "*.reg", sorted.
std::vector<std::string> FilesIn(const std::string& folder, const std::string& pattern);
// Removes a file or folder with all it holds; a link goes, not what it names.
void RemoveTree(const std::string& path);
// Puts a folder where nothing can be created, not even by root: a link to
// the system's /proc, as a read-only medium would be.
void MakeUnwritableFolder(const std::string& path);
// The clipboard's text (CF_TEXT, ANSI) as UTF-8; empty when it holds none.
std::optional<std::string> ClipboardText();

}  // namespace e2e
