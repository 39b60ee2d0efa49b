#include "flow/run_frame.h"

#include <cstddef>

#include "flow/deal.h"
#include "flow/flow.h"
#include "flow/hint.h"
#include "flow/human_turn.h"
#include "flow/keyboard_play.h"
#include "flow/movement.h"
#include "flow/play_for_person.h"
#include "flow/table_notes.h"

namespace vantel {

namespace {

// One press of P toggles the freeze once, however long it is held.
void ReadPauseKey(Game& g, const InputSnapshot& input) {
  FlowData& f = g.flow;
  if (!input.KeyDown(kKeyP)) {
    f.pause_key_latch = false;
    return;
  }
  if (f.pause_key_latch) return;
  f.game_paused = !f.game_paused;
  f.pause_key_latch = true;
}

void ReadButtons(Game& g, const InputSnapshot& input) {
  const int x = input.mouse_x;
  const int y = input.mouse_y;
  KeepClickInFlight(g, input.MouseButtonDown(kLeftButton), x, y);
  if (input.MouseButtonDown(kLeftButton)) {
    if (g.flow.state == FlowState::kEndOfMatch) {
      NextHandPressed(g);
    } else if (IsHumanGatheringState(g)) {
      SelectCapture(g, kLeftButton, x, y);
    } else {
      TryPickHandCard(g, x, y);
    }
  }
  if (input.MouseButtonDown(kRightButton) && IsHumanGatheringState(g)) {
    SelectCapture(g, kRightButton, x, y);
  }
}

// Escape asks to leave and P freezes the table: neither hurries the deal.
bool AnyPressThatHurries(const InputSnapshot& input) {
  for (std::size_t code = 0; code < input.keys.size(); ++code) {
    const int key = static_cast<int>(code);
    if (input.keys[code] != 0 && key != kKeyEscape && key != kKeyP) return true;
  }
  return input.MouseButtonDown(kLeftButton) || input.MouseButtonDown(kRightButton);
}

// A new press during the deal puts its cards in place; holding on does not
// hurry the next deal. True when it did: that frame shows the cards as the
// deal left them, and play goes on from the next.
bool ReadDealHurry(Game& g, const InputSnapshot& input) {
  TableAids& aids = g.aids;
  if (!aids.hurry_deal_on_press) return false;
  const bool pressed = AnyPressThatHurries(input);
  const bool hurry = pressed && !aids.deal_press_held && !g.flow.game_paused && DealInProgress(g);
  aids.deal_press_held = pressed;
  if (hurry) HurryDeal(g);
  return hurry;
}

}  // namespace

bool RunFrame(Game& g, const InputSnapshot& input, FrameHooks& hooks) {
  if (input.KeyDown(kKeyEscape)) {
    StopThinking(g);  // the game ends: no worker's answer is wanted any more
    return true;
  }
  const bool was_paused = g.flow.game_paused;
  ReadPauseKey(g, input);
  if (input.KeyDown(kKeyR)) TryReorderHand(g);
  // Only the drawing reads it: the round view changes nothing in the game.
  g.aids.round_view_key_held = input.KeyDown(kKeyTab);
  g.flow.picked_hand_index = -1;
  if (g.flow.play_for_person) {
    // The table made this turn's play; the person's clicks wait for the next.
    PlayForPerson(g);
  } else {
    ReadButtons(g, input);
    ReadPlayKeys(g, input);
    ReadHintKey(g, input);
  }
  const bool hurried = ReadDealHurry(g, input);
  if (g.flow.game_paused) {
    // The frozen table is drawn once, saying so, and then left alone.
    if (!was_paused) {
      hooks.BeforeStep(g);
      hooks.AfterStep(g);
      hooks.AfterPickStart(g);
    }
    return false;
  }

  hooks.BeforeStep(g);
  if (!hurried) StepFlow(g);
  TickTableNotes(g);
  hooks.AfterStep(g);
  if (g.flow.picked_hand_index >= 0)
    PlayToTable(g, g.model.hand[PersonSeat(g)][g.flow.picked_hand_index]);
  hooks.AfterPickStart(g);
  return false;
}

}  // namespace vantel
