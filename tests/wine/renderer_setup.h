// What a test needs before it makes the renderer's windows: the common
// controls and the renderer's own window classes, once per process.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "win32/form_window.h"

namespace korvane::win32 {

inline void PrepareRenderer() {
  INITCOMMONCONTROLSEX controls = {sizeof(controls),
                                   ICC_TAB_CLASSES | ICC_UPDOWN_CLASS | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  FormWindow::RegisterClasses(GetModuleHandleA(nullptr));
}

}  // namespace korvane::win32
