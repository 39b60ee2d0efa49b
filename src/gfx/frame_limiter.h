#pragma once

namespace vantel {

// Time as the limiter sees it: a fine clock in milliseconds and a coarse sleep.
class PaceClock {
 public:
  virtual ~PaceClock() = default;
  virtual double NowMs() = 0;
  virtual void SleepMs(double ms) = 0;
};

// The SDL performance counter and SDL_Delay.
class SdlPaceClock final : public PaceClock {
 public:
  double NowMs() override;
  void SleepMs(double ms) override;
};

// Paces presented frames at a fixed rate so that card flights, which move a
// fixed step per frame, take the same time everywhere. Each frame has a
// deadline one period after the last; the limiter sleeps until shortly before
// it (sleeps overshoot) and spins the rest. A frame that ran more than a whole
// period late starts a new schedule instead of racing to catch up.
class FrameLimiter {
 public:
  static constexpr double kPeriodMs = 1000.0 / 60.0;
  static constexpr double kSpinMarginMs = 1.5;

  explicit FrameLimiter(PaceClock& clock) : clock_(clock) {}

  // Returns when the next frame's deadline has passed.
  void Wait();
  double NextDeadline() const { return next_; }

  // For a loop that does its own waiting (on window events, until the
  // deadline): milliseconds until the next frame is due, 0 when it is due now
  // (the first frame, or one more than a period late).
  double MsToNextFrame();
  // The due frame starts: the deadline moves one period on, or a new schedule
  // starts from now when the frame is late.
  void StartFrame();

 private:
  PaceClock& clock_;
  double next_ = 0;
  bool started_ = false;
};

}  // namespace vantel
