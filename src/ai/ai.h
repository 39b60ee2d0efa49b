#pragma once

#include <cstdint>
#include <span>

#include "ai/card_options.h"
#include "ai/table_copy.h"
#include "game/game.h"

namespace vantel {

// The largest hand a seat can hold (hand_ids has this many entries).
inline constexpr int kMaxHandCards = kHandRecords;

// The turn of a computer seat: chooses the card to play and the table cards it
// takes. Fills g.capture.capture_idx / capture_count and returns the card's
// position in g.model.hand_ids[seat]. A seat with no cards (or no such seat)
// gets -1 and an empty capture, so the caller can never play a stale id.
// Reads only the seat's own hand, the table, rank_seen and the two piles; the
// same position always comes out of the same state.
int16_t ChooseComputerPlay(Game& g, int seat);

// The decision over the given hand: every card tried with every capture and
// with the lay-down, the best score wins, ties going to the earlier card and
// then to the earlier option. Writes the chosen option into `hand_over`.
int16_t ChooseBestPlay(const Game& g, std::span<const int16_t> hand, CaptureState& hand_over);

// Options and final scores of the cards of `hand` into `out`, as many as both
// hold. Split out of ChooseBestPlay so the scores can be seen.
void EvaluateHand(const Game& g, std::span<const int16_t> hand, std::span<CardOptions> out);

// The card at `position` of `hand`: its options with their table safety, its
// key flag, value and count of its value.
void EvaluateCard(const Game& g, std::span<const int16_t> hand, int position, CardOptions& out);

// Candidate plays of `card` on `table`: sums of four, three and two cards (for
// values 2..10), then single equal cards, then the lay-down; bonuses included.
void ListCaptures(const Game& g, int16_t card, const TableCopy& table, CardOptions& out);

// Adds the special captures each capturing option would earn to its Bonus.
void AddBonuses(const Game& g, int16_t card, const TableCopy& table, CardOptions& out);

// Option scores, the lay-down score and the final scores of one evaluated card.
void ScoreCard(const Game& g, int16_t card, CardOptions& out);

// The table left by `option`, given the table with the tried card appended as
// its last entry.
TableCopy TableAfterPlay(const TableCopy& with_card, const CaptureOption& option);

// True when the next player could not take the whole of `table` in one play.
bool TableIsSafe(const Game& g, const TableCopy& table);

// True when `card` is already in a pile or on the table.
bool CardAccountedFor(const Game& g, int16_t card);

}  // namespace vantel
