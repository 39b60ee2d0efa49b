#pragma once

#include <array>
#include <cstdint>
#include <variant>

#include "game/match_state.h"

namespace vantel {

// What a play did, in the order it happened. The flow animates these, the
// trace and the status line read them, and a table server sends them on.

// A card came from a seat's hand to the table.
struct CardLaid {
  int16_t seat = 0;
  int16_t card = 0;
  bool operator==(const CardLaid&) const = default;
};

// The card just laid took table cards: `taken` are their ids (in table order),
// and the side banks them with the card itself. A special capture leaves the
// card face up among the side's markers.
struct CardsTaken {
  int16_t seat = 0;
  Side side = Side::kWe;
  int16_t card = 0;
  CardList<kMaxTakenCards> taken;
  SpecialCaptures specials;  // each worth a point, scored at once
  // Both sides' hand scores once these cards are banked; a hand's last play
  // is followed by the remainders and the final score.
  HandScore we_score;
  HandScore they_score;
  bool operator==(const CardsTaken&) const = default;
};

// Six-card hands: the second six cards of every seat were dealt.
struct SecondDealt {
  bool operator==(const SecondDealt&) const = default;
};

// The hand's last card was played: what lay on the table went to the side of
// the last capture.
struct RemaindersTaken {
  Side side = Side::kWe;
  PileCards cards;
  bool operator==(const RemaindersTaken&) const = default;
};

// The hand was scored and added to the match.
struct HandScored {
  HandScore we;
  HandScore they;
  int16_t we_total = 0;
  int16_t they_total = 0;
  MatchOutcome outcome = MatchOutcome::kGoesOn;
  bool operator==(const HandScored&) const = default;
};

using MatchEvent = std::variant<CardLaid, CardsTaken, SecondDealt, RemaindersTaken, HandScored>;

// The events of one play; a play makes at most four (laid, taken, then the
// second deal or the remainders and the score).
class MatchEvents {
 public:
  static constexpr int kMaxEvents = 4;

  void Add(const MatchEvent& event) {
    if (size_ < kMaxEvents) events_[static_cast<size_t>(size_++)] = event;
  }
  int Size() const { return size_; }
  bool Empty() const { return size_ == 0; }
  // Lower case, as range-for asks.
  // NOLINTBEGIN(readability-identifier-naming)
  const MatchEvent* begin() const { return events_.data(); }
  const MatchEvent* end() const { return events_.data() + size_; }
  // NOLINTEND(readability-identifier-naming)
  const MatchEvent& operator[](int i) const { return events_[static_cast<size_t>(i)]; }

 private:
  std::array<MatchEvent, kMaxEvents> events_{};
  int size_ = 0;
};

}  // namespace vantel
