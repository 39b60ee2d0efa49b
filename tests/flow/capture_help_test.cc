#include "flow/capture_help.h"

#include "flow_fixture.h"

namespace vantel {
namespace {

using CaptureHelpTest = FlowFixture;

std::vector<int> Marked(const Game& g) {
  const TableMarks marks = TakeableTableCards(g);
  std::vector<int> out;
  for (int i = 0; i < kTableRecords; ++i) {
    if (marks[static_cast<std::size_t>(i)]) out.push_back(i);
  }
  return out;
}

TEST_F(CaptureHelpTest, OnlyCardsOfSomeSumOrAnEqualCardAreTakeable) {
  // 9 played: 9 alone, 4 + 5, 2 + 3 + 4, A + 3 + 5; the jack and the queen fit nothing.
  OpenSelection({CardId(11, 'C'), CardId(4, 'D'), CardId(5, 'H'), CardId(9, 'S'), CardId(2, 'C'),
                 CardId(12, 'D'), CardId(3, 'S'), CardId(1, 'H')},
                CardId(9, 'D'));
  EXPECT_EQ(Marked(g_), (std::vector<int>{1, 2, 3, 4, 6, 7}));
  EXPECT_FALSE(CanPickTableCard(g_, 8));   // the played card
  EXPECT_FALSE(CanPickTableCard(g_, -1));  // no card
  EXPECT_FALSE(CanPickTableCard(g_, 20));
}

TEST_F(CaptureHelpTest, AnAceCountsOneInASum) {
  OpenSelection({CardId(1, 'C'), CardId(2, 'D'), CardId(6, 'H')}, CardId(3, 'S'));
  EXPECT_EQ(Marked(g_), (std::vector<int>{0, 1}));
  ClickTable(kLeftButton, 0);
  EXPECT_TRUE(g_.model.table[0].picked);
  EXPECT_EQ(Marked(g_), (std::vector<int>{1}));
  ClickTable(kLeftButton, 1);
  ASSERT_EQ(events_.confirms, 1);
  EXPECT_EQ(g_.capture.capture_count, 2);
}

TEST_F(CaptureHelpTest, NothingIsTakeableOnATableWithOnlyThePlayedCardOrNoneThatFits) {
  Lay({CardId(7, 'S')});
  g_.flow.turn = 0;
  g_.flow.state = FlowState::kWeGettingCardsGathering;
  EXPECT_TRUE(Marked(g_).empty());
  OpenSelection({CardId(12, 'C'), CardId(13, 'D')}, CardId(2, 'H'));
  EXPECT_TRUE(Marked(g_).empty());
}

TEST_F(CaptureHelpTest, PicksNarrowWhatIsLeftAndNoCaptureHoldsMoreThanSixCards) {
  // Ten from aces and twos: six aces cannot make ten, the room runs out. The
  // ten of cups lets the ten capture at all, and then take more freely.
  OpenSelection({CardId(1, 'C'), CardId(1, 'D'), CardId(1, 'H'), CardId(1, 'S'), CardId(2, 'C'),
                 CardId(2, 'D'), CardId(3, 'H'), CardId(10, 'C')},
                CardId(10, 'S'));
  for (int i : {0, 1, 2}) ClickTable(kLeftButton, i);
  // A fourth ace would leave six for two places, and 2 + 2 or 2 + 3 fall short.
  EXPECT_EQ(Marked(g_), (std::vector<int>{4, 5, 6}));
  ClickTable(kLeftButton, 3);
  EXPECT_FALSE(g_.model.table[3].picked);
  ClickTable(kLeftButton, 4);  // 5 in four cards: one place for the rest
  EXPECT_EQ(Marked(g_), (std::vector<int>{5, 6}));
  ClickTable(kLeftButton, 5);  // 7 in five: only the 3 ends it
  EXPECT_EQ(Marked(g_), (std::vector<int>{6}));
  ClickTable(kLeftButton, 6);
  ASSERT_EQ(events_.confirms, 1);
  EXPECT_EQ(g_.capture.capture_count, 6);
}

TEST_F(CaptureHelpTest, AnImpossiblePickIsRefusedWithASoundAndNoFrame) {
  OpenSelection({CardId(11, 'C'), CardId(4, 'D'), CardId(5, 'H')}, CardId(9, 'S'));
  sound_.played.clear();
  ClickTable(kLeftButton, 0);  // a jack for a nine
  EXPECT_FALSE(g_.model.table[0].picked);
  EXPECT_EQ(sound_.played, std::vector<SoundId>{kRefusedPickSound});
  EXPECT_TRUE(SelectionOpen(g_));
  ClickTable(kLeftButton, 1);
  ClickTable(kLeftButton, 2);
  EXPECT_EQ(events_.confirms, 1);
  EXPECT_FALSE(g_.model.table[0].captured);
}

TEST_F(CaptureHelpTest, WithoutRefusalAStrayPickIsFramedAsBefore) {
  g_.aids.refuse_impossible_picks = false;
  OpenSelection({CardId(11, 'C'), CardId(4, 'D'), CardId(5, 'H')}, CardId(9, 'S'));
  sound_.played.clear();
  ClickTable(kLeftButton, 0);
  EXPECT_TRUE(g_.model.table[0].picked);
  EXPECT_TRUE(sound_.played.empty());
}

}  // namespace
}  // namespace vantel
