// Files of a simulated machine.
#pragma once

#include <string>
#include <utility>

#include "platform/file_system.h"

namespace korvane {

class FakeFileSystem : public FileSystem {
 public:
  explicit FakeFileSystem(std::string program_path = "C:\\KORVANE\\KORVANE.EXE")
      : program_path_(std::move(program_path)) {}
  std::string ProgramPath() override { return program_path_; }

 private:
  std::string program_path_;
};

}  // namespace korvane
