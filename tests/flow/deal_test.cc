#include <algorithm>
#include <set>

#include "flow_fixture.h"

namespace vantel {
namespace {

using DealTest = FlowFixture;

TEST_F(DealTest, ShuffleIsAPermutationAndReplaysFromTheSeed) {
  ShuffleDeck(g_);
  std::set<int16_t> ids;
  for (int i = 0; i < 52; ++i) ids.insert(g_.model.deck[i].card);
  EXPECT_EQ(ids.size(), 52u);
  EXPECT_EQ(*ids.begin(), 0);
  EXPECT_EQ(*ids.rbegin(), 51);

  Chance again{11};
  Game other{again, sound_, clock_};
  ShuffleDeck(other);
  for (int i = 0; i < 52; ++i) EXPECT_EQ(other.model.deck[i].card, g_.model.deck[i].card);
}

TEST_F(DealTest, EachFirstSeatInTurnGetsTheFirstPacketAndTheOthersFollow) {
  int opener = -1;
  for (int hand = 0; hand < kSeats; ++hand) {
    NewHand(g_);
    const int first = g_.match.first_seat;
    if (hand > 0) {
      EXPECT_EQ(first, (opener + 1) % kSeats);
    }
    opener = first;
    RunUntil([&] { return events_.deals == hand + 1; });
    for (int packet = 0; packet < kSeats; ++packet) {
      const int seat = (first + packet) % kSeats;
      ASSERT_EQ(g_.model.hand_id_count[seat], 12) << hand;
      EXPECT_EQ(g_.model.hand_ids[seat][0], g_.model.deck[12 * packet].card) << hand;
    }
    g_.flow.state = FlowState::kEndOfMatch;
  }
}

TEST_F(DealTest, LaterHandsStartOneSeatOnFromThePreviousFirstSeat) {
  NewHand(g_);
  const int16_t first = g_.flow.turn;
  g_.flow.state = FlowState::kEndOfMatch;
  NewHand(g_);
  EXPECT_EQ(g_.flow.turn, (first + 1) % 4);
  EXPECT_EQ(g_.match.first_seat, g_.flow.turn);
}

// Drives the twelve-card deal to its end and records what it looked like.
TEST_F(DealTest, TwelveCardDealGivesPacketsInTurnOrderThenFourTableCardsWithTimedWaits) {
  NewHand(g_);
  const int16_t first = g_.flow.turn;
  int waits = 0;
  bool waited_while_dealing_to_players = false;
  FlowState last = g_.flow.state;
  RunUntil([&] {
    if (g_.flow.state == FlowState::kTimedWait && last != FlowState::kTimedWait) {
      ++waits;
      EXPECT_EQ(g_.flow.timed_wait_length, kDealWaitMs);
      waited_while_dealing_to_players |=
          g_.flow.state_before_timed_wait == FlowState::kDealingCards;
    }
    last = g_.flow.state;
    return events_.deals == 1 && g_.flow.state == FlowState::kNormalPlay;
  });
  EXPECT_EQ(waits, 4);
  EXPECT_FALSE(waited_while_dealing_to_players);
  EXPECT_EQ(g_.deal.deck_position, 52);
  for (int packet = 0; packet < 4; ++packet) {
    const int seat = (first + packet) % 4;
    ASSERT_EQ(g_.model.hand_id_count[seat], 12);
    for (int k = 0; k < 12; ++k) {
      EXPECT_EQ(g_.model.hand_ids[seat][k], g_.model.deck[12 * packet + k].card);
    }
  }
  ASSERT_EQ(g_.model.table_count, 4);
  for (int k = 0; k < 4; ++k) EXPECT_EQ(g_.model.table[k].card, g_.model.deck[48 + k].card);
  // The first step of play gives the turn to the first seat.
  EXPECT_EQ(g_.flow.turn, (first + 3) % 4);
  RunUntil([&] { return g_.flow.cards_played == 1 || g_.flow.awaiting_human; });
  EXPECT_EQ(g_.model.hand_id_count[first], first == 0 ? 12 : 11);
}

TEST_F(DealTest, EachTableCardWaitsItsTimeOnTheClock) {
  NewHand(g_);
  RunUntil([&] { return g_.flow.state == FlowState::kTimedWait; });
  const uint32_t start = g_.flow.timed_wait_start_tick;
  EXPECT_FALSE(g_.flow.timed_wait_served);
  // Still waiting at exactly 400 ms; released on the first step after it.
  while (clock_.GetTickCount() <= start + 400) {
    EXPECT_EQ(g_.flow.state, FlowState::kTimedWait);
    Frame();
  }
  Frame();
  EXPECT_NE(g_.flow.state, FlowState::kTimedWait);
  // The next table card clears timed_wait_served, so it gets its own wait.
  RunUntil([&] { return g_.model.table_count == 2; });
  EXPECT_EQ(g_.flow.state, FlowState::kTimedWait);
}

// A hand started again while cards fly, as when a table elsewhere is taken up
// anew, deals from the first card: no flight of the old hand goes on.
TEST_F(DealTest, AHandStartedAgainMidFlightDealsCleanly) {
  for (const int frames : {3, 400}) {  // during the deal, and during play
    Configure(false, false);
    NewHand(g_);
    for (int i = 0; i < frames || !AnyCardMoving(g_); ++i) Frame(HumanInput());
    NewHand(g_);
    EXPECT_EQ(g_.deal.deck_position, 0);
    RunUntil([&] { return HumanMayPickHandCard(g_); });
    EXPECT_EQ(g_.flow.cards_played, g_.match.cards_played);
    int shown = 0;
    for (const CardSprite& card : g_.model.hand[0]) shown += card.shown ? 1 : 0;
    EXPECT_EQ(shown, g_.match.hands[0].Size());
  }
}

TEST_F(DealTest, StockCardsAreLaidOutRightmostFirst) {
  g_.deal.deck_position = 10;
  LayOutDeck(g_);
  EXPECT_EQ(g_.model.deck[10].x, g_.layout.deck_base_x + 8);
  EXPECT_EQ(g_.model.deck[17].x, g_.layout.deck_base_x + 1);
  EXPECT_FALSE(g_.model.deck[18].shown);
  g_.deal.deck_position = 48;
  LayOutDeck(g_);
  EXPECT_EQ(g_.model.deck[51].x, g_.layout.deck_base_x + 8 - 3);
}

class SixCardDealTest : public FlowFixture {
 protected:
  void SetUp() override { Configure(true, false); }
};

TEST_F(SixCardDealTest, SecondDealStartsAfterTheTwentyFourthPlayAndDealsNoTableCards) {
  NewHand(g_);
  const int16_t first = g_.flow.turn;
  RunUntil([&] { return events_.deals == 1; });
  EXPECT_EQ(g_.deal.deck_position, 28);
  for (int s = 0; s < 4; ++s) EXPECT_EQ(g_.model.hand_id_count[s], 6);

  RunUntil([&] { return g_.flow.state == FlowState::kDealingCards; });
  EXPECT_EQ(g_.flow.cards_played, 24);
  EXPECT_FALSE(AnyCardMoving(g_));  // any capture of the 24th card is complete
  for (int s = 0; s < 4; ++s) EXPECT_EQ(g_.model.hand_id_count[s], 0);
  const int16_t table = g_.model.table_count;

  RunUntil([&] { return events_.deals == 2; });
  EXPECT_EQ(g_.flow.state, FlowState::kNormalPlay);
  EXPECT_EQ(g_.deal.deck_position, 52);
  EXPECT_EQ(g_.model.table_count, table);
  for (int packet = 0; packet < 4; ++packet) {
    const int seat = (first + packet) % 4;
    ASSERT_EQ(g_.model.hand_id_count[seat], 6);
    for (int k = 0; k < 6; ++k) {
      EXPECT_EQ(g_.model.hand_ids[seat][k], g_.model.deck[28 + 6 * packet + k].card);
    }
  }
  // The first seat of the hand also opens the second deal.
  EXPECT_EQ((g_.flow.turn + 1) % 4, first);
}

// A second table from the same seed as the fixture's, dealt frame by frame
// without a press, to hold a hurried deal to.
class HurryTest : public FlowFixture {
 protected:
  void Start(bool six) {
    Configure(six, false);
    g_.aids.hurry_deal_on_press = true;
    Options options = g_.options;
    std::destroy_at(&other_);
    std::construct_at(&other_, MakeGame(options, {other_chance_, other_sound_, clock_}));
    NewHand(g_);
    NewHand(other_);
  }

