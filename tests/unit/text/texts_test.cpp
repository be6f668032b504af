// The two tables of texts, the choice of language, and the English
// interface as a whole.
#include "text/texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/program.h"
#include "report/machine_report.h"
#include "sysinfo/cpu_catalogue.h"
#include "ui/combo_box.h"
#include "ui/memo.h"
#include "ui/page_control.h"
#include "ui/radio_group.h"
#include "ui/status_bar.h"
#include "unit/pin/pin_sample.h"
#include "unit/test_machine.h"

namespace korvane::testing {
namespace {

bool IsAscii(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

// What a translation must keep of a text: the fields filled in (%s, %d, in
// order), the keyboard accelerator, a file filter's pattern after '|', and
// the number of lines.
struct Shape {
  std::string fields;
  int accelerators = 0;
  std::string pattern;
  int lines = 1;
  friend bool operator==(const Shape&, const Shape&) = default;
};

Shape ShapeOf(std::string_view text) {
  Shape shape;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 1 < text.size()) shape.fields += text[i + 1];
    if (text[i] == '&') ++shape.accelerators;
    if (text[i] == '\n') ++shape.lines;
  }
  if (const auto bar = text.find('|'); bar != std::string_view::npos) {
    shape.pattern = text.substr(bar + 1);
  }
  return shape;
}

TEST(TextsTest, BothTablesHaveEveryTextAndTheEnglishKeepsTheirShape) {
  const TextTable japanese = TextsOf(Language::kJapanese);
  const TextTable english = TextsOf(Language::kEnglish);
  for (std::size_t i = 0; i < kTextCount; ++i) {
    SCOPED_TRACE("text " + std::to_string(i) + ": " + english[i]);
    EXPECT_FALSE(std::string_view(japanese[i]).empty());
    EXPECT_FALSE(std::string_view(english[i]).empty());
    EXPECT_TRUE(IsAscii(english[i]));
    EXPECT_TRUE(ShapeOf(english[i]) == ShapeOf(japanese[i]));
  }
}

TEST(TextsTest, TheCodePageChoosesTheLanguageAndTheCommandLineOverridesIt) {
  struct Case {
    unsigned code_page;
    const char* command_line;
    Language expected;
  };
  const Case cases[] = {
      {932, "korvane.exe", Language::kJapanese},
      {1252, "korvane.exe", Language::kEnglish},
      {1250, "", Language::kEnglish},
      {932, "korvane.exe /lang:en", Language::kEnglish},
      {1252, "\"C:\\Program Files\\Korvane\\korvane.exe\" /LANG:JA", Language::kJapanese},
      {932, "korvane.exe /lang:en /lang:ja", Language::kJapanese},
      {1252, "korvane.exe /lang:de /lang:japanese lang:ja", Language::kEnglish},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ChooseLanguage(c.code_page, c.command_line), c.expected)
        << c.code_page << " " << c.command_line;
  }
}

// Runs a test in English, and leaves Japanese behind for the others.
class InEnglish : public ::testing::Test {
 protected:
  InEnglish() { SetLanguage(Language::kEnglish); }
  ~InEnglish() override { SetLanguage(Language::kJapanese); }
};

using EnglishCatalogueTest = InEnglish;

TEST_F(EnglishCatalogueTest, EveryProcessorNameAndDetailIsSpeltInAscii) {
  for (const std::string_view text : CatalogueTexts()) {
    EXPECT_TRUE(IsAscii(CatalogueText(text))) << CatalogueText(text);
  }
  EXPECT_EQ(CatalogueText("PentiumIII Processor (Coppermine cA2コア)"),
            "PentiumIII Processor (Coppermine cA2 core)");
  EXPECT_EQ(CatalogueText("ＭII PR300GP [2.8v 66x3.5 0.25μ]"),
            "MII PR300GP [2.8v 66x3.5 0.25 micron]");
  EXPECT_EQ(CatalogueText("500～1.13GHz"), "500-1.13GHz");
  SetLanguage(Language::kJapanese);
  EXPECT_EQ(CatalogueText("(P5) [0.5μ]"), "(P5) [0.5μ]");
}

