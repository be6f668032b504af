// The card's memory through DirectDraw, loaded when a test opens it and let
// go when it closes: ddraw.dll is never imported, so a Windows 95 without
// DirectX loses only the test.
#pragma once

#include <windows.h>

#include <ddraw.h>

#include <functional>
#include <vector>

#include "platform/video_memory.h"

namespace korvane::win32 {

class Win32VideoMemory : public VideoMemory {
 public:
  // `window` names the program's window, which DirectDraw's cooperative
  // level belongs to.
  explicit Win32VideoMemory(std::function<HWND()> window) : window_(std::move(window)) {}
  Win32VideoMemory(const Win32VideoMemory&) = delete;
  Win32VideoMemory& operator=(const Win32VideoMemory&) = delete;
  ~Win32VideoMemory() override { Close(); }

  VideoMemoryRefusal Open(VideoMemoryLayout* layout) override;
  bool AddSurface(std::uint32_t rows) override;
  SurfaceResult Lock(std::uint32_t surface, std::uint32_t first_row, std::uint32_t rows,
                     SurfaceStrip* strip) override;
  void Unlock(std::uint32_t surface) override;
  SurfaceResult Restore(std::uint32_t surface) override;
  SurfaceResult Copy(std::uint32_t from, std::uint32_t to) override;
  SurfaceResult Fill(std::uint32_t surface, std::uint32_t colour) override;
  void DropLastSurface() override;
  std::uint32_t Close() override;

 private:
  std::uint32_t FreeBytes();
  SurfaceResult Blit(std::uint32_t to, IDirectDrawSurface* from, DWORD flags, DDBLTFX* effects);

  std::function<HWND()> window_;
  HMODULE library_ = nullptr;
  IDirectDraw* draw_ = nullptr;
  std::vector<IDirectDrawSurface*> surfaces_;
  DWORD width_ = 0;
  DWORD lock_flags_ = DDLOCK_WAIT;
  void* locked_ = nullptr;
};

}  // namespace korvane::win32
