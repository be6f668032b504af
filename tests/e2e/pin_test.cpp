// The chip tab and the PIN file editor, driven through the
// real open and save dialogs, with the stand-in BIOS tool in a folder whose
// long name holds spaces.
#include <algorithm>
#include <string>
#include <vector>

#include "korvane_test.h"
#include "unit/pin/pin_sample.h"

namespace e2e {
namespace {

constexpr char kToolFolder[] = "C:\\Matrox Tools\\BIOS Utility";
constexpr char kSaveFolder[] = "C:\\Matrox Tools\\Saved PINs";
constexpr char kWritten[] = "あなたのG400からPINファイルを「mypins.txt」に書き出しました。";
constexpr char kDone[] = "先ほど書き出したPINファイルの判定が終了しました。";

std::string ReadAll(const std::string& path) { return ReadBytes(path).value_or("<missing>"); }

// The arguments of each run of the BIOS tool; the command interpreter leaves
// the blank before the redirection on the tool's command line.
std::vector<std::string> BiosToolRuns() {
  std::vector<std::string> runs = ToolRuns(kToolFolder, "progbios");
  for (std::string& run : runs) run.erase(run.find_last_not_of(' ') + 1);
  return runs;
}

std::string Join(const std::vector<std::string>& lines, const char* end = "\r\n") {
  std::string text;
  for (const std::string& line : lines) text += line + end;
  return text;
}

class PinE2E : public KorvaneTest {
 protected:
  void SetUp() override {
    KorvaneTest::SetUp();
    SeedG400();
    CreateDirectoryW(L"C:\\Matrox Tools", nullptr);
    CreateDirectoryW(Wide(kSaveFolder).c_str(), nullptr);
    tool_ = std::string(kToolFolder) + "\\PROGBIOS.EXE";
    ASSERT_TRUE(InstallBiosTool(kToolFolder)) << "the stand-in BIOS tool is not built";
  }
  static std::string Tool(const char* name) { return std::string(kToolFolder) + "\\" + name; }
  static std::string Program(const char* name) { return std::string(kProgramFolder) + "\\" + name; }
  std::string Chip(const std::string& name) const { return korvane->Text(Main(name)); }

  // Clicks "PROGBIOS.EXEを指定する" and picks the tool in the open dialog.
  void Extract() {
    korvane->SelectTab(main, kChipTab);
    korvane->Click(Main("PINButton"));
    const auto dialog = korvane->WaitForFileDialog();
    ASSERT_TRUE(dialog) << "no open dialog";
    EXPECT_EQ(dialog->title, "PROGBIOS.EXEを指定してください。");
    EXPECT_EQ(dialog->file_name, "Progbios.exe");
    EXPECT_EQ(dialog->file_type, "BIOSツール（PROGBIOS.EXE)");
    korvane->ChooseFile(*dialog, tool_);
  }
  // Starts on a machine whose last dump is `pin` and opens the editor on it.
  HWND StartWithEditorOn(const std::vector<std::string>& pin) {
    WriteBytes(Program("mypins.txt"), Join(pin));
    Start();
    korvane->SelectTab(main, kChipTab);
    return OpenEditor();
  }
  // Opens the editor with "PINファイルを表示する".
  HWND OpenEditor() {
    korvane->Click(Main("PButton"));
    const HWND editor = korvane->WaitForForm("PINForm");
    EXPECT_TRUE(editor) << "the editor did not open";
    return editor;
  }
  std::vector<std::string> EditorLines(HWND editor) {
    std::vector<std::string> lines;
    const std::string text = korvane->Text(korvane->Control(editor, "memo1"));
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
      lines.push_back(text.substr(start, end - start));
    }
    lines.push_back(text.substr(start));
    return lines;
  }
  // Saves the editor's text through the save dialog; a text that differs
  // from the card's dump is saved after the box that says how.
  void Save(HWND editor, const std::string& path, bool differs = false) {
    korvane->Click(korvane->Control(editor, "Button2"));
    if (differs) {
      const auto box = korvane->WaitForMessageBox();
      ASSERT_TRUE(box) << "no differences shown";
      EXPECT_EQ(box->caption, "どうする？");
      korvane->Answer(*box, IDOK);
    }
    const auto dialog = korvane->WaitForFileDialog();
    ASSERT_TRUE(dialog) << "no save dialog";
    EXPECT_EQ(dialog->title, "変更したPINファイルを保存する。");
    EXPECT_EQ(dialog->file_name, "custom.txt");
    EXPECT_EQ(dialog->file_type, "PＩNファイル(*.txt)");
    korvane->ChooseFile(*dialog, path);
  }

