// The backup file: a REGEDIT4 file that Windows 98's regedit imports as it
// stands and that the program reads back for its own restore.
//
// Values regedit of the period can express (strings, dword:, hex:) are
// ordinary lines. What it cannot express is kept in comment lines that
// regedit skips and the program's reader understands:
//   ; "Name"=-          the value did not exist; a restore deletes it
//   ; [-ROOT\Path]      the key did not exist; a restore deletes it once
//                       empty (keys above it come first)
//   ; "Name"=hex(N):..  a value of another type, or a string regedit would
//                       not bring back exactly (a missing or inner NUL, a
//                       line break)
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry_store.h"

namespace korvane {

struct RegFileKey {
  RegistryRoot root = RegistryRoot::kLocalMachine;
  std::string path;  // key names joined by '\', without a leading backslash
  std::vector<NamedValue> values;
  std::vector<std::string> absent;  // names of values that did not exist
  bool created = false;             // the key itself did not exist

  friend bool operator==(const RegFileKey&, const RegFileKey&) = default;
};

struct RegFile {
  std::string stamp;  // when the backup was begun, as the signature line says
  std::vector<RegFileKey> keys;

  friend bool operator==(const RegFile&, const RegFile&) = default;
};

// The system's ANSI code page, in which regedit reads the file.
struct AnsiCodePage {
  std::function<std::string(std::string_view)> to_ansi;
  std::function<std::string(std::string_view)> from_ansi;
};

// The file's bytes: ANSI, CR LF after every line.
std::string FormatRegFile(const RegFile& file, const AnsiCodePage& code_page);

struct RegFileError {
  bool foreign = false;  // not one of the program's backups at all
  int line = 0;          // otherwise the first line that cannot be read
};

// Reads a file written by FormatRegFile. Anything else, a file cut short
// included, is refused with the reason in `error`.
std::optional<RegFile> ParseRegFile(std::string_view bytes, const AnsiCodePage& code_page,
                                    RegFileError* error);

}  // namespace korvane
