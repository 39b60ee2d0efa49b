#include "gfx/frame_drawing.h"

#include "gfx/assets.h"
#include "gfx/display.h"
#include "gfx/table_drawing.h"

namespace vantel {

DrawingHooks::DrawingHooks(Display& display, Assets& assets, LocalTimeSource now, Reload reload)
    : display_(display),
      assets_(assets),
      now_(std::move(now)),
      reload_(std::move(reload)),
      meter_(LocalSecondsSinceMidnight) {}

void DrawingHooks::BeforeStep(Game& g) {
  CheckLostSurfaces(display_, [&] {
    if (reload_) reload_(g);
  });
  display_.DrawSurface(assets_.BackgroundSurface.get(), WholeSurface, 0, 0, false);
}

void DrawingHooks::AfterStep(Game& g) {
  display_.DrawSurface(assets_.ScorePageSurface.get(), WholeSurface, 780, 5, true);
  DrawTable(g, assets_, display_, now_);
}

void DrawingHooks::AfterPickStart(Game&) {
  display_.DrawAtCursor(assets_.CursorSurface.get(), 16, 16, 32, 32, true, mouseX_, mouseY_);
  display_.Present();
  ++framesPresented_;
  rate_ = meter_.FramesPerSecond();
  if (display_.Windowed()) display_.SetCaption(WindowCaptionText(mouseX_, mouseY_, rate_));
  Presented(framesPresented_);
}

}  // namespace vantel
