// Every text of every window fits its control in both languages, measured in
// the font the renderer gives it: captions are not cut, labels that grow
// with their text run into nothing, and the tabs stay on one row.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/program.h"
#include "text/texts.h"
#include "ui/check_box.h"
#include "ui/label.h"
#include "ui/memo.h"
#include "ui/page_control.h"
#include "ui/radio_group.h"
#include "ui/status_bar.h"
#include "unit/pin/bios_sample.h"
#include "unit/test_machine.h"
#include "win32/form_window.h"
#include "win32/gdi_resources.h"
#include "win32/text_encoding.h"

namespace korvane::win32 {
namespace {

using korvane::testing::TestMachine;

// Room a control leaves its text: a button's edges, a check box's or radio
// button's mark and the gap after it, a frame's caption indent on both sides.
constexpr int kButtonEdges = 6;
constexpr int kMarkAndGap = 18;
constexpr int kFrameIndents = 16;
constexpr int kBlankEdge = 2;
constexpr int kPanelEdges = 6;
constexpr int kMemoEdges = 26;

// Whether the control is a frame, page or window that holds others.
bool Holds(const ui::Control& control) { return ui::IsContainer(control.kind()); }

// A control's rectangle on its page or form: group boxes and panels place
// their controls from their own corner.
RECT Place(const ui::Control& control, int width, int height) {
  int left = control.bounds().left;
  int top = control.bounds().top;
  for (const ui::Container* up = control.parent();
       up && up->kind() != ui::ControlKind::kTabSheet && up->kind() != ui::ControlKind::kForm;
       up = up->parent()) {
    left += up->bounds().left;
    top += up->bounds().top;
  }
  return RECT{left, top, left + width, top + height};
}

// The page or form a control lies on; a form lies on itself.
const ui::Control& PageOf(const ui::Control& control) {
  const ui::Control* up = &control;
  if (up->kind() != ui::ControlKind::kForm) up = control.parent();
  while (up->kind() != ui::ControlKind::kTabSheet && up->kind() != ui::ControlKind::kForm) {
    up = up->parent();
  }
  return *up;
}

bool Inside(const ui::Control& control, const ui::Control& container) {
  for (const ui::Container* up = control.parent(); up; up = up->parent()) {
    if (up == &container) return true;
  }
  return false;
}

// Without the '&' that marks the accelerator.
std::string Shown(const std::string& caption) {
  std::string shown;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    shown += caption[i];
  }
  return shown;
}

BOOL CALLBACK FindTabs(HWND hwnd, LPARAM found) {
  char name[32] = {};
  GetClassNameA(hwnd, name, sizeof(name));
  if (lstrcmpiA(name, WC_TABCONTROLA) != 0) return TRUE;
  *reinterpret_cast<HWND*>(found) = hwnd;
  return FALSE;
}

class TextFitTest : public ::testing::TestWithParam<Language> {
 protected:
  void SetUp() override { SetLanguage(GetParam()); }
  void TearDown() override {
    ReleaseDC(nullptr, dc_);
    SetLanguage(Language::kJapanese);
  }

  static bool english() { return GetParam() == Language::kEnglish; }

