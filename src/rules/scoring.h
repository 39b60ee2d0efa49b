#pragma once

#include "rules/game.h"

namespace vantel {

// Recomputes both sides' hand values from the taken lists and counts the
// special captures of the play just judged.
void RecomputeHandScore(Game& g);

// Adds the hand to the match, decides it, sets the result text and plays the
// result sound.
void ScoreEndOfHand(Game& g);

}  // namespace vantel
