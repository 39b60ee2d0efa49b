#include <vector>

#include "ai_fixture.h"

namespace vantel {
namespace {

class LookAheadTest : public AiFixture {
 protected:
  static std::vector<int16_t> Ids(const TableCopy& t) {
    return std::vector<int16_t>(t.Ids.begin(), t.Ids.begin() + t.Count);
  }
  static CaptureOption Taking(std::initializer_list<int16_t> indices) {
    CaptureOption o;
    for (int16_t i : indices) o.TakeIdx[o.TakeCount++] = i;
    return o;
  }
};

TEST_F(LookAheadTest, TableAfterPlayRemovesTakenCardsAndThePlayedCard) {
  const int16_t a = CardId(3, 'H'), b = CardId(13, 'C'), c = CardId(4, 'S'),
                played = CardId(7, 'D');
  const TableCopy withCard = TableOf({a, b, c, played});
  EXPECT_EQ(Ids(TableAfterPlay(withCard, Taking({0, 2}))), (std::vector<int16_t>{b}));
  EXPECT_EQ(Ids(TableAfterPlay(withCard, Taking({1}))), (std::vector<int16_t>{a, c}));
  EXPECT_EQ(Ids(TableAfterPlay(withCard, Taking({}))), (std::vector<int16_t>{a, b, c, played}));
  EXPECT_EQ(Ids(TableAfterPlay(TableOf({played}), Taking({}))), (std::vector<int16_t>{played}));
}

TEST_F(LookAheadTest, EmptyTableIsSafe) {
  EXPECT_TRUE(TableIsSafe(g, TableCopy{}));
}

TEST_F(LookAheadTest, LoneCardIsSafeOnlyWhenAllFourOfItsValueWereSeen) {
  const TableCopy lone = TableOf({CardId(9, 'H')});
  g.model.RankSeen[9] = 3;
  EXPECT_FALSE(TableIsSafe(g, lone));
  g.model.RankSeen[9] = 4;
  EXPECT_TRUE(TableIsSafe(g, lone));
  g.model.RankSeen[9] = 0;
  g.model.RankSeen[13] = 4;  // another value's count does not help
  EXPECT_FALSE(TableIsSafe(g, lone));
}

TEST_F(LookAheadTest, SeveralCardsAreSafeAboveTenOrWhenTheirSumIsUsedUp) {
  EXPECT_TRUE(TableIsSafe(g, TableOf({CardId(5, 'H'), CardId(6, 'C')})));
  EXPECT_TRUE(TableIsSafe(g, TableOf({CardId(1, 'H'), CardId(13, 'C')})));

  const TableCopy ten = TableOf({CardId(2, 'H'), CardId(3, 'C'), CardId(5, 'D')});
  g.model.RankSeen[10] = 3;
  EXPECT_FALSE(TableIsSafe(g, ten));
  g.model.RankSeen[10] = 4;
  EXPECT_TRUE(TableIsSafe(g, ten));

  // Only the sum's count matters, not the counts of the cards themselves.
  const TableCopy four = TableOf({CardId(2, 'H'), CardId(2, 'C')});
  g.model.RankSeen[2] = 4;
  EXPECT_FALSE(TableIsSafe(g, four));
}

TEST_F(LookAheadTest, CardAccountedForLooksInBothPilesAndOnTheTable) {
  EXPECT_FALSE(CardAccountedFor(g, CardId(10, 'D')));
  AddToPile(Side::We, CardId(10, 'D'));
  EXPECT_TRUE(CardAccountedFor(g, CardId(10, 'D')));

  AddToPile(Side::They, CardId(4, 'C'));
  AddToPile(Side::They, CardId(2, 'C'));
  EXPECT_TRUE(CardAccountedFor(g, CardId(2, 'C')));

  Lay({CardId(8, 'S'), CardId(11, 'H')});
  EXPECT_TRUE(CardAccountedFor(g, CardId(11, 'H')));
  EXPECT_FALSE(CardAccountedFor(g, CardId(11, 'D')));
}

TEST_F(LookAheadTest, CardAccountedForIgnoresEntriesPastEachCount) {
  // Stale entries beyond the counts are what a compacted table leaves behind.
  g.model.WePile[0].Card = CardId(10, 'D');
  g.model.TheyPile[3].Card = CardId(2, 'C');
  g.model.Table[0].Card = CardId(11, 'H');
  EXPECT_FALSE(CardAccountedFor(g, CardId(10, 'D')));
  EXPECT_FALSE(CardAccountedFor(g, CardId(2, 'C')));
  EXPECT_FALSE(CardAccountedFor(g, CardId(11, 'H')));
  // A card in a hand is not accounted for.
  GiveHand(1, {CardId(10, 'D')});
  EXPECT_FALSE(CardAccountedFor(g, CardId(10, 'D')));
}

}  // namespace
}  // namespace vantel
