#include "pin/pin_form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "app/program.h"
#include "unit/pin/pin_sample.h"
#include "unit/test_machine.h"

namespace korvane::testing {
namespace {

constexpr char kOutput[] = "C:\\KORVANE\\mypins.txt";
constexpr char kSaved[] = "C:\\PINS\\custom.txt";

class PinFormTest : public ::testing::Test {
 protected:
  void SetUp() override { machine.SeedG400(); }
  // Starts with `pin` as the last dump, decodes it on the chip tab and opens
  // the editor.
  void Open(const PinText& pin) {
    machine.files.Put(kOutput, JoinLines(pin));
    program = std::make_unique<Program>(machine.services);
    program->Start();
    ASSERT_TRUE(program->main_form().PageControl1.SetActiveIndex(2).ok());
    program->main_form().chip_tab().PButton().Click();
    ASSERT_TRUE(editor().visible());
  }
  TPINForm& editor() { return program->pin_form(); }
  std::vector<int> Positions() {
    std::vector<int> positions;
    for (int n = 1; n <= 9; ++n) positions.push_back(editor().UpDown(n).position());
    return positions;
  }
  // The editor's text saved as a file.
  std::string Save() {
    machine.dialogs.AnswerFile(std::string(kSaved));
    editor().Button2.Click();
    return machine.files.Get(kSaved).value_or("<not saved>");
  }

