// The box after a clock change closes itself however the system shows its
// making to the program: Windows 95's message box comes from its 16-bit
// USER, and a countdown that never found its box would keep clocks nobody
// confirmed.
#include <gtest/gtest.h>

#include <string>

#include "win32/win32_dialogs.h"

namespace korvane::win32 {
namespace {

// A box that is still open after this was never found: the test closes it
// and fails rather than hang.
constexpr UINT kGiveUpMs = 6000;
bool g_gave_up = false;

BOOL CALLBACK CloseCountdownBox(HWND window, LPARAM) {
  char text[64] = {};
  GetWindowTextA(window, text, sizeof(text));
  if (std::string(text).rfind("Countdown (", 0) == 0) {
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  }
  return TRUE;
}

void CALLBACK GiveUp(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  g_gave_up = true;
  EnumThreadWindows(GetCurrentThreadId(), CloseCountdownBox, 0);
}

INT_PTR CALLBACK PlainDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

LPCSTR AsAtom(LPCSTR) { return MAKEINTATOM(0x8002); }
LPCSTR AsString(LPCSTR) { return "#32770"; }
LPCSTR Unseen(LPCSTR) { return nullptr; }

TEST(CountdownBoxTest, EachCountdownFindsAndClosesItsOwnBox) {
  const struct {
    const char* seen;
    HookClassView view;
  } cases[] = {
      {"as an atom", AsAtom},
      {"as a string", AsString},
      {"not at all", Unseen},
  };
  for (const auto& c : cases) {
    const HWND owner = CreateWindowExA(0, "STATIC", "Owner", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100,
                                       nullptr, nullptr, nullptr, nullptr);
    // Another box of the program, under the same caption, open before: not
    // the countdown's to close.
    Win32Dialogs dialogs([owner] { return owner; }, c.view);
    struct Template {
      DLGTEMPLATE header;
      WORD menu, window_class, title[1];
    } dialog_template = {{WS_POPUP | WS_CAPTION, 0, 0, 0, 0, 80, 40}, 0, 0, {0}};
    const HWND other =
        CreateDialogIndirectParamA(nullptr, &dialog_template.header, owner, PlainDialog, 0);
    ASSERT_NE(other, nullptr);
    SetWindowTextA(other, "Countdown (1)");
    g_gave_up = false;
    const UINT_PTR give_up = SetTimer(nullptr, 0, kGiveUpMs, GiveUp);
    const MessageAnswer answer = dialogs.TimedMessage(
        "Keep these clocks?", "Countdown", MessageButtons::kOkCancel, MessageIcon::kQuestion, 1);
    KillTimer(nullptr, give_up);
    EXPECT_EQ(answer, MessageAnswer::kTimedOut) << "class seen " << c.seen;
    EXPECT_FALSE(g_gave_up) << "class seen " << c.seen;
    EXPECT_TRUE(IsWindow(other)) << "class seen " << c.seen;
    DestroyWindow(other);
    DestroyWindow(owner);
  }
}

}  // namespace
}  // namespace korvane::win32
