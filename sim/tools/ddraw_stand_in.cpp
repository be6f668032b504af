// Stands in for the simulated card's video memory: a ddraw.dll placed beside
// korvane.exe, which hands every call on to the system's own DirectDraw and
// makes the memory fail as a G400's does when its memory clock is too fast.
// It knows nothing of Korvane. Besides the files of stand_in.h it reads:
//
//   ddraw-limit.txt   the memory clock, in MHz, above which a bit of every
//                     strip of video memory that is locked flips; with no
//                     file the memory never fails
//
// and the card's clocks from g4set-clocks.txt, as the clock tool set them.
// Wine loads it for korvane.exe only (sim/base.reg).
#include <windows.h>

#include <ddraw.h>

#include <cstdlib>

#include "card_clocks.h"

namespace {

using CreateFunction = HRESULT(WINAPI*)(GUID*, IDirectDraw**, IUnknown*);
using CreateSurfaceMethod = HRESULT(STDMETHODCALLTYPE*)(IDirectDraw*, DDSURFACEDESC*,
                                                        IDirectDrawSurface**, IUnknown*);
using LockMethod = HRESULT(STDMETHODCALLTYPE*)(IDirectDrawSurface*, RECT*, DDSURFACEDESC*, DWORD,
                                               HANDLE);

// The places of the methods in their interfaces' tables.
constexpr int kCreateSurfaceSlot = 6;
constexpr int kLockSlot = 25;

CreateSurfaceMethod g_create_surface = nullptr;
LockMethod g_lock = nullptr;
// Where the hooks were put, to take them out again when the program lets
// this library go: the system's DirectDraw stays loaded, its tables with it.
void** g_create_surface_slot = nullptr;
void** g_lock_slot = nullptr;
DWORD g_flips = 0;

// Whether the card's memory clock is above the limit now; the files are read
// again at most four times a second.
bool Failing() {
  static DWORD read_at = 0;
  static bool failing = false;
  const DWORD now = GetTickCount();
  if (read_at != 0 && now - read_at < 250) return failing;
  read_at = now | 1;
  const auto limit = stand_in::ReadFile(stand_in::State("ddraw-limit.txt"));
  const stand_in::Clocks clocks = stand_in::LoadClocks();
  failing = limit && stand_in::Divided(clocks.system_mhz, clocks.memory) > std::atoi(limit->c_str());
  return failing;
}

void Put(void** slot, void* method) {
  DWORD protection;
  VirtualProtect(slot, sizeof(void*), PAGE_READWRITE, &protection);
  *slot = method;
  VirtualProtect(slot, sizeof(void*), protection, &protection);
}

// Puts `hook` in an interface's table, for every object that shares it.
template <typename Method>
Method Hook(void* object, int slot, Method hook, void*** where) {
  *where = &(*static_cast<void***>(object))[slot];
  const auto original = reinterpret_cast<Method>(**where);
  Put(*where, reinterpret_cast<void*>(hook));
  return original;
}

HRESULT STDMETHODCALLTYPE Lock(IDirectDrawSurface* surface, RECT* area, DDSURFACEDESC* description,
                               DWORD flags, HANDLE event) {
  const HRESULT result = g_lock(surface, area, description, flags, event);
  if (result == DD_OK && Failing()) {
    // One bit of the strip's first row, a different one each time.
    const LONG width = area ? area->right - area->left : static_cast<LONG>(description->dwWidth);
    const LONG words = width * static_cast<LONG>(description->ddpfPixelFormat.dwRGBBitCount) / 32;
    static_cast<DWORD*>(description->lpSurface)[words / 2] ^= 1u << (g_flips++ % 32);
  }
  return result;
}

HRESULT STDMETHODCALLTYPE CreateSurface(IDirectDraw* draw, DDSURFACEDESC* description,
                                        IDirectDrawSurface** surface, IUnknown* outer) {
  const HRESULT result = g_create_surface(draw, description, surface, outer);
  if (result == DD_OK && !g_lock) g_lock = Hook(*surface, kLockSlot, Lock, &g_lock_slot);
  return result;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, void* process_ends) {
  if (reason == DLL_PROCESS_DETACH && !process_ends) {
    if (g_lock_slot) Put(g_lock_slot, reinterpret_cast<void*>(g_lock));
    if (g_create_surface_slot) {
      Put(g_create_surface_slot, reinterpret_cast<void*>(g_create_surface));
    }
  }
  return TRUE;
}

extern "C" __declspec(dllexport) HRESULT WINAPI DirectDrawCreate(GUID* driver, IDirectDraw** draw,
                                                                 IUnknown* outer) {
  char path[MAX_PATH];
  GetSystemDirectoryA(path, MAX_PATH);
  lstrcatA(path, "\\ddraw.dll");
  const HMODULE system = LoadLibraryA(path);
  const auto create =
      system ? reinterpret_cast<CreateFunction>(
                   reinterpret_cast<void*>(GetProcAddress(system, "DirectDrawCreate")))
             : nullptr;
  if (!create) return DDERR_GENERIC;
  const HRESULT result = create(driver, draw, outer);
  if (result == DD_OK && !g_create_surface) {
    g_create_surface =
        Hook(*draw, kCreateSurfaceSlot, CreateSurface, &g_create_surface_slot);
  }
  return result;
}
