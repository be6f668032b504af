// libFuzzer target for the PIN reader: any bytes, read as a PIN file the
// tool might have written, must decode or fail cleanly, never read past a
// line, and survive a rewrite and a save unchanged in form.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "pin/pin_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korvane;
  using fuzz::Check;
  using fuzz::Same;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const PinText text = SplitLines(bytes);
  for (const std::string& line : text) {
    Check(line.find_first_of("\r\n") == std::string::npos);
  }
  // What is written is read back line for line.
  Check(SplitLines(JoinLines(text)) == text);

  for (const bool secondary : {true, false}) {
    ChipFigures figures;
    std::size_t fields = 0;
    const Status status =
        DecodePinText(text, secondary, Same, &figures, [&](PinField, std::size_t) { ++fields; });
    Check(fields <= 15);
    Check(status.ok() == (fields == 15));
    Check(status.ok() || !status.message().empty());
    Check(figures.BiosVersion.size() <= 4 && figures.SerialNumber.size() <= 8 &&
          figures.ModelNumber.size() <= 3);
    for (const auto& mhz : figures.RamdacMHz) Check(!mhz || (*mhz >= 0 && *mhz <= 999 * 4));
    for (const auto& mhz : figures.MemoryClockMHz) Check(!mhz || (*mhz >= 0 && *mhz <= 1332));
    if (status.ok()) Check(figures.BoardTypeDigit >= 0 && figures.BoardTypeDigit <= 9);
    if (!secondary) Check(!figures.SecondaryRamdacMHz[0] && !figures.SecondaryRamdacMHz[1]);
  }

  for (std::size_t index = 0; index < text.size() + 2; ++index) {
    const auto value = ReadByteValue(text, index, Same);
    if (value.ok() && value.value()) Check(*value.value() >= 0 && *value.value() <= 999);
  }
  const std::string_view serial = SerialText(LineAt(text, kSerialNumberLine));
  Check(serial.size() <= LineAt(text, kSerialNumberLine).size());

  // A rewrite keeps the line count, and its line reads back as written.
  PinText edited = text;
  RewriteLine(&edited, kFirstRamdacLine, FieldLine(38, 1, "91"));
  Check(edited.size() == text.size());
  if (text.size() > kFirstRamdacLine) {
    const auto read = ReadByteValue(edited, kFirstRamdacLine, Same);
    Check(read.ok() && read.value() == 91);
  }
  return 0;
}
