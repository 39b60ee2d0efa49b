#pragma once

#include "flow/game.h"
#include "game/match_outcome.h"

namespace vantel {

// Copies the cards that reached a side's pile (the captured ones and the
// played card) into its pile drawing and its taken list.
void BankToPile(Game& g, Side side);

// A special capture: the marker card into the side's fan, the rest banked.
void BankSpecialCapture(Game& g, Side side);

// Drops the banked cards from the table (see DropBankedCards) and tells the
// observers the new score.
void CompactTable(Game& g);

// The remainders have been banked (or there were none): score the hand and
// rest on the score page.
void FinishHand(Game& g, Side side);

// What the player hears of a finished hand.
SoundId SoundOfOutcome(MatchOutcome outcome);

// The side a banking state books to.
Side SideOfState(FlowState state);

}  // namespace vantel
