#include "flow/scoring.h"

#include <gtest/gtest.h>

#include "flow/capture.h"
#include "rules_fixture.h"

namespace vantel {
namespace {

class ScoringTest : public RulesFixture {
 protected:
  // Gives each side `count` cards that score nothing on their own (fives and
  // sixes of cups, coins and swords, then eights and nines), so only the
  // counts differ.
  void TakePlainCards(Side side, int count, int first_rank) {
    constexpr char kSuits[3] = {'C', 'D', 'H'};
    for (int i = 0; i < count; ++i) {
      Take(side, {CardId(first_rank + i / 3, kSuits[i % 3])});
    }
  }

  MatchOutcome EndHandWith(int16_t we_total, int16_t they_total, int16_t we_hand,
                           int16_t they_hand) {
    g_.score.we_match_points = we_total;
    g_.score.they_match_points = they_total;
    g_.score.we.hand_points = we_hand;
    g_.score.they.hand_points = they_hand;
    return ScoreEndOfHand(g_);
  }
};

TEST_F(ScoringTest, CardsPointGoesToTheLargerPileOnly) {
  // Of the 52 cards 26 each: neither side scores the cards point.
  for (int16_t id = 0; id < 52; ++id) Take(id % 2 == 0 ? Side::kWe : Side::kThey, {id});
  RecomputeHandScore(g_);
  EXPECT_EQ(g_.score.we.cards_point, 0);
  EXPECT_EQ(g_.score.they.cards_point, 0);

  g_.model.they_taken_count -= 1;
  RecomputeHandScore(g_);
  EXPECT_EQ(g_.score.we.cards_point, 1);
  EXPECT_EQ(g_.score.they.cards_point, 0);

  g_.model.we_taken_count -= 2;
  RecomputeHandScore(g_);
  EXPECT_EQ(g_.score.we.cards_point, 0);
  EXPECT_EQ(g_.score.they.cards_point, 1);
}

TEST_F(ScoringTest, TheSideWithMoreBatonsTakesTheSuitPoint) {
  Take(Side::kWe, {CardId(1, 'S'), CardId(10, 'S'), CardId(13, 'S'), CardId(10, 'C')});
  Take(Side::kThey, {CardId(5, 'S'), CardId(12, 'S'), CardId(3, 'C')});
  RecomputeHandScore(g_);
  EXPECT_EQ(g_.score.we.batons_count, 3);
  EXPECT_EQ(g_.score.they.batons_count, 2);
  EXPECT_EQ(g_.score.we.batons_point, 1);
  EXPECT_EQ(g_.score.they.batons_point, 0);
}

TEST_F(ScoringTest, EqualBatonsCountsScoreForNeither) {
  Take(Side::kWe, {CardId(4, 'S'), CardId(10, 'S')});
  Take(Side::kThey, {CardId(6, 'S'), CardId(11, 'S'), CardId(6, 'D')});
  RecomputeHandScore(g_);
  EXPECT_EQ(g_.score.we.batons_count, 2);
  EXPECT_EQ(g_.score.they.batons_count, 2);
  EXPECT_EQ(g_.score.we.batons_point, 0);
  EXPECT_EQ(g_.score.they.batons_point, 0);
}

TEST_F(ScoringTest, KeyCardsAreExactlyTheTwoOfBatonsTenOfCoinsAndJackOfSwords) {
  Take(Side::kWe, {CardId(2, 'S'), CardId(10, 'D')});
  Take(Side::kThey,
       {CardId(11, 'H'), CardId(2, 'C'), CardId(10, 'H'), CardId(11, 'D'), CardId(1, 'D')});
  RecomputeHandScore(g_);
  EXPECT_EQ(g_.score.we.has_two_of_batons, 1);
  EXPECT_EQ(g_.score.we.has_ten_of_coins, 1);
  EXPECT_EQ(g_.score.we.has_jack_of_swords, 0);
  EXPECT_EQ(g_.score.they.has_two_of_batons, 0);
  EXPECT_EQ(g_.score.they.has_ten_of_coins, 0);
  EXPECT_EQ(g_.score.they.has_jack_of_swords, 1);
}

TEST_F(ScoringTest, RecomputationStartsFromScratch) {
  Take(Side::kWe, {CardId(2, 'S'), CardId(10, 'D'), CardId(11, 'H')});
  RecomputeHandScore(g_);
  EXPECT_EQ(g_.score.we.hand_points, 5);  // three key cards, batons, cards

  // The same cards banked by They instead (as if the lists were rebuilt).
  g_.model.we_taken_count = 0;
  Take(Side::kThey, {CardId(2, 'S'), CardId(10, 'D'), CardId(11, 'H')});
  RecomputeHandScore(g_);
  EXPECT_EQ(g_.score.we.hand_points, 0);
  EXPECT_EQ(g_.score.we.batons_count, 0);
  EXPECT_EQ(g_.score.they.hand_points, 5);
}

TEST_F(ScoringTest, NapulaStopsAtTheFirstGapInCups) {
  // Listed out of order, so the run is found only over several passes.
  Take(Side::kWe, {CardId(7, 'C'), CardId(5, 'C'), CardId(4, 'C'), CardId(3, 'C'), CardId(2, 'C'),
                   CardId(1, 'C')});
  RecomputeHandScore(g_);
  EXPECT_EQ(g_.score.we.napula, 5);
  EXPECT_EQ(g_.score.they.napula, 0);
}

TEST_F(ScoringTest, NoNapulaWithoutAceTwoAndThree) {
  Take(Side::kThey, {CardId(1, 'C'), CardId(2, 'C'), CardId(4, 'C'), CardId(3, 'D')});
  RecomputeHandScore(g_);
  EXPECT_EQ(g_.score.they.napula, 0);
  EXPECT_EQ(g_.score.we.napula, 0);
}

TEST_F(ScoringTest, FullNapulaFromAceToKing) {
  for (int rank = 13; rank >= 1; --rank) Take(Side::kThey, {CardId(rank, 'C')});
  RecomputeHandScore(g_);
  EXPECT_EQ(g_.score.they.napula, 13);
  EXPECT_EQ(g_.score.we.napula, 0);
  // 13 for the Napula, the cards point; no baton, no key card.
  EXPECT_EQ(g_.score.they.hand_points, 14);
}

TEST_F(ScoringTest, NapulaIsKeptOnceSet) {
  Take(Side::kWe, {CardId(1, 'C'), CardId(2, 'C'), CardId(3, 'C')});
  RecomputeHandScore(g_);
  EXPECT_EQ(g_.score.we.napula, 3);
  Take(Side::kWe, {CardId(4, 'C'), CardId(5, 'C')});
  RecomputeHandScore(g_);
  EXPECT_EQ(g_.score.we.napula, 3);
  EXPECT_EQ(g_.score.we.hand_points, 4);  // Napula and the cards point
}

TEST_F(ScoringTest, SpecialCapturesAddToRunningCountsOncePerPlay) {
  Lay({CardId(2, 'D'), CardId(3, 'D'), CardId(4, 'D'), CardId(12, 'C')});
  g_.flow.turn = 1;
  Choose({0, 1, 2});
  Lay(CardId(9, 'D'));
  JudgePlay(g_);
  Take(Side::kThey, {CardId(2, 'D'), CardId(3, 'D'), CardId(4, 'D'), CardId(9, 'D')});
  RecomputeHandScore(g_);
  EXPECT_EQ(g_.score.they.simili_count, 1);
  EXPECT_EQ(g_.score.they.quadriglia_count, 1);
  EXPECT_EQ(g_.score.they.scua_count, 0);
  EXPECT_EQ(g_.score.they.picada_count, 0);
  EXPECT_EQ(g_.score.they.hand_points, 3);  // Simili, Quadriglia, cards

  // The next change of turn clears the flags: a recomputation after a plain
  // capture keeps the counts as they were.
  ClearPlayFlags(g_);
  Take(Side::kThey, {CardId(6, 'C')});
  RecomputeHandScore(g_);
  EXPECT_EQ(g_.score.they.simili_count, 1);
  EXPECT_EQ(g_.score.they.quadriglia_count, 1);

  // Flags of a later special capture accumulate.
  g_.capture.they.quadriglia = true;
  RecomputeHandScore(g_);
  EXPECT_EQ(g_.score.they.quadriglia_count, 2);
  EXPECT_EQ(g_.score.we.quadriglia_count, 0);
}

TEST_F(ScoringTest, HandPointsAddEveryCategory) {
  Take(Side::kWe, {CardId(1, 'C'), CardId(2, 'C'), CardId(3, 'C'), CardId(4, 'C'), CardId(2, 'S'),
                   CardId(10, 'D'), CardId(11, 'H')});
  TakePlainCards(Side::kThey, 3, 5);
  g_.capture.we = SideFlags{true, true, true, true};
  RecomputeHandScore(g_);
  const SideScore& we = g_.score.we;
  EXPECT_EQ(we.napula, 4);
  EXPECT_EQ(we.cards_point, 1);
  EXPECT_EQ(we.batons_point, 1);
  EXPECT_EQ(we.hand_points, 4 + 1 + 1 + 3 + 4);  // Napula, cards, batons, three keys, four specials
  EXPECT_EQ(g_.score.they.hand_points, 0);
}

TEST_F(ScoringTest, WeWinAboveTheTargetAndAhead) {
  EXPECT_EQ(EndHandWith(40, 45, 12, 4), MatchOutcome::kWeWon);  // 52 to 49
  EXPECT_EQ(g_.score.we_match_points, 52);
  EXPECT_EQ(g_.score.they_match_points, 49);
  EXPECT_EQ(g_.score.match_result_text, "We Won!");
  EXPECT_TRUE(g_.score.match_over);
  EXPECT_FALSE(g_.score.match_tied);
  EXPECT_TRUE(sound_.played.empty());  // the flow decides what is heard
}

TEST_F(ScoringTest, WeLoseWhenTheyPassTheTargetAhead) {
  EXPECT_EQ(EndHandWith(48, 45, 2, 7), MatchOutcome::kWeLost);  // 50 to 52
  EXPECT_EQ(g_.score.match_result_text, "We lost!");
  EXPECT_TRUE(g_.score.match_over);
}

TEST_F(ScoringTest, EqualTotalsAboveTheTargetContinueTheMatch) {
  g_.score.match_result_text = "We Won!";                     // left from an earlier match
  EXPECT_EQ(EndHandWith(45, 47, 8, 6), MatchOutcome::kTied);  // 53 each
  EXPECT_EQ(g_.score.we_match_points, 53);
  EXPECT_EQ(g_.score.they_match_points, 53);
  EXPECT_TRUE(g_.score.match_result_text.empty());
  EXPECT_TRUE(g_.score.match_tied);
  EXPECT_FALSE(g_.score.match_over);
}

TEST_F(ScoringTest, ReachingTheTargetIsNotEnough) {
  EXPECT_EQ(EndHandWith(44, 42, 6, 8), MatchOutcome::kGoesOn);  // 50 each
  EXPECT_TRUE(g_.score.match_result_text.empty());
  EXPECT_FALSE(g_.score.match_over);
  EXPECT_FALSE(g_.score.match_tied);

  EXPECT_EQ(EndHandWith(50, 20, 0, 0), MatchOutcome::kGoesOn);  // We ahead but not past 50
  EXPECT_FALSE(g_.score.match_over);
}

TEST_F(ScoringTest, HistoryFoldsTheTotalsBeforeTheLastHand) {
  const int16_t hands[3][2] = {{10, 5}, {7, 3}, {4, 6}};
  g_.score.we.hand_points = hands[0][0];
  g_.score.they.hand_points = hands[0][1];
  ScoreEndOfHand(g_);
  EXPECT_EQ(g_.score.history_rows, 1);
  EXPECT_EQ(g_.score.history_we[0], 10);
  EXPECT_EQ(g_.score.history_they[0], 5);

  g_.score.we.hand_points = hands[1][0];
  g_.score.they.hand_points = hands[1][1];
  ScoreEndOfHand(g_);
  EXPECT_EQ(g_.score.history_rows, 2);
  EXPECT_EQ(g_.score.history_we[1], 7);
  EXPECT_EQ(g_.score.history_they[1], 3);

  g_.score.we.hand_points = hands[2][0];
  g_.score.they.hand_points = hands[2][1];
  ScoreEndOfHand(g_);
  EXPECT_EQ(g_.score.history_rows, 2);
  EXPECT_EQ(g_.score.history_we[0], 17);  // totals after the second hand
  EXPECT_EQ(g_.score.history_they[0], 8);
  EXPECT_EQ(g_.score.history_we[1], 4);
  EXPECT_EQ(g_.score.history_they[1], 6);
  EXPECT_EQ(g_.score.we_match_points, 21);
  EXPECT_EQ(g_.score.they_match_points, 14);
}

}  // namespace
}  // namespace vantel