  std::string tool_;
};

TEST_F(PinE2E, ExtractionRunsTheToolAndFillsTheTabThenTheEditorSavesItUnchanged) {
  // The clock tool's report gives the chip revision bits in line 7.
  SetStatusReport(kProgramFolder, "G4SET\r\n\r\n\r\n\r\n\r\n\r\nRev0101\r\n");
  Start();
  Extract();
  const auto written = korvane->WaitForMessageBox(30000);
  ASSERT_TRUE(written) << "the extraction did not finish";
  EXPECT_EQ(written->caption, "情報");
  EXPECT_EQ(written->text, kWritten);
  EXPECT_TRUE(written->has_icon);
  korvane->Answer(*written, IDOK);
  ExpectBox("情報", kDone);

  EXPECT_EQ(ReadAll(Program("pins.bat")),
            ShortPath(tool_) + " -d > " + ShortPath(kProgramFolder) + "\\mypins.txt\r\n");
  EXPECT_EQ(BiosToolRuns(), std::vector<std::string>{"-d"});
  EXPECT_EQ(Chip("ModelName"), "Matrox Millennium G400 DualHead");
  EXPECT_EQ(Chip("ChipRevision"), "MGA-G400A-E");
  EXPECT_EQ(Chip("ModelNumber"), "105");
  EXPECT_EQ(Chip("SerialNumber"), "KZ604123");
  EXPECT_EQ(Chip("BiosVersion"), "V1.3");
  for (int i = 0; i < 6; ++i) EXPECT_EQ(Chip("RamdacMHz[" + std::to_string(i) + "]"), "300MHz");
  EXPECT_EQ(Chip("SecondaryRamdacMHz[0]"), "136MHz");
  EXPECT_EQ(Chip("SecondaryRamdacMHz[1]"), "136MHz");
  EXPECT_TRUE(korvane->Enabled(Main("Label177")));
  EXPECT_EQ(Chip("CoreClockMHz[0]") + Chip("CoreClockMHz[1]") + Chip("CoreClockMHz[2]"),
            "82MHz126MHz126MHz");
  EXPECT_EQ(Chip("MemoryClockMHz[0]") + Chip("MemoryClockMHz[1]") + Chip("MemoryClockMHz[2]"),
            "108MHz168MHz168MHz");
  ASSERT_TRUE(korvane->Enabled(Main("PButton")));

  const HWND editor = OpenEditor();
  ASSERT_TRUE(editor);
  EXPECT_EQ(korvane->Text(editor), "PINファイルをカスタマイズ");
  EXPECT_EQ(korvane->Text(korvane->Control(editor, "ComboBox1")),
            "Matrox Millennium G400 DualHead");
  EXPECT_EQ(korvane->Text(korvane->Control(editor, "Edit1")), "KZ604123");
  EXPECT_EQ(korvane->Text(korvane->Control(editor, "Edit2")), "300");
  EXPECT_EQ(korvane->Text(korvane->Control(editor, "Edit8")), "82");
  // The main window stays usable while the editor is open.
  korvane->SelectTab(main, kGeneralTab);
  EXPECT_TRUE(korvane->Visible(Main("Label5")));

  const std::string saved = std::string(kSaveFolder) + "\\custom.txt";
  RemoveFile(saved);
  Save(editor, saved);
  EXPECT_FALSE(korvane->MessageBoxOpen());
  EXPECT_EQ(ReadAll(saved), ReadAll(Program("mypins.txt")));
  EXPECT_EQ(ReadAll(saved).substr(0, 38), ";MGA Bios Programming Utility v1.94d\r\n");
}

TEST_F(PinE2E, WithoutTheDosExtenderNothingRunsAndACancelledDialogDoesNothing) {
  RemoveFile(Tool("DOS4GW.EXE"));
  Start();
  Extract();
  const auto box = korvane->WaitForMessageBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->caption, "エラー");
  EXPECT_EQ(box->text,
            "PROGBIOS.EXEを実行するにはDOS4GW.EXEが必要です。同じフォルダにコピーして再度実行"
            "してください。");
  EXPECT_TRUE(box->has_icon);
  korvane->Answer(*box, IDOK);
  EXPECT_TRUE(BiosToolRuns().empty()) << "the tool ran";
  EXPECT_EQ(ReadAll(Program("pins.bat")), "<missing>");

  korvane->Click(Main("PINButton"));
  const auto dialog = korvane->WaitForFileDialog();
  ASSERT_TRUE(dialog);
  korvane->ChooseFile(*dialog, "");
  EXPECT_FALSE(korvane->MessageBoxOpen());
  EXPECT_EQ(ReadAll(Program("pins.bat")), "<missing>");
  EXPECT_FALSE(korvane->Enabled(Main("PButton")));
  EXPECT_EQ(Chip("SerialNumber"), "XXX00000");
}

