// The G400 PIN file: the card's power-up information as the BIOS tool writes
// it, one field per line: offset, size and value, one separator character
// between them (the tool prints a space, the editor writes a TAB). Fields
// are found by line index and character position alone. Everything here works on the
// bytes of the file as the tool wrote them; only texts that are shown are
// converted to the program's text.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/text_lines.h"
#include "platform/status.h"

namespace korvane {

// The lines of a PIN file, without their line ends: split, joined and read
// by line and column as every text file the program reads (text_lines.h).
using PinText = TextLines;

// Line indexes of the fields the program reads or writes.
inline constexpr std::size_t kBiosVersionLine = 5;
inline constexpr std::size_t kBoardTypeLine = 14;
inline constexpr std::size_t kSerialNumberLine = 15;
inline constexpr std::size_t kModelNumberLine = 16;
inline constexpr std::size_t kFirstRamdacLine = 19;     // six lines: maximum, VGA, 8 to 32 bits
inline constexpr std::size_t kFirstSecondaryLine = 25;  // two lines
inline constexpr std::array<std::size_t, 3> kCoreClockLines = {33, 37, 41};  // VGA, 2D, 3D
// The last line the program reads or writes: the 3D option word.
inline constexpr std::size_t kLastFieldLine = 44;

inline constexpr char kMaxBoardModel[] = "Matrox Millennium G400 MAX";
// The board type digit of a G400 MAX.
inline constexpr int kMaxBoardTypeDigit = 7;

// The serial number's full text: what lies between the apostrophes of its
// line (to the line's end when the closing one is missing).
std::string_view SerialText(std::string_view line);

// Turns text of the file into the program's text, for what is shown.
using ShownText = std::function<std::string(std::string_view)>;

// The value of a 1-byte field line. The reader relies on a two-digit offset
// and a one-digit size: only a line of exactly 7 or 8 characters carries a
// value (its characters 6 on); any other line gives none. A value text that
// is not a decimal number is an error.
Result<std::optional<int>> ReadByteValue(const PinText& text, std::size_t index,
                                         const ShownText& shown);

// The stored byte counts RAMDAC limits in 4 MHz steps.
constexpr int RamdacFromStored(int stored) { return stored * 4; }
constexpr int StoredFromRamdac(int mhz) { return mhz / 4; }
// Both divisions truncate, in this order: core 82 gives 108.
constexpr int MemoryClockFor(int core_mhz) { return ((core_mhz * 2) / 3) * 2; }

// "360MHz"; a figure the file does not give is "???MHz".
std::string MHzText(std::optional<int> mhz);

// What decoding a G400 PIN file yields. Figures are empty where their line
// carries no value the reader accepts.
struct ChipFigures {
  std::string BiosVersion;
  std::string SerialNumber;  // the first 8 characters between the apostrophes
  std::string ModelNumber;
  int BoardTypeDigit = 0;
  std::array<std::optional<int>, 6> RamdacMHz = {0, 0, 0, 0, 0, 0};
  // Present only for boards with a secondary output.
  std::array<std::optional<int>, 2> SecondaryRamdacMHz = {};
  std::array<std::optional<int>, 3> CoreClockMHz = {0, 0, 0};
  std::array<std::optional<int>, 3> MemoryClockMHz = {0, 0, 0};
};

// The fields in the order they are decoded.
enum class PinField {
  kBiosVersion,
  kSerialNumber,
  kModelNumber,
  kRamdac,           // index 0 to 5
  kSecondaryRamdac,  // index 0 and 1
  kCoreClock,        // index 0 to 2, with the memory clock of the same mode
  kBoardType,
};

// Told of each field, with its index in its row, once it is in `figures`.
using FieldDecoded = std::function<void(PinField field, std::size_t index)>;

// Decodes field after field into `figures`. A value that is not a number stops
// the decode with an error: the fields before it are decoded, the ones after
// keep what they held. The secondary output's lines are read only when the
// board has one.
Status DecodePinText(const PinText& text, bool secondary_output, const ShownText& shown,
                     ChipFigures* figures, const FieldDecoded& decoded);

// A whole dump, as the BIOS tool writes it for a G400: it reaches the last
// line the program reads or writes, and every figure the chip tab shows is
// in it (the six RAMDAC limits, the three core clocks, and the secondary
// output's two on a board that has one). Anything less is a dump cut short
// or something else the tool printed, which is never shown, opened in the
// editor or saved as a PIN file: the card maker's tool would flash it.
//
// The first line, counted from 0, that a whole dump has and `text` lacks,
// given what `text` decoded to; none when it is whole.
std::optional<std::size_t> LineLackingFromWhole(const PinText& text, const ChipFigures& figures,
                                                bool secondary_output);

// Decodes `text` into `figures` and holds it to a whole dump. The decode's
// error stands; a text that decodes but is not whole is the error
// `not_whole` makes of the first line it lacks, counted from 1.
using NotWhole = std::function<Status(std::size_t line)>;
Status DecodeWholePinFile(const PinText& text, bool secondary_output, const ShownText& shown,
                          ChipFigures* figures, const NotWhole& not_whole);

// Whether two lines are the same field line but for the separators: the
// tool's spaces and the editor's TABs say the same to the card.
bool SameFieldLine(std::string_view a, std::string_view b);

// A field line as the editor writes it: offset, TAB, size, TAB, value.
std::string FieldLine(int offset, int size, std::string_view value);
// Replaces line `index` with `line` in place: the line keeps its place and
// the number of lines stays. An index past the last line changes nothing,
// nor does a line that holds the same field already: what the user did not
// change stays as the tool printed it.
void RewriteLine(std::vector<std::string>* lines, std::size_t index, std::string line);

}  // namespace korvane
