#pragma once

#include <cstdint>
#include <span>

#include "game/game.h"

namespace vantel {

// A hand played out on a private copy of the game with the rules of game/:
// no sprites travel, no flow states pass, only the cards, the table, the taken
// lists and the scores change as the flow would change them.

// Plays the card at `position` of hand_ids[seat] with the capture in
// `choice`, banks a capture into the side's taken list and pile, rescores,
// and clears the play's flags for the next turn.
void PlaySimulated(Game& w, int seat, int position, const CaptureState& choice);

// Deals `per_seat` cards from `stock` to every seat (the second deal of
// six-card hands); returns how many were taken from it.
int DealSimulated(Game& w, std::span<const int16_t> stock, int per_seat);

// The end of the hand: the table goes to the side of the last capture.
void FinishSimulatedHand(Game& w);

// Plays every remaining card of the hand, each seat as the Classic player,
// starting with `seat`; `stock` feeds the second deal of six-card hands.
void PlayOutSimulated(Game& w, int seat, std::span<const int16_t> stock);

}  // namespace vantel
