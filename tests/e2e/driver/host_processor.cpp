#include "driver/host_processor.h"

#include <windows.h>

#include <x86intrin.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace e2e {
namespace {

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

}  // namespace

bool HostProcessor::Has(const std::string& flag) const {
  return std::find(flags.begin(), flags.end(), flag) != flags.end();
}

std::optional<HostProcessor> ReadHostProcessor() {
  FILE* file = std::fopen("Z:\\proc\\cpuinfo", "r");
  if (!file) return std::nullopt;
  HostProcessor host;
  int found = 0;
  char line[8192];
  // The first processor's block is enough: they are all the same.
  while (std::fgets(line, sizeof(line), file) && std::strcmp(line, "\n") != 0) {
    const std::string text = line;
    const auto colon = text.find(':');
    if (colon == std::string::npos) continue;
    const std::string key = Trim(text.substr(0, colon));
    const std::string value = Trim(text.substr(colon + 1));
    if (key == "vendor_id") {
      host.vendor = value;
      ++found;
    } else if (key == "cpu family") {
      // Linux adds the extended family to a base family of 15.
      const int family = std::atoi(value.c_str());
      host.family = std::min(family, 15);
      host.extended_family = family - host.family;
      ++found;
    } else if (key == "model") {
      // And the extended model, shifted, to the base model of families 6
      // and 15, the only ones that have one.
      const int model = std::atoi(value.c_str());
      host.model = model & 0xF;
      host.extended_model = model >> 4;
      ++found;
    } else if (key == "model name") {
      host.brand = value;
    } else if (key == "stepping") {
      host.stepping = std::atoi(value.c_str());
      ++found;
    } else if (key == "flags") {
      std::size_t start = 0;
      while (start < value.size()) {
        const auto end = value.find(' ', start);
        host.flags.push_back(value.substr(start, end - start));
        if (end == std::string::npos) break;
        start = end + 1;
      }
      ++found;
    }
  }
  std::fclose(file);
  if (found != 5) return std::nullopt;
  return host;
}

ClockSample SampleClocks() {
  // The tightest of a few tries: the query sits between two counter reads,
  // and an interruption between them would blur where.
  ClockSample best;
  std::uint64_t best_gap = UINT64_MAX;
  for (int attempt = 0; attempt < 50; ++attempt) {
    LARGE_INTEGER counter;
    const std::uint64_t before = __rdtsc();
    QueryPerformanceCounter(&counter);
    const std::uint64_t after = __rdtsc();
    if (after - before < best_gap) {
      best_gap = after - before;
      best = ClockSample{before + (after - before) / 2, counter.QuadPart};
    }
  }
  return best;
}

double CounterMHz(const ClockSample& start, const ClockSample& end) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  const double seconds =
      static_cast<double>(end.counter - start.counter) / static_cast<double>(frequency.QuadPart);
  return static_cast<double>(end.stamp - start.stamp) / seconds / 1e6;
}

std::optional<double> ParseClock(const std::string& text) {
  if (text.size() < 4 || text.compare(text.size() - 3, 3, "MHz") != 0) return std::nullopt;
  char* end = nullptr;
  const double mhz = std::strtod(text.c_str(), &end);
  if (end != text.c_str() + text.size() - 3) return std::nullopt;
  return mhz;
}

}  // namespace e2e
