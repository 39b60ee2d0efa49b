#include "flow/run_frame.h"

#include "flow/deal.h"
#include "flow/flow.h"
#include "flow/human_turn.h"
#include "flow/movement.h"

namespace vantel {

namespace {

// One press of P toggles the freeze once, however long it is held.
void ReadPauseKey(Game& g, const InputSnapshot& input) {
  FlowData& f = g.flow;
  if (!input.KeyDown(kKeyP)) {
    f.PauseKeyLatch = false;
    return;
  }
  if (f.PauseKeyLatch) return;
  f.GamePaused = !f.GamePaused;
  f.PauseKeyLatch = true;
}

void ReadButtons(Game& g, const InputSnapshot& input) {
  const int x = input.MouseX;
  const int y = input.MouseY;
  if (input.MouseButtonDown(kLeftButton)) {
    if (g.flow.State == FlowState::EndOfMatch) {
      NewHand(g);
    } else if (IsHumanGatheringState(g.flow.State)) {
      SelectCapture(g, kLeftButton, x, y);
    } else {
      TryPickHandCard(g, x, y);
    }
  }
  if (input.MouseButtonDown(kRightButton) && IsHumanGatheringState(g.flow.State)) {
    SelectCapture(g, kRightButton, x, y);
  }
}

}  // namespace

bool RunFrame(Game& g, const InputSnapshot& input, FrameHooks& hooks) {
  if (input.KeyDown(kKeyEscape)) return true;
  ReadPauseKey(g, input);
  if (input.KeyDown(kKeyR)) TryReorderHand(g);
  g.flow.PickedHandIndex = -1;
  ReadButtons(g, input);
  if (g.flow.GamePaused) return false;

  hooks.BeforeStep(g);
  StepFlow(g);
  hooks.AfterStep(g);
  if (g.flow.PickedHandIndex >= 0) PlayToTable(g, g.model.Hand[0][g.flow.PickedHandIndex]);
  hooks.AfterPickStart(g);
  return false;
}

}  // namespace vantel
