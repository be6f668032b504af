// The processor Korvane runs on under Wine, as the host's Linux reports it
// and as the test itself measures it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

struct HostProcessor {
  std::string vendor;
  // Base values, as CPUID leaf 1 holds them before any extended bits, and
  // the extended bits themselves.
  int family = 0;
  int model = 0;
  int stepping = 0;
  int extended_family = 0;
  int extended_model = 0;
  std::string brand;               // the brand string, as "model name"
  std::vector<std::string> flags;  // Linux's names, e.g. "mmx", "tsc", "3dnow"
  bool Has(const std::string& flag) const;
};

// Reads the host's /proc/cpuinfo through Wine's Z: drive.
std::optional<HostProcessor> ReadHostProcessor();

// One moment seen by the time-stamp counter and by QueryPerformanceCounter.
struct ClockSample {
  std::uint64_t stamp = 0;
  std::int64_t counter = 0;
};

ClockSample SampleClocks();

// The time-stamp counter's rate between two samples, in MHz.
double CounterMHz(const ClockSample& start, const ClockSample& end);

// A clock text as the program shows it ("2599.9817MHz"), in MHz; empty if
// it is not one.
std::optional<double> ParseClock(const std::string& text);

}  // namespace e2e
