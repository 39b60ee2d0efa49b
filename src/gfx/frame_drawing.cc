#include "gfx/frame_drawing.h"

#include "gfx/assets.h"
#include "gfx/display.h"
#include "gfx/table_drawing.h"

namespace vantel {

FrameDrawing::FrameDrawing(Display& display, Assets& assets, PointerSource pointer,
                           LocalTimeSource now, Reload reload)
    : display_(display),
      assets_(assets),
      pointer_(std::move(pointer)),
      now_(std::move(now)),
      reload_(std::move(reload)),
      meter_(LocalSecondsSinceMidnight) {}

void FrameDrawing::BeforeStep(Game& g) {
  CheckLostSurfaces(display_, [&] {
    if (reload_) reload_(g);
  });
  display_.DrawSurface(assets_.BackgroundSurface.get(), WholeSurface, 0, 0, false);
}

void FrameDrawing::AfterStep(Game& g) {
  display_.DrawSurface(assets_.ScorePageSurface.get(), WholeSurface, kScorePageTabX, kScorePageTabY,
                       true);
  DrawTable(g, assets_, display_, now_);
}

void FrameDrawing::AfterPickStart(Game&) {
  const PointerPosition at = pointer_ ? pointer_() : PointerPosition{};
  display_.DrawAtCursor(assets_.CursorSurface.get(), kPointerHotSpotX, kPointerHotSpotY,
                        kPointerWidth, kPointerHeight, true, at.x, at.y);
  display_.Present();
  ++frames_presented_;
  rate_ = meter_.FramesPerSecond();
  if (display_.Windowed()) display_.SetCaption(WindowCaptionText(at.x, at.y, rate_));
  Presented(frames_presented_);
}

}  // namespace vantel
