#pragma once

#include "flow/game.h"
#include "game/match_events.h"
#include "game/match_outcome.h"

namespace vantel {

// The table shows the rules' score, but never ahead of the cards: the rules
// score a play the moment it is made, the table once its cards are banked.

// A capture was made on the match state; its score waits for the bank.
void HoldScoreForBank(Game& g, const CardsTaken& taken);

// The held score is shown: the capture's cards have reached the pile.
void ShowBankedScore(Game& g);

// The hand's last cards are on their way to a pile: the hand score the rules
// ended with is held for their bank.
void HoldFinalHandScore(Game& g);

// The hand was added to the match: totals, history and outcome are shown.
void ShowMatchScore(Game& g);

// A new hand was dealt on the match state: its empty hand score is shown, and
// the totals, which start again after a decided match.
void ShowNewDeal(Game& g);

// "We Won!", "We lost!", or nothing while the match goes on.
const char* MatchResultText(MatchOutcome outcome);

}  // namespace vantel
