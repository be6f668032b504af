// The real OS services besides the registry.
#pragma once

#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/os_info.h"
#include "platform/processes.h"

namespace korvane::win32 {

class Win32Dialogs : public Dialogs {
 public:
  MessageAnswer Message(std::string_view text, std::string_view caption, MessageButtons buttons,
                        MessageIcon icon) override;
};

class Win32Processes : public Processes {
 public:
  void Launch(std::string_view command_line) override;
};

class Win32FileSystem : public FileSystem {
 public:
  std::string ProgramPath() override;
};

class Win32OsInfo : public OsInfo {
 public:
  std::optional<OsVersion> Version() override;
};

}  // namespace korvane::win32
