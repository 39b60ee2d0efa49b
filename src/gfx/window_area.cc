#include "gfx/window_area.h"

namespace vantel {

Rect DrawingArea(const Rect& outer, int borderStyle, int32_t offsetX, int32_t offsetY,
                 const Rect& previous) {
  int32_t dx = 0;
  int32_t dy = 0;
  if (borderStyle == 0) {
  } else if (borderStyle >= 1 && borderStyle <= 3) {
    dx = 5;
    dy = 24;
  } else if (borderStyle == 4 || borderStyle == 5) {
    dx = 4;
    dy = 20;
  } else {
    return previous;
  }
  Rect area;
  area.Left = outer.Left + dx + offsetX;
  area.Top = outer.Top + dy + offsetY;
  area.Right = area.Left + 640 + offsetX;
  area.Bottom = area.Top + 480 + offsetY;
  return area;
}

}  // namespace vantel
