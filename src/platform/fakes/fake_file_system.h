// Files of a simulated machine, held in memory. Paths compare without regard
// to ASCII case, as on Windows; the "ANSI code page" is UTF-8 itself.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/ascii.h"
#include "platform/file_system.h"

namespace korvane {

class FakeFileSystem : public FileSystem {
 public:
  explicit FakeFileSystem(std::string program_path = "C:\\KORVANE\\KORVANE.EXE")
      : program_path_(std::move(program_path)) {}
  std::string ProgramPath() override { return program_path_; }
  std::string WindowsFolder() override { return "C:\\WINDOWS"; }
  DriveKind DriveKindOf(std::string_view root) override {
    const auto it = drive_kinds_.find(Key(root));
    return it == drive_kinds_.end() ? DriveKind::kFixed : it->second;
  }

  std::optional<std::string> Read(std::string_view path) override {
    const auto it = files_.find(Key(path));
    if (it == files_.end() || unreadable_.count(Key(path))) return std::nullopt;
    return it->second;
  }
  bool Write(std::string_view path, std::string_view bytes) override {
    if (Locked(path)) return false;
    files_[Key(path)] = std::string(bytes);
    changes_.push_back("write " + std::string(path));
    return true;
  }
  bool WriteFlushed(std::string_view path, std::string_view bytes) override {
    if (Locked(path)) return false;
    files_[Key(path)] = std::string(bytes);
    changes_.push_back("write and flush " + std::string(path));
    return true;
  }
  bool Exists(std::string_view path) override { return files_.count(Key(path)) != 0; }
  std::string ShortPath(std::string_view path) override {
    const auto it = short_paths_.find(Key(path));
    if (it != short_paths_.end()) return it->second;
    return Exists(path) || folders_.count(Key(path)) ? std::string(path) : std::string();
  }
  std::string LongName(std::string_view path) override { return long_names_[Key(path)]; }
  bool Remove(std::string_view path) override {
    if (Locked(path) || files_.erase(Key(path)) == 0) return false;
    changes_.push_back("remove " + std::string(path));
    return true;
  }
  bool Rename(std::string_view from, std::string_view to) override {
    const auto it = files_.find(Key(from));
    if (it == files_.end() || Exists(to) || Locked(from) || Locked(to)) return false;
    std::string bytes = std::move(it->second);
    files_.erase(it);
    files_[Key(to)] = std::move(bytes);
    changes_.push_back("rename " + std::string(from) + " " + std::string(to));
    return true;
  }
  bool MakeFolder(std::string_view path) override {
    if (read_only_.count(Key(path))) return folders_.count(Key(path)) != 0;
    folders_[Key(path)] = true;
    return true;
  }
  // "FOLDER\*" only; nothing shows Windows 95/98 taking "A:\\*".
  std::vector<std::string> FilesMatching(std::string_view pattern) override {
    const std::string prefix = Key(pattern.substr(0, pattern.size() - 1));
    std::vector<std::string> names;
    if (prefix.find("\\\\", 1) != std::string::npos) return names;
    for (const auto& [path, bytes] : files_) {
      if (path.compare(0, prefix.size(), prefix) == 0 &&
          path.find('\\', prefix.size()) == std::string::npos) {
        names.push_back(path.substr(prefix.size()));
      }
    }
    return names;
  }
  bool Commit(std::string_view path) override {
    if (!Exists(path) || Locked(path)) return false;
    changes_.push_back("commit " + std::string(path));
    return true;
  }
  std::string ToSystemText(std::string_view utf8) override { return std::string(utf8); }
  std::string FromSystemText(std::string_view ansi) override { return std::string(ansi); }

  // Seeding and inspection.
  void Put(std::string_view path, std::string_view bytes) {
    files_[Key(path)] = std::string(bytes);
  }
  std::optional<std::string> Get(std::string_view path) const {
    const auto it = files_.find(Key(path));
    if (it == files_.end()) return std::nullopt;
    return it->second;
  }
  // Writes, removes and renames of the file fail; it can still be read. A
  // folder made so cannot be made, nor take a new file.
  void MakeReadOnly(std::string_view path) { read_only_[Key(path)] = true; }
  void SetDriveKind(std::string_view root, DriveKind kind) { drive_kinds_[Key(root)] = kind; }
  // The file exists but cannot be opened.
  void MakeUnreadable(std::string_view path) { unreadable_[Key(path)] = true; }
  void SetShortPath(std::string_view path, std::string short_path) {
    short_paths_[Key(path)] = std::move(short_path);
  }
  void SetLongName(std::string_view path, std::string name) {
    long_names_[Key(path)] = std::move(name);
  }
  // Every write, flush, rename, delete and commit that took place, in
  // order, as "write P", "write and flush P", "rename FROM TO", "remove P"
  // or "commit P".
  const std::vector<std::string>& changes() const { return changes_; }

 private:
  // A read-only file, or one in a read-only folder.
  bool Locked(std::string_view path) const {
    const std::size_t slash = path.rfind('\\');
    return read_only_.count(Key(path)) ||
           (slash != std::string_view::npos && read_only_.count(Key(path.substr(0, slash))));
  }
  static std::string Key(std::string_view path) {
    std::string key(path);
    for (char& c : key) c = AsciiLower(c);
    return key;
  }

  std::string program_path_;
  std::map<std::string, std::string> files_;
  std::map<std::string, bool> folders_;
  std::map<std::string, bool> read_only_;
  std::map<std::string, bool> unreadable_;
  std::map<std::string, std::string> short_paths_;
  std::map<std::string, std::string> long_names_;
  std::map<std::string, DriveKind> drive_kinds_;
  std::vector<std::string> changes_;
};

}  // namespace korvane
