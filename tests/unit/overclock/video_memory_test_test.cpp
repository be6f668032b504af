#include "overclock/video_memory_test.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/fakes/fake_timer.h"
#include "platform/fakes/fake_video_memory.h"

namespace korvane {
namespace {

// Each fault an overclock causes is caught, by the pass that should catch
// it, and what is no fault of the memory is not counted.
TEST(VideoMemoryTestTest, EachFaultIsCaughtOrNotCountedAsItShouldBe) {
  const struct {
    const char* name;
    std::function<void(FakeVideoMemory&)> fault;
    bool stop_at_first_error;
    TestOutcome outcome;
    TestPass first_error_pass;      // where errors are expected
    std::uint32_t first_error_offset;
    std::uint32_t differing;
    std::uint32_t repeated;
  } cases[] = {
      {"sound memory", [](FakeVideoMemory&) {}, false, TestOutcome::kPassed, {}, 0, 0, 0},
      {"a stuck bit", [](FakeVideoMemory& m) { m.stuck_byte = 70001, m.stuck_bit = 3; }, false,
       TestOutcome::kErrorsFound, TestPass::kAlternating, 70000, 1u << 11, 0},
      {"a bit that flips above 280 MHz, at 300",
       [](FakeVideoMemory& m) { m.flip_byte = 5000, m.clock_mhz = 300, m.flip_above_mhz = 280; },
       true, TestOutcome::kErrorsFound, TestPass::kAlternating, 5000, 1, 0},
      {"the same bit at 250 MHz",
       [](FakeVideoMemory& m) { m.flip_byte = 5000, m.flip_above_mhz = 280; }, false,
       TestOutcome::kPassed, {}, 0, 0, 0},
      // Patterns that repeat every 64 KB cannot see it; the words' own
      // offsets can.
      {"an address line that stays low",
       [](FakeVideoMemory& m) { m.dead_address_bit = 1u << 16; }, false,
       TestOutcome::kErrorsFound, TestPass::kOwnOffset, 0, 1u << 16, 0},
      {"surfaces lost mid-pass", [](FakeVideoMemory& m) { m.lose_at_lock = 100; }, false,
       TestOutcome::kPassed, {}, 0, 0, 1},
  };
  for (const auto& c : cases) {
    FakeVideoMemory memory;
    FakeTimer timer;
    c.fault(memory);
    VideoMemoryTest test(memory, timer);
    ASSERT_EQ(test.Start(TestSet::kQuick, c.stop_at_first_error), VideoMemoryRefusal::kNone);
    while (test.Work(20)) {
    }
    const TestProgress& p = test.progress();
    EXPECT_EQ(p.outcome, c.outcome) << c.name;
    EXPECT_EQ(p.tested_bytes, memory.card_bytes) << c.name;
    EXPECT_EQ(p.repeated, c.repeated) << c.name;
    EXPECT_EQ(memory.closed, 1u) << c.name << ": the surfaces were not released";
    if (c.outcome == TestOutcome::kPassed) {
      EXPECT_EQ(p.errors, 0u) << c.name;
      EXPECT_EQ(p.passes_done, p.passes_total) << c.name;
      continue;
    }
    ASSERT_GT(p.errors, 0u) << c.name;
    EXPECT_EQ(p.error_pass, c.first_error_pass) << c.name;
    EXPECT_EQ(p.first_errors[0].offset, c.first_error_offset) << c.name;
    EXPECT_EQ(p.first_errors[0].differing, c.differing) << c.name;
    EXPECT_EQ(p.first_errors[0].read ^ p.first_errors[0].wrote, c.differing) << c.name;
    if (c.stop_at_first_error) {
      EXPECT_EQ(p.errors, 1u) << c.name;
    }
  }
}

TEST(VideoMemoryTestTest, TakesNoMoreThanTheDriverOffersAndSaysWhyItCannotStart) {
  FakeVideoMemory memory;
  FakeTimer timer;
  memory.free_bytes = 600u << 10;
  VideoMemoryTest test(memory, timer);
  ASSERT_EQ(test.Start(TestSet::kThorough, false), VideoMemoryRefusal::kNone);
  while (test.Work(20)) {
  }
  EXPECT_EQ(test.progress().outcome, TestOutcome::kPassed);
  EXPECT_EQ(test.progress().tested_bytes, 512u << 10);
  EXPECT_EQ(test.progress().passes_done, 40u);
  EXPECT_EQ(test.progress().free_after, memory.free_bytes);

  memory.refusal = VideoMemoryRefusal::kNoDirectDraw;
  EXPECT_EQ(test.Start(TestSet::kQuick, false), VideoMemoryRefusal::kNoDirectDraw);
  memory.refusal = VideoMemoryRefusal::kNone;
  memory.card_bytes = 0;
  EXPECT_EQ(test.Start(TestSet::kQuick, false), VideoMemoryRefusal::kNoVideoSurface);
  EXPECT_FALSE(test.running());
  EXPECT_EQ(memory.closed, 3u);
}

}  // namespace
}  // namespace korvane
