// Korvane on an English system. Wine gives a program the code page of its
// Unix locale, and korvane.exe inherits the driver's: with the driver run
// under KORVANE_LOCALE=en_US.UTF-8 the program gets code page 1252 and must
// choose English by itself. The English tests skip themselves on the
// Japanese system; the parity test runs on both, the Japanese system first,
// and compares what the two programs wrote.
#include <windows.h>

#include <string>
#include <vector>

#include "driver/file_tools.h"
#include "korvane_test.h"
#include "text/texts.h"

namespace e2e {
namespace {

using korvane::TextId;

constexpr unsigned kEnglishCodePage = 1252;
constexpr unsigned kJapaneseCodePage = 932;
constexpr char kToolFolder[] = "C:\\Matrox Tools\\BIOS Utility";
constexpr char kSaveFolder[] = "C:\\Matrox Tools\\Saved PINs";
// What the Japanese program wrote, kept for the English run to compare.
constexpr char kRecordFolder[] = "C:\\Korvane tests";
constexpr char kJapaneseRecord[] = "C:\\Korvane tests\\japanese-program.txt";

std::string T(TextId id) { return korvane::Text(id); }

std::string InProgramFolder(const std::string& name) {
  return std::string(kProgramFolder) + "\\" + name;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = text.find("\r\n", start);
    lines.push_back(text.substr(start, end == std::string::npos ? end : end - start));
    if (end == std::string::npos) break;
    start = end + 2;
  }
  return lines;
}

// A text as the English program shows it: ASCII without a run of question
// marks, which is what a Japanese text turns into in code page 1252. Only
// the chip tab's figures that the PIN file does not give look like that.
bool ReadsAsEnglish(const std::string& text) {
  if (text == "???MHz") return true;
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return text.find("??") == std::string::npos;
}

struct Collected {
  const Korvane* korvane;
  std::vector<std::pair<std::string, std::string>> texts;  // name, text
};

BOOL CALLBACK CollectText(HWND window, LPARAM context) {
  auto& collected = *reinterpret_cast<Collected*>(context);
  const std::string name = WindowName(window);
  if (!name.empty()) collected.texts.emplace_back(name, collected.korvane->Text(window));
  return TRUE;
}

class EnglishE2E : public KorvaneTest {
 protected:
  void SetUp() override {
    if (GetACP() != kEnglishCodePage) {
      GTEST_SKIP() << "needs an English system: run with KORVANE_LOCALE=en_US.UTF-8";
    }
    KorvaneTest::SetUp();
    SeedG400();
    korvane::SetLanguage(korvane::Language::kEnglish);
  }

