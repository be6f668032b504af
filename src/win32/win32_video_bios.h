// The video BIOS at C000:0000, read so that no fault can reach the program
// where nothing is mapped there.
#pragma once

#include <windows.h>

#include "platform/video_bios.h"

namespace korvane::win32 {

// The two system calls a read takes, so that a test can refuse the first.
struct LowMemoryCalls {
  BOOL(WINAPI* read_process_memory)(HANDLE, LPCVOID, LPVOID, SIZE_T, SIZE_T*);
  BOOL(WINAPI* is_bad_read_ptr)(const void*, UINT_PTR);
};

class Win32VideoBios : public VideoBios {
 public:
  explicit Win32VideoBios(LowMemoryCalls calls = {ReadProcessMemory, IsBadReadPtr})
      : calls_(calls) {}
  std::optional<std::string> Read(std::size_t length, BiosReadWay* way) override;

 private:
  LowMemoryCalls calls_;
};

}  // namespace korvane::win32
