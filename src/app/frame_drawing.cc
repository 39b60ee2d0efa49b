#include "app/frame_drawing.h"

#include "gfx/table_drawing.h"

namespace vantel {

void FrameDrawing::BeforeStep(Game&) {
  // The pictures are software surfaces held in memory: a lost display only
  // loses its texture, which the display restores itself. Reloading from the
  // unpacked files is neither needed nor possible (they are deleted before the
  // first frame).
  CheckLostSurfaces(display_, [] {});
  display_.DrawSurface(assets_.BackgroundSurface.get(), WholeSurface, 0, 0, false);
}

void FrameDrawing::AfterStep(Game& g) {
  display_.DrawSurface(assets_.ScorePageSurface.get(), WholeSurface, 780, 5, true);
  DrawTable(g, assets_, display_);
}

void FrameDrawing::AfterPickStart(Game&) {
  input_.UpdatePointer();  // the pointer image follows the latest position
  display_.DrawAtCursor(assets_.CursorSurface.get(), 16, 16, 32, 32, true, input_.MouseX(),
                        input_.MouseY());
  display_.Present();
  const double rate = meter_.FramesPerSecond();
  if (display_.Windowed())
    display_.SetCaption(WindowCaptionText(input_.MouseX(), input_.MouseY(), rate));
}

}  // namespace vantel
