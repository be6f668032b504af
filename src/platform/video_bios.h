// The primary display's video BIOS, as Windows 95/98 shadow it at
// C000:0000 (linear 0xC0000) for the DOS boxes. Microsoft does not promise
// it to 32-bit programs, but there it is mapped into every process and
// readable; under Windows NT the address is not mapped, and under Wine it
// reads as zeros. Reading is all the program does with it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace korvane {

class VideoBios {
 public:
  virtual ~VideoBios() = default;
  // The first `length` bytes at C000:0000; empty when the system refuses
  // the read (nothing is mapped there), never a fault.
  virtual std::optional<std::string> Read(std::size_t length) = 0;
};

}  // namespace korvane
