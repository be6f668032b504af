// The program entry under Windows: the real OS services, the renderer and
// the event loop around the portable program.
#include <windows.h>

#include <optional>

#include "app/program.h"
#include "files/paths.h"
#include "platform/ascii.h"
#include "platform/services.h"
#include "text/texts.h"
#include "win32/form_window.h"
#include "win32/gdi_resources.h"
#include "win32/win32_clipboard.h"
#include "win32/win32_dialogs.h"
#include "win32/win32_file_system.h"
#include "win32/win32_os_info.h"
#include "win32/win32_processes.h"
#include "win32/win32_processor.h"
#include "win32/win32_registry_store.h"
#include "win32/text_encoding.h"
#include "win32/win32_scheduler.h"
#include "win32/win32_video_bios.h"
#include "win32/win32_video_memory.h"
#include "win32/win32_wall_clock.h"

extern "C" int KorvaneMain() {
  using namespace korvane;
  // Fixed before the first window is made: the windows' texts and font
  // follow it.
  Language language = ChooseLanguage(GetACP(), GetCommandLineA());
  if (language == Language::kJapanese && !DecodeJapaneseTexts(win32::FromCodePage932)) {
    language = Language::kEnglish;
  }
  SetLanguage(language);
  // A write-protected floppy or a CD drive without its disc fails the call
  // that meets it, rather than stopping for the system's Retry box: start-up
  // tries a file in the program's folder, which may be on either.
  SetErrorMode(SEM_FAILCRITICALERRORS);
  win32::Win32RegistryStore registry;
  win32::Win32Dialogs dialogs(win32::OwnerOfBoxes);
  win32::Win32Processes processes(win32::PumpPendingMessages);
  static win32::Win32FileSystem files;
  // Notices, the status bar and the report name paths as the user knows
  // them, not in the 8.3 form the batch lines need.
  ShowPathsAs([](std::string_view path) { return LongPath(files, path); });
  win32::Win32OsInfo os;
  win32::Win32Processor processor;
  win32::Win32Timer timer;
  win32::Win32WallClock clock;
  win32::Win32Clipboard clipboard;
  win32::Win32Scheduler scheduler(win32::PumpPendingMessages);
  win32::Win32VideoBios video_bios;
  win32::Win32VideoMemory video_memory(win32::OwnerOfBoxes);
  Services services{registry, dialogs,   processes,  files,       os,       processor,
                    timer,    clock,     clipboard,  scheduler,   video_bios, video_memory};

  // Declared first, so that it outlives the windows that show it.
  std::optional<Program> program;
  win32::GdiResources gdi;
  std::optional<win32::FormWindow> main_window;
  program.emplace(services, [&](TForm1& form) { main_window.emplace(form, nullptr, true, gdi); });
  win32::FormWindow game_window(program->game_form(), &*main_window, false, gdi);
  win32::FormWindow about_window(program->about_box(), &*main_window, false, gdi);
  win32::FormWindow pin_window(program->pin_form(), &*main_window, false, gdi);
  win32::FormWindow clock_test_window(program->clock_test_form(), &*main_window, false, gdi);

  // Tests cannot wait a minute for a tool that hangs, nor 15 seconds for
  // the question after a clock change: they shorten both.
  const auto test_wait = [](const char* name) -> std::optional<int> {
    char text[16] = {};
    const DWORD length = GetEnvironmentVariableA(name, text, sizeof(text));
    const auto value = length > 0 && length < sizeof(text) ? ParseInteger(text) : std::nullopt;
    return value && *value > 0 ? value : std::nullopt;
  };
  if (const auto ms = test_wait("KORVANE_TEST_QUESTION_MS")) {
    program->main_form().batch_runner().SetQuestionAfter(static_cast<std::uint32_t>(*ms));
  }
  if (const auto seconds = test_wait("KORVANE_TEST_CONFIRM_SECONDS")) {
    program->main_form().overclock_tab().SetConfirmSeconds(*seconds);
  }

  program->Start();
  if (program->application().terminate_requested()) PostQuitMessage(0);
  return win32::RunMessageLoop();
}
