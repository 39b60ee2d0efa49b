#include "game/match_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

#include "game/hand_score.h"
#include "game/seat_view.h"
#include "support/test_cards.h"

namespace vantel {
namespace {

DeckOrder InOrder() {
  DeckOrder deck{};
  std::iota(deck.begin(), deck.end(), int16_t{0});
  return deck;
}

DeckOrder Shuffled(uint32_t seed) {
  DeckOrder deck = InOrder();
  std::mt19937 engine(seed);
  std::shuffle(deck.begin(), deck.end(), engine);
  return deck;
}

// A pack whose first cards are `front`, the rest in id order.
DeckOrder Stacked(const std::vector<int16_t>& front) {
  DeckOrder deck{};
  size_t n = 0;
  for (int16_t id : front) deck[n++] = id;
  for (int16_t id = 0; id < kCardCount; ++id) {
    if (std::find(front.begin(), front.end(), id) == front.end()) deck[n++] = id;
  }
  return deck;
}

Play LayDown(int16_t card) {
  return Play{card, {}};
}

Play Taking(int16_t card, std::initializer_list<int16_t> take) {
  Play play{card, {}};
  for (int16_t id : take) play.take.PushBack(id);
  return play;
}

// Every card of the pack is somewhere, once: a hand, the table, a side's
// cards, or the part of the pack not dealt yet.
void ExpectEveryCardOnce(const MatchState& s) {
  std::vector<int> seen(kCardCount, 0);
  for (const HandCards& hand : s.hands)
    for (int16_t id : hand) seen[static_cast<size_t>(id)] += 1;
  for (int16_t id : s.table) seen[static_cast<size_t>(id)] += 1;
  for (const SideState& side : s.sides)
    for (int16_t id : side.taken) seen[static_cast<size_t>(id)] += 1;
  for (int i = s.dealt; i < kCardCount; ++i)
    seen[static_cast<size_t>(s.deck[static_cast<size_t>(i)])] += 1;
  for (int id = 0; id < kCardCount; ++id)
    ASSERT_EQ(seen[static_cast<size_t>(id)], 1) << "card " << id;
}

// Plays a whole hand (or its first `plays`): each seat takes its first legal
// capture of its first card that has one, else lays its first card down.
std::vector<MatchEvent> PlayHand(MatchState& s, int plays = kCardsPlayedPerHand) {
  std::vector<MatchEvent> events;
  for (int n = 0; n < plays && s.phase == HandPhase::kPlaying; ++n) {
    const int seat = s.turn;
    const HandCards& hand = s.hands[static_cast<size_t>(seat)];
    Play play = LayDown(hand[0]);
    for (int16_t card : hand) {
      bool found = false;
      ForEachLegalCapture(s.table.Span(), card, [&](const CaptureSet& set) {
        play = Play{card, {}};
        for (int16_t p : set.Span()) play.take.PushBack(s.table[p]);
        found = true;
        return false;
      });
      if (found) break;
    }
    const PlayResult result = ApplyPlay(s, seat, play);
    EXPECT_TRUE(result.Ok()) << PlayErrorName(result.error);
    if (!result.Ok()) break;
    events.insert(events.end(), result.events.begin(), result.events.end());
    ExpectEveryCardOnce(s);
  }
  return events;
}

TEST(MatchRulesTest, DealsPacketsFromTheFirstSeatThenFourToTheTable) {
  MatchState s = NewMatch(Options{});
  DealHand(s, InOrder(), 2);
  EXPECT_EQ(s.turn, 2);
  EXPECT_EQ(s.hands[2][0], 0);
  EXPECT_EQ(s.hands[3][0], 12);
  EXPECT_EQ(s.hands[0][0], 24);
  EXPECT_EQ(s.hands[1][11], 47);
  EXPECT_EQ(s.table, (TableCards{48, 49, 50, 51}));
  ExpectEveryCardOnce(s);

  Options six;
  six.twelve_card_deal = 0;
  MatchState h = NewMatch(six);
  DealHand(h, InOrder(), 0);
  for (const HandCards& hand : h.hands) EXPECT_EQ(hand.Size(), kSixCardHand);
  EXPECT_EQ(h.table, (TableCards{24, 25, 26, 27}));
  EXPECT_EQ(h.dealt, 28);
  ExpectEveryCardOnce(h);

  // The second six follow the table's four, again from the first seat.
  DealHand(h, InOrder(), 3);
  EXPECT_EQ(DealtPlace(h, 0, 0, 1), 7);
  while (h.cards_played < kSeats * kSixCardHand) {
    ASSERT_TRUE(ApplyPlay(h, h.turn, LayDown(h.hands[static_cast<size_t>(h.turn)][0])).Ok());
  }
  EXPECT_EQ(h.hands[3], (HandCards{28, 29, 30, 31, 32, 33}));
  EXPECT_EQ(h.hands[2], (HandCards{46, 47, 48, 49, 50, 51}));
  for (int seat = 0; seat < kSeats; ++seat) {
    for (int c = 0; c < kSixCardHand; ++c) {
      EXPECT_EQ(h.hands[static_cast<size_t>(seat)][c], DealtPlace(h, 1, seat, c));
    }
  }
  EXPECT_EQ(h.dealt, kCardCount);
  ExpectEveryCardOnce(h);
}

TEST(MatchRulesTest, WholeHandsKeepEveryCardAndEndScored) {
  for (bool twelve : {true, false}) {
    Options options;
    options.twelve_card_deal = twelve ? 1 : 0;
    MatchState s = NewMatch(options);
    for (uint32_t seed = 1; seed <= 40; ++seed) {
      DealHand(s, Shuffled(seed), NextFirstSeat(s));
      const std::vector<MatchEvent> events = PlayHand(s);
      EXPECT_EQ(s.cards_played, kCardsPlayedPerHand);
      EXPECT_TRUE(s.table.Empty());
      EXPECT_EQ(s.Of(Side::kWe).taken.Size() + s.Of(Side::kThey).taken.Size(), kCardCount);
      const auto dealt_again = std::count_if(events.begin(), events.end(), [](const MatchEvent& e) {
        return std::holds_alternative<SecondDealt>(e);
      });
      EXPECT_EQ(dealt_again, twelve ? 0 : 1);
      ASSERT_TRUE(std::holds_alternative<HandScored>(events.back()));
      const HandScored& scored = std::get<HandScored>(events.back());
      EXPECT_EQ(scored.we, s.Of(Side::kWe).hand);
      EXPECT_EQ(scored.we_total, s.Of(Side::kWe).match_points);
      if (s.MatchDecided()) s = NewMatch(options);
    }
  }
}

TEST(MatchRulesTest, AHandInPlayIsDealtAgainAsItWasWithTheScoreAsItStood) {
  for (bool twelve : {true, false}) {
    Options options;
    options.twelve_card_deal = twelve ? 1 : 0;
    MatchState s = NewMatch(options);
    for (uint32_t seed = 1; seed <= 2; ++seed) {
      DealHand(s, Shuffled(seed), NextFirstSeat(s));
      PlayHand(s);
    }
    DealHand(s, Shuffled(9), NextFirstSeat(s));
    const MatchState dealt = s;
    PlayHand(s, 30);  // past the second deal of six-card hands
    ASSERT_NE(s, dealt);
    EXPECT_EQ(RedealHand(s), dealt) << "twelve " << twelve;
    PlayHand(s);
    EXPECT_EQ(RedealHand(s), s);  // scored: nothing in play to deal again
  }
}

TEST(MatchRulesTest, RefusedPlaysChangeNothing) {
  MatchState s = NewMatch(Options{});
  const Play any = LayDown(0);
  EXPECT_EQ(ApplyPlay(s, 0, any).error, PlayError::kNoHandInPlay);

  // Seat 0 holds 5C, 8H, KC...; the table 5D 3S 2H 7C.
  const int16_t five_c = CardId(5, 'C'), eight_h = CardId(8, 'H'), king_c = CardId(13, 'C');
  const int16_t five_d = CardId(5, 'D'), three_s = CardId(3, 'S'), two_h = CardId(2, 'H'),
                seven_c = CardId(7, 'C');
  std::vector<int16_t> front = {five_c, eight_h, king_c};
  while (front.size() < 48) {
    for (int16_t id = 0; id < kCardCount && front.size() < 48; ++id) {
      if (std::find(front.begin(), front.end(), id) == front.end() && id != five_d &&
          id != three_s && id != two_h && id != seven_c) {
        front.push_back(id);
      }
    }
  }
  for (int16_t id : {five_d, three_s, two_h, seven_c}) front.push_back(id);
  DealHand(s, Stacked(front), 0);
  ASSERT_EQ(s.table, (TableCards{five_d, three_s, two_h, seven_c}));

  const MatchState before = s;
  struct Case {
    int seat;
    Play play;
    PlayError error;
  };
  const Case cases[] = {
      {1, LayDown(s.hands[1][0]), PlayError::kNotYourTurn},
      {0, LayDown(s.hands[1][0]), PlayError::kCardNotHeld},
      {0, Taking(five_c, {CardId(9, 'S')}), PlayError::kCardNotOnTable},
      {0, Taking(five_c, {five_d, five_d}), PlayError::kCardNotOnTable},
      {0, Taking(five_c, {three_s}), PlayError::kCaptureRefused},          // 3 is not 5
      {0, Taking(king_c, {five_d, three_s}), PlayError::kCaptureRefused},  // no king to take
      {0, Taking(eight_h, {five_d, three_s, two_h}), PlayError::kCaptureRefused},  // 10
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ApplyPlay(s, c.seat, c.play).error, c.error) << PlayErrorName(c.error);
    EXPECT_EQ(s, before);
  }
  // A sum may be taken although a card of the same value lies there too.
  const PlayResult taken = ApplyPlay(s, 0, Taking(five_c, {three_s, two_h}));
  ASSERT_TRUE(taken.Ok());
  EXPECT_EQ(s.table, (TableCards{five_d, seven_c}));
  EXPECT_EQ(s.turn, 1);
}

TEST(MatchRulesTest, ASpecialCaptureLeavesItsCardFaceUpAmongTheMarkers) {
  // Seat 0 lays the 4 of swords down; seat 1 takes it with its 4 (a Picada)
  // together with nothing else; seat 2 then takes 3 + 2 + 2 with a 7 of cups
  // (Quadriglia).
  const int16_t four_h = CardId(4, 'H'), four_d = CardId(4, 'D'), seven_c = CardId(7, 'C');
  const int16_t three_c = CardId(3, 'C'), two_c = CardId(2, 'C'), two_d = CardId(2, 'D'),
                king_s = CardId(13, 'S');
  std::vector<int16_t> hands(48, -1);
  hands[0] = four_h;
  hands[12] = four_d;
  hands[24] = seven_c;
  std::vector<int16_t> front;
  std::vector<int16_t> table = {three_c, king_s, two_c, two_d};
  int16_t next = 0;
  auto free_card = [&]() {
    while (std::find(hands.begin(), hands.end(), next) != hands.end() ||
           std::find(table.begin(), table.end(), next) != table.end()) {
      ++next;
    }
    return next++;
  };
  for (int16_t& id : hands) {
    if (id < 0) id = free_card();
  }
  front = hands;
  front.insert(front.end(), table.begin(), table.end());
  MatchState s = NewMatch(Options{});
  DealHand(s, Stacked(front), 0);
  ASSERT_EQ(s.table, (TableCards{three_c, king_s, two_c, two_d}));

  ASSERT_TRUE(ApplyPlay(s, 0, LayDown(four_h)).Ok());
  const PlayResult picada = ApplyPlay(s, 1, Taking(four_d, {four_h}));
  ASSERT_TRUE(picada.Ok());
  const CardsTaken& first = std::get<CardsTaken>(picada.events[1]);
  EXPECT_TRUE(first.specials.picada);
  EXPECT_EQ(first.specials.Count(), 1);
  EXPECT_EQ(s.Of(Side::kThey).markers, (PileCards{four_d}));
  EXPECT_EQ(s.Of(Side::kThey).taken, (PileCards{four_h, four_d}));
  EXPECT_EQ(PileOf(s, Side::kThey), (PileCards{four_h}));
  EXPECT_EQ(s.Of(Side::kThey).hand.picada, 1);
  EXPECT_EQ(first.they_score, s.Of(Side::kThey).hand);  // the score to show once banked
  EXPECT_EQ(first.we_score, s.Of(Side::kWe).hand);
  EXPECT_EQ(s.memory.previous_size, 1);

  const PlayResult quadriglia = ApplyPlay(s, 2, Taking(seven_c, {three_c, two_c, two_d}));
  ASSERT_TRUE(quadriglia.Ok());
  const CardsTaken& second = std::get<CardsTaken>(quadriglia.events[1]);
  EXPECT_TRUE(second.specials.quadriglia);
  EXPECT_FALSE(second.specials.simili);  // the two of coins
  EXPECT_EQ(s.Of(Side::kWe).taken, (PileCards{three_c, two_c, two_d, seven_c}));
  EXPECT_EQ(s.table, (TableCards{king_s}));
  EXPECT_EQ(s.memory.last_capturer, 2);
}

TEST(MatchRulesTest, AMatchIsWonPastTheTargetAheadAndGoesOnWhenLevel) {
  MatchState s = NewMatch(Options{});
  auto score = [&](int we_total, int they_total, int we_hand, int they_hand) {
    s.Of(Side::kWe).match_points = static_cast<int16_t>(we_total - we_hand);
    s.Of(Side::kThey).match_points = static_cast<int16_t>(they_total - they_hand);
    s.Of(Side::kWe).hand.points = static_cast<int16_t>(we_hand);
    s.Of(Side::kThey).hand.points = static_cast<int16_t>(they_hand);
    return ScoreHandIntoMatch(s);
  };
  EXPECT_EQ(score(52, 49, 5, 5), MatchOutcome::kWeWon);
  s = NewMatch(Options{});
  EXPECT_EQ(score(40, 51, 5, 5), MatchOutcome::kWeLost);
  s = NewMatch(Options{});
  EXPECT_EQ(score(53, 53, 5, 5), MatchOutcome::kTied);
  s = NewMatch(Options{});
  EXPECT_EQ(score(50, 50, 5, 5), MatchOutcome::kGoesOn);

  // The history holds the totals before the last hand and that hand.
  s = NewMatch(Options{});
  score(6, 4, 6, 4);
  score(9, 12, 3, 8);
  score(20, 14, 11, 2);
  EXPECT_EQ(s.history_rows, 2);
  EXPECT_EQ(s.history[0], (HistoryRow{9, 12}));
  EXPECT_EQ(s.history[1], (HistoryRow{11, 2}));

  // A decided match starts again at the next deal; a tied one keeps its totals.
  s = NewMatch(Options{});
  score(53, 53, 5, 5);
  DealHand(s, InOrder(), 0);
  EXPECT_EQ(s.Of(Side::kWe).match_points, 53);
  EXPECT_EQ(s.history_rows, 0);
  score(60, 55, 7, 2);
  DealHand(s, InOrder(), 0);
  EXPECT_EQ(s.Of(Side::kWe).match_points, 0);
  EXPECT_EQ(s.Of(Side::kThey).match_points, 0);
}

TEST(MatchRulesTest, NapulaCountsTheCupsRunFromTheAceOnce) {
  struct Case {
    std::vector<int> cups;
    int16_t napula;
  };
  const Case cases[] = {{{1, 2, 3, 4, 5, 7}, 5},
                        {{1, 2, 4}, 0},
                        {{3, 1, 2}, 3},
                        {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}, 13}};
  for (const Case& c : cases) {
    MatchState s = NewMatch(Options{});
    for (int v : c.cups) s.Of(Side::kThey).taken.PushBack(CardId(v, 'C'));
    RescoreHand(s, {}, {});
    EXPECT_EQ(s.Of(Side::kThey).hand.napula, c.napula) << ::testing::PrintToString(c.cups);
  }
}

