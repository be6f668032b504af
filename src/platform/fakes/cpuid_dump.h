// Replays a processor from a recorded dump of its CPUID leaves. A line
//   CPUID 80000001: 00000780-00000000-00000000-C1C3FBFF
// as the machine report writes it, also as AIDA64 writes it: with a note
// after the registers ("[AuthenticAMD]"), without the colon, or with tabs
// between the fields; or libcpuid's older
//   basic_cpuid[1]=00000680 00000000 00000000 0383fbff
//   ext_cpuid[1]=00000780 00000000 00000000 c1c3fbff
// gives one leaf; every other line is passed over, so that a whole saved
// report can be read as it is. Of a leaf given again (AIDA64 gives one for
// each subleaf and each processor) the first counts: subleaf 0 of the
// first processor.
#pragma once

#include <string_view>

#include "platform/fakes/fake_processor.h"

namespace korvane {

// Gives `cpu` the dump's leaves and nothing else; false, leaving `cpu` as
// it was, when the dump holds no leaf 0.
bool LoadCpuidDump(std::string_view text, FakeProcessor& cpu);

}  // namespace korvane
