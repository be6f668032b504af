// libFuzzer target for support's tool's reader of CPUID dumps: any bytes are
// refused, leaving the processor as it was, or give leaves that, written as
// the machine report writes them, read back the same.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "platform/fakes/cpuid_dump.h"
#include "sysinfo/cpuid_leaves.h"

namespace {

bool Same(const std::vector<korvane::CpuidRegisters>& a,
          const std::vector<korvane::CpuidRegisters>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].eax != b[i].eax || a[i].ebx != b[i].ebx || a[i].ecx != b[i].ecx ||
        a[i].edx != b[i].edx) {
      return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korvane;
  using fuzz::Check;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const FakeProcessor untouched;
  FakeProcessor read;
  if (!LoadCpuidDump(text, read)) {
    Check(read.has_cpuid == untouched.has_cpuid && Same(read.leaves, untouched.leaves) &&
          Same(read.extended_leaves, untouched.extended_leaves));
    return 0;
  }
  Check(read.has_cpuid && !read.leaves.empty());
  Check(read.leaves.size() <= 0x100 && read.extended_leaves.size() <= 0x100);
  std::string written;
  for (std::uint32_t i = 0; i < read.leaves.size(); ++i) {
    written += CpuidLine({i, read.leaves[i]}) + "\r\n";
  }
  for (std::uint32_t i = 0; i < read.extended_leaves.size(); ++i) {
    written += CpuidLine({FakeProcessor::kExtendedBase + i, read.extended_leaves[i]}) + "\r\n";
  }
  FakeProcessor again;
  Check(LoadCpuidDump(written, again));
  Check(Same(again.leaves, read.leaves) && Same(again.extended_leaves, read.extended_leaves));
  return 0;
}
