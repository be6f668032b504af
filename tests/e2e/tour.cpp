// Walks through every tab and dialog of the real program and saves a
// screenshot of each (as BMP) into the folder given. The program speaks the
// language of the code page it inherits; English screenshots end in "-en".
//   korvane_tour.exe <folder>
#include <cstdio>
#include <string>

#include "driver/korvane_process.h"
#include "driver/stand_ins.h"
#include "text/texts.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: korvane_tour <folder>\n");
    return 2;
  }
  const std::string folder = argv[1];
  korvane::SetLanguage(korvane::ChooseLanguage(GetACP(), ""));
  const char* suffix = korvane::CurrentLanguage() == korvane::Language::kEnglish ? "-en" : "";
  // The question about a tool that does not end comes after two seconds,
  // not a minute.
  SetEnvironmentVariableA("KORVANE_TEST_QUESTION_MS", "2000");
  e2e::Korvane korvane;
  SetEnvironmentVariableA("KORVANE_TEST_QUESTION_MS", nullptr);
  const HWND main = korvane.WaitForForm("Form1");
  if (!main) {
    std::fprintf(stderr, "the main window did not appear\n");
    return 1;
  }
  int failures = 0;
  const auto shoot = [&](HWND window, const char* name) {
    Sleep(300);  // let the window finish painting
    const std::string path = folder + "\\" + name + suffix + ".bmp";
    if (!korvane.Screenshot(window, path)) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      ++failures;
    }
  };
  const char* tabs[] = {"main-1-general", "main-2-registry", "main-3-chip", "main-4-overclock",
                        "main-5-other"};
  for (int tab = 0; tab < 5; ++tab) {
    korvane.SelectTab(main, tab);
    shoot(main, tabs[tab]);
  }
  korvane.SelectTab(main, 1);
  korvane.PointTo(korvane.Control(main, "triple"), korvane.Control(main, "StatusBar1"),
                  korvane::Text(korvane::TextId::kTripleHint));
  shoot(main, "main-2-registry-hint");

  // The chip tab after an extraction with the BIOS tool that make run
  // installs, and the PIN file editor on what it dumped.
  korvane.SelectTab(main, 2);
  korvane.Click(korvane.Control(main, "PINButton"));
  if (const auto dialog = korvane.WaitForFileDialog()) {
    shoot(dialog->hwnd, "open-progbios");
    korvane.ChooseFile(*dialog, "C:\\Matrox Tools\\BIOS Utility\\PROGBIOS.EXE");
    for (int box = 0; box < 2; ++box) {
      if (const auto shown = korvane.WaitForMessageBox(30000)) korvane.Answer(*shown, IDOK);
    }
    shoot(main, "main-3-chip-decoded");
    korvane.Click(korvane.Control(main, "PButton"));
    if (const HWND editor = korvane.WaitForForm("PINForm")) {
      shoot(editor, "pin-editor");
      // A MAX's clocks on this DualHead ask first; the save then says what
      // it would change on the card, and is cancelled.
      korvane.ClickLater(korvane.Control(editor, "Button3"));
      if (const auto question = korvane.WaitForMessageBox()) {
        shoot(question->hwnd, "pin-max-question");
        korvane.Answer(*question, IDOK);
      } else {
        ++failures;
      }
      korvane.ClickLater(korvane.Control(editor, "Button2"));
      if (const auto differences = korvane.WaitForMessageBox()) {
        shoot(differences->hwnd, "pin-differences");
        korvane.Answer(*differences, IDCANCEL);
      } else {
        ++failures;
      }
      korvane.Click(korvane.Control(editor, "Button1"));
    } else {
      ++failures;
    }
  } else {
    ++failures;
  }

  // A clock change whose tool takes its time: the window while it runs, and
  // the question once it has run too long.
  korvane.SelectTab(main, 3);
  e2e::SetToolDelay(e2e::kProgramFolder, e2e::kG4set, 8000);
  korvane.ClickLater(korvane.Control(main, "Button3"));
  Sleep(1000);
  shoot(main, "main-4-overclock-running");
  if (const auto question = korvane.WaitForMessageBox(10000)) {
    shoot(question->hwnd, "tool-question");
    korvane.Answer(*question, IDYES);
    if (const auto done = korvane.WaitForMessageBox(10000)) korvane.Answer(*done, IDOK);
  } else {
    ++failures;
  }
  e2e::RemoveFile(std::string(e2e::kProgramFolder) + "\\g4set-delay.txt");

  // With the check box on, a clock change asks whether to keep the clocks,
  // counting down; Esc puts the old ones back.
  korvane.Click(korvane.Control(main, "CheckBox1"));
  korvane.ClickLater(korvane.Control(main, "Button3"));
  if (const auto keep = korvane.WaitForMessageBox()) {
    shoot(keep->hwnd, "keep-clocks");
    korvane.PressKey(VK_ESCAPE);
    for (int waited = 0; waited < 5000 && IsWindow(keep->hwnd); waited += 50) Sleep(50);
    if (const auto told = korvane.WaitForMessageBox()) korvane.Answer(*told, IDOK);
  } else {
    ++failures;
  }
  korvane.Click(korvane.Control(main, "CheckBox1"));

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
  if (!korvane.WaitForExit(10000)) ++failures;
  return failures == 0 ? 0 : 1;
}
