// The files the program touches.
#pragma once

#include <string>

namespace korvane {

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Full path of the running program, in its short (8.3) form.
  virtual std::string ProgramPath() = 0;
};

}  // namespace korvane
