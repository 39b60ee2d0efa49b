#include "game/scoring.h"

#include <gtest/gtest.h>

#include "game/capture.h"
#include "rules_fixture.h"

namespace vantel {
namespace {

class ScoringTest : public RulesFixture {
 protected:
  // Gives each side `count` cards that score nothing on their own (fives and
  // sixes of C, D and H, then eights and nines), so only the counts differ.
  void TakePlainCards(Side side, int count, int firstRank) {
    constexpr char kSuits[3] = {'C', 'D', 'H'};
    for (int i = 0; i < count; ++i) {
      Take(side, {CardId(firstRank + i / 3, kSuits[i % 3])});
    }
  }

  MatchOutcome EndHandWith(int16_t weTotal, int16_t theyTotal, int16_t weHand, int16_t theyHand) {
    g.score.WeMatchPoints = weTotal;
    g.score.TheyMatchPoints = theyTotal;
    g.score.We.HandPoints = weHand;
    g.score.They.HandPoints = theyHand;
    return ScoreEndOfHand(g);
  }
};

TEST_F(ScoringTest, CardsPointGoesToTheLargerPileOnly) {
  // Of the 52 cards 26 each: neither side scores the cards point.
  for (int16_t id = 0; id < 52; ++id) Take(id % 2 == 0 ? Side::We : Side::They, {id});
  RecomputeHandScore(g);
  EXPECT_EQ(g.score.We.CardsPoint, 0);
  EXPECT_EQ(g.score.They.CardsPoint, 0);

  g.model.TheyTakenCount -= 1;
  RecomputeHandScore(g);
  EXPECT_EQ(g.score.We.CardsPoint, 1);
  EXPECT_EQ(g.score.They.CardsPoint, 0);

  g.model.WeTakenCount -= 2;
  RecomputeHandScore(g);
  EXPECT_EQ(g.score.We.CardsPoint, 0);
  EXPECT_EQ(g.score.They.CardsPoint, 1);
}

TEST_F(ScoringTest, SuitSIsCountedFromTheSecondOrThirdCharacter) {
  Take(Side::We, {CardId(1, 'S'), CardId(10, 'S'), CardId(13, 'S'), CardId(10, 'C')});
  Take(Side::They, {CardId(5, 'S'), CardId(12, 'S'), CardId(3, 'C')});
  RecomputeHandScore(g);
  EXPECT_EQ(g.score.We.SuitSCount, 3);
  EXPECT_EQ(g.score.They.SuitSCount, 2);
  EXPECT_EQ(g.score.We.SuitSPoint, 1);
  EXPECT_EQ(g.score.They.SuitSPoint, 0);
}

TEST_F(ScoringTest, EqualSuitSCountsScoreForNeither) {
  Take(Side::We, {CardId(4, 'S'), CardId(10, 'S')});
  Take(Side::They, {CardId(6, 'S'), CardId(11, 'S'), CardId(6, 'D')});
  RecomputeHandScore(g);
  EXPECT_EQ(g.score.We.SuitSCount, 2);
  EXPECT_EQ(g.score.They.SuitSCount, 2);
  EXPECT_EQ(g.score.We.SuitSPoint, 0);
  EXPECT_EQ(g.score.They.SuitSPoint, 0);
}

TEST_F(ScoringTest, KeyCardsAreExactlyTheTwoOfSTenOfDAndJackOfH) {
  Take(Side::We, {CardId(2, 'S'), CardId(10, 'D')});
  Take(Side::They,
       {CardId(11, 'H'), CardId(2, 'C'), CardId(10, 'H'), CardId(11, 'D'), CardId(1, 'D')});
  RecomputeHandScore(g);
  EXPECT_EQ(g.score.We.HasTwoS, 1);
  EXPECT_EQ(g.score.We.HasTenD, 1);
  EXPECT_EQ(g.score.We.HasJackH, 0);
  EXPECT_EQ(g.score.They.HasTwoS, 0);
  EXPECT_EQ(g.score.They.HasTenD, 0);
  EXPECT_EQ(g.score.They.HasJackH, 1);
}

TEST_F(ScoringTest, RecomputationStartsFromScratch) {
  Take(Side::We, {CardId(2, 'S'), CardId(10, 'D'), CardId(11, 'H')});
  RecomputeHandScore(g);
  EXPECT_EQ(g.score.We.HandPoints, 5);  // three key cards, suit S, cards

  // The same cards banked by They instead (as if the lists were rebuilt).
  g.model.WeTakenCount = 0;
  Take(Side::They, {CardId(2, 'S'), CardId(10, 'D'), CardId(11, 'H')});
  RecomputeHandScore(g);
  EXPECT_EQ(g.score.We.HandPoints, 0);
  EXPECT_EQ(g.score.We.SuitSCount, 0);
  EXPECT_EQ(g.score.They.HandPoints, 5);
}

TEST_F(ScoringTest, NapulaStopsAtTheFirstGapInC) {
  // Listed out of order, so the run is found only over several passes.
  Take(Side::We, {CardId(7, 'C'), CardId(5, 'C'), CardId(4, 'C'), CardId(3, 'C'), CardId(2, 'C'),
                  CardId(1, 'C')});
  RecomputeHandScore(g);
  EXPECT_EQ(g.score.We.Napula, 5);
  EXPECT_EQ(g.score.They.Napula, 0);
}

TEST_F(ScoringTest, NoNapulaWithoutAceTwoAndThree) {
  Take(Side::They, {CardId(1, 'C'), CardId(2, 'C'), CardId(4, 'C'), CardId(3, 'D')});
  RecomputeHandScore(g);
  EXPECT_EQ(g.score.They.Napula, 0);
  EXPECT_EQ(g.score.We.Napula, 0);
}

TEST_F(ScoringTest, FullNapulaFromAceToKing) {
  for (int rank = 13; rank >= 1; --rank) Take(Side::They, {CardId(rank, 'C')});
  RecomputeHandScore(g);
  EXPECT_EQ(g.score.They.Napula, 13);
  EXPECT_EQ(g.score.We.Napula, 0);
  // 13 for the Napula, the cards point; no card of S, no key card.
  EXPECT_EQ(g.score.They.HandPoints, 14);
}

TEST_F(ScoringTest, NapulaIsKeptOnceSet) {
  Take(Side::We, {CardId(1, 'C'), CardId(2, 'C'), CardId(3, 'C')});
  RecomputeHandScore(g);
  EXPECT_EQ(g.score.We.Napula, 3);
  Take(Side::We, {CardId(4, 'C'), CardId(5, 'C')});
  RecomputeHandScore(g);
  EXPECT_EQ(g.score.We.Napula, 3);
  EXPECT_EQ(g.score.We.HandPoints, 4);  // Napula and the cards point
}

TEST_F(ScoringTest, SpecialCapturesAddToRunningCountsOncePerPlay) {
  Lay({CardId(2, 'D'), CardId(3, 'D'), CardId(4, 'D'), CardId(12, 'C')});
  g.flow.Turn = 1;
  Choose({0, 1, 2});
  Lay(CardId(9, 'D'));
  JudgePlay(g);
  Take(Side::They, {CardId(2, 'D'), CardId(3, 'D'), CardId(4, 'D'), CardId(9, 'D')});
  RecomputeHandScore(g);
  EXPECT_EQ(g.score.They.SimiliCount, 1);
  EXPECT_EQ(g.score.They.QuadrigliaCount, 1);
  EXPECT_EQ(g.score.They.ScuaCount, 0);
  EXPECT_EQ(g.score.They.PicadaCount, 0);
  EXPECT_EQ(g.score.They.HandPoints, 3);  // Simili, Quadriglia, cards

  // The next change of turn clears the flags: a recomputation after a plain
  // capture keeps the counts as they were.
  ClearPlayFlags(g);
  Take(Side::They, {CardId(6, 'C')});
  RecomputeHandScore(g);
  EXPECT_EQ(g.score.They.SimiliCount, 1);
  EXPECT_EQ(g.score.They.QuadrigliaCount, 1);

  // Flags of a later special capture accumulate.
  g.capture.They.Quadriglia = true;
  RecomputeHandScore(g);
  EXPECT_EQ(g.score.They.QuadrigliaCount, 2);
  EXPECT_EQ(g.score.We.QuadrigliaCount, 0);
}

TEST_F(ScoringTest, HandPointsAddEveryCategory) {
  Take(Side::We, {CardId(1, 'C'), CardId(2, 'C'), CardId(3, 'C'), CardId(4, 'C'), CardId(2, 'S'),
                  CardId(10, 'D'), CardId(11, 'H')});
  TakePlainCards(Side::They, 3, 5);
  g.capture.We = SideFlags{true, true, true, true};
  RecomputeHandScore(g);
  const SideScore& we = g.score.We;
  EXPECT_EQ(we.Napula, 4);
  EXPECT_EQ(we.CardsPoint, 1);
  EXPECT_EQ(we.SuitSPoint, 1);
  EXPECT_EQ(we.HandPoints, 4 + 1 + 1 + 3 + 4);  // Napula, cards, S, three keys, four specials
  EXPECT_EQ(g.score.They.HandPoints, 0);
}

TEST_F(ScoringTest, WeWinAboveTheTargetAndAhead) {
  EXPECT_EQ(EndHandWith(40, 45, 12, 4), MatchOutcome::kWeWon);  // 52 to 49
  EXPECT_EQ(g.score.WeMatchPoints, 52);
  EXPECT_EQ(g.score.TheyMatchPoints, 49);
  EXPECT_EQ(g.score.MatchResultText, "We Won!");
  EXPECT_TRUE(g.score.MatchOver);
  EXPECT_FALSE(g.score.MatchTied);
  EXPECT_TRUE(sound.played.empty());  // the flow decides what is heard
}

TEST_F(ScoringTest, WeLoseWhenTheyPassTheTargetAhead) {
  EXPECT_EQ(EndHandWith(48, 45, 2, 7), MatchOutcome::kWeLost);  // 50 to 52
  EXPECT_EQ(g.score.MatchResultText, "We lost!");
  EXPECT_TRUE(g.score.MatchOver);
}

TEST_F(ScoringTest, EqualTotalsAboveTheTargetContinueTheMatch) {
  g.score.MatchResultText = "We Won!";                        // left from an earlier match
  EXPECT_EQ(EndHandWith(45, 47, 8, 6), MatchOutcome::kTied);  // 53 each
  EXPECT_EQ(g.score.WeMatchPoints, 53);
  EXPECT_EQ(g.score.TheyMatchPoints, 53);
  EXPECT_TRUE(g.score.MatchResultText.empty());
  EXPECT_TRUE(g.score.MatchTied);
  EXPECT_FALSE(g.score.MatchOver);
}

TEST_F(ScoringTest, ReachingTheTargetIsNotEnough) {
  EXPECT_EQ(EndHandWith(44, 42, 6, 8), MatchOutcome::kGoesOn);  // 50 each
  EXPECT_TRUE(g.score.MatchResultText.empty());
  EXPECT_FALSE(g.score.MatchOver);
  EXPECT_FALSE(g.score.MatchTied);

  EXPECT_EQ(EndHandWith(50, 20, 0, 0), MatchOutcome::kGoesOn);  // We ahead but not past 50
  EXPECT_FALSE(g.score.MatchOver);
}

TEST_F(ScoringTest, HistoryFoldsTheTotalsBeforeTheLastHand) {
  const int16_t hands[3][2] = {{10, 5}, {7, 3}, {4, 6}};
  g.score.We.HandPoints = hands[0][0];
  g.score.They.HandPoints = hands[0][1];
  ScoreEndOfHand(g);
  EXPECT_EQ(g.score.HistoryRows, 1);
  EXPECT_EQ(g.score.HistoryWe[0], 10);
  EXPECT_EQ(g.score.HistoryThey[0], 5);

  g.score.We.HandPoints = hands[1][0];
  g.score.They.HandPoints = hands[1][1];
  ScoreEndOfHand(g);
  EXPECT_EQ(g.score.HistoryRows, 2);
  EXPECT_EQ(g.score.HistoryWe[1], 7);
  EXPECT_EQ(g.score.HistoryThey[1], 3);

  g.score.We.HandPoints = hands[2][0];
  g.score.They.HandPoints = hands[2][1];
  ScoreEndOfHand(g);
  EXPECT_EQ(g.score.HistoryRows, 2);
  EXPECT_EQ(g.score.HistoryWe[0], 17);  // totals after the second hand
  EXPECT_EQ(g.score.HistoryThey[0], 8);
  EXPECT_EQ(g.score.HistoryWe[1], 4);
  EXPECT_EQ(g.score.HistoryThey[1], 6);
  EXPECT_EQ(g.score.WeMatchPoints, 21);
  EXPECT_EQ(g.score.TheyMatchPoints, 14);
}

}  // namespace
}  // namespace vantel
