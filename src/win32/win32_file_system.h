// Files and folders through the system.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace korvane::win32 {

class Win32FileSystem : public FileSystem {
 public:
  std::string ProgramPath() override;
  std::string WindowsFolder() override;
  DriveKind DriveKindOf(std::string_view root) override;
  std::optional<std::string> Read(std::string_view path) override;
  bool Write(std::string_view path, std::string_view bytes) override;
  bool WriteFlushed(std::string_view path, std::string_view bytes) override;
  bool Exists(std::string_view path) override;
  std::string ShortPath(std::string_view path) override;
  std::string LongName(std::string_view path) override;
  bool Remove(std::string_view path) override;
  bool Rename(std::string_view from, std::string_view to) override;
  bool MakeFolder(std::string_view path) override;
  std::vector<std::string> FilesMatching(std::string_view pattern) override;
  bool Commit(std::string_view path) override;
  std::string ToSystemText(std::string_view utf8) override;
  std::string FromSystemText(std::string_view ansi) override;
};

}  // namespace korvane::win32
