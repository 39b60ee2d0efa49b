#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "flow/game.h"

namespace vantel {

// Table cards by index: true where the card may be picked now.
using TableMarks = std::array<bool, kTableRecords>;

// Whether a pick of table card `index` can still lead to a capture the game
// accepts: with the cards already picked and some others it adds up to the
// played card (the last table entry), in no more cards than a capture holds.
// False for the played card, a hidden card, a picked card or a bad index.
bool CanPickTableCard(const Game& g, int index);

// CanPickTableCard for every card on the table.
TableMarks TakeableTableCards(const Game& g);

// The table cards that, added to those already picked, make the only capture
// the human can still complete; empty when there is none or more than one.
std::vector<int16_t> OnlyCompletion(const Game& g);

}  // namespace vantel
