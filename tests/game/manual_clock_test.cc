#include <gtest/gtest.h>

#include <cstdint>

#include "game/clock.h"

namespace vantel {
namespace {

constexpr double kTwoTo32 = 4294967296.0;

TEST(ManualClock, CountsWholeMillisecondsBelowTheWrap) {
  ManualClock clock;
  clock.Advance(1000.0 / 60.0);
  EXPECT_EQ(clock.GetTickCount(), 16u);
  ManualClock late(kTwoTo32 - 0.5);
  EXPECT_EQ(late.GetTickCount(), 4294967295u);
}

// The tick count wraps past 2^32 ms like the system's, however long the run.
TEST(ManualClock, WrapsPastTwoToThe32Milliseconds) {
  ManualClock clock(kTwoTo32 - 10);
  clock.Advance(15);
  EXPECT_EQ(clock.GetTickCount(), 5u);
  clock.Advance(3 * kTwoTo32);
  EXPECT_EQ(clock.GetTickCount(), 5u);
  ManualClock far(1e16);
  const double expected =
      1e16 - kTwoTo32 * static_cast<double>(static_cast<uint64_t>(1e16 / kTwoTo32));
  EXPECT_EQ(far.GetTickCount(), static_cast<uint32_t>(expected));
}

// Steps of 1e7 ms, as a simulator run with long frames takes them.
TEST(ManualClock, LongFramesKeepTheCountWithinRange) {
  ManualClock clock;
  uint32_t previous = 0;
  int wraps = 0;
  for (int frame = 0; frame < 2000; ++frame) {
    clock.Advance(1e7);
    const uint32_t now = clock.GetTickCount();
    if (now < previous) ++wraps;
    previous = now;
  }
  EXPECT_EQ(wraps, static_cast<int>(2000 * 1e7 / kTwoTo32));
}

}  // namespace
}  // namespace vantel
