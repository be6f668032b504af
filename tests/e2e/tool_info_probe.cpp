// The Windows 98 rules check's probe of the tool tip structures korvane.exe
// passes: the tour hooks it into the program, and for each message to a tool
// tip whose lParam is a TOOLINFOA it writes the size the structure says it
// has as a debug string. Wine's relay trace shows only the pointer, and
// comctl32 4.00 takes only its own 40 bytes (tests/binary/check_calls.py).
#include <windows.h>

#include <commctrl.h>

#include <cstdio>

namespace {

bool CarriesToolInfo(UINT message) {
  switch (message) {
    case TTM_ADDTOOLA:
    case TTM_DELTOOLA:
    case TTM_NEWTOOLRECTA:
    case TTM_GETTOOLINFOA:
    case TTM_SETTOOLINFOA:
    case TTM_GETTEXTA:
    case TTM_UPDATETIPTEXTA:
    case TTM_ENUMTOOLSA:
    case TTM_GETCURRENTTOOLA:
      return true;
    default:
      return false;
  }
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    ToolInfoProbe(int code, WPARAM from_other, LPARAM message) {
  const auto& sent = *reinterpret_cast<const CWPSTRUCT*>(message);
  char window_class[32];
  if (code == HC_ACTION && CarriesToolInfo(sent.message) && sent.lParam != 0 &&
      GetClassNameA(sent.hwnd, window_class, sizeof(window_class)) > 0 &&
      lstrcmpiA(window_class, TOOLTIPS_CLASSA) == 0) {
    char report[64];
    std::snprintf(report, sizeof(report), "tool info message %04x cbSize %u", sent.message,
                  reinterpret_cast<const TTTOOLINFOA*>(sent.lParam)->cbSize);
    OutputDebugStringA(report);
  }
  return CallNextHookEx(nullptr, code, from_other, message);
}
