#include <vector>

#include "ai_fixture.h"

namespace vantel {
namespace {

class LookAheadTest : public AiFixture {
 protected:
  static std::vector<int16_t> Ids(const TableCopy& t) {
    return std::vector<int16_t>(t.ids.begin(), t.ids.begin() + t.count);
  }
  static CaptureOption Taking(std::initializer_list<int16_t> indices) {
    CaptureOption o;
    for (int16_t i : indices) o.take_idx[o.take_count++] = i;
    return o;
  }
};

TEST_F(LookAheadTest, TableAfterPlayRemovesTakenCardsAndThePlayedCard) {
  const int16_t a = CardId(3, 'H'), b = CardId(13, 'C'), c = CardId(4, 'S'),
                played = CardId(7, 'D');
  const TableCopy with_card = TableOf({a, b, c, played});
  EXPECT_EQ(Ids(TableAfterPlay(with_card, Taking({0, 2}))), (std::vector<int16_t>{b}));
  EXPECT_EQ(Ids(TableAfterPlay(with_card, Taking({1}))), (std::vector<int16_t>{a, c}));
  EXPECT_EQ(Ids(TableAfterPlay(with_card, Taking({}))), (std::vector<int16_t>{a, b, c, played}));
  EXPECT_EQ(Ids(TableAfterPlay(TableOf({played}), Taking({}))), (std::vector<int16_t>{played}));
}

TEST_F(LookAheadTest, EmptyTableIsSafe) {
  EXPECT_TRUE(TableIsSafe(g_, TableCopy{}));
}

TEST_F(LookAheadTest, LoneCardIsSafeOnlyWhenAllFourOfItsValueWereSeen) {
  const TableCopy lone = TableOf({CardId(9, 'H')});
  g_.model.rank_seen[9] = 3;
  EXPECT_FALSE(TableIsSafe(g_, lone));
  g_.model.rank_seen[9] = 4;
  EXPECT_TRUE(TableIsSafe(g_, lone));
  g_.model.rank_seen[9] = 0;
  g_.model.rank_seen[13] = 4;  // another value's count does not help
  EXPECT_FALSE(TableIsSafe(g_, lone));
}

TEST_F(LookAheadTest, SeveralCardsAreSafeAboveTenOrWhenTheirSumIsUsedUp) {
  EXPECT_TRUE(TableIsSafe(g_, TableOf({CardId(5, 'H'), CardId(6, 'C')})));
  EXPECT_TRUE(TableIsSafe(g_, TableOf({CardId(1, 'H'), CardId(13, 'C')})));

  const TableCopy ten = TableOf({CardId(2, 'H'), CardId(3, 'C'), CardId(5, 'D')});
  g_.model.rank_seen[10] = 3;
  EXPECT_FALSE(TableIsSafe(g_, ten));
  g_.model.rank_seen[10] = 4;
  EXPECT_TRUE(TableIsSafe(g_, ten));

  // Only the sum's count matters, not the counts of the cards themselves.
  const TableCopy four = TableOf({CardId(2, 'H'), CardId(2, 'C')});
  g_.model.rank_seen[2] = 4;
  EXPECT_FALSE(TableIsSafe(g_, four));
}

TEST_F(LookAheadTest, CardAccountedForLooksInBothPilesAndOnTheTable) {
  EXPECT_FALSE(CardAccountedFor(g_, CardId(10, 'D')));
  AddToPile(Side::kWe, CardId(10, 'D'));
  EXPECT_TRUE(CardAccountedFor(g_, CardId(10, 'D')));

  AddToPile(Side::kThey, CardId(4, 'C'));
  AddToPile(Side::kThey, CardId(2, 'C'));
  EXPECT_TRUE(CardAccountedFor(g_, CardId(2, 'C')));

  Lay({CardId(8, 'S'), CardId(11, 'H')});
  EXPECT_TRUE(CardAccountedFor(g_, CardId(11, 'H')));
  EXPECT_FALSE(CardAccountedFor(g_, CardId(11, 'D')));
}

TEST_F(LookAheadTest, CardAccountedForIgnoresEntriesPastEachCount) {
  // Stale entries beyond the counts are what a compacted table leaves behind.
  g_.model.we_pile[0].card = CardId(10, 'D');
  g_.model.they_pile[3].card = CardId(2, 'C');
  g_.model.table[0].card = CardId(11, 'H');
  EXPECT_FALSE(CardAccountedFor(g_, CardId(10, 'D')));
  EXPECT_FALSE(CardAccountedFor(g_, CardId(2, 'C')));
  EXPECT_FALSE(CardAccountedFor(g_, CardId(11, 'H')));
  // A card in a hand is not accounted for.
  GiveHand(1, {CardId(10, 'D')});
  EXPECT_FALSE(CardAccountedFor(g_, CardId(10, 'D')));
}

}  // namespace
}  // namespace vantel
