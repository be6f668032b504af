// A card's memory of the test's choosing, with the faults an overclock
// causes: a bit stuck, a bit that flips once the clock is above a limit, an
// address line that does not switch, and surfaces lost to a mode change.
// What a lock hands out is a copy with a wider pitch than the rows: the
// memory itself is reached only through the faults.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/video_memory.h"

namespace korvane {

class FakeVideoMemory : public VideoMemory {
 public:
  VideoMemoryRefusal Open(VideoMemoryLayout* layout) override {
    *layout = {row_bytes, 4, {0xFF, 0xFF, 0xFF, 0}, free_bytes};
    return refusal;
  }
  bool AddSurface(std::uint32_t rows) override {
    if (cells_.size() + rows * row_bytes > card_bytes) return false;
    surface_bytes_ = rows * row_bytes;
    cells_.resize(cells_.size() + surface_bytes_);
    return true;
  }
  SurfaceResult Lock(std::uint32_t surface, std::uint32_t first_row, std::uint32_t rows,
                     SurfaceStrip* strip) override {
    if (lose_at_lock && ++locks_ == lose_at_lock) lost_ = true;
    if (lost_) return SurfaceResult::kLost;
    locked_at_ = surface * surface_bytes_ + first_row * row_bytes;
    locked_rows_ = rows;
    pitch_ = row_bytes + 64;
    buffer_.assign(rows * pitch_, 0);
    for (std::uint32_t y = 0; y < rows; ++y) {
      for (std::uint32_t x = 0; x < row_bytes; ++x) {
        buffer_[y * pitch_ + x] = ReadCell(locked_at_ + y * row_bytes + x);
      }
    }
    *strip = {buffer_.data(), static_cast<std::int32_t>(pitch_)};
    return SurfaceResult::kOk;
  }
  void Unlock(std::uint32_t) override {
    for (std::uint32_t y = 0; y < locked_rows_; ++y) {
      for (std::uint32_t x = 0; x < row_bytes; ++x) {
        WriteCell(locked_at_ + y * row_bytes + x, buffer_[y * pitch_ + x]);
      }
    }
  }
  SurfaceResult Restore(std::uint32_t) override {
    lost_ = false;
    std::memset(cells_.data(), 0xDE, cells_.size());
    return SurfaceResult::kOk;
  }
  SurfaceResult Copy(std::uint32_t from, std::uint32_t to) override {
    for (std::uint32_t i = 0; i < surface_bytes_; ++i) {
      WriteCell(to * surface_bytes_ + i, ReadCell(from * surface_bytes_ + i));
    }
    return SurfaceResult::kOk;
  }
  SurfaceResult Fill(std::uint32_t surface, std::uint32_t colour) override {
    // The unused fourth byte takes anything: here what the colour does not say.
    const std::uint32_t pixel = (colour & 0x00FFFFFF) | (~colour & 0xFF000000);
    for (std::uint32_t i = 0; i < surface_bytes_; ++i) {
      WriteCell(surface * surface_bytes_ + i, static_cast<std::uint8_t>(pixel >> 8 * (i % 4)));
    }
    return SurfaceResult::kOk;
  }
  void DropLastSurface() override { cells_.resize(cells_.size() - surface_bytes_); }
  std::uint32_t Close() override {
    cells_.clear();
    ++closed;
    return free_bytes;
  }

  VideoMemoryRefusal refusal = VideoMemoryRefusal::kNone;
  std::uint32_t row_bytes = 1024;
  std::uint32_t free_bytes = 0;
  std::uint32_t card_bytes = 1u << 20;
  // A bit of one byte that reads as 1 whatever was written.
  std::int64_t stuck_byte = -1;
  std::uint8_t stuck_bit = 0;
  // A bit of one byte that flips as it is read while `clock_mhz` is above
  // `flip_above_mhz`.
  std::int64_t flip_byte = -1;
  int clock_mhz = 250;
  int flip_above_mhz = 1000;
  // An address line that stays low: the byte at an offset with this bit
  // set is the one at the offset without it.
  std::uint32_t dead_address_bit = 0;
  // The lock, counted from 1, at which every surface is lost.
  std::uint32_t lose_at_lock = 0;
  std::uint32_t closed = 0;

 private:
  std::uint32_t Cell(std::uint32_t offset) const { return offset & ~dead_address_bit; }
  std::uint8_t ReadCell(std::uint32_t offset) const {
    std::uint8_t value = cells_[Cell(offset)];
    if (offset == stuck_byte) value |= 1 << stuck_bit;
    if (offset == flip_byte && clock_mhz > flip_above_mhz) value ^= 1;
    return value;
  }
  void WriteCell(std::uint32_t offset, std::uint8_t value) { cells_[Cell(offset)] = value; }

  std::vector<std::uint8_t> cells_;
  std::vector<std::uint8_t> buffer_;
  std::uint32_t surface_bytes_ = 0;
  std::uint32_t locked_at_ = 0;
  std::uint32_t locked_rows_ = 0;
  std::uint32_t locks_ = 0;
  std::uint32_t pitch_ = 0;
  bool lost_ = false;
};

}  // namespace korvane
