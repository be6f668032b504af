// The batch runner: the one way the program runs an outside console tool
// and waits for it. The tool's output that the program needs is redirected
// into a file by the batch line itself and read by the caller afterwards.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/processes.h"
#include "platform/status.h"

namespace korvane {

// A folder and a file name joined by one backslash; a drive root ("C:\")
// keeps its own.
std::string JoinPath(std::string_view folder, std::string_view name);

// A path as a batch or command line must name it: in quotes when it holds
// a space or a character the command interpreter takes for its own, else
// exactly as it is.
std::string CommandPath(std::string_view path);

// "Cannot create file %s" / "Cannot open file %s", in the program's language.
Status CannotCreateFileError(std::string_view path);
Status CannotOpenFileError(std::string_view path);

class BatchRunner {
 public:
  BatchRunner(FileSystem& files, Processes& processes) : files_(files), processes_(processes) {}

  // True while a run waits for its tool. Nested runs would rewrite a batch
  // file that the command interpreter is still reading, so callers start
  // nothing then.
  bool busy() const { return busy_; }

  // Writes `line` as the only line of `folder\file_name` (ANSI code page,
  // CR LF; '%' doubled, as the interpreter halves it), runs it hidden and
  // waits in slices of `slice_ms` while the windows stay live. A batch file
  // that cannot be written is an error, and nothing runs.
  Result<BatchOutcome> Run(std::string_view folder, std::string_view file_name,
                           std::string_view line, std::uint32_t slice_ms,
                           std::uint32_t limit_ms = 0);

 private:
  FileSystem& files_;
  Processes& processes_;
  bool busy_ = false;
};

}  // namespace korvane
