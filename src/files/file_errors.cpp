#include "files/file_errors.h"

#include "text/texts.h"

namespace korvane {

Status CannotCreateFileError(std::string_view path) {
  return Status::Error(Format(TextId::kCannotCreateFile, {path}));
}

Status CannotOpenFileError(std::string_view path) {
  return Status::Error(Format(TextId::kCannotOpenFile, {path}));
}

}  // namespace korvane
