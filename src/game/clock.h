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

}  // namespace vantel