  SIZE Measure(const ui::Control& control, const std::string& text) {
    const ui::Form& form = control.form();
    SelectObject(dc_, gdi_.Font(form.font_face(), form.font_size_px(), control.style()));
    const std::string ansi = ToAnsi(text);
    SIZE size = {};
    GetTextExtentPoint32A(dc_, ansi.c_str(), static_cast<int>(ansi.size()), &size);
    return size;
  }
  int Lines(const ui::Control& control, int width) {
    const ui::Form& form = control.form();
    SelectObject(dc_, gdi_.Font(form.font_face(), form.font_size_px(), control.style()));
    const std::string ansi = ToAnsi(control.caption());
    RECT rect = {0, 0, width, 0};
    return DrawTextA(dc_, ansi.c_str(), -1, &rect, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  }

  // A label's rectangle as the renderer places it: clear of the text of the
  // label it follows.
  RECT LabelPlace(const ui::Control& control, int width, int height) {
    RECT rect = Place(control, width, height);
    const auto& label = static_cast<const ui::Label&>(control);
    if (const ui::Label* before = label.placed_after()) {
      const int after = Place(*before, 0, 0).left + Measure(*before, before->caption()).cx + 1 +
                        label.gap_after();
      if (after > rect.left) OffsetRect(&rect, after - rect.left, 0);
    }
    return rect;
  }

  void Check(const ui::Control& control, const ui::Control& page, int page_width) {
    const ui::Bounds& b = control.bounds();
    const std::string where =
        control.form().name() + "." + control.name() + " \"" + control.caption() + "\"";
    // Controls placed beyond the edge are not offered.
    if (!control.visible() || Place(control, 0, 0).left >= page_width) return;
    // A hint that does not pop up shows in the first panel of a status bar.
    // The Japanese ones keep the length they always had, and the panel's
    // 300 pixels cut four of them as ever.
    if (english() && !control.hint().empty() && !control.ShowsTooltip()) {
      for (const ui::Container* up = control.parent(); up; up = up->parent()) {
        if (const ui::StatusBar* bar = up->hint_panel()) {
          EXPECT_LE(Measure(*bar, control.hint()).cx, bar->panels()[0].width - kPanelEdges)
              << where << " hint " << control.hint();
          break;
        }
      }
    }
    switch (control.kind()) {
      case ui::ControlKind::kButton:
        EXPECT_LE(Measure(control, Shown(control.caption())).cx, b.width - kButtonEdges) << where;
        break;
      case ui::ControlKind::kCheckBox:
        EXPECT_LE(Measure(control, Shown(control.caption())).cx, b.width - kMarkAndGap) << where;
        break;
      case ui::ControlKind::kRadioGroup: {
        const auto& group = static_cast<const ui::RadioGroup&>(control);
        const int item_width = (b.width - 12) / (group.columns() > 0 ? group.columns() : 1) - 2;
        for (const std::string& item : group.items()) {
          EXPECT_LE(Measure(control, Shown(item)).cx, item_width - kMarkAndGap) << where << item;
        }
        EXPECT_LE(Measure(control, control.caption()).cx, b.width - kFrameIndents) << where;
        break;
      }
      case ui::ControlKind::kGroupBox:
        EXPECT_LE(Measure(control, control.caption()).cx, b.width - kFrameIndents) << where;
        break;
      case ui::ControlKind::kStatusBar: {
        const auto& panels = static_cast<const ui::StatusBar&>(control).panels();
        for (const auto& panel : panels) {
          EXPECT_LE(Measure(control, panel.text).cx, panel.width - kPanelEdges)
              << where << panel.text;
        }
        // What the Registry tab's bar says instead when there is no driver.
        if (english()) {
          EXPECT_LE(Measure(control, Text(TextId::kNoDriverNotice)).cx,
                    panels[0].width - kPanelEdges);
        }
        // What the main window's says when its folder takes no file.
        if (control.name() == "StatusBar2") {
          EXPECT_LE(
              Measure(control, Format(TextId::kWorkFolderNotice, {"C:\\WINDOWS\\KORVANE"})).cx,
              panels[0].width - kPanelEdges);
        }
        break;
      }
      case ui::ControlKind::kLabel: {
        const SIZE text = Measure(control, control.caption());
        if (b.width > 0 && b.height > 0) {
          EXPECT_LE(Lines(control, b.width), b.height) << where;
        } else if (b.width > 0) {
          EXPECT_LE(text.cx + 1, b.width) << where;
        } else {
          // Grows with its text, as the renderer sizes it.
          const RECT rect = LabelPlace(control, text.cx + 1, text.cy);
          EXPECT_LE(rect.right, page_width) << where;
          for (const ui::Control* other : all_) {
            if (other == &control || other == &page || &PageOf(*other) != &page ||
                !other->visible()) {
              continue;
            }
            if (Holds(*other) && Inside(control, *other)) continue;
            const ui::Bounds& o = other->bounds();
            int width = o.width;
            int height = o.height;
            if (other->kind() == ui::ControlKind::kLabel && (width == 0 || height == 0)) {
              const SIZE size = Measure(*other, other->caption());
              if (width == 0) width = size.cx + 1;
              if (height == 0) height = size.cy;
            }
            const RECT beside = other->kind() == ui::ControlKind::kLabel
                                    ? LabelPlace(*other, width, height)
                                    : Place(*other, width, height);
            // A label's box ends in a blank column and one for the overhang:
            // touching by those is no overlap.
            RECT overlap;
            EXPECT_FALSE(IntersectRect(&overlap, &rect, &beside) &&
                         overlap.right - overlap.left > kBlankEdge)
                << where << " (" << rect.left << "-" << rect.right << ", " << rect.top << "-"
                << rect.bottom << ") runs into " << other->name() << " \"" << other->caption()
                << "\" (" << beside.left << "-" << beside.right << ", " << beside.top << "-"
                << beside.bottom << ")";
          }
        }
        break;
      }
      case ui::ControlKind::kMemo:
        // The English notes keep each line on one line of the box, beside
        // its scroll bar; the Japanese ones wrap, as they always did.
        for (const std::string& line : static_cast<const ui::Memo&>(control).lines()) {
          if (english()) {
            EXPECT_LE(Measure(control, line).cx, b.width - kMemoEdges) << where << line;
          }
        }
        break;
      default:
        break;
    }
  }

  void Collect(const ui::Control& control) {
    all_.push_back(&control);
    if (Holds(control)) {
      for (const ui::Control* child : static_cast<const ui::Container&>(control).children()) {
        Collect(*child);
      }
    }
  }

  HDC dc_ = GetDC(nullptr);
  GdiResources gdi_;
  std::vector<const ui::Control*> all_;
};

TEST_P(TextFitTest, EveryTextFitsItsControlAndTheTabsKeepToOneRow) {
  TestMachine machine;
  machine.SeedG400();
  machine.files.Put("C:\\TOOLS\\DOS4GW.EXE", "");
  Program program(machine.services);
  TForm1& form = program.main_form();
  FormWindow main_window(form, nullptr, false, gdi_);
  program.Start();
  // The figures the tabs show once shown, and a decoded PIN file.
  for (int page = 0; page < form.PageControl1.page_count(); ++page) {
    ASSERT_TRUE(form.PageControl1.SetActiveIndex(page).ok());
  }
  // The chip tab's note with each thing a read of the card says.
  ChipTab& chip = form.chip_tab();
  machine.video_bios.image = korvane::testing::BiosImage(korvane::testing::SamplePin());
  ASSERT_TRUE(chip.ReadCardButtonClick().ok());
  Check(chip.CardReadNote(), form.TabSheet6, form.client_width() - 8);
  for (int id = static_cast<int>(TextId::kBiosUnreadable);
       id <= static_cast<int>(TextId::kBiosChecksum); ++id) {
    chip.CardReadNote().SetCaption(Format(static_cast<TextId>(id), {"65536", "65536"}));
    Check(chip.CardReadNote(), form.TabSheet6, form.client_width() - 8);
  }
  machine.processes.on_batch = [&machine](const RecordingProcesses::BatchRun&) {
    machine.files.Put("C:\\KORVANE\\mypins.txt", korvane::JoinLines(korvane::testing::SamplePin()));
    return BatchOutcome::kEnded;
  };
  machine.dialogs.AnswerFile("C:\\TOOLS\\PROGBIOS.EXE");
  machine.files.Put("C:\\TOOLS\\PROGBIOS.EXE", "MZ");
  ASSERT_TRUE(form.chip_tab().PINButtonClick().ok());
  ASSERT_TRUE(program.pin_form().Show().ok());
  // The card read's note and button stand beside the dump's controls.
  chip.CardReadNote().SetVisible(true);
  chip.ReadCardButton().SetVisible(true);

  // The clock test window at the widest clocks, after a test that found an
  // error.
  machine.video_memory.stuck_byte = 70001;
  TClockTestForm& test = program.clock_test_form();
  test.Open(SetClocks{400, "1/1", "1/1"}, {"400MHz", "400MHz", "400MHz"});
  ASSERT_TRUE(test.StartQuick(false));
  machine.scheduler.RunUntil([&test] { return !test.running(); });

  HWND tabs = nullptr;
  EnumChildWindows(main_window.hwnd(), FindTabs, reinterpret_cast<LPARAM>(&tabs));
  ASSERT_TRUE(tabs);
  EXPECT_EQ(SendMessageA(tabs, TCM_GETROWCOUNT, 0, 0), 1);

  for (const ui::Form* window : std::initializer_list<const ui::Form*>{
           &form, &program.game_form(), &program.about_box(), &program.pin_form(),
           &program.clock_test_form()}) {
    all_.clear();
    Collect(*window);
    for (const ui::Control* control : all_) {
      if (control == window) continue;
      // A page's controls end at the page's right edge, inside the frame of tabs.
      const ui::Control& page = PageOf(*control);
      const int width = page.kind() == ui::ControlKind::kTabSheet ? form.client_width() - 8
                                                                  : window->client_width();
      Check(*control, page, width);
    }
  }

  // The vendor string of every vendor the program knows stands clear of its
  // caption and of the next column's, by a gap the eye sees.
  constexpr int kVisibleGap = 6;
  SystemInfoTab& tab = form.system_info_tab();
  const LONG caption_end =
      LabelPlace(tab.Label80, Measure(tab.Label80, tab.Label80.caption()).cx, 0).right;
  for (const char* vendor : {"GenuineIntel", "AuthenticAMD", "CyrixInstead", "CentaurHauls",
                             "RiseRiseRise", "GenuineTMx86", "No Name"}) {
    tab.Label81.SetCaption(vendor);
    const RECT value = LabelPlace(tab.Label81, Measure(tab.Label81, vendor).cx + 1, 0);
    EXPECT_GE(value.left - caption_end, kVisibleGap) << vendor;
    EXPECT_GE(Place(tab.Label61, 0, 0).left - value.right, kVisibleGap) << vendor;
  }
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, TextFitTest,
                         ::testing::Values(Language::kJapanese, Language::kEnglish),
                         [](const auto& info) {
                           return info.param == Language::kJapanese ? "Japanese" : "English";
                         });

}  // namespace
}  // namespace korvane::win32
