#include <algorithm>
#include <set>

#include "flow_fixture.h"

namespace vantel {
namespace {

using DealTest = FlowFixture;

TEST_F(DealTest, ShuffleIsAPermutationAndReplaysFromTheSeed) {
  ShuffleDeck(g);
  std::set<int16_t> ids;
  for (int i = 0; i < 52; ++i) {
    ids.insert(g.model.Deck[i].Card);
    EXPECT_EQ(g.deal.ShuffleOrder[i], g.model.Deck[i].Card) << i;
  }
  EXPECT_EQ(ids.size(), 52u);
  EXPECT_EQ(*ids.begin(), 0);
  EXPECT_EQ(*ids.rbegin(), 51);

  MtRandom again{11};
  Game other{again, sound, clock};
  ShuffleDeck(other);
  for (int i = 0; i < 52; ++i) EXPECT_EQ(other.model.Deck[i].Card, g.model.Deck[i].Card);
}

TEST_F(DealTest, DealOrderStartsWithTheFirstSeatAndWraps) {
  for (int16_t first = 0; first < 4; ++first) {
    g.flow.Turn = first;
    BuildDealOrder(g);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(g.deal.DealOrder[i], (first + i) % 4);
  }
}

TEST_F(DealTest, LaterHandsStartOneSeatOnFromThePreviousFirstSeat) {
  NewHand(g);
  const int16_t first = g.flow.Turn;
  // Every hand plays 48 cards in strict rotation, so the last card's player
  // is the one before the first.
  g.flow.Turn = static_cast<int16_t>((first + 3) % 4);
  g.flow.State = FlowState::EndOfMatch;
  NewHand(g);
  EXPECT_EQ(g.flow.Turn, (first + 1) % 4);
  EXPECT_EQ(g.deal.DealOrder[0], g.flow.Turn);
}

// Drives the twelve-card deal to its end and records what it looked like.
TEST_F(DealTest, TwelveCardDealGivesPacketsInTurnOrderThenFourTableCardsWithPauses) {
  NewHand(g);
  const int16_t first = g.flow.Turn;
  int pauses = 0;
  bool pausedWhileDealingToPlayers = false;
  FlowState last = g.flow.State;
  RunUntil([&] {
    if (g.flow.State == FlowState::Paused && last != FlowState::Paused) {
      ++pauses;
      EXPECT_EQ(g.flow.PauseLength, kDealPauseMs);
      pausedWhileDealingToPlayers |= g.flow.StateBeforePause == FlowState::DealingCards;
    }
    last = g.flow.State;
    return events.deals == 1 && g.flow.State == FlowState::NormalPlay;
  });
  EXPECT_EQ(pauses, 4);
  EXPECT_FALSE(pausedWhileDealingToPlayers);
  EXPECT_EQ(g.deal.DeckPosition, 52);
  for (int packet = 0; packet < 4; ++packet) {
    const int seat = (first + packet) % 4;
    ASSERT_EQ(g.model.HandIdCount[seat], 12);
    for (int k = 0; k < 12; ++k) {
      EXPECT_EQ(g.model.HandIds[seat][k], g.model.Deck[12 * packet + k].Card);
    }
  }
  ASSERT_EQ(g.model.TableCount, 4);
  for (int k = 0; k < 4; ++k) EXPECT_EQ(g.model.Table[k].Card, g.model.Deck[48 + k].Card);
  // The first step of play gives the turn to the first seat.
  EXPECT_EQ(g.flow.Turn, (first + 3) % 4);
  RunUntil([&] { return g.flow.CardsPlayed == 1 || g.flow.AwaitingHuman; });
  EXPECT_EQ(g.model.HandIdCount[first], first == 0 ? 12 : 11);
}

TEST_F(DealTest, EachTableCardWaitsItsPauseOnTheClock) {
  NewHand(g);
  RunUntil([&] { return g.flow.State == FlowState::Paused; });
  const uint32_t start = g.flow.PauseStartTick;
  EXPECT_FALSE(g.flow.PauseServed);
  // Still paused at exactly 400 ms; released on the first step after it.
  while (clock.GetTickCount() <= start + 400) {
    EXPECT_EQ(g.flow.State, FlowState::Paused);
    Frame();
  }
  Frame();
  EXPECT_NE(g.flow.State, FlowState::Paused);
  // The next table card clears PauseServed, so it gets its own pause.
  RunUntil([&] { return g.model.TableCount == 2; });
  EXPECT_EQ(g.flow.State, FlowState::Paused);
}

TEST_F(DealTest, StockCardsAreLaidOutRightmostFirst) {
  g.deal.DeckPosition = 10;
  LayOutDeck(g);
  EXPECT_EQ(g.model.Deck[10].X, g.layout.DeckBaseX + 8);
  EXPECT_EQ(g.model.Deck[17].X, g.layout.DeckBaseX + 1);
  EXPECT_FALSE(g.model.Deck[18].Shown);
  g.deal.DeckPosition = 48;
  LayOutDeck(g);
  EXPECT_EQ(g.model.Deck[51].X, g.layout.DeckBaseX + 8 - 3);
}

class SixCardDealTest : public FlowFixture {
 protected:
  void SetUp() override { Configure(true, false); }
};

TEST_F(SixCardDealTest, SecondDealStartsAfterTheTwentyFourthPlayAndDealsNoTableCards) {
  NewHand(g);
  const int16_t first = g.flow.Turn;
  RunUntil([&] { return events.deals == 1; });
  EXPECT_EQ(g.deal.DeckPosition, 28);
  for (int s = 0; s < 4; ++s) EXPECT_EQ(g.model.HandIdCount[s], 6);

  RunUntil([&] { return g.flow.State == FlowState::DealingCards; });
  EXPECT_EQ(g.flow.CardsPlayed, 24);
  EXPECT_FALSE(AnyCardMoving(g));  // any capture of the 24th card is complete
  for (int s = 0; s < 4; ++s) EXPECT_EQ(g.model.HandIdCount[s], 0);
  const int16_t table = g.model.TableCount;

  RunUntil([&] { return events.deals == 2; });
  EXPECT_EQ(g.flow.State, FlowState::NormalPlay);
  EXPECT_EQ(g.deal.DeckPosition, 52);
  EXPECT_EQ(g.model.TableCount, table);
  for (int packet = 0; packet < 4; ++packet) {
    const int seat = (first + packet) % 4;
    ASSERT_EQ(g.model.HandIdCount[seat], 6);
    for (int k = 0; k < 6; ++k) {
      EXPECT_EQ(g.model.HandIds[seat][k], g.model.Deck[28 + 6 * packet + k].Card);
    }
  }
  // The first seat of the hand also opens the second deal.
  EXPECT_EQ((g.flow.Turn + 1) % 4, first);
}

}  // namespace
}  // namespace vantel