class EnglishInterfaceTest : public InEnglish {
 protected:
  // Every text a control shows: caption, hint, items, lines and panels.
  void Collect(const ui::Control& control) {
    const std::string where = control.form().name() + "." + control.name();
    texts.push_back({where, control.caption()});
    texts.push_back({where, control.hint()});
    switch (control.kind()) {
      case ui::ControlKind::kRadioGroup:
        for (const auto& item : static_cast<const ui::RadioGroup&>(control).items())
          texts.push_back({where, item});
        break;
      case ui::ControlKind::kComboBox:
        for (const auto& item : static_cast<const ui::ComboBox&>(control).items())
          texts.push_back({where, item});
        break;
      case ui::ControlKind::kMemo:
        for (const auto& line : static_cast<const ui::Memo&>(control).lines())
          texts.push_back({where, line});
        break;
      case ui::ControlKind::kStatusBar:
        for (const auto& panel : static_cast<const ui::StatusBar&>(control).panels())
          texts.push_back({where, panel.text});
        break;
      default:
        break;
    }
    if (ui::IsContainer(control.kind())) {
      for (const ui::Control* child : static_cast<const ui::Container&>(control).children()) {
        Collect(*child);
      }
    }
  }

  struct Shown {
    std::string where;
    std::string text;
  };
  std::vector<Shown> texts;
};

TEST_F(EnglishInterfaceTest, EveryWindowMessageDialogAndTheReportSpeakEnglish) {
  TestMachine machine;
  machine.SeedG400();
  machine.files.Put("C:\\TOOLS\\DOS4GW.EXE", "");
  Program program(machine.services);
  program.Start();
  TForm1& form = program.main_form();
  for (int page = 0; page < form.PageControl1.page_count(); ++page) {
    ASSERT_TRUE(form.PageControl1.SetActiveIndex(page).ok());
  }
  // The chip tab decodes a PIN file the BIOS tool dumps, and the editor
  // opens on it.
  machine.processes.on_batch = [&machine](const RecordingProcesses::BatchRun&) {
    machine.files.Put("C:\\KORVANE\\mypins.txt", JoinLines(SamplePin()));
    return BatchOutcome::kEnded;
  };
  machine.dialogs.AnswerFile("C:\\TOOLS\\PROGBIOS.EXE");
  machine.files.Put("C:\\TOOLS\\PROGBIOS.EXE", "MZ");
  ASSERT_TRUE(form.chip_tab().PINButtonClick().ok());
  ASSERT_TRUE(form.chip_tab().PButtonClick().ok());
  ASSERT_TRUE(program.game_form().Show().ok());

  for (const ui::Form* window : std::initializer_list<const ui::Form*>{
           &form, &program.game_form(), &program.about_box(), &program.pin_form()}) {
    Collect(*window);
  }
  // Messages, questions and errors.
  for (ui::Button* preset : {&form.Button12, &form.Button10, &form.Button11, &form.Button9}) {
    ASSERT_TRUE(preset->on_click().ok());
  }
  ASSERT_TRUE(form.uninstall.on_click().ok());
  OverclockTab& clocks = form.overclock_tab();
  ASSERT_TRUE(clocks.Button3.on_click().ok());
  ASSERT_TRUE(clocks.Button4.on_click().ok());
  ASSERT_TRUE(clocks.Button2.on_click().ok());
  ASSERT_TRUE(clocks.RadioGroup1.SetItemIndex(1).ok());
  ASSERT_TRUE(clocks.Button3.on_click().ok());  // refused in an error box
  ASSERT_TRUE(program.about_box().ProgramIcon.on_click().ok());
  ASSERT_TRUE(form.RestoreButton.on_click().ok());
  ASSERT_TRUE(form.ReportButton.on_click().ok());
  ASSERT_TRUE(program.pin_form().Button2.on_click().ok());
  for (const auto& box : machine.dialogs.shown()) {
    texts.push_back({"message box", box.caption});
    texts.push_back({"message box", box.text});
  }
  for (const auto& dialog : machine.dialogs.file_dialogs()) {
    texts.push_back({"file dialog", dialog.title});
    texts.push_back({"file dialog", dialog.filter});
  }
  texts.push_back({"report", BuildReport(form.DescribeMachine())});

  for (const Shown& shown : texts)
    EXPECT_TRUE(IsAscii(shown.text)) << shown.where << ": " << shown.text;
  EXPECT_EQ(form.TabSheet1.caption(), "General");
  EXPECT_EQ(program.pin_form().caption(), "Edit PIN File");
  const std::vector<std::string> boxes = machine.Boxes();
  EXPECT_NE(std::find(boxes.begin(), boxes.end(),
                      "Information|The Benchmark Mode settings have been applied."),
            boxes.end());
  EXPECT_NE(std::find(boxes.begin(), boxes.end(),
                      "Matrox Korvane|G200clk.exe can set a system clock from 125MHz to 200MHz "
                      "only."),
            boxes.end());
  EXPECT_EQ(form.system_info_tab().Label59.caption(), "MMX instructions:");
  EXPECT_EQ(program.main_form().font_face(), "MS Sans Serif");
}

}  // namespace
}  // namespace korvane::testing
