#include "cpuid_description.h"

#include "platform/fakes/cpuid_dump.h"
#include "sysinfo/platform_inference.h"
#include "sysinfo/processor_view.h"
#include "text/texts.h"

namespace korvane {
namespace {

const char* BoxState(bool enabled) { return enabled ? "enabled" : "disabled"; }

const char* YesNo(bool yes) { return yes ? "yes" : "no"; }

}  // namespace

std::optional<CpuidDescription> DescribeCpuidDump(std::string_view text, std::int32_t mhz) {
  FakeProcessor cpu;
  if (!LoadCpuidDump(text, cpu)) return std::nullopt;
  const TPentiumMMX probe("PentiumMMX1", cpu);
  const ProcessorView view = ViewProcessor(probe, mhz);
  const PlatformGuess guess = InferPlatform(ReadSignature(probe), mhz);

  CpuidDescription description;
  description.company = view.company;
  const Identification& found = view.identification;
  description.name = found.name ? CatalogueText(*found.name) : Text(TextId::kUnknownCpu);
  description.detail = found.detail ? CatalogueText(*found.detail) : std::string();
  description.platform =
      guess.platform ? std::string(*guess.platform) : Text(TextId::kUnknownPlatform);
  description.mmx = view.mmx;
  description.now3d = view.now3d;
  description.enhanced_now3d = view.enhanced_now3d;
  description.sse = view.sse;
  description.dnow_box = BoxState(guess.dnow);
  description.comwrite_box = BoxState(guess.comwrite);
  return description;
}

std::string FormatDescription(const CpuidDescription& d) {
  std::string text;
  const auto line = [&text](const char* key, std::string_view value) {
    text += key;
    text += ": ";
    text += value;
    text += '\n';
  };
  line("company", d.company);
  line("name", d.name);
  line("detail", d.detail);
  line("platform", d.platform);
  line("mmx", YesNo(d.mmx));
  line("3dnow", YesNo(d.now3d));
  line("e3dnow", YesNo(d.enhanced_now3d));
  line("sse", YesNo(d.sse));
  line("dnow-box", d.dnow_box);
  line("comwrite-box", d.comwrite_box);
  return text;
}

}  // namespace korvane
