#pragma once

#include "flow/game.h"
#include "flow/input.h"

namespace vantel {

// H during the human's turn asks the Expert player what it would play there;
// the answer is kept in g.flow.hint_* for the drawing until the human acts.
// In the game window the Expert thinks on a worker thread, so the hint shows
// a few frames later.
void ReadHintKey(Game& g, const InputSnapshot& input);

// True while the human may choose a card to play.
bool HumanTurnOpen(const Game& g);

}  // namespace vantel
