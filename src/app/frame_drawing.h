#pragma once

#include "flow/run_frame.h"
#include "gfx/assets.h"
#include "gfx/frame_rate.h"
#include "gfx/screen_display.h"
#include "platform/sdl_input.h"

namespace vantel {

// What the game draws around each flow step: the display check and the
// background before it, the score-page tab and the table after it, and the
// pointer, the presentation and the frame rate once the human's card is on
// its way.
class FrameDrawing final : public FrameHooks {
 public:
  FrameDrawing(ScreenDisplay& display, Assets& assets, InputDevices& input)
      : display_(display), assets_(assets), input_(input), meter_(LocalSecondsSinceMidnight) {}

  void BeforeStep(Game& g) override;
  void AfterStep(Game& g) override;
  void AfterPickStart(Game& g) override;

 private:
  ScreenDisplay& display_;
  Assets& assets_;
  InputDevices& input_;
  FrameRateMeter meter_;
};

}  // namespace vantel
