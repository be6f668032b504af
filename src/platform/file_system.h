// The files the program touches. Paths are the program's UTF-8 texts; the
// real file system converts them to the ANSI code page at the call. File
// contents are bytes as stored on disk: text files are in the system's ANSI
// code page, and `ToSystemText` / `FromSystemText` convert the program's
// texts for them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

// What kind of drive a path lies on, as GetDriveType tells it.
enum class DriveKind { kUnknown, kRemovable, kFixed, kRemote, kCdRom, kRamDisk };

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Full path of the running program, in its short (8.3) form.
  virtual std::string ProgramPath() = 0;
  // The Windows folder, where Windows 95/98 programs keep files of their
  // own; empty when the system does not say.
  virtual std::string WindowsFolder() = 0;
  // The kind of drive whose root is `root` ("D:\").
  virtual DriveKind DriveKindOf(std::string_view root) = 0;

  // The whole file as stored; empty when it cannot be opened or read.
  virtual std::optional<std::string> Read(std::string_view path) = 0;
  // Creates or replaces the file with exactly these bytes. False when the
  // create, any write or the close fails.
  virtual bool Write(std::string_view path, std::string_view bytes) = 0;
  // As Write, and the bytes are on the disk before the file is closed:
  // Windows 95/98 keep written data in memory for seconds, and a reset then
  // can keep a later rename of the file but lose its text.
  virtual bool WriteFlushed(std::string_view path, std::string_view bytes) = 0;
  // Whether a file (not a folder) exists at the path.
  virtual bool Exists(std::string_view path) = 0;
  // The short (8.3) form of an existing file's or folder's path; empty when
  // the system gives none.
  virtual std::string ShortPath(std::string_view path) = 0;
  // The name an existing file or folder has in its folder, in its long form
  // ("Program Files" for "C:\PROGRA~1"); empty when there is none.
  virtual std::string LongName(std::string_view path) = 0;
  // Deletes a file; false when it was not there or could not be deleted.
  virtual bool Remove(std::string_view path) = 0;
  // Renames a file; fails when `to` exists.
  virtual bool Rename(std::string_view from, std::string_view to) = 0;
  // Creates a folder; true when it exists afterwards.
  virtual bool MakeFolder(std::string_view path) = 0;
  // The names of the files (not folders) that a pattern such as
  // "C:\KORVANE\*" matches.
  virtual std::vector<std::string> FilesMatching(std::string_view pattern) = 0;
  // Writes out what the system holds of an existing file, its directory
  // entry included, as far as the system promises (see the Win32 file
  // system); false when the file cannot be opened to write or written out.
  virtual bool Commit(std::string_view path) = 0;

  // The program's texts in the system's ANSI code page, and back.
  virtual std::string ToSystemText(std::string_view utf8) = 0;
  virtual std::string FromSystemText(std::string_view ansi) = 0;
};

}  // namespace korvane
