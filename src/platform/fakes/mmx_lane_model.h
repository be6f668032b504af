// The MMX instructions computed lane by lane in portable C++: what the
// processor's own instructions must give, and what the fake processor gives.
#pragma once

#include <cstdint>

#include "platform/processor.h"

namespace korvane {

std::uint64_t MmxLaneModel(MmxOp op, std::uint64_t destination, std::uint64_t source);

}  // namespace korvane
