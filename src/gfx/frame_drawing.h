#pragma once

#include <cstdint>
#include <functional>

#include "flow/run_frame.h"
#include "gfx/clock_text.h"
#include "gfx/frame_rate.h"

namespace vantel {

struct Assets;
class Display;

// The drawing of one frame around the flow's step: the lost-display check and
// the background before it, the score-page tab and the table after it, then
// the pointer, Present and the frame rate. The game and the simulator's
// screenshots both draw through this.
class DrawingHooks : public FrameHooks {
 public:
  // After a lost display the surfaces (kept in memory) are intact and only the
  // display's own texture is re-created; `reload` runs after that when set.
  using Reload = std::function<void(Game&)>;

  DrawingHooks(Display& display, Assets& assets, LocalTimeSource now = SystemLocalTime,
               Reload reload = {});

  // Where this frame's pointer is, in game pixels.
  void SetPointer(int32_t x, int32_t y) {
    mouseX_ = x;
    mouseY_ = y;
  }

  void BeforeStep(Game& g) override;
  void AfterStep(Game& g) override;
  void AfterPickStart(Game& g) override;

  int64_t FramesPresented() const { return framesPresented_; }
  double FrameRate() const { return rate_; }

 protected:
  // Runs after every Present with the number of frames presented so far.
  virtual void Presented(int64_t /*frame*/) {}

 private:
  Display& display_;
  Assets& assets_;
  LocalTimeSource now_;
  Reload reload_;
  FrameRateMeter meter_;
  int32_t mouseX_ = 0;
  int32_t mouseY_ = 0;
  int64_t framesPresented_ = 0;
  double rate_ = 0;
};

}  // namespace vantel
