// The program entry under Windows: the real OS services, the renderer and
// the event loop around the portable program.
#include <windows.h>

#include <optional>

#include "app/program.h"
#include "platform/ascii.h"
#include "platform/services.h"
#include "text/texts.h"
#include "win32/form_window.h"
#include "win32/gdi_resources.h"
#include "win32/win32_processor.h"
#include "win32/win32_registry_store.h"
#include "win32/win32_services.h"

extern "C" int KorvaneMain() {
  using namespace korvane;
  // Fixed before the first window is made: the windows' texts and font
  // follow it.
  SetLanguage(ChooseLanguage(GetACP(), GetCommandLineA()));
  win32::Win32RegistryStore registry;
  win32::Win32Dialogs dialogs;
  win32::Win32Processes processes(win32::PumpPendingMessages);
  win32::Win32FileSystem files;
  win32::Win32OsInfo os;
  win32::Win32Processor processor;
  win32::Win32Timer timer;
  win32::Win32WallClock clock;
  win32::Win32Clipboard clipboard;
  Services services{registry, dialogs, processes, files, os, processor, timer, clock, clipboard};

  // Declared first, so that it outlives the windows that show it.
  std::optional<Program> program;
  win32::GdiResources gdi;
  std::optional<win32::FormWindow> main_window;
  // The main window's windows are made while start-up waits for the clock
  // tool; the other windows' when they are first shown.
  program.emplace(services, [&](TForm1& form) {
    main_window.emplace(form, nullptr, true, gdi);
    main_window->CreateWhileWaiting();
  });
  win32::FormWindow game_window(program->game_form(), &*main_window, false, gdi);
  win32::FormWindow about_window(program->about_box(), &*main_window, false, gdi);
  win32::FormWindow pin_window(program->pin_form(), &*main_window, false, gdi);

  // Tests cannot wait a minute for a tool that hangs: they shorten the
  // time before the program asks whether to wait on.
  char question_ms[16] = {};
  if (GetEnvironmentVariableA("KORVANE_TEST_QUESTION_MS", question_ms, sizeof(question_ms)) > 0) {
    if (const auto ms = ParseInteger(question_ms); ms && *ms > 0) {
      program->main_form().batch_runner().SetQuestionAfter(static_cast<std::uint32_t>(*ms));
    }
  }

  program->Start();
  if (program->application().terminate_requested()) PostQuitMessage(0);
  return win32::RunMessageLoop();
}