// The run removes mypins.txt before the tool writes: a tool that prints
// nothing, an error or a dump cut short must not cost the last one.
TEST_F(PinE2E, AToolThatPrintsNoDumpLeavesTheLastOneAndIsNotAnnouncedAsDone) {
  const std::string dump = Join(korvane::testing::SampleMaxPin());
  WriteBytes(Program("mypins.txt"), dump);
  Start();
  korvane->SelectTab(main, kChipTab);
  EXPECT_EQ(Chip("ModelName"), "Matrox Millennium G400 MAX");
  EXPECT_FALSE(korvane->MessageBoxOpen()) << "showing the tab is silent";
  const std::vector<std::string> pin = korvane::testing::SamplePin();
  const struct {
    std::string printed;
    std::string error;
  } cases[] = {
      {"", "ファイル " + Program("mypins.txt") + " にPINファイルが書き出されていません."},
      {"\r\nPROGBIOS: no Matrox G400 found\r\nAbort.\r\n",
       "PROGBIOS.EXE が書き出したものはPINファイルではありません："
       "「PROGBIOS: no Matrox G400 found」."},
      {Join(std::vector<std::string>(pin.begin(), pin.begin() + 20)),
       "PROGBIOS.EXE が書き出したPINファイルは完全ではありません（21行目に読める値がありません）."},
  };
  for (const auto& c : cases) {
    WriteBytes(Tool("progbios-pin.txt"), c.printed);
    Extract();
    const auto box = korvane->WaitForMessageBox(30000);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, "Matrox Korvane");
    EXPECT_EQ(box->text, c.error);
    korvane->Answer(*box, IDOK);
    EXPECT_FALSE(korvane->MessageBoxOpen());
    EXPECT_EQ(ReadAll(Program("mypins.txt")), dump) << "the last dump was lost";
    EXPECT_EQ(Chip("ModelName"), "Matrox Millennium G400 MAX");
    EXPECT_EQ(Chip("RamdacMHz[0]"), "360MHz");
  }
  EXPECT_EQ(BiosToolRuns(), (std::vector<std::string>{"-d", "-d", "-d"}));
  // The editor still opens on the last good text.
  const HWND editor = OpenEditor();
  ASSERT_TRUE(editor);
  EXPECT_EQ(EditorLines(editor)[14], "10 2 0x0700");
}

// A dump another program holds open (a virus scanner) is not "no dump".
TEST_F(PinE2E, ADumpThatCannotBeReadStopsTheExtractionBeforeItStarts) {
  const std::string dump = Join(korvane::testing::SamplePin());
  WriteBytes(Program("mypins.txt"), dump);
  Start();
  korvane->SelectTab(main, kChipTab);
  const HANDLE held = CreateFileW(Wide(Program("mypins.txt")).c_str(), GENERIC_READ, 0, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  Extract();
  ExpectBox("Matrox Korvane", "前回のPINファイル " + Program("mypins.txt") +
                                  " を読み取れないため、抽出を始めませんでした。"
                                  "ウイルス対策ソフトなどが使用中でないか確かめてください.");
  CloseHandle(held);
  EXPECT_TRUE(BiosToolRuns().empty()) << "the tool ran";
  EXPECT_EQ(ReadAll(Program("mypins.txt")), dump);
}

// What would harm the card asks first: a MAX's clocks on a DualHead, and a
// save that changes the card's PIN file.
TEST_F(PinE2E, RiskyEditsAskFirstAndCancelChangesNothing) {
  const std::vector<std::string> pin = korvane::testing::SamplePin();
  const HWND editor = StartWithEditorOn(pin);
  ASSERT_TRUE(editor);
  const auto control = [&](const char* name) { return korvane->Control(editor, name); };

  korvane->ClickLater(control("Button3"));
  auto box = korvane->WaitForMessageBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->caption, "どうする？");
  EXPECT_EQ(box->text.substr(0, box->text.find_first_of("\r\n")),
            "このカードはG400 MAXではありません。");
  korvane->Answer(*box, IDCANCEL);
  EXPECT_EQ(EditorLines(editor), pin);

  korvane->Click(control("UpDown9"));  // the 3D core clock, up to 127
  const std::string saved = std::string(kSaveFolder) + "\\changed.txt";
  RemoveFile(saved);
  korvane->ClickLater(control("Button2"));
  box = korvane->WaitForMessageBox();
  ASSERT_TRUE(box);
  EXPECT_NE(box->text.find("コアクロック 3D画面：126MHz → 127MHz"), std::string::npos) << box->text;
  EXPECT_EQ(box->text.find("メモリークロック"), std::string::npos) << "127 MHz keeps 168 MHz";
  korvane->Answer(*box, IDCANCEL);
  EXPECT_FALSE(korvane->MessageBoxOpen());
  EXPECT_EQ(ReadAll(saved), "<missing>");
  EXPECT_EQ(EditorLines(editor)[41], "75\t1\t127");
}

