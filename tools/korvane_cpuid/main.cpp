// korvane-cpuid: what Korvane shows for processors recorded elsewhere, from
// dumps of their CPUID leaves or from machine reports users saved, with
// the same catalogue and platform inference as the program.
//   korvane-cpuid [--mhz N] FILE...
#include <cstdint>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "cpuid_description.h"
#include "platform/ascii.h"

int main(int argc, char** argv) {
  std::int32_t mhz = 0;
  int first = 1;
  if (argc > 2 && std::string(argv[1]) == "--mhz") {
    const auto value = korvane::ParseInteger(argv[2]);
    if (!value || *value < 0) {
      std::cerr << "korvane-cpuid: --mhz wants a whole number of megahertz\n";
      return 2;
    }
    mhz = *value;
    first = 3;
  }
  if (first >= argc) {
    std::cerr << "usage: korvane-cpuid [--mhz N] FILE...\n";
    return 2;
  }
  int status = 0;
  for (int i = first; i < argc; ++i) {
    std::ifstream file(argv[i], std::ios::binary);
    if (!file) {
      std::cerr << "korvane-cpuid: " << argv[i] << ": cannot be read\n";
      status = 1;
      continue;
    }
    std::ostringstream text;
    text << file.rdbuf();
    const auto description = korvane::DescribeCpuidDump(text.str(), mhz);
    if (!description) {
      std::cerr << "korvane-cpuid: " << argv[i] << ": no CPUID leaf 0 in it\n";
      status = 1;
      continue;
    }
    std::cout << "file: " << argv[i] << '\n' << korvane::FormatDescription(*description) << '\n';
  }
  return status;
}
