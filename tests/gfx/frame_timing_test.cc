#include <gtest/gtest.h>

#include <vector>

#include "gfx/frame_limiter.h"
#include "gfx/frame_rate.h"

namespace vantel {
namespace {

// Time that moves only by sleeping, or by a small step on every reading (the spin).
class FakePaceClock final : public PaceClock {
 public:
  double NowMs() override {
    now += read_step;
    return now;
  }
  void SleepMs(double ms) override {
    sleeps.push_back(ms);
    now += ms + oversleep;
  }
  double now = 1000;
  double read_step = 0.01;
  double oversleep = 0;
  std::vector<double> sleeps;
};

TEST(FrameLimiterTest, FramesKeepASixtyHertzScheduleWithoutDrift) {
  FakePaceClock clock;
  FrameLimiter limiter(clock);
  limiter.Wait();  // the first frame starts the schedule
  const double start = limiter.NextDeadline();
  for (int frame = 1; frame <= 600; ++frame) {
    clock.now += 2.0;  // a cheap frame
    limiter.Wait();
    EXPECT_GE(clock.now, start + FrameLimiter::kPeriodMs * (frame - 1) - 1e-6);
  }
  // 600 frames later the deadline is exactly 600 periods on: no drift.
  EXPECT_NEAR(limiter.NextDeadline(), start + 600 * FrameLimiter::kPeriodMs, 1e-6);
  EXPECT_NEAR(clock.now, start + 599 * FrameLimiter::kPeriodMs, 0.05);
  // It slept until 1.5 ms before each deadline and spun the rest.
  EXPECT_NEAR(clock.sleeps.back(), FrameLimiter::kPeriodMs - 2.0 - 1.5, 0.1);
}

TEST(FrameLimiterTest, OversleepIsAbsorbedBySpinningLess) {
  FakePaceClock clock;
  clock.oversleep = 1.0;
  FrameLimiter limiter(clock);
  limiter.Wait();
  const double first = limiter.NextDeadline();
  for (int i = 0; i < 10; ++i) limiter.Wait();
  EXPECT_NEAR(clock.now, first + 9 * FrameLimiter::kPeriodMs, 0.05);
}

TEST(FrameLimiterTest, ALateFrameStartsANewScheduleInsteadOfRacing) {
  FakePaceClock clock;
  FrameLimiter limiter(clock);
  limiter.Wait();
  clock.now += 100;  // a long stall
  const double stalled = clock.now;
  limiter.Wait();
  EXPECT_NEAR(limiter.NextDeadline(), stalled + FrameLimiter::kPeriodMs, 0.05);
  const double before = clock.now;
  limiter.Wait();
  EXPECT_GE(clock.now - before, FrameLimiter::kPeriodMs - 0.1);
}

TEST(FrameRateTest, ThirtyFramesOverTheSecondsElapsed) {
  double seconds = 100;
  FrameRateMeter meter([&] { return seconds; });
  for (int i = 0; i < 29; ++i) EXPECT_EQ(meter.FramesPerSecond(), 0);
  // The first sample counts from zero; the real rates follow.
  meter.FramesPerSecond();
  seconds += 0.5;
  for (int i = 0; i < 29; ++i) meter.FramesPerSecond();
  EXPECT_DOUBLE_EQ(meter.FramesPerSecond(), 60.0);
  // A clock that has not moved keeps the old rate and still restarts the count.
  for (int i = 0; i < 30; ++i) meter.FramesPerSecond();
  seconds += 1.0;
  for (int i = 0; i < 29; ++i) meter.FramesPerSecond();
  EXPECT_DOUBLE_EQ(meter.FramesPerSecond(), 30.0);
  // Midnight: the clock starts again from zero; no negative rate.
  seconds = 0.2;
  for (int i = 0; i < 30; ++i) meter.FramesPerSecond();
  EXPECT_DOUBLE_EQ(meter.FramesPerSecond(), 30.0);
}

TEST(FrameRateTest, CaptionFormatsOneDecimalWithoutLeadingZero) {
  EXPECT_EQ(FormatFrameRate(60.0), "60.0");
  EXPECT_EQ(FormatFrameRate(0.5), ".5");
  EXPECT_EQ(FormatFrameRate(59.94), "59.9");
  EXPECT_EQ(WindowCaptionText(12, 34, 60), "   12   34    Frames per Second =60.0");
}

// The game loop sleeps on events itself and asks the limiter only when the
// next frame is due; the schedule must be the one Wait keeps.
TEST(FrameLimiterTest, ALoopThatWaitsItselfKeepsTheSameSchedule) {
  FakePaceClock clock;
  clock.read_step = 0;
  FrameLimiter limiter(clock);
  EXPECT_EQ(limiter.MsToNextFrame(), 0);  // the first frame is due at once
  limiter.StartFrame();
  const double start = limiter.NextDeadline();
  for (int frame = 1; frame <= 120; ++frame) {
    clock.now += 1.0;  // an idle frame costs little
    const double ms = limiter.MsToNextFrame();
    EXPECT_NEAR(ms, start + (frame - 1) * FrameLimiter::kPeriodMs - clock.now, 1e-6);
    clock.now += ms;  // woken by the deadline
    limiter.StartFrame();
  }
  EXPECT_NEAR(limiter.NextDeadline(), start + 120 * FrameLimiter::kPeriodMs, 1e-6);
  // Woken early by an event, the frame is still not due.
  clock.now += 5;
  EXPECT_GT(limiter.MsToNextFrame(), 0);
  // After a long pause the next frame is due at once and starts a new schedule.
  clock.now += 2000;
  EXPECT_EQ(limiter.MsToNextFrame(), 0);
  limiter.StartFrame();
  EXPECT_NEAR(limiter.NextDeadline(), clock.now + FrameLimiter::kPeriodMs, 1e-6);
}

}  // namespace
}  // namespace vantel
