#include "gfx/hint_marks.h"

#include <cmath>

#include "gfx/assets.h"
#include "gfx/display.h"

namespace vantel {

namespace {

void FrameAt(const Assets& a, Display& d, float x, float y) {
  d.DrawSurface(a.frame_surface.get(), kWholeSurface, static_cast<int32_t>(std::nearbyint(x)),
                static_cast<int32_t>(std::nearbyint(y)), true);
}

}  // namespace

void DrawHintMarks(const Game& g, const Assets& a, Display& d) {
  const FlowData& f = g.flow;
  if (f.hint_card < 0) return;
  for (int t = 0; t < f.hint_take_count; ++t) {
    const int i = f.hint_take[t];
    if (i < 0 || i >= g.model.table_count) continue;
    const CardSprite& c = g.model.table[i];
    if (c.shown) FrameAt(a, d, c.x, c.y);
  }
}

}  // namespace vantel
