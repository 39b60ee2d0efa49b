#pragma once

#include "flow/game.h"
#include "game/match_outcome.h"

namespace vantel {

// Recomputes both sides' hand values from the taken lists and counts the
// special captures of the play just judged.
void RecomputeHandScore(Game& g);

// Adds the hand to the match, decides it and sets the result text. What is
// heard of it is the flow's business.
MatchOutcome ScoreEndOfHand(Game& g);

}  // namespace vantel
