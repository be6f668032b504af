// A video BIOS of the test's choosing: the image the test puts there, read
// as far as it reaches, the way the test says; no image reads as Windows NT
// does, refused.
#pragma once

#include <optional>
#include <string>

#include "platform/video_bios.h"

namespace korvane {

class FakeVideoBios : public VideoBios {
 public:
  std::optional<std::string> Read(std::size_t length, BiosReadWay* read_way) override {
    if (!image || length > image->size()) return std::nullopt;
    *read_way = way;
    return image->substr(0, length);
  }
  std::optional<std::string> image;
  BiosReadWay way = BiosReadWay::kReadProcessMemory;
};

}  // namespace korvane
