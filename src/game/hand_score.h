#pragma once

#include "game/match_state.h"

namespace vantel {

// Works both sides' hand scores out again from their taken cards, adding the
// special captures of the play just made (`we_specials`, `they_specials`) to
// the running counts.
void RescoreHand(MatchState& state, const SpecialCaptures& we_specials,
                 const SpecialCaptures& they_specials);

// Adds the finished hand to the match and decides it: a side wins once it
// passes the target ahead of the other; level past the target, play goes on.
MatchOutcome ScoreHandIntoMatch(MatchState& state);

}  // namespace vantel
