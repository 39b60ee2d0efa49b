#pragma once

#include <cmath>
#include <cstdint>

namespace vantel {

// Milliseconds since some fixed start, like the system tick count. The flow's
// timed waits read it; tests and the simulator drive a virtual one.
class TickClock {
 public:
  virtual ~TickClock() = default;
  virtual uint32_t GetTickCount() = 0;
};

// A clock that only moves when told to. Its count wraps to 0 after 2^32 ms
// (about 49.7 days), as the system tick count does, however long it runs.
class ManualClock final : public TickClock {
 public:
  explicit ManualClock(double start_ms = 0) : now_(start_ms) {}
  uint32_t GetTickCount() override {
    constexpr double kWrap = 4294967296.0;  // 2^32
    double ms = std::fmod(std::floor(now_), kWrap);
    if (ms < 0) ms += kWrap;
    return ms < kWrap ? static_cast<uint32_t>(ms) : 0;
  }
  void Advance(double ms) { now_ += ms; }
  double Now() const { return now_; }

 private:
  double now_;
};

// Another clock, moved on by the time skipped: a game that plays out time
// unseen (taking a network hand up again) runs ahead of the ticks it reads.
class SkippingClock final : public TickClock {
 public:
  explicit SkippingClock(TickClock& ticks) : ticks_(ticks) {}
  // Wraps as the count it adds to does.
  uint32_t GetTickCount() override { return ticks_.GetTickCount() + skipped_; }
  void Skip(uint32_t ms) { skipped_ += ms; }

 private:
  TickClock& ticks_;
  uint32_t skipped_ = 0;
};

}  // namespace vantel
