#include "win32/win32_clipboard.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "win32/text_encoding.h"

namespace korvane::win32 {

namespace {

// The clipboard needs an owner window, or EmptyClipboard leaves it ownerless
// and SetClipboardData fails; any window of this thread will do.
BOOL CALLBACK TakeFirstWindow(HWND window, LPARAM found) {
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

HWND ClipboardOwner() {
  HWND owner = GetActiveWindow();
  if (!owner)
    EnumThreadWindows(GetCurrentThreadId(), TakeFirstWindow, reinterpret_cast<LPARAM>(&owner));
  return owner;
}

}  // namespace

bool Win32Clipboard::SetText(std::string_view text) {
  const std::string ansi = ToAnsi(text);
  const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, ansi.size() + 1);
  if (!memory) return false;
  if (char* bytes = static_cast<char*>(GlobalLock(memory))) {
    std::memcpy(bytes, ansi.c_str(), ansi.size() + 1);
    GlobalUnlock(memory);
  } else {
    GlobalFree(memory);
    return false;
  }
  if (!OpenClipboard(ClipboardOwner())) {
    GlobalFree(memory);
    return false;
  }
  // Once handed over, the memory belongs to the clipboard.
  const bool handed = EmptyClipboard() && SetClipboardData(CF_TEXT, memory) != nullptr;
  CloseClipboard();
  if (!handed) GlobalFree(memory);
  return handed;
}

}  // namespace korvane::win32
