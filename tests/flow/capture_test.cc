#include "flow/capture.h"

#include <gtest/gtest.h>

#include <vector>

#include "flow/match_sync.h"
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
    return MustCapture(g_);
  }

  // The rules' view of the scene laid so far: `seat` to play `card`, the
  // capture before it as the flow remembers it.
  void MatchSees(int16_t seat, int16_t card) {
    MatchState& m = g_.match;
    m.phase = HandPhase::kPlaying;
    m.turn = seat;
    m.table.Clear();
    for (int i = 0; i < g_.model.table_id_count; ++i) m.table.PushBack(g_.model.table_ids[i]);
    for (HandCards& hand : m.hands) hand.Clear();
    m.hands[static_cast<size_t>(seat)].PushBack(card);
    m.memory.previous_size = previous_size_;
    m.dealt = kCardCount;
    m.cards_played = 1;
  }

  // A computer player of `seat` takes `indices` with `played`: the match makes
  // the play as the card sets off, and the table shows it once it has landed.
  void ComputerPlays(int16_t seat, int16_t played, std::initializer_list<int16_t> indices) {
    MatchSees(seat, played);
    ComputerPlaysNext(seat, played, indices);
  }

  // The same, the match going on from the play before.
  void ComputerPlaysNext(int16_t seat, int16_t played, std::initializer_list<int16_t> indices) {
    if (!g_.match.hands[static_cast<size_t>(seat)].Contains(played)) {
      g_.match.hands[static_cast<size_t>(seat)].PushBack(played);
    }
    g_.flow.turn = seat;
    Choose(indices);
    Play play{played, {}};
    for (int16_t i : indices) play.take.PushBack(g_.model.table_ids[i]);
    MatchDecide(g_, seat, play);
    Lay(played);
    MatchShowLanded(g_, seat, played);
  }

  // The person's `played` has landed and they have chosen `indices`.
  void PersonTakes(int16_t played, std::initializer_list<int16_t> indices) {
    g_.flow.turn = 0;
    MatchSees(0, played);
    Lay(played);
    Choose(indices);
    MatchTake(g_, 0, played, {g_.capture.capture_idx.data(), indices.size()});
  }

  // Cards the play before the scene took, as the rules remember it.
  int16_t previous_size_ = 0;
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
  g_.model.table[0].picked = true;
  g_.model.table[1].picked = true;
  EXPECT_TRUE(PickedCardsMatch(g_));
}

TEST_F(CaptureTest, PickedCardsMatchCountsOnlyShownPickedCards) {
  Lay({CardId(2, 'C'), CardId(3, 'D'), CardId(4, 'H'), CardId(7, 'S')});
  Lay(CardId(7, 'C'));
  g_.model.table[0].picked = true;
  EXPECT_FALSE(PickedCardsMatch(g_));  // 2 of 7
  g_.model.table[1].picked = true;
  EXPECT_FALSE(PickedCardsMatch(g_));  // 5
  g_.model.table[2].picked = true;
  EXPECT_FALSE(PickedCardsMatch(g_));  // 9: too much
  g_.model.table[0].picked = false;
  EXPECT_TRUE(PickedCardsMatch(g_));  // 3 + 4
  g_.model.table[3].picked = true;
  g_.model.table[3].shown = false;  // a card no longer on view does not count
  EXPECT_TRUE(PickedCardsMatch(g_));
}

TEST_F(CaptureTest, PickedCardsMatchHasNoCountLimit) {
  Lay({CardId(1, 'C'), CardId(1, 'D'), CardId(1, 'H'), CardId(1, 'S'), CardId(2, 'C'),
       CardId(2, 'D'), CardId(2, 'H')});
  Lay(CardId(10, 'C'));
  for (int i = 0; i < 7; ++i) g_.model.table[i].picked = true;
  EXPECT_TRUE(PickedCardsMatch(g_));
}

