#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "game/legal_captures.h"
#include "game/match_events.h"
#include "game/match_state.h"

namespace vantel {

// One seat's play: a card of its hand and the table cards it takes (their
// ids; none to lay the card down). Laying down is always allowed, even when
// the card could capture.
struct Play {
  int16_t card = 0;
  CardList<kMaxTakenCards> take;
  bool operator==(const Play&) const = default;
};

enum class PlayError : int8_t {
  kNone,
  kNoHandInPlay,    // no hand is being played
  kNotYourTurn,     // another seat is to play
  kCardNotHeld,     // the card is not in the seat's hand
  kCardNotOnTable,  // a card to take is not on the table (or named twice)
  kCaptureRefused,  // the cards to take do not make a capture of the card
};

// A short English name for logs and protocol replies ("not-your-turn").
std::string_view PlayErrorName(PlayError error);

struct PlayResult {
  PlayError error = PlayError::kNone;
  MatchEvents events;
  bool Ok() const { return error == PlayError::kNone; }
};

// Where in the pack of the hand in play the `card`th card (from 0) that
// `seat` is dealt in deal `deal` lies: deal 0 gives every seat its packet,
// the first seat first, and four cards to the table; with six-card hands
// deal 1, the second six, follows them in the same order.
// Inline: the Expert asks it for every card of every world it samples.
inline int DealtPlace(const MatchState& state, int deal, int seat, int card) {
  const int size = state.twelve_card_hands ? kTwelveCardHand : kSixCardHand;
  const int start = deal == 0 ? 0 : kSeats * size + kOpeningTableCards;
  const int packet = ((seat - state.first_seat) % kSeats + kSeats) % kSeats;
  return start + packet * size + card;
}

// The seat that opens the hand after the one just played: the next one round.
int NextFirstSeat(const MatchState& state);

// Deals a hand from `deck` (a shuffled pack), `first_seat` to play first. A
// decided match is over first: totals and history start again; a tied one
// keeps its totals and starts its history again. Seats get their cards in
// packets, `first_seat` first, then four cards go to the table; with six-card
// hands the second six follow once the first are played.
void DealHand(MatchState& state, const DeckOrder& deck, int first_seat);

// The hand in play as it was dealt: the same pack and first seat, the match
// score as it stood. A state with no hand in play is returned as it is.
MatchState RedealHand(const MatchState& state);

// Checks `play` by `seat` and, if it is allowed, makes it: the card goes to
// the table, takes what it takes, the side scores, the turn passes; the second
// deal and the end of the hand follow by themselves. A refused play changes
// nothing.
PlayResult ApplyPlay(MatchState& state, int seat, const Play& play);

// The error ApplyPlay would give, without making the play.
PlayError CheckPlay(const MatchState& state, int seat, const Play& play);

// Lets `seat` hold its cards in another order (a person sorting a hand);
// false, changing nothing, unless `order` holds exactly the same cards.
bool ReorderHand(MatchState& state, int seat, std::span<const int16_t> order);

// The table positions of the cards `play` takes, in table order.
CaptureSet PositionsOf(const TableCards& table, const Play& play);

}  // namespace vantel
