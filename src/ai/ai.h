#pragma once

#include <cstdint>
#include <span>

#include "ai/card_options.h"
#include "ai/table_knowledge.h"
#include "game/legal_captures.h"
#include "game/seat_view.h"

namespace vantel {

// The largest hand a seat can hold.
inline constexpr int kMaxHandCards = kHandSlots;

// The Classic player's turn for the seat of `view`. Reads nothing but the
// view; the same view always gives the same decision.
SeatDecision ChooseClassicPlay(const SeatView& view);

// The decision over the given hand: every card tried with every capture and
// with the lay-down, the best score wins, ties going to the earlier card and
// then to the earlier option.
SeatDecision ChooseBestPlay(const TableKnowledge& known, std::span<const int16_t> hand);

// Options and final scores of the cards of `hand` into `out`, as many as both
// hold. Split out of ChooseBestPlay so the scores can be seen.
void EvaluateHand(const TableKnowledge& known, std::span<const int16_t> hand,
                  std::span<CardOptions> out);

// The card at `position` of `hand`: its options with their table safety, its
// key flag, value and count of its value.
void EvaluateCard(const TableKnowledge& known, std::span<const int16_t> hand, int position,
                  CardOptions& out);

// Candidate plays of `card` on the table: its legal captures in the rule's
// order, as many as the record holds, then the lay-down; bonuses included.
void ListCaptures(const TableKnowledge& known, int16_t card, CardOptions& out);

// Option scores, the lay-down score and the final scores of one evaluated card.
void ScoreCard(const TableKnowledge& known, int16_t card, CardOptions& out);

// The table left by `option`, given the table with the tried card appended as
// its last entry.
TableCopy TableAfterPlay(const TableCopy& with_card, const CaptureOption& option);

// True when the next player could not take the whole of `table` in one play.
bool TableIsSafe(const TableKnowledge& known, const TableCopy& table);

}  // namespace vantel
