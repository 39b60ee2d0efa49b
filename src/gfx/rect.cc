#include "gfx/rect.h"

namespace vantel {

ClippedBlit ClipSource(const Rect& source, int32_t x, int32_t y, const ClipRect& clip) {
  ClippedBlit out{source, x, y};
  Rect& r = out.Source;
  const int32_t w = source.Width();
  const int32_t h = source.Height();
  if (x + w > clip.ClipRight) r.Right = r.Left + clip.ClipRight - x;
  if (y + h > clip.ClipBottom) r.Bottom = r.Top + clip.ClipBottom - y;
  if (x < clip.ClipLeft) {
    r.Left = r.Left + clip.ClipLeft - x;
    out.X = clip.ClipLeft;
  }
  if (y < clip.ClipTop) {
    r.Top = r.Top + clip.ClipTop - y;
    out.Y = clip.ClipTop;
  }
  return out;
}

}  // namespace vantel