TEST_F(CaptureTest, ComputerCaptureOfNothingChangesNothing) {
  Lay({CardId(9, 'C'), CardId(4, 'D')});
  ComputerPlays(1, CardId(7, 'H'), {});
  EXPECT_EQ(ApplyComputerCapture(g_), 0);
  for (int i = 0; i < g_.model.table_count; ++i) EXPECT_FALSE(g_.model.table[i].captured) << i;
  EXPECT_FALSE(g_.capture.they.Any());
}

TEST_F(CaptureTest, ComputerCaptureMarksTakenAndPlayedCards) {
  Lay({CardId(9, 'C'), CardId(4, 'D'), CardId(3, 'H')});
  ComputerPlays(1, CardId(7, 'S'), {1, 2});
  EXPECT_EQ(ApplyComputerCapture(g_), 2);
  EXPECT_FALSE(g_.model.table[0].captured);
  EXPECT_TRUE(g_.model.table[1].captured);
  EXPECT_TRUE(g_.model.table[2].captured);
  EXPECT_TRUE(g_.model.table[3].captured);
  EXPECT_FALSE(g_.capture.they.Any());
  EXPECT_FALSE(g_.capture.we.Any());
}

TEST_F(CaptureTest, PicadaNeedsTheCardJustLaidAndNoCaptureBeforeIt) {
  Lay({CardId(9, 'C'), CardId(6, 'D')});
  previous_size_ = 0;
  ComputerPlays(3, CardId(6, 'H'), {1});
  ApplyComputerCapture(g_);
  EXPECT_TRUE(g_.capture.they.picada);
  EXPECT_FALSE(g_.capture.they.scua);
}

TEST_F(CaptureTest, NoPicadaAfterACapture) {
  Lay({CardId(9, 'C'), CardId(6, 'D')});
  previous_size_ = 1;
  ComputerPlays(3, CardId(6, 'H'), {1});
  ApplyComputerCapture(g_);
  EXPECT_FALSE(g_.capture.they.picada);
}

TEST_F(CaptureTest, NoPicadaAtTheFirstPlayOfAHand) {
  Lay({CardId(9, 'C'), CardId(6, 'D')});
  previous_size_ = -1;  // as after the deal
  ComputerPlays(1, CardId(6, 'H'), {1});
  JudgePlay(g_);
  EXPECT_FALSE(g_.capture.they.picada);
}

TEST_F(CaptureTest, NoPicadaForAnOlderCard) {
  Lay({CardId(6, 'C'), CardId(9, 'D')});
  ComputerPlays(2, CardId(6, 'H'), {0});
  ApplyComputerCapture(g_);
  EXPECT_FALSE(g_.capture.we.picada);
}

TEST_F(CaptureTest, SimiliWhenEveryTakenCardSharesThePlayedSuit) {
  // Ten of swords and four of swords: the ten's suit comes from its third character.
  Lay({CardId(10, 'H'), CardId(4, 'H'), CardId(2, 'C')});
  ComputerPlays(1, CardId(4, 'H'), {1});
  ApplyComputerCapture(g_);
  EXPECT_TRUE(g_.capture.they.simili);
}

TEST_F(CaptureTest, NoSimiliWithAMixedSuitCapture) {
  Lay({CardId(3, 'H'), CardId(4, 'S'), CardId(2, 'C')});
  g_.capture.they.simili = true;  // left from an earlier judgement: overwritten
  ComputerPlays(1, CardId(7, 'H'), {0, 1});
  ApplyComputerCapture(g_);
  EXPECT_FALSE(g_.capture.they.simili);
}

TEST_F(CaptureTest, QuadrigliaFromThreeCardsTogetherWithSimili) {
  Lay({CardId(2, 'D'), CardId(3, 'D'), CardId(4, 'D'), CardId(12, 'C')});
  ComputerPlays(2, CardId(9, 'D'), {0, 1, 2});
  EXPECT_EQ(ApplyComputerCapture(g_), 3);
  EXPECT_TRUE(g_.capture.we.quadriglia);
  EXPECT_TRUE(g_.capture.we.simili);
  EXPECT_FALSE(g_.capture.we.scua);
  EXPECT_FALSE(g_.capture.they.Any());
}

