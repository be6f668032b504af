#include "win32/win32_video_memory.h"

#include <utility>

namespace korvane::win32 {
namespace {

// The interfaces beyond the first that the memory asks DirectDraw for:
// IDirectDraw2 came with DirectX 2.0, IDirectDrawSurface3 with DirectX 5.
constexpr GUID kDirectDraw2 = {
    0xB3A6F3E0, 0x2B43, 0x11CF, {0xA2, 0xDE, 0x00, 0xAA, 0x00, 0xB9, 0x33, 0x56}};
constexpr GUID kDirectDrawSurface3 = {
    0xDA044E00, 0x69B2, 0x11D0, {0xA1, 0xD5, 0x00, 0xAA, 0x00, 0xB8, 0xDF, 0xBB}};

SurfaceResult ResultOf(HRESULT result) {
  if (result == DD_OK) return SurfaceResult::kOk;
  return result == DDERR_SURFACELOST ? SurfaceResult::kLost : SurfaceResult::kFailed;
}

}  // namespace

VideoMemoryRefusal Win32VideoMemory::Open(VideoMemoryLayout* layout) {
  Close();
  library_ = LoadLibraryA("ddraw.dll");
  using Create = HRESULT(WINAPI*)(GUID*, IDirectDraw**, IUnknown*);
  const FARPROC create = library_ ? GetProcAddress(library_, "DirectDrawCreate") : nullptr;
  // The normal level shares the screen with every other program: never a
  // change of mode, never the visible screen.
  if (!create ||
      reinterpret_cast<Create>(reinterpret_cast<void*>(create))(nullptr, &draw_, nullptr) !=
          DD_OK ||
      draw_->SetCooperativeLevel(window_(), DDSCL_NORMAL) != DD_OK) {
    Close();
    return VideoMemoryRefusal::kNoDirectDraw;
  }
  DDSURFACEDESC mode = {};
  mode.dwSize = sizeof(mode);
  const DWORD bytes_per_pixel = draw_->GetDisplayMode(&mode) == DD_OK
                                    ? mode.ddpfPixelFormat.dwRGBBitCount / 8
                                    : 0;
  if (bytes_per_pixel == 0 || bytes_per_pixel > 4) return VideoMemoryRefusal::kNoVideoSurface;
  width_ = mode.dwWidth;
  layout->row_bytes = width_ * bytes_per_pixel & ~3u;
  layout->bytes_per_pixel = bytes_per_pixel;
  // A fill sets a palette's index whole, else the colour channels' bits.
  const DWORD bits = mode.ddpfPixelFormat.dwFlags & DDPF_PALETTEINDEXED8
                         ? 0xFF
                         : mode.ddpfPixelFormat.dwRBitMask | mode.ddpfPixelFormat.dwGBitMask |
                               mode.ddpfPixelFormat.dwBBitMask;
  for (DWORD i = 0; i < bytes_per_pixel; ++i) {
    layout->fill_mask[i] = static_cast<std::uint8_t>(bits >> 8 * i);
  }
  layout->free_bytes = FreeBytes();
  return VideoMemoryRefusal::kNone;
}

std::uint32_t Win32VideoMemory::FreeBytes() {
  // IDirectDraw2 is the first to say how much is free.
  IDirectDraw2* draw2 = nullptr;
  if (!draw_ || draw_->QueryInterface(kDirectDraw2, reinterpret_cast<void**>(&draw2)) != DD_OK) {
    return 0;
  }
  DDSCAPS caps = {DDSCAPS_OFFSCREENPLAIN | DDSCAPS_VIDEOMEMORY};
  DWORD total = 0;
  DWORD free = 0;
  if (draw2->GetAvailableVidMem(&caps, &total, &free) != DD_OK) free = 0;
  draw2->Release();
  return free;
}

bool Win32VideoMemory::AddSurface(std::uint32_t rows) {
  DDSURFACEDESC description = {};
  description.dwSize = sizeof(description);
  description.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
  description.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_VIDEOMEMORY;
  description.dwWidth = width_;
  description.dwHeight = rows;
  IDirectDrawSurface* surface = nullptr;
  if (!draw_ || draw_->CreateSurface(&description, &surface, nullptr) != DD_OK) return false;
  if (surfaces_.empty()) {
    // DirectX 5 brought the lock that leaves the Win16 lock alone
    // (DDLOCK_NOSYSLOCK), with IDirectDrawSurface3; earlier runtimes do
    // not know the flag.
    IDirectDrawSurface* newer = nullptr;
    if (surface->QueryInterface(kDirectDrawSurface3, reinterpret_cast<void**>(&newer)) == DD_OK) {
      newer->Release();
      lock_flags_ |= DDLOCK_NOSYSLOCK;
    }
  }
  surfaces_.push_back(surface);
  return true;
}

SurfaceResult Win32VideoMemory::Lock(std::uint32_t surface, std::uint32_t first_row,
                                     std::uint32_t rows, SurfaceStrip* strip) {
  RECT area = {0, static_cast<LONG>(first_row), static_cast<LONG>(width_),
               static_cast<LONG>(first_row + rows)};
  DDSURFACEDESC description = {};
  description.dwSize = sizeof(description);
  const HRESULT locked = surfaces_[surface]->Lock(&area, &description, lock_flags_, nullptr);
  if (locked != DD_OK) return ResultOf(locked);
  locked_ = description.lpSurface;
  *strip = {static_cast<std::uint8_t*>(locked_), description.lPitch};
  return SurfaceResult::kOk;
}

void Win32VideoMemory::Unlock(std::uint32_t surface) { surfaces_[surface]->Unlock(locked_); }

SurfaceResult Win32VideoMemory::Restore(std::uint32_t surface) {
  const HRESULT result = surfaces_[surface]->Restore();
  if (result == DD_OK) return SurfaceResult::kOk;
  return result == DDERR_WRONGMODE ? SurfaceResult::kFailed : SurfaceResult::kLost;
}

SurfaceResult Win32VideoMemory::Blit(std::uint32_t to, IDirectDrawSurface* from, DWORD flags,
                                     DDBLTFX* effects) {
  HRESULT result;
  // DDBLT_WAIT waits for a busy engine; a runtime that still says so is
  // asked again.
  while ((result = surfaces_[to]->Blt(nullptr, from, nullptr, flags | DDBLT_WAIT, effects)) ==
         DDERR_WASSTILLDRAWING) {
  }
  return ResultOf(result);
}

SurfaceResult Win32VideoMemory::Copy(std::uint32_t from, std::uint32_t to) {
  return Blit(to, surfaces_[from], 0, nullptr);
}

SurfaceResult Win32VideoMemory::Fill(std::uint32_t surface, std::uint32_t colour) {
  DDBLTFX effects = {};
  effects.dwSize = sizeof(effects);
  effects.dwFillColor = colour;
  return Blit(surface, nullptr, DDBLT_COLORFILL, &effects);
}

void Win32VideoMemory::DropLastSurface() {
  if (surfaces_.empty()) return;
  surfaces_.back()->Release();
  surfaces_.pop_back();
}

std::uint32_t Win32VideoMemory::Close() {
  for (IDirectDrawSurface* surface : surfaces_) surface->Release();
  surfaces_.clear();
  lock_flags_ = DDLOCK_WAIT;
  const std::uint32_t free = FreeBytes();
  if (draw_) draw_->Release();
  draw_ = nullptr;
  if (library_) FreeLibrary(library_);
  library_ = nullptr;
  return free;
}

}  // namespace korvane::win32
