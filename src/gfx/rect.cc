#include "gfx/rect.h"

namespace vantel {

ClippedBlit ClipSource(const Rect& source, int32_t x, int32_t y, const ClipRect& clip) {
  ClippedBlit out{source, x, y};
  Rect& r = out.source;
  const int32_t w = source.Width();
  const int32_t h = source.Height();
  if (x + w > clip.clip_right) r.right = r.left + clip.clip_right - x;
  if (y + h > clip.clip_bottom) r.bottom = r.top + clip.clip_bottom - y;
  if (x < clip.clip_left) {
    r.left = r.left + clip.clip_left - x;
    out.x = clip.clip_left;
  }
  if (y < clip.clip_top) {
    r.top = r.top + clip.clip_top - y;
    out.y = clip.clip_top;
  }
  return out;
}

}  // namespace vantel