TEST_F(CaptureTest, NoQuadrigliaFromTwoCards) {
  Lay({CardId(2, 'D'), CardId(7, 'C'), CardId(12, 'C')});
  ComputerPlays(2, CardId(9, 'H'), {0, 1});
  ApplyComputerCapture(g_);
  EXPECT_FALSE(g_.capture.we.quadriglia);
}

TEST_F(CaptureTest, NoScuaWhileCardsStay) {
  Lay({CardId(2, 'D'), CardId(7, 'C'), CardId(12, 'C')});
  previous_size_ = 2;
  ComputerPlays(1, CardId(12, 'H'), {2});
  ApplyComputerCapture(g_);
  EXPECT_FALSE(g_.capture.they.scua);
}

TEST_F(CaptureTest, ScuaWhenTheTableIsCleared) {
  Lay({CardId(2, 'D'), CardId(7, 'C')});
  ComputerPlays(1, CardId(9, 'H'), {0, 1});
  ApplyComputerCapture(g_);
  EXPECT_TRUE(g_.capture.they.scua);
}

TEST_F(CaptureTest, HumanCaptureSetsWeFlagsAndRecordsItsSize) {
  Lay({CardId(2, 'S'), CardId(3, 'S'), CardId(4, 'S')});
  previous_size_ = 1;
  PersonTakes(CardId(9, 'S'), {0, 1, 2});
  EXPECT_TRUE(ApplyHumanCapture(g_));
  EXPECT_TRUE(g_.capture.we.scua);
  EXPECT_TRUE(g_.capture.we.simili);
  EXPECT_TRUE(g_.capture.we.quadriglia);
  EXPECT_FALSE(g_.capture.we.picada);
  EXPECT_FALSE(g_.capture.they.Any());
  EXPECT_TRUE(g_.model.table[3].captured);
  EXPECT_EQ(g_.match.memory.last_size, 3);
}

TEST_F(CaptureTest, PlainHumanCaptureEarnsNothing) {
  Lay({CardId(5, 'C'), CardId(8, 'D')});
  previous_size_ = 0;  // the 8 was laid last, so no Picada for the 5
  PersonTakes(CardId(5, 'H'), {0});
  EXPECT_FALSE(ApplyHumanCapture(g_));
  EXPECT_EQ(g_.match.memory.last_size, 1);
}

TEST_F(CaptureTest, HumanPicadaOfTheCardJustLaid) {
  Lay({CardId(5, 'C'), CardId(8, 'D')});
  previous_size_ = 0;
  PersonTakes(CardId(8, 'H'), {1});
  EXPECT_TRUE(ApplyHumanCapture(g_));
  EXPECT_TRUE(g_.capture.we.picada);
  EXPECT_FALSE(g_.capture.we.simili);
}

TEST_F(CaptureTest, HumanCaptureOfNothingIsNoSimili) {
  Lay({CardId(5, 'C'), CardId(8, 'D')});
  Lay(CardId(5, 'H'));
  Choose({});
  EXPECT_FALSE(ApplyHumanCapture(g_));
  EXPECT_FALSE(g_.model.table[2].captured);
}

TEST_F(CaptureTest, JudgeLeavesALoneCardAsNoCapture) {
  g_.flow.turn = 1;
  Choose({0});  // stale hand-over from an earlier capture must not be applied
  Lay(CardId(6, 'C'));
  EXPECT_FALSE(JudgePlay(g_).captures);
  EXPECT_FALSE(g_.model.table[0].captured);
}

TEST_F(CaptureTest, JudgeOfTheHumanOnlyDecidesThatACaptureExists) {
  Lay({CardId(5, 'C'), CardId(5, 'D'), CardId(9, 'C')});
  g_.flow.turn = 0;
  Lay(CardId(5, 'H'));
  const PlayVerdict verdict = JudgePlay(g_);
  EXPECT_TRUE(verdict.captures);
  EXPECT_EQ(verdict.side, Side::kWe);
  EXPECT_FALSE(verdict.special);
  EXPECT_EQ(MustCapture(g_), 1);
  for (int i = 0; i < g_.model.table_count; ++i) EXPECT_FALSE(g_.model.table[i].captured) << i;
}

