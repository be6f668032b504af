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

// Runs a Unix program through Wine's start and waits for it.
void RunUnix(const std::wstring& arguments) {
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
}

}  // namespace

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
  if (!unix_path.empty()) RunUnix(L"/bin/rm -rf \"" + Wide(unix_path) + L"\"");
}

void MakeUnwritableFolder(const std::string& path) {
  RemoveTree(path);
  const std::string unix_path = UnixPath(path);
  if (!unix_path.empty()) RunUnix(L"/bin/ln -s /proc \"" + Wide(unix_path) + L"\"");
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
