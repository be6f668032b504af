// Starting outside programs.
#pragma once

#include <string_view>

namespace korvane {

class Processes {
 public:
  virtual ~Processes() = default;
  // Hands a command line to the system's program starter with its window
  // hidden and does not wait. Whether it started is not reported.
  virtual void Launch(std::string_view command_line) = 0;
};

}  // namespace korvane
