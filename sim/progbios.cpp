// Stands in for the card maker's BIOS tool PROGBIOS.EXE on the simulated
// G400 machine. Run with -d, it prints the card's PIN file on standard
// output: a Millennium G400 DualHead, TAB-separated fields, CR LF line ends.
// It reads the card only.
//
// Beside itself it keeps:
//   progbios.log   one line per run: the arguments it was given
//   card-pin.txt   when present, the card's PIN file, printed byte for byte
//                  instead of the built-in one (an empty file prints nothing)
// Like the real tool it needs DOS4GW.EXE in its own folder.
#include <windows.h>

#include <string>

#include "g400_pin.h"

namespace {

std::string Folder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool ReadFile(const std::string& path, std::string* bytes) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  char buffer[4096];
  DWORD got = 0;
  while (::ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0)
    bytes->append(buffer, got);
  CloseHandle(file);
  return true;
}

void Append(const std::string& path, const std::string& bytes) {
  const HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

void Print(HANDLE out, const std::string& bytes) {
  DWORD written = 0;
  if (!bytes.empty())
    WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string folder = Folder();
  std::string arguments;
  for (int i = 1; i < argc; ++i) arguments += (i > 1 ? " " : "") + std::string(argv[i]);
  Append(folder + "progbios.log", arguments + "\r\n");

  const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  const HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
  if (!Exists(folder + "DOS4GW.EXE")) {
    Print(err, "DOS4GW.EXE not found\r\n");
    return 1;
  }
  if (arguments != "-d") {
    Print(err, "usage: PROGBIOS -d   dumps the card's PIN file\r\n");
    return 2;
  }
  std::string pin;
  if (!ReadFile(folder + "card-pin.txt", &pin)) {
    for (const char* line : kSimulatedG400Pin) pin += std::string(line) + "\r\n";
  }
  Print(out, pin);
  return 0;
}
