#include "gfx/frame_drawing.h"

#include "gfx/assets.h"
#include "gfx/display.h"
#include "gfx/hint_marks.h"
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
  const bool waited = CheckLostSurfaces(display_, [&] {
    if (reload_) reload_(g);
  });
  if (waited) force_redraw_ = true;
  table_composed_ = false;
}

void FrameDrawing::ComposeTable(Game& g) {
  // The flow's step draws nothing itself, so the background may as well be laid
  // once the step has decided what the table shows.
  display_.DrawSurface(assets_.background_surface.get(), kWholeSurface, 0, 0, false);
  display_.DrawSurface(assets_.score_page_surface.get(), kWholeSurface, kScorePageTabX,
                       kScorePageTabY, true);
  DrawTable(g, assets_, display_, now_, pointer_ ? pointer_() : PointerPosition{-1, -1});
  DrawHintMarks(g, assets_, display_);
}

void FrameDrawing::AfterStep(Game& g) {
  if (skip_unchanged_) {
    display_.BeginKeying();
    ComposeTable(g);
    const uint64_t key = display_.EndKeying();
    if (key == table_key_ && !force_redraw_) return;
    table_key_ = key;
  }
  ComposeTable(g);
  table_composed_ = true;
  if (skip_unchanged_) KeepTable();
}

void FrameDrawing::KeepTable() {
  SDL_Surface* back = display_.BackBuffer();
  if (!kept_table_ || kept_table_->w != back->w || kept_table_->h != back->h)
    kept_table_ = CreateBlankSurface(back->w, back->h);
  if (kept_table_) SDL_BlitSurface(back, nullptr, kept_table_.get(), nullptr);
}

void FrameDrawing::RestoreTable() {
  if (kept_table_) SDL_BlitSurface(kept_table_.get(), nullptr, display_.BackBuffer(), nullptr);
}

void FrameDrawing::AfterPickStart(Game&) {
  const PointerPosition at = pointer_ ? pointer_() : PointerPosition{};
  if (!table_composed_) {
    if (at == last_pointer_ && !force_redraw_) {
      ++frames_skipped_;
      last_presented_ = false;
      return;
    }
    RestoreTable();
  }
  force_redraw_ = false;
  last_pointer_ = at;
  last_presented_ = true;
  display_.DrawAtCursor(assets_.cursor_surface.get(), kPointerHotSpotX, kPointerHotSpotY,
                        kPointerWidth, kPointerHeight, true, at.x, at.y);
  display_.Present();
  ++frames_presented_;
  rate_ = meter_.FramesPerSecond();
  if (show_frame_rate_) display_.SetCaption(WindowCaptionText(at.x, at.y, rate_));
  Presented(frames_presented_);
}

}  // namespace vantel