TEST_F(CaptureTest, JudgeOfAHumanCardThatCannotCapture) {
  Lay({CardId(5, 'C'), CardId(9, 'C')});
  g_.flow.turn = 0;
  Lay(CardId(2, 'H'));
  EXPECT_FALSE(JudgePlay(g_).captures);
}

// Simulated play lets the human's seat take what it chose, as a computer seat
// would; the human's own path only says that a capture exists.
TEST_F(CaptureTest, ChosenCaptureJudgeAppliesTheHumansChoice) {
  Lay({CardId(2, 'C'), CardId(3, 'D'), CardId(5, 'D')});
  g_.flow.turn = 0;
  Lay(CardId(5, 'H'));
  Choose({0, 1});
  const PlayVerdict verdict = JudgeChosenCapture(g_);
  EXPECT_TRUE(verdict.captures);
  EXPECT_EQ(verdict.side, Side::kWe);
  EXPECT_FALSE(verdict.special);
  EXPECT_TRUE(g_.model.table[0].captured && g_.model.table[1].captured);
  EXPECT_FALSE(g_.model.table[2].captured);
  EXPECT_TRUE(g_.model.table[3].captured);

  ClearTable();
  Choose({0});  // a stale choice must not take the card it lands beside
  Lay(CardId(6, 'C'));
  EXPECT_FALSE(JudgeChosenCapture(g_).captures);
  EXPECT_FALSE(g_.model.table[0].captured);
}

TEST_F(CaptureTest, JudgeNamesTheCapturingSideAndWhetherItIsSpecial) {
  struct Case {
    int16_t seat;
    bool special;
    Side side;
  };
  const Case cases[] = {
      {1, false, Side::kThey}, {3, true, Side::kThey}, {2, false, Side::kWe}, {2, true, Side::kWe}};
  for (const Case& c : cases) {
    ClearTable();
    // A lone-card capture is a Scua; with a second card left it is plain.
    if (c.special) {
      Lay(CardId(9, 'C'));
    } else {
      Lay({CardId(9, 'C'), CardId(1, 'D')});
    }
    previous_size_ = 1;
    ComputerPlays(c.seat, CardId(9, 'D'), {0});
    const PlayVerdict verdict = JudgePlay(g_);
    EXPECT_TRUE(verdict.captures) << c.seat;
    EXPECT_EQ(verdict.side, c.side) << c.seat;
    EXPECT_EQ(verdict.special, c.special) << c.seat;
    EXPECT_EQ(g_.match.memory.last_size, 1);
  }
}

TEST_F(CaptureTest, ClearPlayFlagsClearsAllEight) {
  g_.capture.we = SideFlags{true, true, true, true};
  g_.capture.they = SideFlags{true, true, true, true};
  ClearPlayFlags(g_);
  EXPECT_FALSE(g_.capture.we.Any());
  EXPECT_FALSE(g_.capture.they.Any());
}

// A card laid on an empty table by one player and taken at once by the next:
// the table is cleared by a capture of the card just put down, so both Scua
// and Picada score.
TEST_F(CaptureTest, TakingTheOnlyCardJustLaidIsScuaAndPicada) {
  previous_size_ = -1;  // the hand's first play
  ComputerPlays(1, CardId(7, 'C'), {});
  EXPECT_FALSE(JudgePlay(g_).captures);
  EXPECT_EQ(g_.match.memory.previous_size, 0);

  ClearPlayFlags(g_);
  ComputerPlaysNext(2, CardId(7, 'D'), {0});
  EXPECT_TRUE(JudgePlay(g_).special);
  EXPECT_TRUE(g_.capture.we.scua);
  EXPECT_TRUE(g_.capture.we.picada);
  EXPECT_FALSE(g_.capture.we.simili);
}

}  // namespace
}  // namespace vantel
