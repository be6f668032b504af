// make bench: how fast Korvane shows its window, status query included,
// beside a plain window program built alike; and how long its window takes
// to answer while a clock tool runs. Measured side by side in one run on
// the simulated machine; prints figures and asserts nothing.
//   korvane_bench.exe
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "driver/korvane_process.h"
#include "driver/registry_tools.h"
#include "driver/stand_ins.h"

namespace {

constexpr int kStartups = 10;
constexpr int kToolMilliseconds = 10000;
// Wine goes on cleaning up after a program for a while after it has ended;
// the next start waits, so that it does not pay for the last one's end.
constexpr int kSettleMilliseconds = 300;

double NowMs() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

struct WindowSearch {
  DWORD process_id;
  const wchar_t* window_class;
  HWND found = nullptr;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM context) {
  auto& search = *reinterpret_cast<WindowSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (owner != search.process_id || !IsWindowVisible(window) ||
      std::wstring(name) != search.window_class) {
    return TRUE;
  }
  search.found = window;
  return FALSE;
}

// Starts a program of the program folder and returns the milliseconds until
// its window of `window_class` is visible, and in `answered_ms` until it
// then answers a message; then closes it. Negative when it did not show one.
double MillisecondsToWindow(const char* program, const wchar_t* window_class,
                            const wchar_t* arguments = L"", double* answered_ms = nullptr) {
  const std::wstring folder = e2e::Wide(e2e::kProgramFolder);
  std::wstring command = L"\"" + folder + L"\\" + e2e::Wide(program) + L"\" " + arguments;
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  const double started = NowMs();
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                      &startup, &process)) {
    return -1;
  }
  WindowSearch search{process.dwProcessId, window_class};
  double shown = -1;
  while (NowMs() - started < 30000) {
    EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found) {
      shown = NowMs() - started;
      // The window answers once it has made what it shows.
      DWORD_PTR result = 0;
      SendMessageTimeoutW(search.found, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &result);
      if (answered_ms) *answered_ms = NowMs() - started;
      break;
    }
    Sleep(1);
  }
  if (search.found) PostMessageW(search.found, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, 10000);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  Sleep(kSettleMilliseconds);
  return shown;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n == 0 ? -1 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The longest time the window takes to answer a sent message, probed every
// 20 ms for as long as `go_on` says.
template <typename GoOn>
double LongestAnswerMs(HWND window, GoOn go_on, int* probes) {
  double longest = 0;
  *probes = 0;
  while (go_on()) {
    const double sent = NowMs();
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &result);
    longest = std::max(longest, NowMs() - sent);
    ++*probes;
    Sleep(20);
  }
  return longest;
}

int MeasureStartup() {
  // The first start of each fills the system's caches, and korvane.exe's
  // writes the g4clk.bat the floor runs; they do not count.
  MillisecondsToWindow("korvane.exe", L"KorvaneForm");
  MillisecondsToWindow("minimal_window.exe", L"MinimalWindow");
  MillisecondsToWindow("minimal_window.exe", L"MinimalWindow", L"/query");
  std::vector<double> minimal, floor, korvane, korvane_answers;
  for (int i = 0; i < kStartups; ++i) {
    minimal.push_back(MillisecondsToWindow("minimal_window.exe", L"MinimalWindow"));
    floor.push_back(MillisecondsToWindow("minimal_window.exe", L"MinimalWindow", L"/query"));
    double answered = -1;
    korvane.push_back(MillisecondsToWindow("korvane.exe", L"KorvaneForm", L"", &answered));
    korvane_answers.push_back(answered);
  }
  for (const auto* times : {&minimal, &floor, &korvane}) {
    if (*std::min_element(times->begin(), times->end()) < 0) {
      std::printf("start-up: a program did not show its window\n");
      return 1;
    }
  }
  const double minimal_ms = Median(minimal);
  const double floor_ms = Median(floor);
  const double korvane_ms = Median(korvane);
  std::printf("Start-up to a visible main window, median of %d each, alternating:\n", kStartups);
  std::printf("  minimal window program                    %7.0f ms\n", minimal_ms);
  std::printf("  minimal window shown after the status query %5.0f ms\n", floor_ms);
  std::printf(
      "  korvane.exe                               %7.0f ms   %.2fx the minimal, %.2fx the "
      "one after the query (goal: at most 0.6x)\n",
      korvane_ms, korvane_ms / minimal_ms, korvane_ms / floor_ms);
  const double complete_ms = Median(korvane_answers);
  std::printf(
      "  korvane.exe with its controls, answering  %5.0f ms   %.2fx the minimal, %.2fx the "
      "one after the query\n",
      complete_ms, complete_ms / minimal_ms, complete_ms / floor_ms);
  return 0;
}

