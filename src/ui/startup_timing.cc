#include "ui/startup_timing.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace vantel {

void MarkStartupPhase(const char* phase) {
  using Clock = std::chrono::steady_clock;
  static const bool kEnabled = [] {
    const char* value = std::getenv("VANTEL_TIMING");
    return value != nullptr && std::strcmp(value, "1") == 0;
  }();
  if (!kEnabled) return;
  static const Clock::time_point kFirst = Clock::now();
  static Clock::time_point last = kFirst;
  const Clock::time_point now = Clock::now();
  const auto ms = [](Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
  };
  std::fprintf(stderr, "vantel: timing %s %.1f ms (%.1f ms)\n", phase, ms(now - last),
               ms(now - kFirst));
  last = now;
}

}  // namespace vantel
