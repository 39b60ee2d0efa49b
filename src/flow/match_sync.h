#pragma once

#include <cstdint>
#include <span>

#include "flow/game.h"

namespace vantel {

// The match state (g.match) follows the flow: a hand is dealt on it when the
// flow shuffles, and each play is made on it the moment the flow knows the
// play whole: a computer's when its card lands, a person's when the card
// lands with nothing to take, or once they have chosen what to take. A play
// the rules refuse throws FatalError: the table and the match disagree.

// Deals g.match from the flow's shuffled pack, the flow's first seat first.
void DealMatchHand(Game& g);

// `seat` laid `card` down without taking anything.
void MatchLayDown(Game& g, int seat, int16_t card);

// `seat` took the table cards at `table_indices` (flow table positions, the
// played card not among them) with `card`.
void MatchTake(Game& g, int seat, int16_t card, std::span<const int16_t> table_indices);

// The person sorted their hand into `order`.
void MatchReorderHand(Game& g, std::span<const int16_t> order);

}  // namespace vantel