int MeasureAnswersWhileAToolRuns() {
  const std::string folder = e2e::kProgramFolder;
  e2e::Korvane korvane;
  const HWND main = korvane.WaitForForm("Form1");
  if (!main) {
    std::printf("responsiveness: the main window did not appear\n");
    return 1;
  }
  korvane.SelectTab(main, 3);
  int idle_probes = 0;
  const double idle_until = NowMs() + 2000;
  const double idle_ms = LongestAnswerMs(
      main, [&] { return NowMs() < idle_until; }, &idle_probes);

  e2e::SetToolDelay(folder, e2e::kG4set, kToolMilliseconds);
  korvane.ClickLater(korvane.Control(main, "Button3"));
  const double clicked = NowMs();
  while (e2e::ToolRuns(folder, e2e::kG4set).size() < 2 && NowMs() - clicked < 30000) Sleep(10);
  int busy_probes = 0;
  const double busy_ms = LongestAnswerMs(
      main,
      [&] { return korvane.Running() && !korvane.MessageBoxOpen() && NowMs() - clicked < 60000; },
      &busy_probes);
  if (const auto box = korvane.WaitForMessageBox()) korvane.Answer(*box, IDOK);
  korvane.Click(korvane.Control(main, "Button8"));
  korvane.WaitForExit(10000);

  std::printf("Longest answer of the main window to a message:\n");
  std::printf("  idle, %3d probes                  %7.1f ms\n", idle_probes, idle_ms);
  std::printf("  while G4set.exe runs %2d s, %3d probes %4.1f ms   (goal: under 100 ms)\n",
              kToolMilliseconds / 1000, busy_probes, busy_ms);
  return 0;
}

// The longest time the window takes to answer while the Other tab measures
// the clock, over ten measurements with the retry button.
int MeasureAnswersWhileTheClockIsMeasured() {
  e2e::Korvane korvane;
  const HWND main = korvane.WaitForForm("Form1");
  if (!main) {
    std::printf("responsiveness: the main window did not appear\n");
    return 1;
  }
  korvane.SelectTab(main, 4);
  const HWND retry = korvane.Control(main, "retry");  // made with the tab
  const auto wait_until_measured = [&] {
    for (int waited = 0; waited < 10000 && !korvane.Enabled(retry); waited += 10) Sleep(10);
  };
  wait_until_measured();
  // Each measurement is asked for without waiting for the click's answer,
  // then the window is probed for longer than the measurement takes.
  double longest = 0;
  int probes = 0;
  for (int run = 0; run < 10; ++run) {
    korvane.ClickLater(retry);
    const double started = NowMs();
    int run_probes = 0;
    longest = std::max(longest, LongestAnswerMs(
                                    main, [&] { return NowMs() - started < 800; }, &run_probes));
    probes += run_probes;
    wait_until_measured();
  }
  korvane.Click(korvane.Control(main, "Button5"));
  korvane.WaitForExit(10000);
  std::printf(
      "  while the Other tab measures the clock, 10 runs, %3d probes %5.1f ms   "
      "(goal: under 50 ms)\n",
      probes, longest);
  return 0;
}

}  // namespace

int main() {
  e2e::ResetStandIns(e2e::kProgramFolder);
  const int startup = MeasureStartup();
  const int answers = MeasureAnswersWhileAToolRuns();
  const int measuring = MeasureAnswersWhileTheClockIsMeasured();
  e2e::ResetStandIns(e2e::kProgramFolder);
  return startup | answers | measuring;
}
