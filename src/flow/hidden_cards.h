#pragma once

#include <cstdint>

#include "flow/game.h"

namespace vantel {

// A game that follows a table elsewhere knows only what its person's seat may
// see; the other hands and the stock hold a guess, a permutation of the
// cards it has not seen. When a hidden card shows itself (played, or dealt to
// the person) the guess is corrected by exchanging two ids everywhere the
// game keeps card ids of hands and the pack. Neither card may lie anywhere
// face up: then the exchange changes nothing the person can see, only which
// face-down card is which.
void ExchangeHiddenCards(Game& g, int16_t card, int16_t other);

}  // namespace vantel
