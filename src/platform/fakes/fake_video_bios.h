// A video BIOS of the test's choosing: the image the test puts there, read
// as far as it reaches, the way the test says; no image reads as Windows NT
// does, refused.
#pragma once

#include <algorithm>
#include <optional>
#include <string>

#include "platform/video_bios.h"

namespace korvane {

class FakeVideoBios : public VideoBios {
 public:
  std::optional<std::string> Read(std::size_t length, BiosReadWay* read_way) override {
    most_read = std::max(most_read, length);
    if (!image || length > image->size()) return std::nullopt;
    *read_way = way;
    return image->substr(0, length);
  }
  std::optional<std::string> image;
  BiosReadWay way = BiosReadWay::kReadProcessMemory;
  std::size_t most_read = 0;  // the longest read asked for
};

}  // namespace korvane
