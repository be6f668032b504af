// The errors of files the program cannot write or read, in its language.
#pragma once

#include <string_view>

#include "platform/status.h"

namespace korvane {

// "Cannot create file %s" / "Cannot open file %s".
Status CannotCreateFileError(std::string_view path);
Status CannotOpenFileError(std::string_view path);

}  // namespace korvane
