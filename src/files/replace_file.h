// Saving a file the user chose so that a failure never cuts the one it
// replaces.
#pragma once

#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/status.h"

namespace korvane {

// Replaces `path` with `bytes` so that a failure leaves it as it was: the
// bytes go to a new file beside it first, which then takes its place.
Status ReplaceFile(FileSystem& files, const std::string& path, std::string_view bytes);

}  // namespace korvane
