#pragma once

#include "flow/game.h"
#include "flow/input.h"

namespace vantel {

// The drawing slots of a frame. The game draws through them; the simulator
// leaves them empty or uses them to check the state after every step.
class FrameHooks {
 public:
  virtual ~FrameHooks() = default;
  virtual void BeforeStep(Game&) {}      // lost-display check, background
  virtual void AfterStep(Game&) {}       // score-page tab, DrawTable
  virtual void AfterPickStart(Game&) {}  // pointer, Present, frame rate
};

// One frame of the game fed with this frame's input: keys, the mouse buttons
// by flow state, then (unless frozen) one flow step between the drawing slots
// and the start of the card the human picked. Returns true when Escape asks to
// end the game; nothing else of that frame runs.
bool RunFrame(Game& g, const InputSnapshot& input, FrameHooks& hooks);

}  // namespace vantel
