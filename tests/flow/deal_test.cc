#include <algorithm>
#include <set>

#include "flow_fixture.h"

namespace vantel {
namespace {

using DealTest = FlowFixture;

TEST_F(DealTest, ShuffleIsAPermutationAndReplaysFromTheSeed) {
  ShuffleDeck(g_);
  std::set<int16_t> ids;
  for (int i = 0; i < 52; ++i) {
    ids.insert(g_.model.deck[i].card);
    EXPECT_EQ(g_.deal.shuffle_order[i], g_.model.deck[i].card) << i;
  }
  EXPECT_EQ(ids.size(), 52u);
  EXPECT_EQ(*ids.begin(), 0);
  EXPECT_EQ(*ids.rbegin(), 51);

  MtRandom again{11};
  Game other{again, sound_, clock_};
  ShuffleDeck(other);
  for (int i = 0; i < 52; ++i) EXPECT_EQ(other.model.deck[i].card, g_.model.deck[i].card);
}

TEST_F(DealTest, DealOrderStartsWithTheFirstSeatAndWraps) {
  for (int16_t first = 0; first < 4; ++first) {
    g_.flow.turn = first;
    BuildDealOrder(g_);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(g_.deal.deal_order[i], (first + i) % 4);
  }
}

TEST_F(DealTest, LaterHandsStartOneSeatOnFromThePreviousFirstSeat) {
  NewHand(g_);
  const int16_t first = g_.flow.turn;
  // Every hand plays 48 cards in strict rotation, so the last card's player
  // is the one before the first.
  g_.flow.turn = static_cast<int16_t>((first + 3) % 4);
  g_.flow.state = FlowState::kEndOfMatch;
  NewHand(g_);
  EXPECT_EQ(g_.flow.turn, (first + 1) % 4);
  EXPECT_EQ(g_.deal.deal_order[0], g_.flow.turn);
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

}  // namespace
}  // namespace vantel
