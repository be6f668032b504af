// The PIN files of the simulated cards as the card maker's BIOS tool prints
// them with -d: a comment header, then one field per line (offset, size,
// value) with one space between them. Header and fields up to offset 36 are
// those of a real 32 MB Millennium G400 DualHead.
#pragma once

#include <cstddef>

// The simulated card, a Millennium G400 DualHead.
inline constexpr const char* kSimulatedG400Pin[] = {
    ";MGA Bios Programming Utility v1.94d",
    ";(C) Matrox Graphics Inc. (1999)",
    ";",
    "Fill: 0 127 0xFF",
    ";Matrox G400 AGP",
    ";VGA Enabled - BIOS V1.3",
    "",
    "",
    "0 2 0x412e",
    "2 1 0x80",
    "3 1 0xff",
    "4 2 0x0401",
    "6 2 0xc713",
    "8 2 2",
    "10 2 0x0300",
    "12 16 'KZ604123'",
    "28 6 '105B'",
    "34 2 0x38a1",
    "36 2 0xfff0",
    "38 1 75",
    "39 1 75",
    "40 1 75",
    "41 1 75",
    "42 1 75",
    "43 1 75",
    "44 1 34",
    "45 1 34",
    "46 1 0",
    "47 1 0",
    "48 2 0x0000",
    "50 2 0x0000",
    "52 2 0x0000",
    "54 1 0",
    "55 1 82",
    "56 1 41",
    "57 4 0x00000000",
    "61 4 0x24045491",
    "65 1 126",
    "66 1 63",
    "67 4 0x00000000",
    "71 4 0x24045491",
    "75 1 126",
    "76 1 63",
    "77 4 0x00000000",
    "81 4 0x24045491",
    "85 1 0",
    "86 2 0x0000",
    "88 1 0",
    "89 1 0",
};

// The lines in which the same card as a G400 MAX differs: its board type,
// RAMDAC limits, 2D and 3D clocks and the three option words.
struct SimulatedPinLine {
  std::size_t index;
  const char* line;
};
inline constexpr SimulatedPinLine kSimulatedG400MaxLines[] = {
    {14, "10 2 0x0700"}, {19, "38 1 90"},         {20, "39 1 90"},         {21, "40 1 90"},
    {22, "41 1 90"},     {23, "42 1 90"},         {24, "43 1 90"},         {36, "61 4 0x20049911"},
    {37, "65 1 150"},    {38, "66 1 75"},         {40, "71 4 0x20049911"}, {41, "75 1 150"},
    {42, "76 1 75"},     {44, "81 4 0x20049911"},
};
