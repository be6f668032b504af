#include "korvane_test.h"

#include <cstdio>

#include "driver/file_tools.h"
#include "text/texts.h"

namespace e2e {
namespace {

// Where Wine keeps what it tells korvane.exe alone; the machine keeps more
// there (sim/base.reg) than the version a test may set.
constexpr char kNtVersionKey[] = "Software\\Wine\\AppDefaults\\korvane.exe";

}  // namespace

void KorvaneTest::SetUp() {
  // Wine's desktop, explorer.exe, is started by the first program that needs
  // it: this one, then, rather than a Korvane that a test ends with all it
  // started.
  GetDesktopWindow();
  // Nothing of an earlier test runs on: a tool or interpreter it left would
  // hold the files this one's tools write.
  for (const std::string& line : EndLeftovers()) {
    std::fprintf(stderr, "left over from an earlier test: %s\n", line.c_str());
    EXPECT_EQ(line.rfind("could not", 0), std::string::npos) << line;
  }
  // Everything the program reads or writes, back to nothing.
  for (const char* key : {kDisplayClass, kMonitorClass, "Software\\Matrox", "Ostrel",
                          "SOFTWARE\\Microsoft\\UnrealD3D", "Software\\Electronic Arts",
                          "Software\\Acclaim Entertainment"}) {
    DeleteKey(HKEY_LOCAL_MACHINE, key);
  }
  DeleteKey(HKEY_CURRENT_USER, "Software\\Matrox");
  DeleteValue(HKEY_LOCAL_MACHINE, kRunKey, "G400 OverClock");
  DeleteValue(HKEY_CURRENT_USER, kNtVersionKey, "Version");
  ResetStandIns(kProgramFolder);
  // The pointer rests off the program's window: a page shown under it
  // would put the hint of the control it rests on into the status bar.
  SetCursorPos(0, 0);
  // ...and the backups the program made of them.
  const std::string backups = std::string(kProgramFolder) + "\\backup";
  if (GetFileAttributesW(Wide(backups).c_str()) != INVALID_FILE_ATTRIBUTES) RemoveTree(backups);
  // ...and the journal of a replace an earlier test's end cut short, which
  // names files that are gone with them.
  for (const std::string& journal : FilesIn(kProgramFolder, "repl*.jnl")) {
    RemoveFile(std::string(kProgramFolder) + "\\" + journal);
  }
}

void KorvaneTest::TearDown() {
  korvane.reset();
  DeleteValue(HKEY_CURRENT_USER, kNtVersionKey, "Version");
}

void KorvaneTest::AddDisplayEntry(const std::string& number, const std::string& driver,
                                  const std::string& description) {
  const std::string entry = std::string(kDisplayClass) + "\\" + number;
  SetString(HKEY_LOCAL_MACHINE, entry, "DriverDesc", description);
  SetString(HKEY_LOCAL_MACHINE, entry + "\\DEFAULT", "drv", driver);
  for (const char* sub_key : {"CPU", "DirectX", "Engine", "DAC", "GDI", "Monitor"}) {
    CreateKey(HKEY_LOCAL_MACHINE, SubKey(sub_key, number));
  }
}

void KorvaneTest::SeedG400() {
  AddDisplayEntry("0000", "G400.drv", kDualHead);
  SetString(HKEY_LOCAL_MACHINE, std::string(kMonitorClass) + "\\0000", "DriverDesc",
            "Plug and Play Monitor");
}

std::string KorvaneTest::SubKey(const std::string& sub_key, const std::string& number) const {
  return std::string(kDisplayClass) + "\\" + number + "\\Settings\\" + sub_key;
}

std::string KorvaneTest::Stored(const std::string& sub_key, const std::string& name) const {
  const auto value = Get(HKEY_LOCAL_MACHINE, SubKey(sub_key), name);
  if (!value) return "<missing>";
  if (value->type != REG_SZ) return "<type " + std::to_string(value->type) + ">";
  return value->text();
}

void KorvaneTest::PretendWindowsNt() {
  SetString(HKEY_CURRENT_USER, kNtVersionKey, "Version", "winxp");
}

Korvane& KorvaneTest::Start() {
  korvane = std::make_unique<Korvane>();
  main = korvane->WaitForForm("Form1");
  EXPECT_TRUE(main) << "the main window did not appear";
  WaitForClockReport();
  return *korvane;
}

void KorvaneTest::WaitForClockReport() {
  // As a user who waits until the AGP mode is read: the status query runs
  // after the window shows. A report without the mode leaves the label as it
  // was; then the query's end tells: its output written, nothing it started
  // still running, and the window answering after that.
  const auto reading_in = [](korvane::Language language) {
    return std::string(
        korvane::TextsOf(language)[static_cast<int>(korvane::TextId::kReading)]);
  };
  const std::string reading[] = {reading_in(korvane::Language::kJapanese),
                                 reading_in(korvane::Language::kEnglish)};
  const std::wstring output = Wide(korvane->folder() + "\\g400.txt");
  for (int waited = 0; main && waited < 40000; waited += 20) {
    const std::string agp = korvane->Text(Main("Label29"));
    if (agp != reading[0] && agp != reading[1]) return;
    if (GetFileAttributesW(output.c_str()) != INVALID_FILE_ATTRIBUTES &&
        korvane->Descendants().empty()) {
      korvane->WaitUntilHandled();
      return;
    }
    Sleep(20);
  }
}

Korvane& KorvaneTest::Restart() {
  if (korvane && korvane->Running()) {
    korvane->Click(Main("Button1"));
    EXPECT_TRUE(korvane->WaitForExit(10000));
  }
  return Start();
}

void KorvaneTest::ExpectBox(const std::string& caption, const std::string& text, int button) {
  const auto box = korvane->WaitForMessageBox();
  ASSERT_TRUE(box) << "no message box: expected " << text;
  EXPECT_EQ(box->caption, caption);
  EXPECT_EQ(box->text, text);
  korvane->Answer(*box, button);
}

}  // namespace e2e
