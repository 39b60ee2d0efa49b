#include "game/hand_score.h"

#include <gtest/gtest.h>

#include <initializer_list>

#include "game/match_state.h"
#include "support/test_cards.h"

namespace vantel {
namespace {

class HandScoreTest : public ::testing::Test {
 protected:
  void Take(Side side, std::initializer_list<int16_t> cards) {
    for (int16_t card : cards) state_.Of(side).taken.PushBack(card);
  }
  // Cards that score nothing on their own (fives and up of cups, coins and
  // swords), so that only the counts differ.
  void TakePlainCards(Side side, int count) {
    constexpr char kSuits[3] = {'C', 'D', 'H'};
    for (int i = 0; i < count; ++i) Take(side, {CardId(5 + i / 3, kSuits[i % 3])});
  }
  void Rescore(const SpecialCaptures& we = {}, const SpecialCaptures& they = {}) {
    RescoreHand(state_, we, they);
  }
  const HandScore& We() const { return state_.Of(Side::kWe).hand; }
  const HandScore& They() const { return state_.Of(Side::kThey).hand; }

  MatchState state_ = NewMatch(Options{});
};

TEST_F(HandScoreTest, CardsAndBatonsPointsGoToTheLargerCountOnly) {
  // 26 cards each: neither side has the cards point.
  for (int16_t id = 0; id < kCardCount; ++id) Take(id % 2 == 0 ? Side::kWe : Side::kThey, {id});
  Rescore();
  EXPECT_EQ(We().cards_point + They().cards_point, 0);

  state_.Of(Side::kThey).taken.Clear();
  TakePlainCards(Side::kThey, 27);
  Rescore();
  EXPECT_EQ(We().cards_point, 0);
  EXPECT_EQ(They().cards_point, 1);

  state_ = NewMatch(Options{});
  Take(Side::kWe, {CardId(1, 'S'), CardId(10, 'S'), CardId(13, 'S'), CardId(10, 'C')});
  Take(Side::kThey, {CardId(5, 'S'), CardId(12, 'S'), CardId(3, 'C')});
  Rescore();
  EXPECT_EQ(We().batons, 3);
  EXPECT_EQ(They().batons, 2);
  EXPECT_EQ(We().batons_point, 1);
  EXPECT_EQ(They().batons_point, 0);

  Take(Side::kThey, {CardId(6, 'S')});  // level at three: nobody's point
  Rescore();
  EXPECT_EQ(We().batons_point + They().batons_point, 0);
}

TEST_F(HandScoreTest, KeyCardsAreExactlyTheTwoOfBatonsTenOfCoinsAndJackOfSwords) {
  Take(Side::kWe, {CardId(2, 'S'), CardId(10, 'D')});
  // Look-alikes: the jack of swords only, of all these, is a key card.
  Take(Side::kThey,
       {CardId(11, 'H'), CardId(2, 'C'), CardId(10, 'H'), CardId(11, 'D'), CardId(1, 'D')});
  Rescore();
  EXPECT_EQ(We().two_of_batons, 1);
  EXPECT_EQ(We().ten_of_coins, 1);
  EXPECT_EQ(We().jack_of_swords, 0);
  EXPECT_EQ(They().two_of_batons, 0);
  EXPECT_EQ(They().ten_of_coins, 0);
  EXPECT_EQ(They().jack_of_swords, 1);
}

TEST_F(HandScoreTest, TheNapulaIsSettledForTheHandOnceEitherSideHasIt) {
  Take(Side::kWe, {CardId(1, 'C'), CardId(2, 'C'), CardId(3, 'C')});
  Rescore();
  EXPECT_EQ(We().napula, 3);
  Take(Side::kWe, {CardId(4, 'C'), CardId(5, 'C')});
  Rescore();
  EXPECT_EQ(We().napula, 3);
  EXPECT_EQ(We().points, 3 + 1);  // Napula and the cards point

  // The other side, with its own run, cannot have one too.
  Take(Side::kThey, {CardId(1, 'C'), CardId(2, 'C'), CardId(3, 'C')});
  Rescore();
  EXPECT_EQ(They().napula, 0);
}

TEST_F(HandScoreTest, SpecialCapturesRunOnWhileEverythingElseIsWorkedOutAgain) {
  Take(Side::kThey, {CardId(2, 'D'), CardId(3, 'D'), CardId(4, 'D'), CardId(9, 'D')});
  Rescore({}, SpecialCaptures{.simili = true, .quadriglia = true});
  EXPECT_EQ(They().simili, 1);
  EXPECT_EQ(They().quadriglia, 1);
  EXPECT_EQ(They().points, 3);  // Simili, Quadriglia, cards

  // A plain capture keeps the counts; a later special adds to them.
  Take(Side::kThey, {CardId(6, 'C')});
  Rescore();
  EXPECT_EQ(They().quadriglia, 1);
  Rescore({}, SpecialCaptures{.quadriglia = true});
  EXPECT_EQ(They().quadriglia, 2);
  EXPECT_EQ(We().quadriglia, 0);

  // The cards moved to the other side: the worked-out part follows them.
  state_.Of(Side::kWe).taken = state_.Of(Side::kThey).taken;
  state_.Of(Side::kThey).taken.Clear();
  Rescore();
  EXPECT_EQ(We().cards_point, 1);
  EXPECT_EQ(They().cards_point, 0);
  EXPECT_EQ(They().points, 3);  // its Simili and two Quadriglie stay
}

TEST_F(HandScoreTest, HandPointsAddEveryCategory) {
  Take(Side::kWe, {CardId(1, 'C'), CardId(2, 'C'), CardId(3, 'C'), CardId(4, 'C'), CardId(2, 'S'),
                   CardId(10, 'D'), CardId(11, 'H')});
  TakePlainCards(Side::kThey, 3);
  Rescore(SpecialCaptures{true, true, true, true});
  EXPECT_EQ(We().points, 4 + 1 + 1 + 3 + 4);  // Napula, cards, batons, three keys, four specials
  EXPECT_EQ(They().points, 0);
}

}  // namespace
}  // namespace vantel
