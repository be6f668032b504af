#include "win32/win32_file_system.h"

#include <windows.h>

#include <string>
#include <vector>

#include "win32/text_encoding.h"

namespace korvane::win32 {

std::string Win32FileSystem::ProgramPath() {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return std::string();
  char short_path[MAX_PATH] = {};
  const DWORD short_length = GetShortPathNameA(path, short_path, MAX_PATH);
  if (short_length == 0 || short_length >= MAX_PATH) return FromAnsi(path);
  return FromAnsi(short_path);
}

std::string Win32FileSystem::WindowsFolder() {
  char path[MAX_PATH] = {};
  const UINT length = GetWindowsDirectoryA(path, MAX_PATH);
  return length > 0 && length < MAX_PATH ? FromAnsi(path) : std::string();
}

DriveKind Win32FileSystem::DriveKindOf(std::string_view root) {
  // A share's root is not asked about: Windows 95's documentation of
  // GetDriveType speaks of drive roots only.
  if (root.substr(0, 2) == "\\\\") return DriveKind::kRemote;
  if (root.empty()) return DriveKind::kUnknown;
  // By GetDriveType's values: DRIVE_UNKNOWN, DRIVE_NO_ROOT_DIR, DRIVE_REMOVABLE,
  // DRIVE_FIXED, DRIVE_REMOTE, DRIVE_CDROM, DRIVE_RAMDISK.
  constexpr DriveKind kKinds[] = {DriveKind::kUnknown, DriveKind::kUnknown, DriveKind::kRemovable,
                                  DriveKind::kFixed,   DriveKind::kRemote,  DriveKind::kCdRom,
                                  DriveKind::kRamDisk};
  const UINT type = GetDriveTypeA(ToAnsi(root).c_str());
  return type < std::size(kKinds) ? kKinds[type] : DriveKind::kUnknown;
}

std::optional<std::string> Win32FileSystem::Read(std::string_view path) {
  const HANDLE file = CreateFileA(ToAnsi(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char buffer[4096];
  DWORD got = 0;
  bool ok = true;
  while ((ok = ReadFile(file, buffer, sizeof(buffer), &got, nullptr) != 0) && got > 0) {
    bytes.append(buffer, got);
  }
  CloseHandle(file);
  if (!ok) return std::nullopt;
  return bytes;
}

namespace {

// Writes `bytes` into the file that `disposition` opens: CREATE_ALWAYS
// makes it anew, OPEN_EXISTING takes it as it is, and others may read it
// meanwhile as `share` lets them.
bool WriteWholeFile(std::string_view path, std::string_view bytes, bool flush,
                    DWORD disposition = CREATE_ALWAYS, DWORD share = 0) {
  const HANDLE file = CreateFileA(ToAnsi(path).c_str(), GENERIC_WRITE, share, nullptr,
                                  disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool wrote =
      bytes.empty() ||
      (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) != 0 &&
       written == bytes.size());
  // Waits until the write-behind cache has put the file on the disk.
  const bool flushed = !flush || FlushFileBuffers(file) != 0;
  const bool closed = CloseHandle(file) != 0;
  return wrote && flushed && closed;
}

}  // namespace

bool Win32FileSystem::Write(std::string_view path, std::string_view bytes) {
  return WriteWholeFile(path, bytes, false);
}

bool Win32FileSystem::WriteFlushed(std::string_view path, std::string_view bytes) {
  return WriteWholeFile(path, bytes, true);
}

bool Win32FileSystem::Exists(std::string_view path) {
  const DWORD attributes = GetFileAttributesA(ToAnsi(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string Win32FileSystem::ShortPath(std::string_view path) {
  char short_path[MAX_PATH] = {};
  const DWORD length = GetShortPathNameA(ToAnsi(path).c_str(), short_path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return std::string();
  return FromAnsi(short_path);
}

// Windows 95 has no GetLongPathName: FindFirstFile finds the entry and
// gives its long name. A wildcard would find another.
std::string Win32FileSystem::LongName(std::string_view path) {
  WIN32_FIND_DATAA found;
  if (path.find_first_of("*?") != std::string_view::npos) return std::string();
  const HANDLE search = FindFirstFileA(ToAnsi(path).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return std::string();
  FindClose(search);
  return FromAnsi(found.cFileName);
}

bool Win32FileSystem::Remove(std::string_view path) {
  return DeleteFileA(ToAnsi(path).c_str()) != 0;
}

bool Win32FileSystem::Rename(std::string_view from, std::string_view to) {
  return MoveFileA(ToAnsi(from).c_str(), ToAnsi(to).c_str()) != 0;
}

bool Win32FileSystem::MakeFolder(std::string_view path) {
  const std::string ansi = ToAnsi(path);
  if (CreateDirectoryA(ansi.c_str(), nullptr)) return true;
  const DWORD attributes = GetFileAttributesA(ansi.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::vector<std::string> Win32FileSystem::FilesMatching(std::string_view pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found = {};
  const HANDLE search = FindFirstFileA(ToAnsi(pattern).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
      names.push_back(FromAnsi(found.cFileName));
    }
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

// FlushFileBuffers reaches the file system as FS_CommitFile (Windows 95
// DDK), the call DOS's Commit File (INT 21h 68h) is for one file: it writes
// out the file's buffers and updates its directory entry and allocation
// table (Duncan, Advanced MS-DOS). So a renamed file, once committed, has its
// short name's entry on the disk. That promises nothing of the entries of a
// long name, which may lie in the sector before, nor of any other file.
bool Win32FileSystem::Commit(std::string_view path) {
  // A virus scanner may be reading the file it has just seen renamed.
  return WriteWholeFile(path, std::string_view(), true, OPEN_EXISTING, FILE_SHARE_READ);
}

std::string Win32FileSystem::ToSystemText(std::string_view utf8) { return ToAnsi(utf8); }

std::string Win32FileSystem::FromSystemText(std::string_view ansi) { return FromAnsi(ansi); }

}  // namespace korvane::win32
