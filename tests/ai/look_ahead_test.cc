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
    for (int16_t i : indices) o.take.index[static_cast<size_t>(o.take.count++)] = i;
    return o;
  }

  // What was seen, as many cards of each value as the test says.
  TableKnowledge known_;
  bool Safe(const TableCopy& table) const { return TableIsSafe(known_, table); }
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
  EXPECT_TRUE(Safe(TableCopy{}));
}

TEST_F(LookAheadTest, LoneCardIsSafeOnlyWhenAllFourOfItsValueWereSeen) {
  const TableCopy lone = TableOf({CardId(9, 'H')});
  known_.seen[9] = 3;
  EXPECT_FALSE(Safe(lone));
  known_.seen[9] = 4;
  EXPECT_TRUE(Safe(lone));
  known_.seen[9] = 0;
  known_.seen[13] = 4;  // another value's count does not help
  EXPECT_FALSE(Safe(lone));
}

TEST_F(LookAheadTest, SeveralCardsAreSafeAboveTenOrWhenTheirSumIsUsedUp) {
  EXPECT_TRUE(Safe(TableOf({CardId(5, 'H'), CardId(6, 'C')})));
  EXPECT_TRUE(Safe(TableOf({CardId(1, 'H'), CardId(13, 'C')})));

  const TableCopy ten = TableOf({CardId(2, 'H'), CardId(3, 'C'), CardId(5, 'D')});
  known_.seen[10] = 3;
  EXPECT_FALSE(Safe(ten));
  known_.seen[10] = 4;
  EXPECT_TRUE(Safe(ten));

  // Only the sum's count matters, not the counts of the cards themselves.
  const TableCopy four = TableOf({CardId(2, 'H'), CardId(2, 'C')});
  known_.seen[2] = 4;
  EXPECT_FALSE(Safe(four));
}

TEST_F(LookAheadTest, CardsOnTheTableAndInEitherPileAreGone) {
  auto gone = [&](int16_t id) { return Known().gone[static_cast<size_t>(id)]; };
  EXPECT_FALSE(gone(CardId(10, 'D')));
  AddToPile(Side::kWe, CardId(10, 'D'));
  EXPECT_TRUE(gone(CardId(10, 'D')));

  AddToPile(Side::kThey, CardId(4, 'C'));
  AddToPile(Side::kThey, CardId(2, 'C'));
  EXPECT_TRUE(gone(CardId(2, 'C')));

  Lay({CardId(8, 'S'), CardId(11, 'H')});
  EXPECT_TRUE(gone(CardId(11, 'H')));
  EXPECT_FALSE(gone(CardId(11, 'D')));
  // A card in a hand is not gone; nor is a special capture's card, which
  // lies face up among its side's markers rather than in the pile.
  GiveHand(1, {CardId(11, 'D')});
  EXPECT_FALSE(gone(CardId(11, 'D')));
  AddToPile(Side::kThey, CardId(2, 'S'));
  state_.Of(Side::kThey).markers.PushBack(CardId(2, 'S'));
  EXPECT_FALSE(gone(CardId(2, 'S')));
}

TEST_F(LookAheadTest, ValuesSeenCountTheTableAndBothSidesTakenCards) {
  Lay({CardId(9, 'H')});
  AddToPile(Side::kWe, CardId(9, 'C'));
  AddToPile(Side::kThey, CardId(9, 'S'));
  state_.Of(Side::kThey).markers.PushBack(CardId(9, 'S'));
  const TableKnowledge known = Known();
  EXPECT_EQ(known.seen[9], 3);
  EXPECT_EQ(known.seen[10], 0);
}

}  // namespace
}  // namespace vantel
