#pragma once

#include <optional>

#include "game/match_state.h"
#include "game/seat_view.h"

namespace vantel {

// A whole match state that agrees with `view` of a hand just dealt: the
// seat's own hand and the table cards as the view has them, in the same
// places, and every card the seat cannot see placed by a guess (the unseen
// cards in the order of their ids). A game that follows a table elsewhere
// deals this and corrects the guess as hidden cards show themselves. Nothing
// when the view is not of a hand with no card played yet, or does not add up.
std::optional<MatchState> GuessedDeal(const SeatView& view);

}  // namespace vantel
