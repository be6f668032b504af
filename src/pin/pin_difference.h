// What saving an edited PIN file would change on the card, once the card
// maker's tool flashes it: the fields in the card's own terms, old to new,
// and every other line that differs.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "pin/pin_file.h"
#include "platform/status.h"

namespace korvane {

// The figures of a G400 MAX as sold, the most any G400 was sold with.
inline constexpr int kMaxRamdacMHz = 360;
inline constexpr std::array<int, 3> kMaxCoreClockMHz = {82, 150, 150};  // VGA, 2D, 3D

// One line per difference between the card's dump and the text to be
// saved, in the program's language; values above a MAX's are marked. Both
// texts are in the program's text. Empty when they are equal. A text to be
// saved that does not decode as a PIN file is the decode error.
Result<std::vector<std::string>> PinDifferences(const PinText& card, const PinText& edited,
                                                bool secondary_output,
                                                std::string_view board_model);

}  // namespace korvane