TEST_F(PinE2E, ASingleHeadBoardShowsNoSecondaryOutputAndABadRevisionFieldBlocksNothing) {
  AddDisplayEntry("0000", "G400.drv", "Matrox Millennium G400 - English");
  SetStatusReport(kProgramFolder, "G4SET\r\n\r\n\r\n\r\n\r\n\r\nRev0x1\r\n");
  // Written with bare LF line ends: read all the same.
  WriteBytes(Program("mypins.txt"), Join(korvane::testing::SamplePin(), "\n"));
  Start();
  korvane->SelectTab(main, kChipTab);
  EXPECT_EQ(Chip("ModelName"), "Matrox Millennium G400 SingleHead");
  EXPECT_FALSE(korvane->Enabled(Main("Label177")));
  EXPECT_FALSE(korvane->Enabled(Main("SecondaryRamdacMHz[0]")));
  EXPECT_EQ(Chip("SecondaryRamdacMHz[0]"), "");
  EXPECT_EQ(Chip("SecondaryRamdacMHz[1]"), "");
  EXPECT_EQ(Chip("RamdacMHz[5]"), "300MHz");
  EXPECT_EQ(Chip("ChipRevision"), "MGA-G400A-?");
  EXPECT_TRUE(korvane->Enabled(Main("PButton")));
  EXPECT_FALSE(korvane->MessageBoxOpen());
}

TEST_F(PinE2E, TheEditorRewritesLinesOnAMaxCardAndASaveThatFailsLeavesTheFile) {
  const std::vector<std::string> pin = korvane::testing::SampleMaxPin();
  const HWND editor = StartWithEditorOn(pin);
  ASSERT_TRUE(editor);
  const auto control = [&](const char* name) { return korvane->Control(editor, name); };
  EXPECT_EQ(korvane->Text(control("ComboBox1")), "Matrox Millennium G400 MAX");
  EXPECT_EQ(EditorLines(editor), pin);

  korvane->Click(control("UpDown1"));  // its up arrow
  EXPECT_EQ(korvane->Text(control("Edit2")), "364");
  EXPECT_EQ(EditorLines(editor)[19], "38\t1\t91");

  korvane->Click(control("Button3"));
  korvane->Click(control("Button4"));
  // The sample card's other lines hold the SingleHead / DualHead values; the
  // lines rewritten hold them with TABs.
  std::vector<std::string> spaced = EditorLines(editor);
  for (std::string& line : spaced) std::replace(line.begin(), line.end(), '\t', ' ');
  EXPECT_EQ(spaced, korvane::testing::SamplePin());
  EXPECT_EQ(korvane->Text(control("ComboBox1")), "Matrox Millennium G400 DualHead");
  EXPECT_EQ(korvane->Text(control("Edit2")), "300");
  EXPECT_EQ(korvane->Text(control("Edit10")), "126");

  korvane->Type(control("Edit1"), "");
  EXPECT_EQ(EditorLines(editor)[15], "12\t16\t''");

  const std::string locked = std::string(kSaveFolder) + "\\locked.txt";
  const std::string kept = std::string(kSaveFolder) + "\\~kvn0.tmp";
  RemoveFile(locked);
  RemoveFile(kept);
  WriteBytes(locked, "the old PIN\r\n");
  SetFileAttributesW(Wide(locked).c_str(), FILE_ATTRIBUTE_READONLY);
  const std::vector<std::string> before = EditorLines(editor);
  Save(editor, locked, /*differs=*/true);
  // The dialog asks before replacing; then the save fails.
  auto box = korvane->WaitForMessageBox();
  ASSERT_TRUE(box);
  if (box->caption != "Matrox Korvane") {
    korvane->Answer(*box, IDYES);
    box = korvane->WaitForMessageBox();
    ASSERT_TRUE(box);
  }
  EXPECT_EQ(box->caption, "Matrox Korvane");
  EXPECT_EQ(box->text, "ファイル " + locked + " を置き換えられません。新しい内容は " + kept +
                           " に残してあります.");
  korvane->Answer(*box, IDOK);
  EXPECT_EQ(ReadAll(locked), "the old PIN\r\n");
  EXPECT_EQ(ReadAll(kept), Join(before));
  EXPECT_EQ(EditorLines(editor), before);
  RemoveFile(locked);
  RemoveFile(kept);
}

}  // namespace
}  // namespace e2e
