#include "overclock/batch_runner.h"

#include <utility>

#include "text/texts.h"

namespace korvane {
namespace {

constexpr std::string_view kInterpreterCharacters = " &|<>^()";

}  // namespace

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (path.empty() || path.back() != '\\') path += '\\';
  path += name;
  return path;
}

std::string CommandPath(std::string_view path) {
  if (path.find_first_of(kInterpreterCharacters) == std::string_view::npos) {
    return std::string(path);
  }
  std::string quoted = "\"";
  quoted += path;
  quoted += '"';
  return quoted;
}

Status CannotCreateFileError(std::string_view path) {
  return Status::Error(Format(TextId::kCannotCreateFile, {path}));
}

Status CannotOpenFileError(std::string_view path) {
  return Status::Error(Format(TextId::kCannotOpenFile, {path}));
}

Result<BatchOutcome> BatchRunner::Run(std::string_view folder, std::string_view file_name,
                                      std::string_view line, std::uint32_t slice_ms,
                                      std::uint32_t limit_ms) {
  if (busy_) return BatchOutcome::kNotStarted;
  std::string batch_line;
  for (const char c : line) {
    batch_line += c;
    if (c == '%') batch_line += '%';
  }
  const std::string path = JoinPath(folder, file_name);
  if (!files_.Write(path, files_.ToSystemText(batch_line + "\r\n"))) {
    return CannotCreateFileError(path);
  }
  busy_ = true;
  const BatchOutcome outcome = processes_.RunBatch(path, slice_ms, limit_ms);
  busy_ = false;
  return outcome;
}

}  // namespace korvane
