#pragma once

#include <array>
#include <cstdint>

#include "game/card_list.h"
#include "game/cards.h"
#include "game/match_outcome.h"
#include "game/options.h"
#include "game/seats.h"

namespace vantel {

// A side must pass this many match points, ahead of the other, to win.
inline constexpr int16_t kMatchTarget = 50;
// Cards every hand lays on the table before the first play.
inline constexpr int kOpeningTableCards = 4;
// One play takes at most this many table cards.
inline constexpr int kMaxTakenCards = 6;
// The score history shows the totals before the last hand and that hand.
inline constexpr int kHistoryRows = 2;
inline constexpr int kSides = 2;

using HandCards = CardList<kHandSlots>;
using TableCards = CardList<kCardCount>;
using PileCards = CardList<kCardCount>;
using TakenCards = CardList<kMaxTakenCards>;
using DeckOrder = std::array<int16_t, kCardCount>;

constexpr int SideIndex(Side side) {
  return side == Side::kWe ? 0 : 1;
}
constexpr Side OtherSide(Side side) {
  return side == Side::kWe ? Side::kThey : Side::kWe;
}

// The special captures one play earns, each worth a point:
//   Scua: the play takes every card on the table;
//   Picada: it takes the single card the previous player has just laid down
//           without capturing;
//   Simili: every card taken is of the played card's suit;
//   Quadriglia: it takes three or more table cards.
struct SpecialCaptures {
  bool scua = false;
  bool simili = false;
  bool picada = false;
  bool quadriglia = false;

  bool Any() const { return scua || simili || picada || quadriglia; }
  int Count() const { return int{scua} + int{simili} + int{picada} + int{quadriglia}; }
  bool operator==(const SpecialCaptures&) const = default;
};

// One side's score of the hand so far. The special-capture counts and the
// Napula run on through the hand; the rest is worked out again from the taken
// cards after every capture.
struct HandScore {
  int16_t scua = 0;
  int16_t simili = 0;
  int16_t picada = 0;
  int16_t quadriglia = 0;
  int16_t napula = 0;         // length of the cups run from the ace; kept once non-zero
  int16_t batons = 0;         // batons taken
  int16_t batons_point = 0;   // 1 for more batons than the other side
  int16_t cards_point = 0;    // 1 for more cards than the other side
  int16_t two_of_batons = 0;  // the three key cards, a point each
  int16_t ten_of_coins = 0;
  int16_t jack_of_swords = 0;
  int16_t points = 0;

  bool operator==(const HandScore&) const = default;
};

// What one side has gathered this hand, and its match total.
struct SideState {
  PileCards taken;    // every card it took, in the order they reached it
  PileCards markers;  // the capturing cards of its special captures, shown face up
  HandScore hand;
  int16_t match_points = 0;

  bool operator==(const SideState&) const = default;
};

struct HistoryRow {
  int16_t we = 0;
  int16_t they = 0;
  bool operator==(const HistoryRow&) const = default;
};

// What the rules remember of the plays just made: a Picada needs the previous
// play to have taken nothing, and the cards left at the end go to the seat of
// the last capture.
struct CaptureMemory {
  int16_t last_size = -1;  // cards the latest play took; -1 before the first play
  int16_t previous_size = -1;
  int16_t last_capturer = 0;
  bool operator==(const CaptureMemory&) const = default;
};

enum class HandPhase : int8_t {
  kNotDealt,  // before the first hand of a match
  kPlaying,
  kOver,  // scored; the next deal starts the next hand (or a new match)
};

// The rules state of a match: every card, every score and whose turn it is,
// nothing about how it is shown. A plain value: copy it, compare it, send it.
// It changes only through DealHand and ApplyPlay (match_rules.h).
struct MatchState {
  bool twelve_card_hands = true;  // twelve cards dealt at once, or six in two deals
  int16_t match_target = kMatchTarget;

  DeckOrder deck{};                       // this hand's shuffled pack, dealt from the front
  int16_t dealt = 0;                      // cards of `deck` dealt so far
  std::array<HandCards, kSeats> hands{};  // in the order they were dealt
  TableCards table;                       // in the order the cards came
  std::array<SideState, kSides> sides{};
  CaptureMemory memory;

  HandPhase phase = HandPhase::kNotDealt;
  int16_t first_seat = 0;    // who played first this hand
  int16_t turn = 0;          // whose play is awaited
  int16_t cards_played = 0;  // this hand

  std::array<HistoryRow, kHistoryRows> history{};
  int16_t history_rows = 0;
  MatchOutcome outcome = MatchOutcome::kGoesOn;  // of the last hand scored

  SideState& Of(Side side) { return sides[static_cast<size_t>(SideIndex(side))]; }
  const SideState& Of(Side side) const { return sides[static_cast<size_t>(SideIndex(side))]; }
  bool MatchDecided() const {
    return outcome == MatchOutcome::kWeWon || outcome == MatchOutcome::kWeLost;
  }
  bool operator==(const MatchState&) const = default;
};

// A new match with the options' hand size.
MatchState NewMatch(const Options& options);

// The cards of `side`'s pile: what it took, less the face-up markers.
PileCards PileOf(const MatchState& state, Side side);

// How many cards of each value have been on the table this hand (indexed by
// value 1..13): the ones lying there and every one taken.
using ValueCounts = std::array<int16_t, kHighestValue + 1>;
ValueCounts ValuesSeen(const TableCards& table, const PileCards& we_taken,
                       const PileCards& they_taken);

}  // namespace vantel
