#pragma once

#include <string>

#include "game/match_state.h"

namespace vantel {

// What is wrong with a match state that came from outside (a saved match, a
// message): a card missing, twice or never dealt, a seat or count out of its
// range, hands that do not add up to the cards played. Empty when the state
// is one the rules can go on from. Scores are only bounded: they cannot be
// worked out again from the cards, as the special captures are not kept.
std::string MatchStateProblem(const MatchState& state);

}  // namespace vantel