  // Every named window of a form reads as English, and so does its caption.
  void ExpectEnglish(HWND form, const std::string& caption) {
    ASSERT_TRUE(form);
    EXPECT_EQ(korvane->Text(form), caption);
    Collected collected{korvane.get(), {}};
    EnumChildWindows(form, CollectText, reinterpret_cast<LPARAM>(&collected));
    EXPECT_GT(collected.texts.size(), 5u);
    for (const auto& [name, text] : collected.texts) {
      EXPECT_TRUE(ReadsAsEnglish(text)) << name << ": " << text;
    }
  }
};

TEST_F(EnglishE2E, TheProgramChoosesEnglishByItselfOnEveryTabAndDialog) {
  CreateDirectoryW(L"C:\\Matrox Tools", nullptr);
  ASSERT_TRUE(InstallBiosTool(kToolFolder));
  Start();  // no /lang switch: the code page decides
  const TextId tabs[] = {TextId::kGeneralTab, TextId::kRegistryTab, TextId::kChipTab,
                         TextId::kOverclockTab, TextId::kOtherTab};
  for (int tab = 0; tab < 5; ++tab) {
    EXPECT_EQ(korvane->TabCaption(main, tab), T(tabs[tab]));
    korvane->SelectTab(main, tab);  // each tab fills its figures as it shows
  }
  EXPECT_EQ(korvane->TabCaption(main, 0), "General");
  EXPECT_EQ(korvane->Text(Main("Button1")), "E&xit");
  EXPECT_EQ(korvane->Text(Main("Label57")), "CPU clock:");

  korvane->SelectTab(main, kRegistryTab);
  EXPECT_TRUE(korvane->PointTo(Main("triple"), Main("StatusBar1"), "Uses triple buffering."));
  EXPECT_EQ(korvane->Text(Main("triple")), "Triple buffering");

  // The chip tab decodes what the BIOS tool dumps; the editor opens on it.
  korvane->SelectTab(main, kChipTab);
  korvane->Click(Main("PINButton"));
  const auto open = korvane->WaitForFileDialog();
  ASSERT_TRUE(open) << "no open dialog";
  EXPECT_EQ(open->title, T(TextId::kProgbiosDialogTitle));
  EXPECT_EQ(open->file_type, "BIOS tool (PROGBIOS.EXE)");
  korvane->ChooseFile(*open, std::string(kToolFolder) + "\\PROGBIOS.EXE");
  const auto written = korvane->WaitForMessageBox(30000);
  ASSERT_TRUE(written) << "the extraction did not finish";
  EXPECT_EQ(written->caption, "Information");
  EXPECT_EQ(written->text, T(TextId::kPinWritten));
  korvane->Answer(*written, IDOK);
  ExpectBox(T(TextId::kInformationCaption), T(TextId::kPinDecoded));
  korvane->Click(Main("PButton"));
  ExpectEnglish(korvane->WaitForForm("PINForm"), T(TextId::kPinFormTitle));

  korvane->SelectTab(main, kOtherTab);
  korvane->Click(Main("Button15"));
  ExpectEnglish(korvane->WaitForForm("GameForm"), T(TextId::kGameFormTitle));
  ExpectEnglish(main, "Korvane");

  korvane->SelectTab(main, kGeneralTab);
  korvane->Click(Main("Button25"));
  const HWND about = korvane->WaitForForm("AboutBox");
  ExpectEnglish(about, "About Korvane");
  korvane->Click(korvane->Control(about, "OKButton"));
}

TEST_F(EnglishE2E, MessageBoxesAndErrorsSpeakEnglishUnderTheirCaptions) {
  Start();
  korvane->Click(Main("Button12"));
  ExpectBox("Information", T(TextId::kBenchmarkApplied));
  korvane->Click(Main("uninstall"));
  ExpectBox("Confirm", T(TextId::kRemoveQuestion), IDCANCEL);

  // The error box keeps the application's title.
  korvane->SelectTab(main, kOverclockTab);
  korvane->Click(Main("RadioGroup1[1]"));
  korvane->Click(Main("Button3"));
  ExpectBox("Matrox Korvane", T(TextId::kG200clkRange) + ".");
  korvane->Click(Main("RadioGroup1[0]"));
  korvane->Click(Main("Button4"));
  ExpectBox("Information", T(TextId::kClocksReset));

  korvane->SelectTab(main, kGeneralTab);
  korvane->Click(Main("Button25"));
  const HWND about = korvane->WaitForForm("AboutBox");
  ASSERT_TRUE(about);
  korvane->Click(korvane->Control(about, "ProgramIcon"));
  ExpectBox("Information", T(TextId::kAboutIconMessage));
  korvane->Click(korvane->Control(about, "OKButton"));
}

using LanguageE2E = KorvaneTest;

// On the Japanese system a user can ask for English.
TEST_F(LanguageE2E, TheEnglishSwitchGivesEnglishOnAJapaneseSystem) {
  if (GetACP() != kJapaneseCodePage) GTEST_SKIP() << "needs the Japanese system";
  SeedG400();
  korvane = std::make_unique<Korvane>(kProgramFolder, "/lang:en");
  main = korvane->WaitForForm("Form1");
  ASSERT_TRUE(main);
  EXPECT_EQ(korvane->TabCaption(main, 0), "General");
  EXPECT_EQ(korvane->Text(Main("Button12")), "Benchmark Mode");
  korvane->Click(Main("Button12"));
  ExpectBox("Information", "The Benchmark Mode settings have been applied.");
}

// The same preset, clock change and PIN save on either system write the same
// registry values, batch files, backups and PIN file.
TEST_F(LanguageE2E, APresetAClockChangeAndAPinSaveWriteTheSameOnBothSystems) {
  const bool english = GetACP() == kEnglishCodePage;
  korvane::SetLanguage(english ? korvane::Language::kEnglish : korvane::Language::kJapanese);
  if (!english) RemoveFile(kJapaneseRecord);
  SeedG400();
  CreateDirectoryW(L"C:\\Matrox Tools", nullptr);
  CreateDirectoryW(Wide(kSaveFolder).c_str(), nullptr);
  const std::string saved = std::string(kSaveFolder) + "\\custom.txt";
  RemoveFile(saved);
  ASSERT_TRUE(InstallBiosTool(kToolFolder));
  Start();

  korvane->Click(Main("Button12"));
  ExpectBox(T(TextId::kInformationCaption), T(TextId::kBenchmarkApplied));

  korvane->SelectTab(main, kOverclockTab);
  korvane->Type(Main("Edit1"), "300");
  korvane->Choose(Main("CoreCB"), 1);  // "1/1"
  korvane->Click(Main("Button3"));
  ExpectBox(T(TextId::kInformationCaption),
            korvane::Format(TextId::kClocksChanged, {"300MHz", "200MHz"}));

  korvane->SelectTab(main, kChipTab);
  korvane->Click(Main("PINButton"));
  const auto open = korvane->WaitForFileDialog();
  ASSERT_TRUE(open) << "no open dialog";
  korvane->ChooseFile(*open, std::string(kToolFolder) + "\\PROGBIOS.EXE");
  const auto written = korvane->WaitForMessageBox(30000);
  ASSERT_TRUE(written) << "the extraction did not finish";
  korvane->Answer(*written, IDOK);
  ExpectBox(T(TextId::kInformationCaption), T(TextId::kPinDecoded));
  korvane->Click(Main("PButton"));
  const HWND editor = korvane->WaitForForm("PINForm");
  ASSERT_TRUE(editor);
  // Make it a MAX's: this DualHead asks first, and the save shows the
  // differences first.
  korvane->Click(korvane->Control(editor, "Button3"));
  const auto not_a_max = korvane->WaitForMessageBox();
  ASSERT_TRUE(not_a_max);
  korvane->Answer(*not_a_max, IDOK);
  korvane->Click(korvane->Control(editor, "Button2"));
  const auto differences = korvane->WaitForMessageBox();
  ASSERT_TRUE(differences);
  korvane->Answer(*differences, IDOK);
  const auto save = korvane->WaitForFileDialog();
  ASSERT_TRUE(save) << "no save dialog";
  EXPECT_EQ(save->title, T(TextId::kSavePinTitle));
  korvane->ChooseFile(*save, saved);

  // What the program wrote, in the order it wrote it.
  std::vector<std::string> outcome = {"[registry]"};
  const auto add = [&outcome](const std::vector<std::string>& lines) {
    outcome.insert(outcome.end(), lines.begin(), lines.end());
  };
  add(Snapshot(HKEY_LOCAL_MACHINE, std::string(kDisplayClass) + "\\0000\\Settings"));
  add(Snapshot(HKEY_CURRENT_USER, kPowerDesk5));
  add(Snapshot(HKEY_LOCAL_MACHINE, kPowerDeskCurrent));
  add(Snapshot(HKEY_LOCAL_MACHINE, kProgramKey));
  for (const char* batch : {"g4clk.bat", "OC.bat", "pins.bat"}) {
    outcome.push_back(std::string("[") + batch + "]");
    add(Lines(ReadBytes(InProgramFolder(batch)).value_or("<missing>")));
  }
  outcome.push_back("[G4set.exe runs]");
  add(ToolRuns(kProgramFolder, kG4set));
  outcome.push_back("[saved PIN file]");
  add(Lines(ReadBytes(saved).value_or("<missing>")));
  // The backup's third and fourth lines are its date and the note for whoever
  // reads it: the note speaks the program's language.
  const std::string backups = InProgramFolder("backup");
  for (const std::string& name : FilesIn(backups, "*.reg")) {
    std::vector<std::string> lines = Lines(ReadBytes(backups + "\\" + name).value_or(""));
    ASSERT_GT(lines.size(), 4u) << name;
    EXPECT_EQ(FromAnsi(lines[3]), "; " + T(TextId::kBackupFileNote));
    outcome.push_back("[backup]");
    outcome.insert(outcome.end(), lines.begin() + 4, lines.end());
  }
  // Both programs did the work at all.
  EXPECT_EQ(Stored("CPU", "AGPFlags"), "-1");
  EXPECT_EQ(ToolRuns(kProgramFolder, kG4set).back(), "-sclk 300 -div 1/1 2/3 1/2");
  EXPECT_NE(ReadBytes(saved).value_or("").find("0x0700"), std::string::npos);

  std::string text;
  for (const std::string& line : outcome) text += line + "\r\n";
  if (!english) {
    if (!HasFailure()) {
      CreateDirectoryW(Wide(kRecordFolder).c_str(), nullptr);
      EXPECT_TRUE(WriteBytes(kJapaneseRecord, text));
    }
    return;
  }
  const auto japanese = ReadBytes(kJapaneseRecord);
  ASSERT_TRUE(japanese) << "run this test on the Japanese system first";
  EXPECT_EQ(outcome, Lines(*japanese));
}

}  // namespace
}  // namespace e2e
