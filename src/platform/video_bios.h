// The primary display's video BIOS at C000:0000 (linear 0xC0000), where
// Windows 95/98 keep it for the DOS boxes. Microsoft does not promise that a
// 32-bit program can read it there (KB Q125691); period tools that ran on
// Windows 95/98 read it directly. Under Windows NT nothing is mapped there,
// and under Wine nothing is either until a test puts an image there. The
// program only ever reads it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace korvane {

// How the image was read, for the report.
enum class BiosReadWay {
  kReadProcessMemory,  // the system copied it
  kDirect,             // read in place, once the system said it was readable
};

class VideoBios {
 public:
  virtual ~VideoBios() = default;
  // The first `length` bytes at C000:0000, at most 64 KB, and how they were
  // read; empty when they cannot be read, never a fault.
  virtual std::optional<std::string> Read(std::size_t length, BiosReadWay* way) = 0;
};

}  // namespace korvane
