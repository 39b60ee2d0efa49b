#include "online/catch_up.h"

#include "flow/input.h"

namespace vantel {

std::string CatchUp(OnlineTable& table, Game& game, FrameHooks& hooks,
                    const std::function<void()>& next_frame) {
  for (int frame = 0; frame < kMostCatchUpFrames && !table.CaughtUp(); ++frame) {
    if (table.OutOfStep()) break;
    table.BeforeFrame();
    RunFrame(game, InputSnapshot{}, hooks);
    next_frame();
    // Nothing the person did is in these frames: nothing may go out.
    if (!table.TakeOutgoing().empty()) return "a play was made here while catching up";
  }
  if (table.OutOfStep()) return table.OutOfStepReason();
  if (!table.CaughtUp()) return "the hand so far did not play out";
  return {};
}

}  // namespace vantel
