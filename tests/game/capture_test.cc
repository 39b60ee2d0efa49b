#include "game/capture.h"

#include <gtest/gtest.h>

#include <vector>

#include "game/scoring.h"
#include "rules_fixture.h"

namespace vantel {
namespace {

class CaptureTest : public RulesFixture {
 protected:
  // The human lays a card of rank `played` on a fresh table of `ranks` (suits
  // C, D, H, S in turn): what MustCapture finds.
  int16_t MustCaptureFor(const std::vector<int>& ranks, int played) {
    ClearTable();
    constexpr char kSuits[4] = {'C', 'D', 'H', 'S'};
    for (size_t i = 0; i < ranks.size(); ++i) Lay(CardId(ranks[i], kSuits[i % 4]));
    Lay(CardId(played, 'D'));
    return MustCapture(g);
  }

  // A computer player of `seat` takes `indices` with `played`, which has just landed.
  void ComputerPlays(int16_t seat, int16_t played, std::initializer_list<int16_t> indices) {
    g.flow.Turn = seat;
    Choose(indices);
    Lay(played);
  }
};

TEST_F(CaptureTest, MustCaptureReportsTheFirstKindFoundFromFourDown) {
  struct Case {
    std::vector<int> table;
    int played;
    int16_t expected;
  };
  const Case cases[] = {
      {{5, 3, 2, 6}, 10, 3},     // no four make 10; 5 + 3 + 2 do
      {{1, 2, 3, 4}, 10, 4},     // all four
      {{1, 2, 3, 4, 6}, 10, 4},  // 1+2+3+4 before 1+3+6 before 4+6
      {{5, 2, 5, 3}, 10, 3},     // 2+3+5 before 5+5
      {{1, 3, 5, 13}, 10, 0},    // each table card counts once
      {{4, 4}, 8, 2},            // a pair with no single 8 there
      {{5, 3, 2}, 5, 2},         // the pair is found before the equal single
      {{11}, 11, 1},             // a court takes its equal
      {{5, 6}, 11, 0},           // but never a sum
      {{6, 7, 13}, 13, 1},       //
      {{13, 1}, 1, 1},           // an ace takes an ace
      {{}, 7, 0},                // a lone card takes nothing
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MustCaptureFor(c.table, c.played), c.expected)
        << ::testing::PrintToString(c.table) << " + " << c.played;
  }
}

TEST_F(CaptureTest, PickedSumMatchesACourtThatMustCaptureRefuses) {
  EXPECT_EQ(MustCaptureFor({5, 6}, 11), 0);
  g.model.Table[0].Picked = true;
  g.model.Table[1].Picked = true;
  EXPECT_TRUE(PickedCardsMatch(g));
}

TEST_F(CaptureTest, PickedCardsMatchCountsOnlyShownPickedCards) {
  Lay({CardId(2, 'C'), CardId(3, 'D'), CardId(4, 'H'), CardId(7, 'S')});
  Lay(CardId(7, 'C'));
  g.model.Table[0].Picked = true;
  EXPECT_FALSE(PickedCardsMatch(g));  // 2 of 7
  g.model.Table[1].Picked = true;
  EXPECT_FALSE(PickedCardsMatch(g));  // 5
  g.model.Table[2].Picked = true;
  EXPECT_FALSE(PickedCardsMatch(g));  // 9: too much
  g.model.Table[0].Picked = false;
  EXPECT_TRUE(PickedCardsMatch(g));  // 3 + 4
  g.model.Table[3].Picked = true;
  g.model.Table[3].Shown = false;  // a card no longer on view does not count
  EXPECT_TRUE(PickedCardsMatch(g));
}

TEST_F(CaptureTest, PickedCardsMatchHasNoCountLimit) {
  Lay({CardId(1, 'C'), CardId(1, 'D'), CardId(1, 'H'), CardId(1, 'S'), CardId(2, 'C'),
       CardId(2, 'D'), CardId(2, 'H')});
  Lay(CardId(10, 'C'));
  for (int i = 0; i < 7; ++i) g.model.Table[i].Picked = true;
  EXPECT_TRUE(PickedCardsMatch(g));
}

TEST_F(CaptureTest, ComputerCaptureOfNothingChangesNothing) {
  Lay({CardId(9, 'C'), CardId(4, 'D')});
  ComputerPlays(1, CardId(7, 'H'), {});
  EXPECT_EQ(ApplyComputerCapture(g), 0);
  for (int i = 0; i < g.model.TableCount; ++i) EXPECT_FALSE(g.model.Table[i].Captured) << i;
  EXPECT_FALSE(g.capture.They.Any());
}

TEST_F(CaptureTest, ComputerCaptureMarksTakenAndPlayedCards) {
  Lay({CardId(9, 'C'), CardId(4, 'D'), CardId(3, 'H')});
  ComputerPlays(1, CardId(7, 'S'), {1, 2});
  EXPECT_EQ(ApplyComputerCapture(g), 2);
  EXPECT_FALSE(g.model.Table[0].Captured);
  EXPECT_TRUE(g.model.Table[1].Captured);
  EXPECT_TRUE(g.model.Table[2].Captured);
  EXPECT_TRUE(g.model.Table[3].Captured);
  EXPECT_FALSE(g.capture.They.Any());
  EXPECT_FALSE(g.capture.We.Any());
}

TEST_F(CaptureTest, PicadaNeedsTheCardJustLaidAndNoCaptureBeforeIt) {
  Lay({CardId(9, 'C'), CardId(6, 'D')});
  g.capture.PrevCaptureSize = 0;
  ComputerPlays(3, CardId(6, 'H'), {1});
  ApplyComputerCapture(g);
  EXPECT_TRUE(g.capture.They.Picada);
  EXPECT_FALSE(g.capture.They.Scua);
}

TEST_F(CaptureTest, NoPicadaAfterACapture) {
  Lay({CardId(9, 'C'), CardId(6, 'D')});
  g.capture.PrevCaptureSize = 1;
  ComputerPlays(3, CardId(6, 'H'), {1});
  ApplyComputerCapture(g);
  EXPECT_FALSE(g.capture.They.Picada);
}

TEST_F(CaptureTest, NoPicadaAtTheFirstPlayOfAHand) {
  Lay({CardId(9, 'C'), CardId(6, 'D')});
  g.capture.LastCaptureSize = -1;  // as after the deal
  ClearPlayFlags(g);
  ComputerPlays(1, CardId(6, 'H'), {1});
  JudgePlay(g);
  EXPECT_FALSE(g.capture.They.Picada);
}

TEST_F(CaptureTest, NoPicadaForAnOlderCard) {
  Lay({CardId(6, 'C'), CardId(9, 'D')});
  ComputerPlays(2, CardId(6, 'H'), {0});
  ApplyComputerCapture(g);
  EXPECT_FALSE(g.capture.We.Picada);
}

TEST_F(CaptureTest, SimiliWhenEveryTakenCardSharesThePlayedSuit) {
  // Ten of H and four of H: the ten's suit comes from its third character.
  Lay({CardId(10, 'H'), CardId(4, 'H'), CardId(2, 'C')});
  ComputerPlays(1, CardId(4, 'H'), {1});
  ApplyComputerCapture(g);
  EXPECT_TRUE(g.capture.They.Simili);
}

TEST_F(CaptureTest, NoSimiliWithAMixedSuitCapture) {
  Lay({CardId(3, 'H'), CardId(4, 'S'), CardId(2, 'C')});
  g.capture.They.Simili = true;  // left from an earlier judgement: overwritten
  ComputerPlays(1, CardId(7, 'H'), {0, 1});
  ApplyComputerCapture(g);
  EXPECT_FALSE(g.capture.They.Simili);
}

TEST_F(CaptureTest, QuadrigliaFromThreeCardsTogetherWithSimili) {
  Lay({CardId(2, 'D'), CardId(3, 'D'), CardId(4, 'D'), CardId(12, 'C')});
  ComputerPlays(2, CardId(9, 'D'), {0, 1, 2});
  EXPECT_EQ(ApplyComputerCapture(g), 3);
  EXPECT_TRUE(g.capture.We.Quadriglia);
  EXPECT_TRUE(g.capture.We.Simili);
  EXPECT_FALSE(g.capture.We.Scua);
  EXPECT_FALSE(g.capture.They.Any());
}

TEST_F(CaptureTest, NoQuadrigliaFromTwoCards) {
  Lay({CardId(2, 'D'), CardId(7, 'C'), CardId(12, 'C')});
  ComputerPlays(2, CardId(9, 'H'), {0, 1});
  ApplyComputerCapture(g);
  EXPECT_FALSE(g.capture.We.Quadriglia);
}

TEST_F(CaptureTest, NoScuaWhileCardsStay) {
  Lay({CardId(2, 'D'), CardId(7, 'C'), CardId(12, 'C')});
  g.capture.PrevCaptureSize = 2;
  ComputerPlays(1, CardId(12, 'H'), {2});
  ApplyComputerCapture(g);
  EXPECT_FALSE(g.capture.They.Scua);
}

TEST_F(CaptureTest, ScuaWhenTheTableIsCleared) {
  Lay({CardId(2, 'D'), CardId(7, 'C')});
  ComputerPlays(1, CardId(9, 'H'), {0, 1});
  ApplyComputerCapture(g);
  EXPECT_TRUE(g.capture.They.Scua);
}

TEST_F(CaptureTest, HumanCaptureSetsWeFlagsAndRecordsItsSize) {
  Lay({CardId(2, 'S'), CardId(3, 'S'), CardId(4, 'S')});
  g.flow.Turn = 0;
  Lay(CardId(9, 'S'));
  Choose({0, 1, 2});
  g.capture.PrevCaptureSize = 1;
  EXPECT_TRUE(ApplyHumanCapture(g));
  EXPECT_TRUE(g.capture.We.Scua);
  EXPECT_TRUE(g.capture.We.Simili);
  EXPECT_TRUE(g.capture.We.Quadriglia);
  EXPECT_FALSE(g.capture.We.Picada);
  EXPECT_FALSE(g.capture.They.Any());
  EXPECT_TRUE(g.model.Table[3].Captured);
  EXPECT_EQ(g.capture.LastCaptureSize, 3);
  EXPECT_EQ(g.capture.PrevCaptureSize, 3);
}

TEST_F(CaptureTest, PlainHumanCaptureEarnsNothing) {
  Lay({CardId(5, 'C'), CardId(8, 'D')});
  g.flow.Turn = 0;
  Lay(CardId(5, 'H'));
  Choose({0});
  g.capture.PrevCaptureSize = 0;  // the 8 was laid last, so no Picada for the 5
  EXPECT_FALSE(ApplyHumanCapture(g));
  EXPECT_EQ(g.capture.LastCaptureSize, 1);
}

TEST_F(CaptureTest, HumanPicadaOfTheCardJustLaid) {
  Lay({CardId(5, 'C'), CardId(8, 'D')});
  Lay(CardId(8, 'H'));
  Choose({1});
  g.capture.PrevCaptureSize = 0;
  EXPECT_TRUE(ApplyHumanCapture(g));
  EXPECT_TRUE(g.capture.We.Picada);
  EXPECT_FALSE(g.capture.We.Simili);
}

TEST_F(CaptureTest, HumanCaptureOfNothingIsNoSimili) {
  Lay({CardId(5, 'C'), CardId(8, 'D')});
  Lay(CardId(5, 'H'));
  Choose({});
  EXPECT_FALSE(ApplyHumanCapture(g));
  EXPECT_FALSE(g.model.Table[2].Captured);
}

TEST_F(CaptureTest, JudgeLeavesALoneCardAsNoCapture) {
  g.capture.LastCaptureSize = -1;
  g.flow.Turn = 1;
  Choose({0});  // stale hand-over from an earlier capture must not be applied
  Lay(CardId(6, 'C'));
  EXPECT_FALSE(JudgePlay(g).captures);
  EXPECT_EQ(g.capture.LastCaptureSize, 0);
  EXPECT_FALSE(g.model.Table[0].Captured);
}

TEST_F(CaptureTest, JudgeOfTheHumanOnlyDecidesThatACaptureExists) {
  Lay({CardId(5, 'C'), CardId(5, 'D'), CardId(9, 'C')});
  g.flow.Turn = 0;
  g.capture.LastCapturer = 3;
  Lay(CardId(5, 'H'));
  const PlayVerdict verdict = JudgePlay(g);
  EXPECT_TRUE(verdict.captures);
  EXPECT_EQ(verdict.side, Side::We);
  EXPECT_FALSE(verdict.special);
  EXPECT_EQ(g.capture.LastCaptureSize, 1);
  EXPECT_EQ(g.capture.LastCapturer, 0);
  for (int i = 0; i < g.model.TableCount; ++i) EXPECT_FALSE(g.model.Table[i].Captured) << i;
}

TEST_F(CaptureTest, JudgeOfAHumanCardThatCannotCapture) {
  Lay({CardId(5, 'C'), CardId(9, 'C')});
  g.flow.Turn = 0;
  g.capture.LastCapturer = 3;
  Lay(CardId(2, 'H'));
  EXPECT_FALSE(JudgePlay(g).captures);
  EXPECT_EQ(g.capture.LastCaptureSize, 0);
  EXPECT_EQ(g.capture.LastCapturer, 3);
}

TEST_F(CaptureTest, JudgeNamesTheCapturingSideAndWhetherItIsSpecial) {
  struct Case {
    int16_t seat;
    bool special;
    Side side;
  };
  const Case cases[] = {
      {1, false, Side::They}, {3, true, Side::They}, {2, false, Side::We}, {2, true, Side::We}};
  for (const Case& c : cases) {
    ClearTable();
    // A lone-card capture is a Scua; with a second card left it is plain.
    if (c.special) {
      Lay(CardId(9, 'C'));
    } else {
      Lay({CardId(9, 'C'), CardId(1, 'D')});
    }
    g.capture.PrevCaptureSize = 1;
    ComputerPlays(c.seat, CardId(9, 'D'), {0});
    const PlayVerdict verdict = JudgePlay(g);
    EXPECT_TRUE(verdict.captures) << c.seat;
    EXPECT_EQ(verdict.side, c.side) << c.seat;
    EXPECT_EQ(verdict.special, c.special) << c.seat;
    EXPECT_EQ(g.capture.LastCaptureSize, 1);
    EXPECT_EQ(g.capture.LastCapturer, c.seat);
  }
}

TEST_F(CaptureTest, ClearPlayFlagsRemembersTheLastSizeAndClearsAllEight) {
  g.capture.We = SideFlags{true, true, true, true};
  g.capture.They = SideFlags{true, true, true, true};
  g.capture.LastCaptureSize = 2;
  ClearPlayFlags(g);
  EXPECT_EQ(g.capture.PrevCaptureSize, 2);
  EXPECT_FALSE(g.capture.We.Any());
  EXPECT_FALSE(g.capture.They.Any());
}

// A card laid on an empty table by one player and taken at once by the next:
// the table is cleared by a capture of the card just put down, so both Scua
// and Picada score.
TEST_F(CaptureTest, TakingTheOnlyCardJustLaidIsScuaAndPicada) {
  g.capture.LastCaptureSize = -1;
  ClearPlayFlags(g);
  g.flow.Turn = 1;
  Lay(CardId(7, 'C'));
  JudgePlay(g);
  EXPECT_EQ(g.capture.LastCaptureSize, 0);

  ClearPlayFlags(g);
  EXPECT_EQ(g.capture.PrevCaptureSize, 0);
  ComputerPlays(2, CardId(7, 'D'), {0});
  EXPECT_TRUE(JudgePlay(g).special);
  EXPECT_TRUE(g.capture.We.Scua);
  EXPECT_TRUE(g.capture.We.Picada);
  EXPECT_FALSE(g.capture.We.Simili);

  Take(Side::We, {CardId(7, 'C'), CardId(7, 'D')});
  RecomputeHandScore(g);
  EXPECT_EQ(g.score.We.ScuaCount, 1);
  EXPECT_EQ(g.score.We.PicadaCount, 1);
  EXPECT_EQ(g.score.We.HandPoints, 3);  // Scua, Picada and the cards point
}

}  // namespace
}  // namespace vantel
