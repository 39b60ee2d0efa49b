#include "game/match_rules.h"

#include <algorithm>

#include "game/hand_score.h"

namespace vantel {

namespace {

int HandSizeOf(const MatchState& state) {
  return state.twelve_card_hands ? kTwelveCardHand : kSixCardHand;
}

// Deals deal `deal` of the hand: a packet of hand-size cards to every seat.
void DealPackets(MatchState& state, int deal) {
  const int size = HandSizeOf(state);
  for (int seat = 0; seat < kSeats; ++seat) {
    HandCards& hand = state.hands[static_cast<size_t>(seat)];
    const int first = DealtPlace(state, deal, seat, 0);
    for (int place = first; place < first + size && place < kCardCount; ++place) {
      hand.PushBack(state.deck[static_cast<size_t>(place)]);
    }
  }
  state.dealt = static_cast<int16_t>(std::min(state.dealt + kSeats * size, kCardCount));
}

bool SecondDealDue(const MatchState& state) {
  return !state.twelve_card_hands && state.cards_played == kSeats * kSixCardHand;
}

void StartMatchAgainIfOver(MatchState& state) {
  if (state.MatchDecided()) {
    for (SideState& side : state.sides) side.match_points = 0;
    state.history_rows = 0;
    state.match_target = kMatchTarget;
  } else if (state.outcome == MatchOutcome::kTied) {
    state.history_rows = 0;
  }
  state.outcome = MatchOutcome::kGoesOn;
}

// The taken cards in table order, then the card that took them; a special
// capture's card also lies face up among the side's markers.
void Bank(SideState& side, int16_t card, const TableCards& table, const CaptureSet& take,
          bool special) {
  for (int16_t p : take.Span()) side.taken.PushBack(table[p]);
  side.taken.PushBack(card);
  if (special) side.markers.PushBack(card);
}

TableCards Without(const TableCards& table, const CaptureSet& take) {
  TableCards left;
  for (int i = 0; i < table.Size(); ++i) {
    if (std::find(take.Span().begin(), take.Span().end(), i) == take.Span().end()) {
      left.PushBack(table[i]);
    }
  }
  return left;
}

// Takes `take` from the table with `card` (already removed from the hand) for
// `seat`, banks the cards and rescores.
CardsTaken Take(MatchState& state, int seat, int16_t card, const CaptureSet& take) {
  const Side side = SideOfSeat(seat);
  CardsTaken event;
  event.seat = static_cast<int16_t>(seat);
  event.side = side;
  event.card = card;
  for (int16_t p : take.Span()) event.taken.PushBack(state.table[p]);
  event.specials = SpecialsOf(state.table.Span(), card, take.Span(), state.memory.previous_size);

  Bank(state.Of(side), card, state.table, take, event.specials.Any());
  state.table = Without(state.table, take);
  state.memory.last_size = take.count;
  state.memory.last_capturer = static_cast<int16_t>(seat);
  const SpecialCaptures none;
  RescoreHand(state, side == Side::kWe ? event.specials : none,
              side == Side::kThey ? event.specials : none);
  event.we_score = state.Of(Side::kWe).hand;
  event.they_score = state.Of(Side::kThey).hand;
  return event;
}

// The hand's last card is down: the table goes to the side of the last
// capture (We when nobody captured), and the hand is scored.
void FinishHand(MatchState& state, MatchEvents& events) {
  RemaindersTaken remainders;
  remainders.side = SideOfSeat(state.memory.last_capturer);
  remainders.cards = state.table;
  SideState& side = state.Of(remainders.side);
  for (int16_t card : state.table) side.taken.PushBack(card);
  state.table.Clear();
  RescoreHand(state, {}, {});
  events.Add(remainders);

  HandScored scored;
  scored.outcome = ScoreHandIntoMatch(state);
  scored.we = state.Of(Side::kWe).hand;
  scored.they = state.Of(Side::kThey).hand;
  scored.we_total = state.Of(Side::kWe).match_points;
  scored.they_total = state.Of(Side::kThey).match_points;
  state.phase = HandPhase::kOver;
  events.Add(scored);
}

}  // namespace

std::string_view PlayErrorName(PlayError error) {
  switch (error) {
    case PlayError::kNone: return "none";
    case PlayError::kNoHandInPlay: return "no-hand-in-play";
    case PlayError::kNotYourTurn: return "not-your-turn";
    case PlayError::kCardNotHeld: return "card-not-held";
    case PlayError::kCardNotOnTable: return "card-not-on-table";
    case PlayError::kCaptureRefused: return "capture-refused";
  }
  return "unknown";
}

MatchState NewMatch(const Options& options) {
  MatchState state;
  state.twelve_card_hands = DealsTwelve(options);
  return state;
}

int NextFirstSeat(const MatchState& state) {
  return (state.first_seat + 1) % kSeats;
}

void DealHand(MatchState& state, const DeckOrder& deck, int first_seat) {
  StartMatchAgainIfOver(state);
  for (HandCards& hand : state.hands) hand.Clear();
  state.table.Clear();
  for (SideState& side : state.sides) {
    side.taken.Clear();
    side.markers.Clear();
    side.hand = HandScore{};
  }
  state.memory = CaptureMemory{};
  state.deck = deck;
  state.dealt = 0;
  state.first_seat = static_cast<int16_t>(((first_seat % kSeats) + kSeats) % kSeats);
  state.turn = state.first_seat;
  state.cards_played = 0;
  DealPackets(state, 0);
  for (int c = 0; c < kOpeningTableCards && state.dealt < kCardCount; ++c) {
    state.table.PushBack(state.deck[static_cast<size_t>(state.dealt++)]);
  }
  state.phase = HandPhase::kPlaying;
}

CaptureSet PositionsOf(const TableCards& table, const Play& play) {
  CaptureSet set;
  for (int i = 0; i < table.Size(); ++i) {
    if (play.take.Contains(table[i]) && set.count < kMaxTakenCards) {
      set.index[static_cast<size_t>(set.count++)] = static_cast<int16_t>(i);
    }
  }
  return set;
}

PlayError CheckPlay(const MatchState& state, int seat, const Play& play) {
  if (state.phase != HandPhase::kPlaying) return PlayError::kNoHandInPlay;
  if (seat != state.turn) return PlayError::kNotYourTurn;
  if (!state.hands[static_cast<size_t>(seat)].Contains(play.card)) return PlayError::kCardNotHeld;
  if (play.take.Empty()) return PlayError::kNone;
  const CaptureSet positions = PositionsOf(state.table, play);
  // Every card named once, each on the table: then the positions match the
  // named cards one for one.
  if (positions.count != play.take.Size()) return PlayError::kCardNotOnTable;
  for (int i = 0; i < play.take.Size(); ++i) {
    for (int j = i + 1; j < play.take.Size(); ++j) {
      if (play.take[i] == play.take[j]) return PlayError::kCardNotOnTable;
    }
  }
  if (!IsAcceptedCapture(state.table.Span(), play.card, positions.Span())) {
    return PlayError::kCaptureRefused;
  }
  return PlayError::kNone;
}

MatchState RedealHand(const MatchState& state) {
  if (state.phase != HandPhase::kPlaying) return state;
  // The match score moves only when a hand ends, so it stands as it was dealt.
  MatchState dealt = state;
  DealHand(dealt, state.deck, state.first_seat);
  return dealt;
}

PlayResult ApplyPlay(MatchState& state, int seat, const Play& play) {
  PlayResult result;
  result.error = CheckPlay(state, seat, play);
  if (!result.Ok()) return result;

  HandCards& hand = state.hands[static_cast<size_t>(seat)];
  hand.EraseAt(hand.Find(play.card));
  state.cards_played += 1;
  result.events.Add(CardLaid{static_cast<int16_t>(seat), play.card});
  if (play.take.Empty()) {
    state.table.PushBack(play.card);
    state.memory.last_size = 0;
  } else {
    result.events.Add(Take(state, seat, play.card, PositionsOf(state.table, play)));
  }

  if (state.cards_played == kCardsPlayedPerHand) {
    FinishHand(state, result.events);
    return result;
  }
  if (SecondDealDue(state)) {
    DealPackets(state, 1);
    result.events.Add(SecondDealt{});
  }
  state.memory.previous_size = state.memory.last_size;
  state.turn = static_cast<int16_t>((seat + 1) % kSeats);
  return result;
}

bool ReorderHand(MatchState& state, int seat, std::span<const int16_t> order) {
  if (seat < 0 || seat >= kSeats) return false;
  HandCards& hand = state.hands[static_cast<size_t>(seat)];
  if (order.size() != static_cast<size_t>(hand.Size())) return false;
  if (!std::is_permutation(order.begin(), order.end(), hand.begin(), hand.end())) return false;
  HandCards sorted;
  for (int16_t card : order) sorted.PushBack(card);
  hand = sorted;
  return true;
}

PileCards PileOf(const MatchState& state, Side side) {
  const SideState& s = state.Of(side);
  PileCards pile;
  for (int16_t card : s.taken) {
    if (!s.markers.Contains(card)) pile.PushBack(card);
  }
  return pile;
}

ValueCounts ValuesSeen(const TableCards& table, const PileCards& we_taken,
                       const PileCards& they_taken) {
  ValueCounts seen{};
  for (const auto* list : {&table, &we_taken, &they_taken}) {
    for (int16_t card : *list) seen[static_cast<size_t>(ValueOf(card))] += 1;
  }
  return seen;
}

}  // namespace vantel
