#include "gfx/frame_rate.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace vantel {

double FrameRateMeter::FramesPerSecond() {
  ++count_;
  if (count_ >= 30) {
    now_ = clock_();
    // Across midnight the clock runs backwards; take a new sample instead of
    // showing a negative rate.
    if (now_ > last_sample_) rate_ = 30.0 / (clock_() - last_sample_);
    if (now_ != last_sample_) last_sample_ = clock_();
    count_ = 0;
  }
  return rate_;
}

double LocalSecondsSinceMidnight() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t t = std::chrono::system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&t, &local);
  const auto sub = now - std::chrono::system_clock::from_time_t(t);
  return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec +
         std::chrono::duration<double>(sub).count();
}

std::string FormatFrameRate(double rate) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", rate);
  std::string s = text;
  if (s.rfind("0.", 0) == 0) s.erase(0, 1);
  if (s.rfind("-0.", 0) == 0) s.erase(1, 1);
  return s;
}

std::string WindowCaptionText(int32_t mouse_x, int32_t mouse_y, double rate) {
  return "   " + std::to_string(mouse_x) + "   " + std::to_string(mouse_y) +
         "    Frames per Second =" + FormatFrameRate(rate);
}

}  // namespace vantel
