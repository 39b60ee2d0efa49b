#pragma once

#include <cstdint>
#include <functional>

#include "flow/run_frame.h"
#include "gfx/clock_text.h"
#include "gfx/frame_rate.h"
#include "gfx/surface.h"
#include "gfx/table_drawing.h"

namespace vantel {

struct Assets;
class Display;

// The score-page picture lies off the table's right edge; only its corner,
// the tab, shows while a hand is played.

// The pointer picture, drawn with its hot spot (the middle) on the mouse.
inline constexpr int32_t kPointerWidth = 32;
inline constexpr int32_t kPointerHeight = 32;
inline constexpr int32_t kPointerHotSpotX = kPointerWidth / 2;
inline constexpr int32_t kPointerHotSpotY = kPointerHeight / 2;

// Asked once per drawn frame, just before the pointer picture is drawn.
using PointerSource = std::function<PointerPosition()>;

// The drawing of one frame around the flow's step: the lost-display check and
// the background before it, the score-page tab and the table after it, then
// the pointer, Present and the frame rate. The game, the simulator's
// screenshots, the tests and the benchmarks all draw through this.
//
// With SkipUnchanged the drawing first works out a key of everything the frame
// would draw (each picture, where, and which part; the clock and score texts
// are pictures too) and composes and presents nothing when that key and the
// pointer are those of the frame last presented. A pointer that moved alone
// is drawn over a kept copy of the table, without composing it again.
class FrameDrawing : public FrameHooks {
 public:
  // After a lost display the surfaces (kept in memory) are intact and only the
  // display's own texture is re-created; `reload` runs after that when set.
  using Reload = std::function<void(Game&)>;

  FrameDrawing(Display& display, Assets& assets, PointerSource pointer,
               LocalTimeSource now = SystemLocalTime, Reload reload = {});

  void BeforeStep(Game& g) override;
  void AfterStep(Game& g) override;
  void AfterPickStart(Game& g) override;

  int64_t FramesPresented() const { return frames_presented_; }
  int64_t FramesSkipped() const { return frames_skipped_; }
  double FrameRate() const { return rate_; }
  // Whether the last frame presented a picture.
  bool LastFramePresented() const { return last_presented_; }

  void SetSkipUnchanged(bool skip) { skip_unchanged_ = skip; }
  // The window caption shows the pointer and the frame rate (a developer's aid).
  void SetShowFrameRate(bool show) { show_frame_rate_ = show; }
  // The next frame is drawn and presented whatever it shows.
  void ForceRedraw() { force_redraw_ = true; }

 protected:
  // Runs after every Present with the number of frames presented so far.
  virtual void Presented(int64_t /*frame*/) {}

 private:
  Display& display_;
  Assets& assets_;
  PointerSource pointer_;
  LocalTimeSource now_;
  Reload reload_;
  void ComposeTable(Game& g);
  void KeepTable();
  void RestoreTable();

  FrameRateMeter meter_;
  int64_t frames_presented_ = 0;
  int64_t frames_skipped_ = 0;
  double rate_ = 0;
  bool skip_unchanged_ = false;
  bool show_frame_rate_ = false;
  bool force_redraw_ = true;
  bool table_composed_ = false;
  bool last_presented_ = false;
  uint64_t table_key_ = 0;
  PointerPosition last_pointer_;
  SurfacePtr kept_table_;
};

}  // namespace vantel
