#pragma once

#include <cstdint>

namespace vantel {

// Milliseconds since some fixed start, like the system tick count. The flow's
// timed pauses read it; tests and the simulator drive a virtual one.
class TickClock {
 public:
  virtual ~TickClock() = default;
  virtual uint32_t GetTickCount() = 0;
};

// A clock that only moves when told to.
class ManualClock final : public TickClock {
 public:
  explicit ManualClock(double startMs = 0) : now_(startMs) {}
  uint32_t GetTickCount() override { return static_cast<uint32_t>(now_); }
  void Advance(double ms) { now_ += ms; }
  double Now() const { return now_; }

 private:
  double now_;
};

}  // namespace vantel
