#include "driver/file_tools.h"

#include <algorithm>
#include <cstdio>

#include "driver/registry_tools.h"

namespace e2e {
namespace {

// Wine's own: the Unix path of a Windows path, on the process heap.
using UnixFileName = char*(CDECL*)(LPCWSTR);

std::string UnixPath(const std::string& path) {
  const FARPROC found = GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name");
  const auto to_unix = reinterpret_cast<UnixFileName>(reinterpret_cast<void (*)()>(found));
  if (!to_unix) return std::string();
  char* unix_path = to_unix(Wide(path).c_str());
  if (!unix_path) return std::string();
  std::string result = unix_path;
  HeapFree(GetProcessHeap(), 0, unix_path);
  return result;
}

bool Exists(const std::string& path) {
  return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Runs a Unix program through Wine's start and waits until `done` holds.
// Wine gives no handle to a Unix program, so start's /wait returns at once:
// what the program was run for is what tells that it has run, and a test
// that went on sooner would meet it still at work.
template <typename Done>
void RunUnix(const std::wstring& arguments, Done done) {
  std::wstring command = L"start.exe /wait /unix " + arguments;
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                      nullptr, &startup, &process)) {
    std::fprintf(stderr, "cannot run %ls: %lu\n", command.c_str(), GetLastError());
    return;
  }
  WaitForSingleObject(process.hProcess, 30000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  for (int waited = 0; !done() && waited < 30000; waited += 20) Sleep(20);
  if (!done()) std::fprintf(stderr, "%ls has not done its work after 30 s\n", command.c_str());
}

}  // namespace

std::optional<std::string> ReadBytes(const std::string& path) {
  const HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0)
    bytes.append(buffer, got);
  CloseHandle(file);
  return bytes;
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
  const HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok =
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
      written == bytes.size();
  return CloseHandle(file) && ok;
}

void RemoveFile(const std::string& path) {
  const std::wstring wide = Wide(path);
  SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (!DeleteFileW(wide.c_str())) RemoveDirectoryW(wide.c_str());
}

std::string FromAnsi(const std::string& ansi) {
  const int size =
      MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
  std::wstring wide(size, L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), size);
  return Utf8(wide);
}

std::vector<std::string> FilesIn(const std::string& folder, const std::string& pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW(Wide(folder + "\\" + pattern).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      names.push_back(Utf8(found.cFileName));
  } while (FindNextFileW(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

void RemoveTree(const std::string& path) {
  const std::string unix_path = UnixPath(path);
  if (unix_path.empty() || !Exists(path)) return;
  RunUnix(L"/bin/rm -rf \"" + Wide(unix_path) + L"\"", [&] { return !Exists(path); });
}

void MakeUnwritableFolder(const std::string& path) {
  RemoveTree(path);
  const std::string unix_path = UnixPath(path);
  if (unix_path.empty()) return;
  RunUnix(L"/bin/ln -s /proc \"" + Wide(unix_path) + L"\"", [&] { return Exists(path); });
}

std::optional<std::string> ClipboardText() {
  if (!OpenClipboard(nullptr)) return std::nullopt;
  std::optional<std::string> text;
  if (const HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
      text = FromAnsi(bytes);
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

}  // namespace e2e
