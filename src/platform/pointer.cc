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
  point.X = std::clamp(point.X, box.MinX, box.MaxX);
  point.Y = std::clamp(point.Y, box.MinY, box.MaxY);
  return point;
}

GamePoint LogicalToGame(float x, float y, const ClampBox& box) {
  return ClampPointer({TruncateToInt(x), TruncateToInt(y)}, box);
}

}  // namespace vantel