  // Deals the fixture's table until `cards` of this deal are out, then
  // clicks once; the other table deals on without a press.
  void HurryAfter(int cards) {
    while (DealInProgress(g_) && g_.deal.cards_dealt < cards) Frame();
    ASSERT_TRUE(DealInProgress(g_));
    Frame(Click(kLeftButton, 400, 300));
    EXPECT_FALSE(DealInProgress(g_));
    for (int n = 0; n < 100000 && DealInProgress(other_); ++n) {
      RunFrame(other_, HumanInputFor(other_), other_hooks_);
      clock_.Advance(kFrameMs);
    }
    ASSERT_FALSE(DealInProgress(other_));
  }

  void ExpectSameTable() {
    for (int seat = 0; seat < kSeats; ++seat) {
      ASSERT_EQ(g_.model.hand_id_count[seat], other_.model.hand_id_count[seat]);
      for (int k = 0; k < g_.model.hand_id_count[seat]; ++k) {
        const CardSprite& a = g_.model.hand[seat][k];
        const CardSprite& b = other_.model.hand[seat][k];
        EXPECT_EQ(a.card, b.card) << seat << " " << k;
        EXPECT_FLOAT_EQ(a.x, b.x) << seat << " " << k;
        EXPECT_FLOAT_EQ(a.y, b.y) << seat << " " << k;
        EXPECT_EQ(a.face_up, b.face_up) << seat << " " << k;
      }
    }
    ASSERT_EQ(g_.model.table_count, other_.model.table_count);
    for (int i = 0; i < g_.model.table_count; ++i) {
      EXPECT_EQ(g_.model.table[i].card, other_.model.table[i].card) << i;
      EXPECT_FLOAT_EQ(g_.model.table[i].x, other_.model.table[i].x) << i;
      EXPECT_FLOAT_EQ(g_.model.table[i].y, other_.model.table[i].y) << i;
    }
    EXPECT_EQ(g_.deal.deck_position, other_.deal.deck_position);
    EXPECT_EQ(g_.flow.turn, other_.flow.turn);
    EXPECT_EQ(g_.match, other_.match);
    // Both streams were drawn as often and in the same order.
    EXPECT_EQ(chance_.deal.Draw(1000000), other_chance_.deal.Draw(1000000));
    EXPECT_EQ(chance_.looks.Draw(1000000), other_chance_.looks.Draw(1000000));
  }

