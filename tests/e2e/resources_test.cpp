// The real program's GDI objects and windows over a hundred showings of
// every tab and dialog: Windows 95/98 keep both in heaps all programs share.
#include <cstdio>
#include <string>

#include "korvane_test.h"
#include "unit/pin/pin_sample.h"

namespace e2e {
namespace {

struct Counts {
  long gdi_objects = 0;
  long windows = 0;
  long listed_windows = 0;  // the process's windows as the system lists them
};

BOOL CALLBACK CountWindow(HWND window, LPARAM context) {
  auto& [process, count] = *reinterpret_cast<std::pair<DWORD, long>*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == process) {
    ++count;
    EnumChildWindows(window, CountWindow, context);
  }
  return TRUE;
}

class ResourcesE2E : public KorvaneTest {
 protected:
  // A count the program keeps: 0 live GDI objects, 1 their peak, 2 live
  // windows, 3 their peak.
  long Count(WPARAM which) const {
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(main, RegisterWindowMessageW(L"Korvane.ResourceCount"), which, 0,
                        SMTO_ABORTIFHUNG, 5000, &answer);
    return static_cast<long>(answer);
  }
  Counts Now() const {
    std::pair<DWORD, long> listed = {0, 0};
    GetWindowThreadProcessId(main, &listed.first);
    EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&listed));
    return {Count(0), Count(2), listed.second};
  }
  void CloseBox(HWND owner, const char* button) {
    korvane->Click(korvane->Control(owner, button));
    const auto box = korvane->WaitForMessageBox();
    ASSERT_TRUE(box) << "no message box after " << button;
    korvane->Answer(*box, IDCANCEL);
  }
  void OpenAndClose(const char* form, const char* opener, const char* closer) {
    korvane->Click(Main(opener));
    const HWND window = korvane->WaitForForm(form);
    ASSERT_TRUE(window) << form << " did not open";
    korvane->Click(korvane->Control(window, closer));
  }
  // Every tab, the four dialogs and two message boxes, once.
  void Round() {
    for (int tab : {kGeneralTab, kRegistryTab, kChipTab, kOverclockTab, kOtherTab}) {
      korvane->SelectTab(main, tab);
    }
    OpenAndClose("GameForm", "Button15", "Button1");
    korvane->SelectTab(main, kOverclockTab);
    OpenAndClose("ClockTestForm", "TestButton", "CloseButton");
    korvane->SelectTab(main, kGeneralTab);
    OpenAndClose("AboutBox", "Button25", "OKButton");
    CloseBox(main, "uninstall");
    korvane->SelectTab(main, kChipTab);
    korvane->Click(Main("PButton"));
    const HWND editor = korvane->WaitForForm("PINForm");
    ASSERT_TRUE(editor) << "the PIN editor did not open";
    // A MAX's clocks for this DualHead are asked about first.
    CloseBox(editor, "Button3");
    korvane->Click(korvane->Control(editor, "Button1"));
  }
};

TEST_F(ResourcesE2E, AHundredShowingsOfEveryTabAndDialogLeaveGdiObjectsAndWindowsAsTheFirst) {
  SeedG400();
  WriteBytes(std::string(kProgramFolder) + "\\mypins.txt", [] {
    std::string text;
    for (const std::string& line : korvane::testing::SamplePin()) text += line + "\r\n";
    return text;
  }());
  Start();
  Round();
  const Counts first = Now();
  ASSERT_GT(first.gdi_objects, 0) << "the program does not answer with its counts";
  ASSERT_GT(first.windows, 0);
  EXPECT_LE(first.windows, first.listed_windows);
  for (int round = 2; round <= 100 && !HasFatalFailure(); ++round) Round();
  const Counts after = Now();
  EXPECT_EQ(after.gdi_objects, first.gdi_objects);
  EXPECT_EQ(after.windows, first.windows);
  EXPECT_EQ(after.listed_windows, first.listed_windows);
  // What make bench reports.
  std::printf("GDI objects: first round %ld, after 100 rounds %ld, peak %ld\n", first.gdi_objects,
              after.gdi_objects, Count(1));
  std::printf("windows: first round %ld, after 100 rounds %ld, peak %ld (the system lists %ld)\n",
              first.windows, after.windows, Count(3), after.listed_windows);
}

}  // namespace
}  // namespace e2e
