#include "win32/win32_services.h"

#include <windows.h>

#include <string>

#include "win32/text_encoding.h"

namespace korvane::win32 {

MessageAnswer Win32Dialogs::Message(std::string_view text, std::string_view caption,
                                    MessageButtons buttons, MessageIcon icon) {
  UINT flags = buttons == MessageButtons::kOkCancel ? MB_OKCANCEL : MB_OK;
  if (icon == MessageIcon::kError) flags |= MB_ICONERROR;
  if (icon == MessageIcon::kInformation) flags |= MB_ICONINFORMATION;
  // Owned by the active window, so the box is modal to it; at start-up,
  // before any window is shown, it stands alone.
  HWND owner = GetActiveWindow();
  if (!owner) flags |= MB_TASKMODAL | MB_SETFOREGROUND;
  const int answer = MessageBoxA(owner, ToAnsi(text).c_str(), ToAnsi(caption).c_str(), flags);
  return answer == IDOK ? MessageAnswer::kOk : MessageAnswer::kCancel;
}

void Win32Processes::Launch(std::string_view command_line) {
  std::string line = ToAnsi(command_line);
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION process = {};
  if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                     &process)) {
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
}

std::string Win32FileSystem::ProgramPath() {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return std::string();
  char short_path[MAX_PATH] = {};
  const DWORD short_length = GetShortPathNameA(path, short_path, MAX_PATH);
  if (short_length == 0 || short_length >= MAX_PATH) return FromAnsi(path);
  return FromAnsi(short_path);
}

std::optional<OsVersion> Win32OsInfo::Version() {
  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof(info);  // 148 bytes: what Windows 95 accepts
  if (!GetVersionExA(&info)) return std::nullopt;
  return OsVersion{info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion};
}

}  // namespace korvane::win32