  TestMachine machine;
  std::unique_ptr<Program> program;
};

TEST_F(PinFormTest, OpensOnThePinTextWithTheModelSerialAndFiguresOfTheDecode) {
  Open(SampleMaxPin());
  EXPECT_EQ(editor().memo1.lines(), SampleMaxPin());
  EXPECT_EQ(
      editor().ComboBox1.items(),
      (std::vector<std::string>{"Matrox Millennium G400 MAX", "Matrox Millennium G400 DualHead"}));
  EXPECT_EQ(editor().ComboBox1.item_index(), 0);
  EXPECT_EQ(editor().Edit1.text(), "KZ604123");
  EXPECT_EQ(Positions(), (std::vector<int>{360, 360, 360, 360, 360, 360, 82, 150, 150}));
  EXPECT_EQ(editor().UpDown(1).associate().text(), "360");
  for (int n = 1; n <= 9; ++n) {
    const ui::UpDown& spinner = editor().UpDown(n);
    EXPECT_EQ((std::vector<int>{spinner.min(), spinner.max(), spinner.increment}),
              n <= 6 ? (std::vector<int>{200, 1020, 4}) : (std::vector<int>{50, 200, 1}))
        << n;
  }
  // Opening rewrote nothing: the text saves as it was dumped.
  EXPECT_EQ(Save(), JoinLines(SampleMaxPin()));

  const FileDialogOptions& dialog = machine.dialogs.file_dialogs().back();
  EXPECT_EQ(dialog.title, "変更したPINファイルを保存する。");
  EXPECT_EQ(dialog.filter, "PＩNファイル(*.txt)|*.txt");
  EXPECT_EQ(dialog.default_extension, ".txt");
  EXPECT_EQ(dialog.file_name, "custom.txt");
}

TEST_F(PinFormTest, TheSerialBoxTakesTheWholeSerialSoItsLineIsWrittenBackUnchanged) {
  for (const char* serial : {"AB12", "ABCDEFGH1234", ""}) {
    PinText pin = SamplePin();
    pin[15] = std::string("12 16 '") + serial + "'";
    Open(pin);
    EXPECT_EQ(editor().Edit1.text(), serial);
    EXPECT_EQ(editor().memo1.lines()[15], pin[15]);
    EXPECT_EQ(editor().ComboBox1.item_index(), 1);
  }
  editor().Edit1.Type("NEW0001");
  EXPECT_EQ(editor().memo1.lines()[15], "12\t16\t'NEW0001'");
  editor().Edit1.Type("");
  EXPECT_EQ(editor().memo1.lines()[15], "12\t16\t''");
  EXPECT_EQ(editor().Edit1.max_length, 16);
}

TEST_F(PinFormTest, ArrowClicksRewriteTheirLineAndSettingFromCodeDoesNot) {
  Open(SampleMaxPin());
  editor().UpDown(1).Step(1);
  EXPECT_EQ(editor().UpDown(1).position(), 364);
  EXPECT_EQ(editor().memo1.lines()[19], "38\t1\t91");

  // A number typed into the box is where the next click starts.
  editor().UpDown(8).associate().Type("170");
  EXPECT_EQ(editor().memo1.lines()[37], "65 1 150");
  editor().UpDown(8).Step(-1);
  EXPECT_EQ(editor().memo1.lines()[37], "65\t1\t169");

  // At its top a RAMDAC spinner holds 1020 MHz, the most one byte stores;
  // a number beyond the range is not taken from the box.
  editor().UpDown(6).associate().Type("5000");
  editor().UpDown(6).Step(1);
  EXPECT_EQ(editor().memo1.lines()[24], "43\t1\t91");
  editor().UpDown(6).associate().Type("1020");
  editor().UpDown(6).Step(1);
  EXPECT_EQ(editor().UpDown(6).position(), 1020);
  EXPECT_EQ(editor().memo1.lines()[24], "43\t1\t255");
  editor().UpDown(7).Step(-1);
  EXPECT_EQ(editor().memo1.lines()[33], "55\t1\t81");

  const std::vector<std::string> before = editor().memo1.lines();
  ASSERT_TRUE(editor().UpDown(2).SetPosition(500).ok());
  ASSERT_TRUE(editor().UpDown(9).SetPosition(60).ok());
  EXPECT_EQ(editor().memo1.lines(), before);

  editor().ComboBox1.Select(1);
  EXPECT_EQ(editor().memo1.lines()[14], "10\t2\t0x0300");
  editor().ComboBox1.Select(0);
  EXPECT_EQ(editor().memo1.lines()[14], "10\t2\t0x0700");
}

TEST_F(PinFormTest, OpeningItAgainOnlyBringsItToTheFrontUntilItIsClosed) {
  Open(SamplePin());
  editor().UpDown(9).Step(1);
  const std::vector<std::string> edited = editor().memo1.lines();
  ASSERT_NE(edited, SamplePin());
  program->main_form().chip_tab().PButton().Click();
  EXPECT_EQ(editor().memo1.lines(), edited);
  editor().Button1.Click();
  EXPECT_FALSE(editor().visible());
  program->main_form().chip_tab().PButton().Click();
  EXPECT_EQ(editor().memo1.lines(), SamplePin()) << "unsaved changes are dropped on closing";
  EXPECT_EQ(editor().UpDown(9).position(), 126);
}

TEST_F(PinFormTest, OneClickRewritesReplaceTheirLinesAndSetTheControls) {
  Open(SamplePin());
  editor().Button3.Click();
  EXPECT_EQ(editor().ComboBox1.item_index(), 0);
  EXPECT_EQ(Positions(), (std::vector<int>{360, 360, 360, 360, 360, 360, 82, 150, 150}));
  EXPECT_EQ(editor().memo1.lines()[36], "61\t4\t0x20049911");
  EXPECT_EQ(editor().memo1.lines()[42], "76\t1\t75");
  editor().Button4.Click();
  EXPECT_EQ(editor().ComboBox1.item_index(), 1);
  EXPECT_EQ(Positions(), (std::vector<int>{300, 300, 300, 300, 300, 300, 82, 126, 126}));
  // The sample holds the SingleHead / DualHead values already; the lines
  // rewritten hold them with the editor's TABs.
  std::vector<std::string> spaced = editor().memo1.lines();
  for (std::string& line : spaced) std::replace(line.begin(), line.end(), '\t', ' ');
  EXPECT_EQ(spaced, SamplePin());
}

TEST_F(PinFormTest, AnEditorNeverFilledClampsItsSpinnersAndRewritesNothingPastTheText) {
  program = std::make_unique<Program>(machine.services);
  ASSERT_TRUE(editor().Show().ok());
  EXPECT_TRUE(editor().memo1.lines().empty());
  EXPECT_EQ(Positions(), (std::vector<int>{200, 200, 200, 200, 200, 200, 50, 50, 50}));
  editor().UpDown(1).Step(1);
  editor().Button3.Click();
  editor().Edit1.Type("X");
  EXPECT_TRUE(editor().memo1.lines().empty());
}

TEST_F(PinFormTest, SavingWritesCrLfAfterEveryLineAndTheEditedText) {
  PinText pin = SamplePin();
  std::string lf;
  for (const std::string& line : pin) lf += line + "\n";
  machine.files.Put(kOutput, lf);
  program = std::make_unique<Program>(machine.services);
  program->Start();
  ASSERT_TRUE(program->main_form().PageControl1.SetActiveIndex(2).ok());
  program->main_form().chip_tab().PButton().Click();
  // Text that is no PIN file is refused before the save dialog.
  editor().memo1.Type({"first", "", "third"});
  editor().Button2.Click();
  EXPECT_TRUE(machine.dialogs.file_dialogs().empty());
  EXPECT_EQ(machine.Boxes(), std::vector<std::string>{"Matrox Korvane|'' は整数ではありません."});
  // The card's own dump is saved with CR LF, asking nothing.
  machine.dialogs.Clear();
  editor().memo1.Type(pin);
  EXPECT_EQ(Save(), JoinLines(pin));
  EXPECT_TRUE(machine.Boxes().empty());

  // Cancel writes nothing.
  machine.files.Remove(kSaved);
  editor().Button2.Click();
  EXPECT_FALSE(machine.files.Exists(kSaved));
}

// At saving, a number typed into a box counts as an arrow's; other text in
// a box, or a serial longer than its 16 bytes, stops the save.
TEST_F(PinFormTest, SavingTakesTypedNumbersAndRefusesWhatDoesNotFit) {
  PinText typed = SampleMaxPin();
  typed[41] = "75\t1\t200";
  for (const auto& [box, text, told] :
       std::initializer_list<std::tuple<int, const char*, const char*>>{
           {9, "200", "3D画面：150MHz → 200MHz"},  // asked, as any change
           {9, "201", "Korvane|動作クロック 3D画面 には 50 から 200 までの整数を入れてください."},
           {2, "3OO", "Korvane|RAMDAC VGA には 200 から 1020 までの整数を入れてください."},
           {0, "日本語のシリアル番号です１２３４",  // 3 bytes a character in the fake's UTF-8
            "Korvane|シリアルナンバーは 48 バイトあります。カードに入るのは16バイトまでです."}}) {
    Open(SampleMaxPin());
    (box ? editor().UpDown(box).associate() : editor().Edit1).Type(text);
    machine.files.Remove(kSaved);
    EXPECT_EQ(Save(), told[0] == '3' ? JoinLines(typed) : "<not saved>") << text;
    EXPECT_NE(machine.Boxes().back().find(told), std::string::npos) << machine.Boxes().back();
  }
}

TEST_F(PinFormTest, ASaveThatFailsLeavesTheTargetAsItWasAndKeepsTheText) {
  Open(SamplePin());
  machine.files.Put(kSaved, "old");
  machine.files.MakeReadOnly(kSaved);
  editor().UpDown(1).Step(1);
  const std::vector<std::string> edited = editor().memo1.lines();
  Save();
  EXPECT_EQ(machine.files.Get(kSaved), "old");
  // Each save of the changed text asks first, then fails or not.
  ASSERT_EQ(machine.Boxes().size(), 2u);
  EXPECT_EQ(machine.Boxes()[1],
            "Matrox Korvane|ファイル C:\\PINS\\custom.txt を置き換えられません。"
            "新しい内容は C:\\PINS\\~kvn0.tmp に残してあります.");
  EXPECT_EQ(editor().memo1.lines(), edited);
  EXPECT_EQ(machine.files.Get("C:\\PINS\\~kvn0.tmp"), JoinLines(edited));

  // A folder where nothing can be written gets no file.
  machine.files.MakeReadOnly("C:\\CDROM\\~kvn0.tmp");
  machine.dialogs.AnswerFile(std::string("C:\\CDROM\\new.txt"));
  editor().Button2.Click();
  EXPECT_FALSE(machine.files.Exists("C:\\CDROM\\new.txt"));
  EXPECT_EQ(machine.dialogs.shown().size(), 4u);

  // Replacing a writable file goes through a temporary file no one else has.
  machine.files.Put("C:\\PINS\\~kvn0.tmp", "someone else's");
  machine.files.Put("C:\\PINS\\other.txt", "old");
  machine.dialogs.AnswerFile(std::string("C:\\PINS\\other.txt"));
  editor().Button2.Click();
  EXPECT_EQ(machine.files.Get("C:\\PINS\\other.txt"), JoinLines(edited));
  EXPECT_EQ(machine.files.Get("C:\\PINS\\~kvn0.tmp"), "someone else's");
  EXPECT_FALSE(machine.files.Exists("C:\\PINS\\~kvn1.tmp"));
  EXPECT_EQ(machine.dialogs.shown().size(), 5u);
}

}  // namespace
}  // namespace korvane::testing
