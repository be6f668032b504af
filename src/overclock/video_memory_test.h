// The test of the card's memory and drawing engine: what a clock too fast
// for the card shows first, long before the machine hangs. A memory clock
// too fast flips single bits of what sits in video memory; a core clock too
// fast gives wrong pixels from the drawing engine.
//
// The test fills the free video memory with off-screen surfaces, up to what
// the largest G400 has, and runs passes over them. A memory pass writes
// every surface before it reads any back, so that what was written must stay
// in memory a while; an engine pass has the card copy and fill surfaces and
// reads the result back against what the processor computes.
//
// It works in slices, a strip of rows at a time: DirectDraw holds the Win16
// lock from Lock to Unlock, which stops every program's drawing on Windows
// 95/98, so no lock lasts longer than one strip, and the window answers
// between slices. A surface lost to a mode change or a full-screen DOS box
// is restored and its pass done again, never counted as an error. Every
// surface is released when the test ends, however it ends.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "platform/timer.h"
#include "platform/video_memory.h"

namespace korvane {

enum class TestSet { kQuick, kThorough };

enum class TestPass : std::uint8_t {
  kZeros,
  kOnes,
  kAlternating,         // 0x55555555 and 0xAAAAAAAA, word by word
  kAlternatingInverse,  // the same, the other way round
  kWalkingOnes,         // one bit set in each 128-bit word of the bus, a different one each word
  kWalkingZeros,
  kOwnOffset,  // each word holds its own offset: address lines
  kRandom,     // a seeded pseudo-random sequence
  kCardCopy,   // the drawing engine copies a random surface onto another
  kCardFill,   // the drawing engine fills each surface with a colour
};

enum class TestOutcome { kRunning, kPassed, kErrorsFound, kStopped, kDriverFailed };

// A word read back that differs from what was written (or what the card was
// told to draw); the offset counts from the start of the tested memory.
struct MemoryError {
  std::uint32_t offset;
  std::uint32_t wrote;
  std::uint32_t read;
  std::uint32_t differing;  // the bits that differ
};

// The errors a test keeps to show, of all it counts.
constexpr std::uint32_t kErrorsKept = 8;

struct TestProgress {
  TestOutcome outcome = TestOutcome::kStopped;
  std::uint32_t tested_bytes = 0;  // what the surfaces hold
  std::uint32_t free_before = 0;   // what the driver said was free
  std::uint32_t free_after = 0;    // once every surface was released
  std::uint32_t passes_done = 0;
  std::uint32_t passes_total = 0;
  TestPass pass = TestPass::kZeros;        // the pass under way
  TestPass error_pass = TestPass::kZeros;  // the pass of the first error
  std::uint32_t per_mille = 0;       // of the whole test
  std::uint32_t errors = 0;
  std::uint32_t repeated = 0;  // passes done again after lost surfaces
  // The first errors, as many as `errors` up to kErrorsKept.
  std::array<MemoryError, kErrorsKept> first_errors;
};

class VideoMemoryTest {
 public:
  // The largest G400 has 32 MB: the test never asks for more, whatever the
  // driver says is free.
  static constexpr std::uint32_t kMaxBytes = 32u << 20;

  VideoMemoryTest(VideoMemory& memory, MillisecondTimer& timer) : memory_(memory), timer_(timer) {}
  ~VideoMemoryTest() { Stop(); }
  VideoMemoryTest(const VideoMemoryTest&) = delete;
  VideoMemoryTest& operator=(const VideoMemoryTest&) = delete;

  // Opens the memory and begins; why it cannot, when it cannot. The first
  // error ends the test when `stop_at_first_error`.
  VideoMemoryRefusal Start(TestSet set, bool stop_at_first_error);
  // Works for about `budget_ms`; false once the test has ended.
  bool Work(std::uint32_t budget_ms);
  // Ends the test now, releasing every surface.
  void Stop() { End(TestOutcome::kStopped); }

  bool running() const { return progress_.outcome == TestOutcome::kRunning; }
  // The surfaces are lost and cannot be restored yet: a full-screen DOS box
  // or another program's display mode holds the card.
  bool waiting_for_surfaces() const { return lost_; }
  const TestProgress& progress() const { return progress_; }

 private:
  enum class Phase { kMake, kWrite, kDraw, kRead, kRelease };

  void Step();
  void MakeSurface();
  void DrawStep();
  void StripStep();
  // Counts a word read back wrong, and keeps it among the first; true when
  // that ends the test. `wrote` is what was written, with the bits a fill
  // leaves to the card as they were read.
  bool Mistaken(std::uint32_t y, std::uint32_t w, std::uint32_t read, std::uint32_t wrote);
  // Works out, as a pass begins, what its rows are made of.
  void PreparePass();
  // The words the pass puts in a row of the current surface.
  void ExpectRow(std::uint32_t row, std::uint32_t* words);
  // The round of the thorough set, which moves the walking bit and seeds
  // the random words and colours.
  std::uint32_t round() const;
  std::uint32_t seed() const;
  std::uint32_t FillColour(std::uint32_t surface) const;
  TestPass PassAt(std::uint32_t index) const;
  void NextPass();
  void BeginPass();
  void End(TestOutcome outcome);
  std::uint32_t surface_bytes() const { return rows_ * layout_.row_bytes; }
  // The surfaces a pass uses: an engine copy pairs them.
  std::uint32_t used_surfaces() const;

  VideoMemory& memory_;
  MillisecondTimer& timer_;
  VideoMemoryLayout layout_;
  TestSet set_ = TestSet::kQuick;
  bool stop_at_first_error_ = false;
  std::uint32_t rows_ = 0;
  std::uint32_t strip_rows_ = 0;
  std::uint32_t surfaces_ = 0;
  std::uint32_t limit_ = 0;
  Phase phase_ = Phase::kMake;
  std::uint32_t pass_index_ = 0;
  std::uint32_t surface_ = 0;
  std::uint32_t row_ = 0;
  bool lost_ = false;
  // The pass's repeating words; which bits of each word of a row a
  // read-back keeps; what the strip under way holds.
  std::vector<std::uint32_t> pattern_;
  std::uint32_t pattern_surface_ = ~0u;  // whose row a fill's pattern holds
  std::vector<std::uint32_t> mask_;
  std::vector<std::uint32_t> expected_;
  TestProgress progress_;
};

}  // namespace korvane
