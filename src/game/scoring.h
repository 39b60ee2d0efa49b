#pragma once

#include "game/game.h"

namespace vantel {

// Recomputes both sides' hand values from the taken lists and counts the
// special captures of the play just judged.
void RecomputeHandScore(Game& g);

// How a finished hand leaves the match.
enum class MatchOutcome {
  kGoesOn,  // nobody past the target yet, or a side past it behind
  kWeWon,
  kWeLost,
  kTied,  // both past the target and level: the history starts again
};

// Adds the hand to the match, decides it and sets the result text. What is
// heard of it is the flow's business.
MatchOutcome ScoreEndOfHand(Game& g);

}  // namespace vantel
