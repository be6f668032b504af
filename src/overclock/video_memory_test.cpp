#include "overclock/video_memory_test.h"

#include <algorithm>
#include <iterator>

namespace korvane {
namespace {

// A surface of about 256 KB leaves little of the free memory untested at
// its end; a strip of 16 KB is read back from a G400 across AGP in well
// under a millisecond, the longest any lock lasts.
constexpr std::uint32_t kSurfaceBytes = 256u << 10;
constexpr std::uint32_t kStripBytes = 16u << 10;

constexpr TestPass kQuickPasses[] = {TestPass::kAlternating, TestPass::kWalkingOnes,
                                     TestPass::kOwnOffset,   TestPass::kRandom,
                                     TestPass::kCardCopy,    TestPass::kCardFill};
// The thorough set runs every pass, four times over, each round with its
// own walking bit and its own random sequence.
constexpr std::uint32_t kThoroughRounds = 4;
constexpr std::uint32_t kPassKinds = 10;
// The walking bit comes back to its place every 128 transfers of 4 words;
// the random words repeat every 16 KB, each block changed by its own word.
constexpr std::uint32_t kWalkingPeriod = 512;
constexpr std::uint32_t kRandomPeriod = 4096;

// Spreads a word's bits over all of them (MurmurHash3's finaliser): a
// pseudo-random word for any place in the memory, without a sequence to
// keep.
std::uint32_t Mix(std::uint32_t x) {
  x ^= x >> 16;
  x *= 0x85EBCA6Bu;
  x ^= x >> 13;
  x *= 0xC2B2AE35u;
  return x ^ (x >> 16);
}

// The first word from `from` on that reads back other than expected, and
// in `value` what it read; `end` when there is none. Every word is read
// once, as it is: no cache or compiler keeps one, and a bit that flips now
// and then is judged as it was read. A function of its own, so that its
// loop keeps all it needs in registers.
[[gnu::noinline]] std::uint32_t FirstDifference(const volatile std::uint32_t* read,
                                                const std::uint32_t* expected, std::uint32_t from,
                                                std::uint32_t end, std::uint32_t* value) {
  for (; from < end; ++from) {
    const std::uint32_t word = read[from];
    if (word != expected[from]) {
      *value = word;
      break;
    }
  }
  return from;
}

// `count` words of `from`, each changed by `key`, at `to`: as
// FirstDifference, a loop of its own that keeps all it needs in registers.
[[gnu::noinline]] void XorCopy(std::uint32_t* to, const std::uint32_t* from, std::uint32_t count,
                               std::uint32_t key) {
  for (std::uint32_t i = 0; i < count; ++i) to[i] = from[i] ^ key;
}

}  // namespace

VideoMemoryRefusal VideoMemoryTest::Start(TestSet set, bool stop_at_first_error) {
  Stop();
  progress_ = TestProgress{};
  layout_ = VideoMemoryLayout{};
  surfaces_ = 0;
  const VideoMemoryRefusal refusal = memory_.Open(&layout_);
  if (refusal == VideoMemoryRefusal::kNone && layout_.row_bytes >= 4) {
    rows_ = std::max<std::uint32_t>(1, kSurfaceBytes / layout_.row_bytes);
    strip_rows_ = std::max<std::uint32_t>(1, kStripBytes / layout_.row_bytes);
    limit_ = layout_.free_bytes ? std::min(kMaxBytes, layout_.free_bytes) : kMaxBytes;
    if (surface_bytes() <= limit_ && memory_.AddSurface(rows_)) surfaces_ = 1;
  }
  if (surfaces_ == 0) {
    memory_.Close();
    return refusal == VideoMemoryRefusal::kNone ? VideoMemoryRefusal::kNoVideoSurface : refusal;
  }
  set_ = set;
  stop_at_first_error_ = stop_at_first_error;
  pass_index_ = 0;
  phase_ = Phase::kMake;
  lost_ = false;
  progress_.outcome = TestOutcome::kRunning;
  progress_.tested_bytes = surface_bytes();
  progress_.free_before = layout_.free_bytes;
  progress_.passes_total =
      set == TestSet::kQuick ? std::size(kQuickPasses) : kThoroughRounds * kPassKinds;
  progress_.pass = PassAt(0);
  return VideoMemoryRefusal::kNone;
}

bool VideoMemoryTest::Work(std::uint32_t budget_ms) {
  const std::uint32_t start = timer_.Now();
  for (bool first = true; running(); first = false) {
    // DirectDraw itself is let go at the start of a slice of its own: the
    // driver may take a while over it.
    if (phase_ == Phase::kRelease && surfaces_ == 0 && !first) break;
    if (lost_) {
      for (std::uint32_t s = 0; s < surfaces_; ++s) {
        const SurfaceResult restored = memory_.Restore(s);
        // Still in the DOS box: tried again next time.
        if (restored == SurfaceResult::kLost) return true;
        if (restored == SurfaceResult::kFailed) {
          End(TestOutcome::kDriverFailed);
          return false;
        }
      }
      lost_ = false;
      ++progress_.repeated;
      BeginPass();
    }
    Step();
    if (timer_.Now() - start >= budget_ms) break;
  }
  if (running() && phase_ != Phase::kMake && phase_ != Phase::kRelease) {
    const std::uint32_t used = used_surfaces();
    const std::uint32_t within = (phase_ == Phase::kRead ? used : 0) + surface_;
    progress_.per_mille = static_cast<std::uint32_t>(
        (static_cast<std::uint64_t>(progress_.passes_done) * 2 * used + within) * 1000 /
        (static_cast<std::uint64_t>(progress_.passes_total) * 2 * used));
  }
  return running();
}

std::uint32_t VideoMemoryTest::used_surfaces() const {
  return progress_.pass == TestPass::kCardCopy ? surfaces_ & ~1u : surfaces_;
}

void VideoMemoryTest::Step() {
  switch (phase_) {
    case Phase::kMake:
      return MakeSurface();
    case Phase::kDraw:
      return DrawStep();
    case Phase::kWrite:
    case Phase::kRead:
      return StripStep();
    case Phase::kRelease:
      if (surfaces_ == 0) {
        return End(progress_.errors ? TestOutcome::kErrorsFound : TestOutcome::kPassed);
      }
      memory_.DropLastSurface();
      --surfaces_;
      return;
  }
}

void VideoMemoryTest::MakeSurface() {
  if (progress_.tested_bytes + surface_bytes() <= limit_ && memory_.AddSurface(rows_)) {
    ++surfaces_;
    progress_.tested_bytes += surface_bytes();
    return;
  }
  // The driver refuses more, or they hold as much as the card has.
  BeginPass();
}

TestPass VideoMemoryTest::PassAt(std::uint32_t index) const {
  return set_ == TestSet::kQuick ? kQuickPasses[index] : static_cast<TestPass>(index % kPassKinds);
}

void VideoMemoryTest::BeginPass() {
  progress_.pass = PassAt(pass_index_);
  PreparePass();
  const bool card_writes = progress_.pass == TestPass::kCardFill;
  phase_ = card_writes ? Phase::kDraw : Phase::kWrite;
  surface_ = 0;
  row_ = 0;
  // A copy needs a pair of surfaces.
  if (used_surfaces() == 0) NextPass();
}

void VideoMemoryTest::NextPass() {
  ++progress_.passes_done;
  // The surfaces are let go one a step, as they were made: all at once
  // would keep the window from answering while the driver frees them.
  if (++pass_index_ == progress_.passes_total) {
    phase_ = Phase::kRelease;
    return;
  }
  BeginPass();
}

void VideoMemoryTest::DrawStep() {
  const bool copy = progress_.pass == TestPass::kCardCopy;
  const SurfaceResult result =
      copy ? memory_.Copy(surface_, surface_ + 1) : memory_.Fill(surface_, FillColour(surface_));
  if (result == SurfaceResult::kLost) {
    lost_ = true;
    return;
  }
  if (result != SurfaceResult::kOk) return End(TestOutcome::kDriverFailed);
  surface_ += copy ? 2 : 1;
  if (surface_ >= used_surfaces()) {
    phase_ = Phase::kRead;
    surface_ = 0;
  }
}

void VideoMemoryTest::StripStep() {
  const bool write = phase_ == Phase::kWrite;
  const std::uint32_t rows = std::min(strip_rows_, rows_ - row_);
  const std::uint32_t row_words = layout_.row_bytes / 4;
  // What the rows should read back as is worked out before the lock, which
  // then lasts only as long as the reading.
  if (!write) {
    expected_.resize(rows * row_words);
    for (std::uint32_t y = 0; y < rows; ++y) ExpectRow(row_ + y, &expected_[y * row_words]);
  }
  SurfaceStrip strip;
  const SurfaceResult locked = memory_.Lock(surface_, row_, rows, &strip);
  if (locked == SurfaceResult::kLost) {
    lost_ = true;
    return;
  }
  if (locked != SurfaceResult::kOk) return End(TestOutcome::kDriverFailed);
  // Plain pointers: the loops below run over every word of the memory, and
  // the library's checked indexing would cost as much as the reading.
  const std::uint32_t* expected = expected_.data();
  const std::uint32_t* mask = mask_.data();
  const bool masked = progress_.pass == TestPass::kCardFill;
  bool stop = false;
  for (std::uint32_t y = 0; y < rows && !stop; ++y, expected += row_words) {
    std::uint8_t* row = strip.bytes + static_cast<std::int32_t>(y) * strip.pitch;
    if (write) {
      // Written straight into the card's memory: the unlock that follows
      // is a call the compiler cannot see past.
      ExpectRow(row_ + y, reinterpret_cast<std::uint32_t*>(row));
      continue;
    }
    const auto* words = reinterpret_cast<const volatile std::uint32_t*>(row);
    std::uint32_t read = 0;
    for (std::uint32_t w = 0;
         !stop && (w = FirstDifference(words, expected, w, row_words, &read)) < row_words; ++w) {
      const std::uint32_t keep = masked ? mask[w] : ~0u;
      if (((read ^ expected[w]) & keep) == 0) continue;
      stop = Mistaken(y, w, read, (expected[w] & keep) | (read & ~keep));
    }
  }
  memory_.Unlock(surface_);
  if (stop) return End(TestOutcome::kErrorsFound);
  row_ += rows;
  if (row_ < rows_) return;
  row_ = 0;
  // A copy's targets are written by the card.
  surface_ += write && progress_.pass == TestPass::kCardCopy ? 2 : 1;
  if (surface_ < used_surfaces()) return;
  surface_ = 0;
  if (!write) return NextPass();
  phase_ = progress_.pass == TestPass::kCardCopy ? Phase::kDraw : Phase::kRead;
}

bool VideoMemoryTest::Mistaken(std::uint32_t y, std::uint32_t w, std::uint32_t read,
                               std::uint32_t wrote) {
  if (progress_.errors < kErrorsKept) {
    progress_.first_errors[progress_.errors] = {
        (surface_ * rows_ + row_ + y) * layout_.row_bytes + w * 4, wrote, read, read ^ wrote};
  }
  if (progress_.errors++ == 0) progress_.error_pass = progress_.pass;
  return stop_at_first_error_;
}

std::uint32_t VideoMemoryTest::round() const { return pass_index_ / kPassKinds; }

std::uint32_t VideoMemoryTest::seed() const { return 0x4B6F7276u + round() * 0x9E3779B9u; }

std::uint32_t VideoMemoryTest::FillColour(std::uint32_t surface) const {
  return Mix(surface ^ seed());
}

void VideoMemoryTest::PreparePass() {
  const std::uint32_t row_words = layout_.row_bytes / 4;
  // Which bits a read-back must keep: all, but for the bits of a pixel a
  // fill leaves to the card.
  mask_.assign(row_words, ~0u);
  pattern_.clear();
  pattern_surface_ = ~0u;
  switch (progress_.pass) {
    case TestPass::kWalkingOnes:
    case TestPass::kWalkingZeros:
      // Four words make one 128-bit transfer of the G400's bus; the bit
      // that is set moves on by one with each transfer.
      for (std::uint32_t at = 0; at < kWalkingPeriod; ++at) {
        const std::uint32_t bit = ((at >> 2) + round() * 32) & 127;
        const std::uint32_t one = bit >> 5 == (at & 3) ? 1u << (bit & 31) : 0;
        pattern_.push_back(progress_.pass == TestPass::kWalkingOnes ? one : ~one);
      }
      break;
    case TestPass::kRandom:
    case TestPass::kCardCopy:
      for (std::uint32_t at = 0; at < kRandomPeriod; ++at) pattern_.push_back(Mix(at ^ seed()));
      break;
    case TestPass::kCardFill:
      for (std::uint32_t w = 0; w < row_words; ++w) {
        std::uint32_t mask = 0;
        for (std::uint32_t k = 0; k < 4; ++k) {
          mask |= std::uint32_t{layout_.fill_mask[(w * 4 + k) % layout_.bytes_per_pixel]} << 8 * k;
        }
        mask_[w] = mask;
      }
      break;
    default:
      break;
  }
}

void VideoMemoryTest::ExpectRow(std::uint32_t row, std::uint32_t* words) {
  const std::uint32_t row_words = layout_.row_bytes / 4;
  const std::uint32_t surface_words = rows_ * row_words;
  std::uint32_t at = surface_ * surface_words + row * row_words;
  const std::uint32_t* pattern = pattern_.data();
  switch (progress_.pass) {
    case TestPass::kZeros:
    case TestPass::kOnes:
      std::fill_n(words, row_words, progress_.pass == TestPass::kZeros ? 0u : ~0u);
      return;
    case TestPass::kAlternating:
    case TestPass::kAlternatingInverse: {
      const std::uint32_t odd =
          progress_.pass == TestPass::kAlternating ? 0xAAAAAAAAu : 0x55555555u;
      std::uint32_t word = at & 1 ? odd : ~odd;
      for (std::uint32_t w = 0; w < row_words; ++w, word = ~word) words[w] = word;
      return;
    }
    case TestPass::kOwnOffset:
      for (std::uint32_t w = 0; w < row_words; ++w, ++at) words[w] = at * 4;
      return;
    case TestPass::kWalkingOnes:
    case TestPass::kWalkingZeros:
    case TestPass::kRandom:
    case TestPass::kCardCopy: {
      // The walking bits repeat as they are; the random sequence of 16 KB
      // is laid over each block of the memory changed by a word of that
      // block's own. An odd surface of a copy holds the copy of the one
      // before it.
      const bool random =
          progress_.pass == TestPass::kRandom || progress_.pass == TestPass::kCardCopy;
      const std::uint32_t period = random ? kRandomPeriod : kWalkingPeriod;
      if (progress_.pass == TestPass::kCardCopy) at -= (surface_ & 1) * surface_words;
      for (std::uint32_t w = 0; w < row_words;) {
        const std::uint32_t run = std::min(row_words - w, period - at % period);
        XorCopy(words + w, pattern + at % period, run, random ? Mix(at / period + seed()) : 0);
        w += run;
        at += run;
      }
      return;
    }
    case TestPass::kCardFill:
      // The fill's colour, repeated pixel after pixel along each row: the
      // same row all down a surface.
      if (pattern_surface_ != surface_) {
        pattern_surface_ = surface_;
        const std::uint32_t colour = FillColour(surface_);
        pattern_.resize(row_words);
        for (std::uint32_t w = 0; w < row_words; ++w) {
          std::uint32_t pixels = 0;
          for (std::uint32_t k = 0; k < 4; ++k) {
            pixels |= (colour >> 8 * ((w * 4 + k) % layout_.bytes_per_pixel) & 0xFF) << 8 * k;
          }
          pattern_[w] = pixels;
        }
      }
      std::copy_n(pattern_.begin(), row_words, words);
      return;
  }
}

void VideoMemoryTest::End(TestOutcome outcome) {
  if (!running()) return;
  progress_.outcome = outcome;
  progress_.free_after = memory_.Close();
  surfaces_ = 0;
}

}  // namespace korvane
