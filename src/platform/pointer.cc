#include "platform/pointer.h"

#include <algorithm>
#include <cmath>

namespace vantel {
namespace {

int32_t TruncateToInt(float v) {
  // Far-away or undefined positions must not overflow the conversion.
  if (std::isnan(v)) return 0;
  constexpr float kLimit = 1.0e9f;
  return static_cast<int32_t>(std::clamp(v, -kLimit, kLimit));
}

}  // namespace

GamePoint ClampPointer(GamePoint point, const ClampBox& box) {
  point.x = std::clamp(point.x, box.min_x, box.max_x);
  point.y = std::clamp(point.y, box.min_y, box.max_y);
  return point;
}

GamePoint LogicalToGame(float x, float y, const ClampBox& box) {
  return ClampPointer({TruncateToInt(x), TruncateToInt(y)}, box);
}

}  // namespace vantel
