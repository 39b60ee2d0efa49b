#pragma once

#include <cstdint>

#include "flow/game.h"

namespace vantel {

// Whether the human's card just played (the last table entry) can capture:
// 4, 3 or 2 for the first sum of that many cards found, 1 for a card of equal
// value, 0 for none.
int16_t MustCapture(const Game& g);

// True when the shown, picked table cards (all but the played card) add up to
// the played card's value.
bool PickedCardsMatch(const Game& g);

// Marks the cards of the capture a computer player chose (capture_idx/
// capture_count) as taken. Returns capture_count.
int16_t ApplyComputerCapture(Game& g);

// A capture by the person's side, once its cards are gathered: marks the
// played card taken. True when the rules found it special (the flags their
// play set).
bool ApplyHumanCapture(Game& g);

// What the card just landed in normal play does: nothing, or a capture by one
// side, special (Scua, Simili, Picada, Quadriglia) or plain. For the human's
// card it only says that a capture is possible; the human chooses it.
struct PlayVerdict {
  bool captures = false;
  Side side = Side::kWe;
  bool special = false;
};

// Judges that card: whether it captures and for which side, and for a
// computer player marks the capture it chose. The special captures are the
// rules': the play's events set the flags before its card is judged.
PlayVerdict JudgePlay(Game& g);

// Judges it as a computer player's card whatever the seat: the capture chosen
// in capture_idx/capture_count is marked on the table.
PlayVerdict JudgeChosenCapture(Game& g);

// At each change of turn: clear all eight flags.
void ClearPlayFlags(Game& g);

}  // namespace vantel
