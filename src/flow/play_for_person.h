#pragma once

#include "flow/game.h"

namespace vantel {

// Carries g.flow.play_for_person one step further, as the person's clicks
// would: the card once the person may play, then the cards it takes (or none)
// once the choice opens. The play is the flow's own from then on; it leaves
// g.flow.person_play like any other, and whoever set play_for_person clears
// it on seeing that.
//
// A play that cannot be made here (the card is not in the person's hand, the
// person already has another card on the table, or what it takes does not
// add up) is a FatalError: the two tables no longer agree.
void PlayForPerson(Game& g);

}  // namespace vantel
