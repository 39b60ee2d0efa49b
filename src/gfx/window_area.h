#pragma once

#include "gfx/rect.h"

namespace vantel {

// Where a windowed game's 640 x 480 picture lies on the desktop: the window's
// outer rectangle moved in by its frame (by border style) and the offsets.
// Border styles other than 0-5 leave `previous` as it was.
Rect DrawingArea(const Rect& outer, int borderStyle, int32_t offsetX, int32_t offsetY,
                 const Rect& previous);

// Edges count as inside.
inline bool InsideArea(const Rect& area, int32_t x, int32_t y) {
  return x >= area.Left && x <= area.Right && y >= area.Top && y <= area.Bottom;
}

}  // namespace vantel
