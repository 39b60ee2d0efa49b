#pragma once

#include <cstdint>
#include <optional>

#include "game/legal_captures.h"
#include "game/match_rules.h"
#include "game/match_state.h"

namespace vantel {

// Stands where a card lies that the seat may not see.
inline constexpr int16_t kHiddenCard = -1;

// What one seat may see of a match: its own hand, the table, how many cards
// every other seat holds, the cards both sides have taken (each was face up on
// the table before), the scores and whose turn it is. Everything else, the
// other hands and the pack still to be dealt, reads as kHiddenCard. Computer
// players, hints and network clients get this, never the MatchState: what is
// not in it cannot change a decision or reach the wire.
class SeatView {
 public:
  SeatView() = default;
  SeatView(const MatchState& state, int seat);

  int Seat() const { return seat_; }
  const HandCards& Hand() const { return masked_.hands[static_cast<size_t>(seat_)]; }
  int HandSize(int seat) const { return masked_.hands[static_cast<size_t>(seat)].Size(); }
  const TableCards& Table() const { return masked_.table; }
  const SideState& Of(Side side) const { return masked_.Of(side); }
  const CaptureMemory& Memory() const { return masked_.memory; }
  int Turn() const { return masked_.turn; }
  int CardsPlayed() const { return masked_.cards_played; }
  HandPhase Phase() const { return masked_.phase; }
  bool TwelveCardHands() const { return masked_.twelve_card_hands; }
  int16_t MatchTarget() const { return masked_.match_target; }
  // Cards of the pack not dealt yet (six-card hands before the second deal).
  int StockSize() const { return kCardCount - masked_.dealt; }

  // The whole state as the seat sees it, hidden cards included as
  // kHiddenCard: for a player that plays on from a guess of them, and for
  // sending the view as it is.
  const MatchState& Masked() const { return masked_; }

  bool operator==(const SeatView&) const = default;

 private:
  MatchState masked_;
  int16_t seat_ = 0;
};

// What a seat decided from its view: the card at `position` of its hand and
// the table cards (positions) it takes; position -1 when it has no card.
struct SeatDecision {
  int16_t position = -1;
  CaptureSet take;
  bool operator==(const SeatDecision&) const = default;
};

// The card and the table cards a decision by `seat` names in `state`: the
// card at `decision.position` of its hand and the cards at the table
// positions of `decision.take`. Nothing when a position is out of range;
// whether the rules allow the play is CheckPlay's question.
std::optional<Play> PlayOfDecision(const MatchState& state, int seat, const SeatDecision& decision);

}  // namespace vantel
