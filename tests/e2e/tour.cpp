// Walks through every tab and dialog of the real program, and makes each
// kind of message box appear, saving a screenshot of each (as BMP) into the
// folder given. The program speaks the language of the code page it
// inherits; English screenshots end in "-en". With --no-screenshots it only
// walks, for the Windows 98 rules check, which also sets KORVANE_WINEDEBUG:
// korvane.exe, and it alone, gets that as its WINEDEBUG.
//   korvane_tour.exe <folder> | --no-screenshots
// The walk leaves the registry as it found it: what the preset and the
// removal changed, the restore of the preset's backup puts back.
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "driver/korvane_process.h"
#include "driver/registry_tools.h"
#include "driver/stand_ins.h"
#include "text/texts.h"
#include "unit/pin/bios_sample.h"

namespace {

constexpr char kBiosToolFolder[] = "C:\\Matrox Tools\\BIOS Utility";

std::optional<std::string> Environment(const char* name) {
  char value[256];
  const DWORD length = GetEnvironmentVariableA(name, value, sizeof(value));
  if (length == 0 || length >= sizeof(value)) return std::nullopt;
  return std::string(value, length);
}

// Starts korvane.exe with the environment variable set, and only it.
void SetForProgram(const char* name, const std::optional<std::string>& value) {
  SetEnvironmentVariableA(name, value ? value->c_str() : nullptr);
}

// The rules check's probe of the tool tip structures the program passes
// (tool_info_probe.cpp), hooked into every thread before the program starts,
// so that its first window's tools are seen too; it ends with the walk.
bool HookToolInfoProbe() {
  const HMODULE probe = LoadLibraryA("korvane_tool_info_probe.dll");
  const FARPROC proc = probe ? GetProcAddress(probe, "ToolInfoProbe") : nullptr;
  return proc && SetWindowsHookExA(WH_CALLWNDPROC,
                                   reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(proc)), probe,
                                   0) != nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: korvane_tour <folder> | --no-screenshots\n");
    return 2;
  }
  const std::string folder = argv[1];
  const bool screenshots = folder != "--no-screenshots";
  korvane::SetLanguage(korvane::ChooseLanguage(GetACP(), ""));
  const char* suffix = korvane::CurrentLanguage() == korvane::Language::kEnglish ? "-en" : "";
  // The chip tab as a new user first sees it, before any dump: the tour's
  // extraction makes mypins.txt again.
  e2e::RemoveFile(std::string(e2e::kProgramFolder) + "\\mypins.txt");
  // The BIOS tool where a user would have copied it from the driver CD.
  CreateDirectoryA("C:\\Matrox Tools", nullptr);
  if (!e2e::InstallBiosTool(kBiosToolFolder)) {
    std::fprintf(stderr, "the stand-in BIOS tool is not built\n");
    return 1;
  }
  // The question about a tool that does not end comes after two seconds,
  // not a minute.
  const auto debug = Environment("WINEDEBUG");
  SetEnvironmentVariableA("KORVANE_TEST_QUESTION_MS", "2000");
  if (const auto trace = Environment("KORVANE_WINEDEBUG")) {
    if (!HookToolInfoProbe()) std::fprintf(stderr, "the tool info probe could not be hooked\n");
    SetForProgram("WINEDEBUG", trace);
  }
  e2e::Korvane korvane;
  SetEnvironmentVariableA("KORVANE_TEST_QUESTION_MS", nullptr);
  SetForProgram("WINEDEBUG", debug);
  const HWND main = korvane.WaitForForm("Form1", 60000);
  if (!main) {
    std::fprintf(stderr, "the main window did not appear\n");
    return 1;
  }
  int failures = 0;
  const auto shoot = [&](HWND window, const char* name) {
    if (!screenshots) return;
    Sleep(300);  // let the window finish painting
    const std::string path = folder + "\\" + name + suffix + ".bmp";
    if (!korvane.Screenshot(window, path)) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      ++failures;
    }
  };
  // Answers the next box; a box that does not come is a failure.
  const auto answer = [&](int button, const char* shot = nullptr, int timeout_ms = 10000) {
    const auto box = korvane.WaitForMessageBox(timeout_ms);
    if (!box) {
      std::fprintf(stderr, "no message box came (%s)\n", shot ? shot : "an answer");
      ++failures;
      return;
    }
    if (shot) shoot(box->hwnd, shot);
    korvane.Answer(*box, button);
  };
  // Picks a file in the open or save dialog that the click brought.
  const auto choose = [&](const std::string& path, const char* shot = nullptr) {
    const auto dialog = korvane.WaitForFileDialog();
    if (!dialog) {
      std::fprintf(stderr, "no file dialog came for %s\n", path.c_str());
      ++failures;
      return false;
    }
    if (shot) shoot(dialog->hwnd, shot);
    korvane.ChooseFile(*dialog, path);
    return true;
  };

  const char* tabs[] = {"main-1-general", "main-2-registry", "main-3-chip", "main-4-overclock",
                        "main-5-other"};
  // Shown as a user sees them once the clock tool's report and the
  // processor's clock are in.
  const std::string reading = korvane::Text(korvane::TextId::kReading);
  for (int waited = 0; waited < 30000 && korvane.Text(korvane.Control(main, "Label29")) == reading;
       waited += 50) {
    Sleep(50);
  }
  for (int tab = 0; tab < 5; ++tab) {
    korvane.SelectTab(main, tab);
    const HWND retry = korvane.Control(main, "retry");
    for (int waited = 0; tab == 4 && waited < 10000 && !korvane.Enabled(retry); waited += 50) {
      Sleep(50);
    }
    shoot(main, tabs[tab]);
  }
  // The Other tab names the system the machine is: Windows 95 too.
  OSVERSIONINFOA os = {};
  os.dwOSVersionInfoSize = sizeof(os);
  GetVersionExA(&os);
  const std::string version =
      std::to_string(os.dwMajorVersion) + "." + std::to_string(os.dwMinorVersion);
  // A walk meant for another Windows says so rather than pass unseen.
  if (const auto expected = Environment("KORVANE_TOUR_WINDOWS"); expected && *expected != version) {
    std::fprintf(stderr, "the machine is Windows %s, not %s\n", version.c_str(), expected->c_str());
    ++failures;
  }
  if (korvane.Text(korvane.Control(main, "Label43")) != version ||
      (version == "4.0" && korvane.Text(korvane.Control(main, "Label42")) !=
                               korvane::Text(korvane::TextId::kWindows95Name))) {
    std::fprintf(stderr, "the Other tab does not name Windows %s\n", version.c_str());
    ++failures;
  }
  korvane.SelectTab(main, 1);
  korvane.PointTo(korvane.Control(main, "triple"), korvane.Control(main, "StatusBar1"),
                  korvane::Text(korvane::TextId::kTripleHint));
  shoot(main, "main-2-registry-hint");
  // A setting clicked off and on again.
  korvane.Click(korvane.Control(main, "triple"));
  korvane.Click(korvane.Control(main, "triple"));

  // A preset, which takes the run's backup first, and the settings removal;
  // restoring that backup then undoes both.
  korvane.SelectTab(main, 0);
  korvane.Click(korvane.Control(main, "Button10"));
  answer(IDOK);
  korvane.ClickLater(korvane.Control(main, "uninstall"));
  answer(IDOK, "removal-question");
  answer(IDOK);
  const std::string backups = std::string(e2e::kProgramFolder) + "\\backup";
  const auto made = e2e::FilesIn(backups, "*.reg");
  korvane.ClickLater(korvane.Control(main, "RestoreButton"));
  if (!made.empty() && choose(backups + "\\" + made.back(), "open-backup")) {
    answer(IDOK, "restore-question");
    answer(IDOK);
  } else {
    ++failures;
  }

  // The report, saved and copied to the clipboard.
  const std::string report = std::string(e2e::kProgramFolder) + "\\tour-report.txt";
  korvane.ClickLater(korvane.Control(main, "ReportButton"));
  if (choose(report, "save-report")) answer(IDOK);
  e2e::RemoveFile(report);

  // The chip tab filled from the card's own BIOS, once a G400's is where
  // Windows 95/98 show it.
  korvane.SelectTab(main, 2);
  if (korvane.PlaceVideoBios(korvane::testing::BiosImage(korvane::testing::SamplePin()))) {
    korvane.Click(korvane.Control(main, "ReadCardButton"));
    shoot(main, "main-3-chip-card");
  } else {
    ++failures;
  }

  // The chip tab after an extraction with the stand-in BIOS tool, and the
  // PIN file editor on what it dumped.
  korvane.SelectTab(main, 2);
  korvane.ClickLater(korvane.Control(main, "PINButton"));
  if (choose(std::string(kBiosToolFolder) + "\\PROGBIOS.EXE", "open-progbios")) {
    for (int box = 0; box < 2; ++box) answer(IDOK, nullptr, 30000);
    shoot(main, "main-3-chip-decoded");
    korvane.Click(korvane.Control(main, "PButton"));
    if (const HWND editor = korvane.WaitForForm("PINForm")) {
      shoot(editor, "pin-editor");
      // A MAX's clocks on this DualHead ask first; the save then says what
      // it would change on the card: cancelled once, then saved.
      korvane.ClickLater(korvane.Control(editor, "Button3"));
      answer(IDOK, "pin-max-question");
      korvane.ClickLater(korvane.Control(editor, "Button2"));
      answer(IDCANCEL, "pin-differences");
      const std::string saved = std::string(kBiosToolFolder) + "\\tour-pins.txt";
      korvane.ClickLater(korvane.Control(editor, "Button2"));
      answer(IDOK);
      choose(saved, "save-pins");
      e2e::RemoveFile(saved);
      korvane.Click(korvane.Control(editor, "Button1"));
    } else {
      ++failures;
    }
  }

  // A clock change whose tool takes its time: the window while it runs, and
  // the question once it has run too long, answered by ending the tool.
  korvane.SelectTab(main, 3);
  e2e::SetToolDelay(e2e::kProgramFolder, e2e::kG4set, 8000);
  korvane.ClickLater(korvane.Control(main, "Button3"));
  Sleep(1000);
  shoot(main, "main-4-overclock-running");
  answer(IDNO, "tool-question");
  // The ended tool may have set the clocks: they go back, with the tool at
  // its usual pace again.
  e2e::RemoveFile(std::string(e2e::kProgramFolder) + "\\g4set-delay.txt");
  answer(IDOK, "tool-ended");
  answer(IDOK);

  // With the check boxes on, a clock change asks whether to keep the
  // clocks, counting down once the clock test it runs meanwhile is done;
  // Esc puts the old ones back.
  korvane.Click(korvane.Control(main, "CheckBox1"));
  korvane.Click(korvane.Control(main, "CheckBox2"));
  korvane.ClickLater(korvane.Control(main, "Button3"));
  if (const auto keep = korvane.WaitForMessageBox()) {
    shoot(keep->hwnd, "keep-clocks");
    korvane.PressKey(VK_ESCAPE);
    for (int waited = 0; waited < 5000 && IsWindow(keep->hwnd); waited += 50) Sleep(50);
    if (const auto told = korvane.WaitForMessageBox()) korvane.Answer(*told, IDOK);
  } else {
    ++failures;
  }
  korvane.Click(korvane.Control(main, "CheckBox2"));
  korvane.Click(korvane.Control(main, "CheckBox1"));

  // The clock test, run through at the clocks the card runs now.
  korvane.Click(korvane.Control(main, "TestButton"));
  if (const HWND test = korvane.WaitForForm("ClockTestForm")) {
    const HWND start = korvane.Control(test, "StartButton");
    korvane.Click(start);
    const std::string ended = korvane::Text(korvane::TextId::kStartTest);
    for (int waited = 0; waited < 180000 && korvane.Text(start) != ended; waited += 200) Sleep(200);
    shoot(test, "clock-test");
    korvane.Click(korvane.Control(test, "CloseButton"));
  } else {
    ++failures;
  }

  // A clock change that runs through is stored; the value is put back as
  // the walk found it.
  const char kProgramKey[] = "Ostrel\\Korvane";
  const auto stored = e2e::Get(HKEY_LOCAL_MACHINE, kProgramKey, "G400 OverClock");
  korvane.Type(korvane.Control(main, "Edit1"), "300");
  korvane.ClickLater(korvane.Control(main, "Button3"));
  answer(IDOK);
  const auto changed = e2e::Get(HKEY_LOCAL_MACHINE, kProgramKey, "G400 OverClock");
  if (!changed || changed->dword() != 300u) {
    std::fprintf(stderr, "the clock change was not stored\n");
    ++failures;
  }
  if (stored && stored->dword()) {
    e2e::SetDword(HKEY_LOCAL_MACHINE, kProgramKey, "G400 OverClock", *stored->dword());
  } else {
    e2e::DeleteValue(HKEY_LOCAL_MACHINE, kProgramKey, "G400 OverClock");
  }

  korvane.SelectTab(main, 4);
  korvane.Click(korvane.Control(main, "Button15"));
  if (const HWND game = korvane.WaitForForm("GameForm")) {
    shoot(game, "game");
    korvane.Click(korvane.Control(game, "Button1"));
  } else {
    ++failures;
  }

  korvane.SelectTab(main, 0);
  korvane.Click(korvane.Control(main, "Button25"));
  if (const HWND about = korvane.WaitForForm("AboutBox")) {
    shoot(about, "about");
    korvane.Click(korvane.Control(about, "OKButton"));
  } else {
    ++failures;
  }

  korvane.Click(korvane.Control(main, "Button1"));
  if (!korvane.WaitForExit(30000)) ++failures;
  return failures == 0 ? 0 : 1;
}