TEST(SeatViewTest, ShowsTheSeatItsOwnCardsAndHidesEveryOtherHandAndThePack) {
  MatchState s = NewMatch(Options{});
  DealHand(s, Shuffled(3), 1);
  for (int seat = 0; seat < kSeats; ++seat) {
    const SeatView view(s, seat);
    EXPECT_EQ(view.Hand(), s.hands[static_cast<size_t>(seat)]);
    EXPECT_EQ(view.Table(), s.table);
    for (int other = 0; other < kSeats; ++other) {
      EXPECT_EQ(view.HandSize(other), s.hands[static_cast<size_t>(other)].Size());
      if (other == seat) continue;
      for (int16_t card : view.Masked().hands[static_cast<size_t>(other)]) {
        EXPECT_EQ(card, kHiddenCard);
      }
    }
    for (int16_t card : view.Masked().deck) EXPECT_EQ(card, kHiddenCard);

    // Another deal of the cards the seat cannot see gives the same view.
    MatchState other = s;
    const int partner = (seat + 2) % kSeats;
    const int next = (seat + 1) % kSeats;
    std::swap(other.hands[static_cast<size_t>(partner)], other.hands[static_cast<size_t>(next)]);
    std::reverse(other.deck.begin(), other.deck.end());
    EXPECT_EQ(SeatView(other, seat), view);
  }
}

}  // namespace
}  // namespace vantel
