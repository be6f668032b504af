// The renderer in the test's own process: each kind of control gets its
// window, mirrors the model, and feeds user input back to it exactly once.
#include "win32/form_window.h"

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/button.h"
#include "ui/check_box.h"
#include "ui/combo_box.h"
#include "ui/edit.h"
#include "ui/label.h"
#include "ui/memo.h"
#include "ui/page_control.h"
#include "ui/radio_group.h"
#include "ui/status_bar.h"
#include "ui/up_down.h"
#include "unit/test_machine.h"
#include "win32/text_encoding.h"

namespace korvane::win32 {
namespace {

using korvane::testing::RecordingErrors;

class Gallery : public ui::Form {
 public:
  explicit Gallery(ui::ErrorReporter& errors)
      : Form("Gallery", "ギャラリー", 420, 300, ui::BorderStyle::kSingle, errors) {}

  ui::PageControl pages{*this, "pages", {0, 0, 420, 300}};
  ui::TabSheet first{pages, "first", "一般"};
  ui::TabSheet second{pages, "second", "その他"};
  ui::GroupBox group{first, "group", {8, 8, 200, 90}, "枠"};
  ui::CheckBox box{group, "box", {8, 16, 180, 16}, "チェック", "ヒント"};
  ui::RadioGroup radio{group, "radio", {8, 34, 180, 50}, "速度", {"1x", "2x", "4x", "自動"}, 2};
  ui::Label label{first, "label", {8, 110, 0, 0}, "リンク"};
  ui::Button button{first, "button", {8, 130, 80, 24}, "終了(&E)"};
  ui::Edit edit{first, "edit", {220, 8, 60, 22}, "250"};
  ui::UpDown up_down{first, "up_down", {280, 8, 16, 22}, edit, 100, 400, 250};
  ui::ComboBox combo{first, "combo", {220, 40, 80, 22}, {"1/2", "1/1", "1/3"}};
  ui::Memo memo{first, "memo", {220, 70, 180, 60}, {"一行目", "", "三行目"}};
  ui::Memo notes{first, "notes", {220, 140, 180, 60}, {"メモ"}, /*read_only=*/false};
  ui::StatusBar status{first, "status", {0, 240, 410, 18}, {{300, "※再起動"}}};
  ui::Button other{second, "other", {8, 8, 80, 24}, "別"};
  ui::CheckBox later{second, "later", {8, 40, 120, 16}, "あとで"};
  ui::ComboBox choice{second, "choice", {8, 64, 80, 22}, {"1/2"}};
};

class FormWindowTest : public ::testing::Test {
 protected:
  struct Search {
    std::string name;
    HWND found;
  };
  static BOOL CALLBACK Match(HWND hwnd, LPARAM context) {
    auto& search = *reinterpret_cast<Search*>(context);
    const auto atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(GetPropA(hwnd, "Korvane.Name")));
    char text[64] = {};
    GlobalGetAtomNameA(atom, text, sizeof(text));
    // Atom names keep the first spelling ever added ("Edit" for "edit").
    if (!atom || lstrcmpiA(search.name.c_str(), text) != 0) return TRUE;
    search.found = hwnd;
    return FALSE;
  }
  HWND Lookup(const std::string& name) {
    Search search{name, nullptr};
    EnumChildWindows(window->hwnd(), Match, reinterpret_cast<LPARAM>(&search));
    return search.found;
  }
  HWND Find(const std::string& name) {
    const HWND found = Lookup(name);
    EXPECT_TRUE(found) << name;
    return found;
  }
  std::string Text(HWND hwnd) {
    char text[256] = {};
    SendMessageA(hwnd, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
    return FromAnsi(text);
  }
  static BOOL CALLBACK CountWindow(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
  }
  // Counts a handler's runs.
  static ui::Handler Count(int& runs) {
    return [&runs] {
      ++runs;
      return Status::Ok();
    };
  }

  RecordingErrors errors;
  Gallery gallery{errors};
  GdiResources gdi;
  std::unique_ptr<FormWindow> window;
};

TEST_F(FormWindowTest, ControlsStartAsTheModelLeftThem) {
  window = std::make_unique<FormWindow>(gallery, nullptr, false, gdi);
  // The windows are made as the form is first shown, from what the model
  // holds then.
  EXPECT_EQ(window->hwnd(), nullptr);
  ASSERT_TRUE(gallery.box.SetChecked(true).ok());
  gallery.button.SetEnabled(false);
  ASSERT_TRUE(gallery.Show().ok());
  EXPECT_EQ(SendMessageA(Find("box"), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_FALSE(IsWindowEnabled(Find("button")));
  EXPECT_EQ(Text(Find("label")), "リンク");
  EXPECT_EQ(Text(Find("edit")), "250");
  EXPECT_EQ(Text(Find("memo")), "一行目\r\n\r\n三行目");
  EXPECT_EQ(Text(Find("status")), "※再起動");
  EXPECT_EQ(LOWORD(SendMessageA(Find("up_down"), UDM_GETPOS, 0, 0)), 250);
  EXPECT_EQ(SendMessageA(Find("combo"), CB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessageA(Find("combo"), CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_EQ(GetParent(Find("box")), Find("first"));
  EXPECT_TRUE(IsWindowVisible(window->hwnd()));
  EXPECT_TRUE(IsWindowVisible(Find("box")));
  EXPECT_FALSE(IsWindowVisible(Find("second")));
  RECT client;
  GetClientRect(window->hwnd(), &client);
  EXPECT_EQ(client.right, 420);
  EXPECT_EQ(client.bottom, 300);
}

TEST_F(FormWindowTest, UserInputRunsEachHandlerOnceAndTheModelIsMirrored) {
  int box_clicks = 0, radio_clicks = 0, edit_changes = 0, combo_changes = 0, label_clicks = 0,
      steps = 0;
  gallery.box.on_click = Count(box_clicks);
  gallery.radio.on_click = Count(radio_clicks);
  gallery.edit.on_change = Count(edit_changes);
  gallery.combo.on_change = Count(combo_changes);
  gallery.label.on_click = Count(label_clicks);
  gallery.up_down.on_changing = Count(steps);
  window = std::make_unique<FormWindow>(gallery, nullptr, false, gdi);
  ASSERT_TRUE(gallery.Show().ok());

  SendMessageA(Find("box"), BM_CLICK, 0, 0);
  EXPECT_TRUE(gallery.box.checked());
  EXPECT_EQ(SendMessageA(Find("box"), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(box_clicks, 1);

  SendMessageA(Find("radio[3]"), BM_CLICK, 0, 0);
  EXPECT_EQ(gallery.radio.item_index(), 3);
  EXPECT_EQ(SendMessageA(Find("radio[3]"), BM_GETCHECK, 0, 0), BST_CHECKED);
  ASSERT_TRUE(gallery.radio.SetItemIndex(1).ok());
  EXPECT_EQ(SendMessageA(Find("radio[3]"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageA(Find("radio[1]"), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(radio_clicks, 2);

  // Typing changes the model once; the model's change reaches the window
  // without running the handler a second time.
  SetWindowTextA(Find("edit"), "300");
  EXPECT_EQ(gallery.edit.text(), "300");
  EXPECT_EQ(edit_changes, 1);
  ASSERT_TRUE(gallery.up_down.SetPosition(320).ok());
  EXPECT_EQ(Text(Find("edit")), "320");
  EXPECT_EQ(LOWORD(SendMessageA(Find("up_down"), UDM_GETPOS, 0, 0)), 320);
  EXPECT_EQ(edit_changes, 2);
  EXPECT_EQ(steps, 1);

  gallery.combo.SetItemIndex(2);
  EXPECT_EQ(SendMessageA(Find("combo"), CB_GETCURSEL, 0, 0), 2);
  SendMessageA(Find("combo"), CB_SETCURSEL, 1, 0);
  SendMessageA(GetParent(Find("combo")), WM_COMMAND,
               MAKEWPARAM(GetDlgCtrlID(Find("combo")), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(Find("combo")));
  EXPECT_EQ(gallery.combo.text(), "1/1");
  EXPECT_EQ(combo_changes, 1);

  SendMessageA(Find("label"), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
  SendMessageA(Find("label"), WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
  EXPECT_EQ(label_clicks, 1);

  gallery.status.SetPanelText(0, "ヒント");
  EXPECT_EQ(Text(Find("status")), "ヒント");
  gallery.memo.SetLines({"a", "b"});
  EXPECT_EQ(Text(Find("memo")), "a\r\nb");
  gallery.label.SetCaption("もっと長いリンクの文字");
  EXPECT_EQ(Text(Find("label")), "もっと長いリンクの文字");
  gallery.box.SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(Find("box")));
  EXPECT_TRUE(errors.errors.empty());
}

TEST_F(FormWindowTest, AnEditableTextAreaAndStepsOfMoreThanOne) {
  int clicks = 0;
  gallery.up_down.increment = 4;
  gallery.up_down.on_click = Count(clicks);
  gallery.edit.max_length = 5;
  window = std::make_unique<FormWindow>(gallery, nullptr, false, gdi);
  ASSERT_TRUE(gallery.Show().ok());

  // Typing into the text area reaches the model line by line; the model's
  // lines reach the window.
  const HWND notes = Find("notes");
  SendMessageA(notes, EM_SETSEL, 6, 6);
  SendMessageA(notes, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(ToAnsi("\r\n二行目").c_str()));
  EXPECT_EQ(gallery.notes.lines(), (std::vector<std::string>{"メモ", "二行目"}));
  gallery.notes.SetLines({"a", "b", ""});
  EXPECT_EQ(Text(notes), "a\r\nb\r\n");
  EXPECT_EQ(GetWindowLongA(notes, GWL_STYLE) & ES_READONLY, 0);
  EXPECT_NE(GetWindowLongA(Find("memo"), GWL_STYLE) & ES_READONLY, 0);

  // One click on the up arrow steps by the increment from the number typed.
  SetWindowTextA(Find("edit"), "300");
  const HWND arrows = Find("up_down");
  SendMessageA(arrows, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  SendMessageA(arrows, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(gallery.up_down.position(), 304);
  EXPECT_EQ(Text(Find("edit")), "304");
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(SendMessageA(Find("edit"), EM_GETLIMITTEXT, 0, 0), 5);
  EXPECT_TRUE(errors.errors.empty());

  // Held down, the arrows keep to one increment a step: Windows' own
  // acceleration would make it 5 and then 20.
  UDACCEL accel[4] = {};
  EXPECT_EQ(SendMessageA(arrows, UDM_GETACCEL, 4, reinterpret_cast<LPARAM>(accel)), 1);
  EXPECT_EQ(accel[0].nInc, 1u);
}

TEST_F(FormWindowTest, WhileTheFormIsBusyThePointerShowsIt) {
  window = std::make_unique<FormWindow>(gallery, nullptr, false, gdi);
  ASSERT_TRUE(gallery.Show().ok());
  const HWND button = Find("button");
  const auto pointer_over_button = [&] {
    SetCursor(LoadCursorA(nullptr, IDC_CROSS));
    SendMessageA(window->hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(button),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return GetCursor();
  };
  gallery.SetBusy(true);
  EXPECT_EQ(pointer_over_button(), LoadCursorA(nullptr, IDC_APPSTARTING));
  gallery.SetBusy(false);
  EXPECT_NE(pointer_over_button(), LoadCursorA(nullptr, IDC_APPSTARTING));
}

TEST_F(FormWindowTest, TabsSwitchPagesAndClosingHidesTheWindow) {
  int shown = 0;
  gallery.second.on_show = Count(shown);
  window = std::make_unique<FormWindow>(gallery, nullptr, false, gdi);
  ASSERT_TRUE(gallery.Show().ok());
  const HWND tabs = Find("pages");
  RECT item;
  SendMessageA(tabs, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
  const LPARAM point = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
  SendMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, point);
  SendMessageA(tabs, WM_LBUTTONUP, 0, point);
  EXPECT_EQ(gallery.pages.active_index(), 1);
  EXPECT_EQ(shown, 1);
  EXPECT_TRUE(IsWindowVisible(Find("other")));
  EXPECT_FALSE(IsWindowVisible(Find("box")));

  ASSERT_TRUE(gallery.pages.SetActiveIndex(0).ok());
  EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 0);
  EXPECT_TRUE(IsWindowVisible(Find("box")));

  SendMessageA(window->hwnd(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(gallery.visible());
  EXPECT_FALSE(IsWindowVisible(window->hwnd()));
}

// Every window the renderer makes is counted, and counted gone with its form:
// the frame, its tooltip and the windows inside.
TEST_F(FormWindowTest, TheWindowsMadeAreCountedAndCountedGoneWithTheirForm) {
  const int before = WindowCount().live;
  window = std::make_unique<FormWindow>(gallery, nullptr, false, gdi);
  ASSERT_TRUE(gallery.Show().ok());
  int inside = 0;
  EnumChildWindows(window->hwnd(), CountWindow, reinterpret_cast<LPARAM>(&inside));
  EXPECT_EQ(WindowCount().live - before, 2 + inside);
  window.reset();
  EXPECT_EQ(WindowCount().live, before);
}

// A page gets its controls' windows when first shown; what the model did
// to them before shows then, hints included.
TEST_F(FormWindowTest, APageShownLaterShowsWhatTheModelDidBefore) {
  gallery.other.SetHint("別のヒント");
  window = std::make_unique<FormWindow>(gallery, nullptr, false, gdi);
  ASSERT_TRUE(gallery.Show().ok());
  EXPECT_FALSE(Lookup("other"));
  gallery.other.SetEnabled(false);
  gallery.other.SetCaption("後で");
  ASSERT_TRUE(gallery.later.SetChecked(true).ok());
  gallery.later.SetVisible(false);
  gallery.choice.SetItems({"1/1", "1/3"});
  gallery.choice.SetItemIndex(1);

  ASSERT_TRUE(gallery.pages.SetActiveIndex(1).ok());
  const HWND other = Find("other");
  EXPECT_TRUE(IsWindowVisible(other));
  EXPECT_FALSE(IsWindowEnabled(other));
  EXPECT_EQ(Text(other), "後で");
  EXPECT_EQ(SendMessageA(Find("later"), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_FALSE(IsWindowVisible(Find("later")));
  EXPECT_EQ(SendMessageA(Find("choice"), CB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessageA(Find("choice"), CB_GETCURSEL, 0, 0), 1);

  HWND tooltip = nullptr;
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
    char name[64] = {};
    GetClassNameA(w, name, sizeof(name));
    if (lstrcmpA(name, TOOLTIPS_CLASSA) == 0 && GetWindow(w, GW_OWNER) == window->hwnd()) {
      tooltip = w;
    }
  }
  ASSERT_TRUE(tooltip);
  char hint[64] = {};
  TOOLINFOA tool = {};
  tool.cbSize = TTTOOLINFOA_V1_SIZE;
  tool.hwnd = window->hwnd();
  tool.uId = reinterpret_cast<UINT_PTR>(other);
  tool.lpszText = hint;
  SendMessageA(tooltip, TTM_GETTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
  EXPECT_EQ(FromAnsi(hint), "別のヒント");

  // Changes reach the page's windows from now on; going back and forth
  // makes them only once.
  gallery.other.SetEnabled(true);
  EXPECT_TRUE(IsWindowEnabled(other));
  ASSERT_TRUE(gallery.pages.SetActiveIndex(0).ok());
  ASSERT_TRUE(gallery.pages.SetActiveIndex(1).ok());
  EXPECT_EQ(Find("other"), other);
  EXPECT_TRUE(errors.errors.empty());
}

TEST_F(FormWindowTest, WhileAnActionWaitsTheWindowStaysAndAQuitIsKeptForTheEventLoop) {
  window = std::make_unique<FormWindow>(gallery, nullptr, false, gdi);
  ASSERT_TRUE(gallery.Show().ok());
  gallery.can_close = [] { return false; };
  SendMessageA(window->hwnd(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(gallery.visible());
  EXPECT_TRUE(IsWindowVisible(window->hwnd()));

  // The arrow steps from what was typed, as the model does.
  SetWindowTextA(Find("edit"), "300");
  RECT arrows;
  GetClientRect(Find("up_down"), &arrows);
  const LPARAM upper = MAKELPARAM(arrows.right / 2, arrows.bottom / 4);
  SendMessageA(Find("up_down"), WM_LBUTTONDOWN, MK_LBUTTON, upper);
  SendMessageA(Find("up_down"), WM_LBUTTONUP, 0, upper);
  EXPECT_EQ(gallery.up_down.position(), 301);
  EXPECT_EQ(Text(Find("edit")), "301");

  // A quit that arrives during a wait would end the message boxes the
  // action still shows; it is kept for the event loop instead.
  PostQuitMessage(7);
  PumpPendingMessages();
  MSG msg;
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
  EXPECT_EQ(RunMessageLoop(), 7);
}

}  // namespace
}  // namespace korvane::win32
