#pragma once

#include <cstdint>
#include <functional>

namespace vantel {

// Inclusive on both ends: at 800 x 600 the pointer lies in 0..800 and 0..600.
struct ClampBox {
  int32_t min_x = 0;
  int32_t min_y = 0;
  int32_t max_x = 0;
  int32_t max_y = 0;
};

struct GamePoint {
  int32_t x = 0;
  int32_t y = 0;
};

// A position in the game's picture, fractional.
struct LogicalPoint {
  float x = 0;
  float y = 0;
};

// Window pixels to picture pixels (beyond the picture over its bars).
using PointerMap = std::function<LogicalPoint(int32_t window_x, int32_t window_y)>;

GamePoint ClampPointer(GamePoint point, const ClampBox& box);

// A position in logical game pixels (fractional, and outside the game area
// over the letter-box bars) to whole pixels, truncated toward zero, clamped.
GamePoint LogicalToGame(float x, float y, const ClampBox& box);

}  // namespace vantel
