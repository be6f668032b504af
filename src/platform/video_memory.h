// The display card's own memory, as DirectDraw lends it to a program at the
// normal cooperative level: off-screen surfaces beside the desktop's, never
// the visible screen and never a change of the display mode. DirectDraw is
// loaded when the memory is opened, not imported: Windows 95 as it shipped
// has none, and OSR2 has DirectX 2.0 (KB Q155002), whose interfaces are all
// this asks for.
#pragma once

#include <cstdint>

namespace korvane {

// What a surface's call came to. A mode change or a full-screen DOS box
// takes the card's memory from every surface (DDERR_SURFACELOST): that is
// no fault of the memory, and the surface is restored, not counted.
enum class SurfaceResult { kOk, kLost, kFailed };

// Why the memory could not be opened.
enum class VideoMemoryRefusal { kNone, kNoDirectDraw, kNoVideoSurface };

// What the driver gives: every surface is as wide as the screen, in the
// screen's pixel format.
struct VideoMemoryLayout {
  // Bytes of a row the program uses; a multiple of 4.
  std::uint32_t row_bytes = 0;
  std::uint32_t bytes_per_pixel = 0;
  // The bits of a pixel's bytes that a colour fill sets, byte by byte as
  // they lie in memory, from the first byte of a pixel on; an unused byte
  // (the X of X8R8G8B8) is 0.
  std::uint8_t fill_mask[4] = {};
  // Video memory the driver says is free, in bytes; saturated at 4 GB.
  std::uint32_t free_bytes = 0;
};

// A locked strip of rows: the first row's bytes, and the distance from one
// row to the next.
struct SurfaceStrip {
  std::uint8_t* bytes = nullptr;
  std::int32_t pitch = 0;
};

class VideoMemory {
 public:
  virtual ~VideoMemory() = default;
  // Loads DirectDraw and asks for the normal cooperative level.
  virtual VideoMemoryRefusal Open(VideoMemoryLayout* layout) = 0;
  // Makes one more off-screen surface of `rows` rows in video memory; false
  // when the driver refuses it.
  virtual bool AddSurface(std::uint32_t rows) = 0;
  // Locks `rows` rows from `first_row` on. The system's drawing may wait
  // while a surface is locked: the caller unlocks before anything else.
  virtual SurfaceResult Lock(std::uint32_t surface, std::uint32_t first_row, std::uint32_t rows,
                             SurfaceStrip* strip) = 0;
  virtual void Unlock(std::uint32_t surface) = 0;
  // Gives a lost surface its memory back; its contents are gone. kLost
  // while the card is still taken (a DOS box on the full screen), kFailed
  // when it never will be (the display mode has changed since it was made).
  virtual SurfaceResult Restore(std::uint32_t surface) = 0;
  // The card's own drawing engine copies one whole surface onto another of
  // the same size, or fills one with a colour in the surface's format.
  virtual SurfaceResult Copy(std::uint32_t from, std::uint32_t to) = 0;
  virtual SurfaceResult Fill(std::uint32_t surface, std::uint32_t colour) = 0;
  // Releases the surface made last: a driver may take its time over each,
  // and a program that lets go of many does so a few at a time.
  virtual void DropLastSurface() = 0;
  // Releases every surface, then DirectDraw; gives what the driver said was
  // free in between, 0 when it did not say. Safe to call again.
  virtual std::uint32_t Close() = 0;
};

}  // namespace korvane
