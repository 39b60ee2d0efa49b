#pragma once

#include <cstdint>
#include <span>

#include "flow/game.h"

namespace vantel {

// The match state (g.match) is where every play is made, the moment the
// flow knows it whole: a computer's as its card leaves the hand, a person's
// when their card lands with nothing to take, or once they have chosen what
// to take. The table shows a play's events once its card has landed. A play
// the rules refuse throws FatalError: the table and the match disagree.

// Deals g.match from the flow's shuffled pack, the flow's first seat first.
void DealMatchHand(Game& g);

// A computer seat's play, made on the match as its card sets off; its events
// wait in g.decided for the card to land.
void MatchDecide(Game& g, int seat, const Play& play);

// The card `card` of `seat` has landed: the table shows the oldest decided
// play, which must be that card's. Showing a play sets the flow's special
// capture flags of its side from the rules' events.
void MatchShowLanded(Game& g, int seat, int16_t card);

// `seat` laid `card` down without taking anything, shown at once.
void MatchLayDown(Game& g, int seat, int16_t card);

// `seat` took the table cards at `table_indices` (flow table positions, the
// played card not among them) with `card`, shown at once.
void MatchTake(Game& g, int seat, int16_t card, std::span<const int16_t> table_indices);

// The person sorted their hand into `order`.
void MatchReorderHand(Game& g, std::span<const int16_t> order);

}  // namespace vantel
