#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace vantel {

// The frame rate shown in a window's caption: every 30 frames it becomes 30
// divided by the seconds since the previous sample.
class FrameRateMeter {
 public:
  // `seconds_since_midnight` is read at each sample.
  explicit FrameRateMeter(std::function<double()> seconds_since_midnight)
      : clock_(std::move(seconds_since_midnight)) {}

  // Called after every Present; returns the current rate (0 before the first sample).
  double FramesPerSecond();

 private:
  std::function<double()> clock_;
  int16_t count_ = 0;
  double last_sample_ = 0;
  double now_ = 0;
  double rate_ = 0;
};

// Seconds since local midnight, with the resolution of the system clock.
double LocalSecondsSinceMidnight();

// A rate as the caption shows it: one decimal, no leading zero ("30.0", ".5").
std::string FormatFrameRate(double rate);

// The windowed caption: three blanks, x, three blanks, y, then the rate.
std::string WindowCaptionText(int32_t mouse_x, int32_t mouse_y, double rate);
}  // namespace vantel
