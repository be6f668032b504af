#include "sysinfo/processor_view.h"

#include <string_view>

#include "text/texts.h"

namespace korvane {
namespace {

struct Company {
  std::string_view vendor;
  int first_family;
  const char* name;
};

// Centaur's designs were IDT's WinChips until VIA bought Centaur in 1999;
// those of family 6, from the Cyrix III on, are VIA's.
constexpr Company kCompanies[] = {
    {"GenuineIntel", 0, "Intel"},     {"AuthenticAMD", 0, "AMD"}, {"CyrixInstead", 0, "Cyrix"},
    {"CentaurHauls", 6, "VIA"},       {"CentaurHauls", 0, "IDT"}, {"RiseRiseRise", 0, "Rise"},
    {"GenuineTMx86", 0, "Transmeta"},
};

}  // namespace

ProcessorView ViewProcessor(const TPentiumMMX& probe, std::int32_t mhz) {
  const CpuSignature cpu = ReadSignature(probe);
  ProcessorView view;
  view.company = Text(TextId::kUndefinedVendor);
  for (const Company& company : kCompanies) {
    if (company.vendor == cpu.vendor && cpu.family >= company.first_family) {
      view.company = company.name;
      break;
    }
  }
  view.identification = IdentifyCpu(cpu, mhz);
  const unsigned extras = view.identification.extras;
  // A catalogue row vouches for what it knows its processor has, even where
  // the processor's flags do not say so.
  view.mmx = probe.MMXsupport();
  view.now3d = probe.ThreeDNowSupport() || (extras & kExtra3DNow) != 0;
  view.enhanced_now3d = probe.EnhancedThreeDNowSupport() || (extras & kExtraEnhanced3DNow) != 0;
  view.sse = probe.SSIMDsupport() || (extras & kExtraSse) != 0;
  return view;
}

}  // namespace korvane