  Chance other_chance_{11};
  RecordingSound other_sound_;
  Game other_ = MakeGame(Options{}, {other_chance_, other_sound_, clock_});
  FrameHooks other_hooks_;
};

TEST_F(HurryTest, AClickPutsTheTwelveCardDealWhereTheDealWouldHaveIt) {
  Start(false);
  HurryAfter(7);
  ExpectSameTable();
  // The pause before the first play is kept, and the game plays on from it.
  EXPECT_EQ(g_.flow.state, FlowState::kTimedWait);
  EXPECT_EQ(g_.flow.state_before_timed_wait, FlowState::kNormalPlay);
}

TEST_F(HurryTest, BothSixCardDealsHurryAndHoldingOnDoesNotHurryTheNext) {
  Start(true);
  HurryAfter(3);
  ExpectSameTable();
  // Play the six cards each to the second deal, both tables alike.
  RunUntil([&] { return DealInProgress(g_); });
  for (int n = 0; n < 100000 && !DealInProgress(other_); ++n) {
    RunFrame(other_, HumanInputFor(other_), other_hooks_);
    clock_.Advance(kFrameMs);
  }
  ASSERT_EQ(g_.flow.cards_played, other_.flow.cards_played);
  // A button still down from before the second deal began is no new press.
  g_.aids.deal_press_held = true;
  Frame(Click(kLeftButton, 400, 300));
  EXPECT_TRUE(DealInProgress(g_));
  Frame();
  HurryAfter(g_.deal.cards_dealt + 2);
  ExpectSameTable();
}

// P freezes the table rather than putting the cards down, and without the
// game window's leave (the simulator) a key never hurries.
TEST_F(HurryTest, PauseAndTheSimulatorNeverHurry) {
  Start(false);
  for (int n = 0; n < 20; ++n) Frame();
  g_.flow.game_paused = false;
  Frame(Key(kKeyP));
  EXPECT_TRUE(DealInProgress(g_));
  g_.aids.hurry_deal_on_press = false;
  Frame(Key(kKeySpace));
  EXPECT_TRUE(DealInProgress(g_));
}

}  // namespace
}  // namespace vantel
