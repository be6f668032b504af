#include "files/paths.h"

namespace korvane {
namespace {

constexpr std::string_view kInterpreterCharacters = " &|<>^()";

}  // namespace

std::string FolderOf(std::string_view path) {
  const auto cut = path.find_last_of("\\:");
  if (cut == std::string_view::npos) return std::string();
  std::size_t length = cut + 1;
  if (cut > 0 && path[cut] == '\\' && path[cut - 1] != '\\' && path[cut - 1] != ':') length = cut;
  return std::string(path.substr(0, length));
}

std::string_view FileName(std::string_view path) {
  const auto cut = path.find_last_of("\\:");
  return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

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

std::string DriveRoot(std::string_view path) {
  if (path.size() >= 2 && path[1] == ':') return std::string(path.substr(0, 2)) + "\\";
  if (path.substr(0, 2) != "\\\\") return std::string();
  // The server's and the share's names, each ended by its backslash.
  const std::size_t server_end = path.find('\\', 2);
  if (server_end == std::string_view::npos) return std::string();
  const std::size_t share_end = path.find('\\', server_end + 1);
  if (share_end == std::string_view::npos) return std::string(path) + "\\";
  return std::string(path.substr(0, share_end + 1));
}

std::string LongPath(FileSystem& files, std::string_view path) {
  const std::string root = DriveRoot(path);
  if (root.empty() || path.substr(0, root.size()) != root) return std::string(path);
  std::string shown = root;
  for (std::size_t at = root.size(); at < path.size();) {
    std::size_t end = path.find('\\', at);
    if (end == std::string_view::npos) end = path.size();
    const std::string name = files.LongName(path.substr(0, end));
    if (name.empty()) return shown.append(path.substr(at));
    shown += name;
    if (end < path.size()) shown += '\\';
    at = end + 1;
  }
  return shown;
}

}  // namespace korvane
