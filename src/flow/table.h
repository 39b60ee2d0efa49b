#pragma once

#include <cstdint>

#include "flow/game.h"

namespace vantel {

// Clears the per-hand lists and counters (taken lists, hand and table ids,
// marker-fan counts, the last capturer).
void ResetHandState(Game& g);

// Lays out the pile fans and the table places, frees places 0..29 and gives
// Table(j) the place j.
void SetupTablePlaces(Game& g);

// The lowest free table place; 30 when all are used.
int16_t FirstFreeSlot(const Game& g);

// Appends a landed card to the table: id, position and place copied, shown
// face up, its place marked used, the id listed.
void AddToTable(Game& g, const CardSprite& card);

// Puts card `id` on the table at the lowest free place, as AddToTable does
// (no position: a card laid without travelling there). Returns its entry.
CardSprite& LayOnTable(Game& g, int16_t id);

// Marks every table card as taken, for the remainders at the end of a hand.
void MarkAllCaptured(Game& g);

// Drops the banked cards (the captured ones and the played card, the last
// entry) from the table, closes up the table and id lists, frees their places
// and recomputes the hand score.
void DropBankedCards(Game& g);

// Rebuilds hand_ids(seat) from the hand slots 0..11 that are shown.
void RebuildHandIds(Game& g, int seat);

// The seat that opens a new hand: random for the run's first hand, then the
// seat after the previous hand's first seat.
int16_t ChooseFirstSeat(Game& g);

}  // namespace vantel
