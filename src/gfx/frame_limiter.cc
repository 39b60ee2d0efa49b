#include "gfx/frame_limiter.h"

#include <SDL_timer.h>

namespace vantel {

double SdlPaceClock::NowMs() {
  static const double kTicksPerMs = static_cast<double>(SDL_GetPerformanceFrequency()) / 1000.0;
  return static_cast<double>(SDL_GetPerformanceCounter()) / kTicksPerMs;
}

void SdlPaceClock::SleepMs(double ms) {
  if (ms >= 1.0) SDL_Delay(static_cast<Uint32>(ms));
}

void FrameLimiter::Wait() {
  const double now = clock_.NowMs();
  if (!started_ || now > next_ + kPeriodMs) {
    started_ = true;
    next_ = now + kPeriodMs;
    return;
  }
  const double ahead = next_ - now;
  if (ahead > kSpinMarginMs) clock_.SleepMs(ahead - kSpinMarginMs);
  while (clock_.NowMs() < next_) {
  }
  next_ += kPeriodMs;
}

double FrameLimiter::MsToNextFrame() {
  if (!started_) return 0;
  const double now = clock_.NowMs();
  if (now > next_ + kPeriodMs) return 0;
  return next_ > now ? next_ - now : 0;
}

void FrameLimiter::StartFrame() {
  const double now = clock_.NowMs();
  if (!started_ || now > next_ + kPeriodMs) {
    started_ = true;
    next_ = now + kPeriodMs;
    return;
  }
  next_ += kPeriodMs;
}

}  // namespace vantel
