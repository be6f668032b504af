// How close the real program's clock measurement comes to the counter's own
// rate: ten measurements with the retry button, each against a reference
// the bench takes around it (the counter against QueryPerformanceCounter).
//   korvane_bench_clock.exe [runs]
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "driver/host_processor.h"
#include "driver/korvane_process.h"

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::atoi(argv[1]) : 10;
  e2e::Korvane korvane;
  const HWND main = korvane.WaitForForm("Form1");
  if (!main) {
    std::fprintf(stderr, "the main window did not appear\n");
    return 1;
  }
  korvane.SelectTab(main, 4);
  const HWND clock = korvane.Control(main, "Label58");
  const HWND retry = korvane.Control(main, "retry");
  // The measurement of the tab's showing ends before the first run's.
  for (int waited = 0; !korvane.Enabled(retry) && waited < 10000; waited += 20) Sleep(20);
  double sum = 0;
  double worst = 0;
  double reference_sum = 0;
  for (int run = 0; run < runs; ++run) {
    const e2e::ClockSample start = e2e::SampleClocks();
    korvane.Click(retry);
    // The window stays free while the clock is measured: wait for it.
    auto shown = e2e::ParseClock(korvane.Text(clock));
    for (int waited = 0; !shown && waited < 10000; waited += 5) {
      Sleep(5);
      shown = e2e::ParseClock(korvane.Text(clock));
    }
    const e2e::ClockSample end = e2e::SampleClocks();
    if (!shown) {
      std::fprintf(stderr, "the clock reads \"%s\"\n", korvane.Text(clock).c_str());
      return 1;
    }
    const double reference = e2e::CounterMHz(start, end);
    const double error = std::fabs(*shown - reference) / reference * 100;
    sum += error;
    reference_sum += reference;
    if (error > worst) worst = error;
  }
  std::printf(
      "clock measurement, %d runs against the counter's rate (%.1f MHz): "
      "mean error %.3f %%, worst %.3f %%\n",
      runs, reference_sum / runs, sum / runs, worst);
  korvane.Click(korvane.Control(main, "Button5"));
  korvane.WaitForExit(10000);
  return 0;
}
