#include <set>
#include <vector>

#include "ai_fixture.h"

namespace vantel {
namespace {

class ListCapturesTest : public AiFixture {
 protected:
  CardOptions List(int16_t card, std::initializer_list<int16_t> table) {
    Lay(table);
    CardOptions out;
    ListCaptures(g_, card, CopyTable(g_.model), out);
    return out;
  }

  static std::vector<int> Taken(const CaptureOption& o) {
    return std::vector<int>(o.take_idx.begin(), o.take_idx.begin() + o.take_count);
  }
};

using Takes = std::vector<std::vector<int>>;

Takes AllTaken(const CardOptions& c) {
  Takes out;
  for (int o = 0; o < c.option_count; ++o) {
    out.emplace_back(c.options[o].take_idx.begin(),
                     c.options[o].take_idx.begin() + c.options[o].take_count);
  }
  return out;
}

TEST_F(ListCapturesTest, ListsFoursThenThreesThenPairsThenSinglesThenLayDown) {
  const CardOptions c =
      List(CardId(10, 'S'), {CardId(1, 'C'), CardId(2, 'D'), CardId(3, 'H'), CardId(4, 'S'),
                             CardId(5, 'C'), CardId(6, 'D'), CardId(10, 'H')});
  const Takes expected = {{0, 1, 2, 3}, {0, 2, 5}, {0, 3, 4}, {1, 2, 4}, {3, 5}, {6}, {}};
  EXPECT_EQ(AllTaken(c), expected);
}

TEST_F(ListCapturesTest, CourtsAndAcesTakeOnlyTheirEqual) {
  const CardOptions jack = List(CardId(11, 'H'), {CardId(5, 'C'), CardId(6, 'D'), CardId(11, 'C')});
  EXPECT_EQ(AllTaken(jack), (Takes{{2}, {}}));

  g_.model = CardModel{};
  const CardOptions ace = List(CardId(1, 'H'), {CardId(1, 'C'), CardId(1, 'D')});
  EXPECT_EQ(AllTaken(ace), (Takes{{0}, {1}, {}}));
}

TEST_F(ListCapturesTest, CardWithoutCaptureStillHasTheLayDown) {
  const CardOptions c = List(CardId(10, 'H'), {CardId(5, 'C'), CardId(4, 'D')});
  ASSERT_EQ(c.option_count, 1);
  EXPECT_EQ(c.options[0].take_count, 0);
  EXPECT_EQ(c.options[0].bonus, 0);

  g_.model = CardModel{};
  EXPECT_EQ(AllTaken(List(CardId(7, 'H'), {})), Takes{{}});
}

// Twelve aces, twos and threes give a six far more than twenty sums: the
// record keeps the first twenty in listing order and the lay-down after them.
TEST_F(ListCapturesTest, LongTableOfSmallValuesKeepsTwentyCapturesAndTheLayDown) {
  std::vector<int16_t> table;
  for (int rank = 1; rank <= 3; ++rank) {
    for (char suit : {'C', 'D', 'H', 'S'}) table.push_back(CardId(rank, suit));
  }
  for (int16_t id : table) Lay({id});
  CardOptions c;
  ListCaptures(g_, CardId(6, 'H'), CopyTable(g_.model), c);

  ASSERT_EQ(c.option_count, kMaxOptions);
  EXPECT_EQ(Taken(c.options[0]), (std::vector<int>{0, 1, 2, 8}));
  EXPECT_EQ(c.options[kMaxOptions - 1].take_count, 0);
  std::set<std::vector<int>> seen;
  for (int o = 0; o < kMaxCaptureOptions; ++o) {
    const std::vector<int> taken = Taken(c.options[o]);
    ASSERT_GE(taken.size(), 2u) << "option " << o;
    if (o > 0) {
      EXPECT_LE(taken.size(), Taken(c.options[o - 1]).size());
    }
    int sum = 0;
    for (size_t t = 0; t < taken.size(); ++t) {
      if (t > 0) {
        EXPECT_LT(taken[t - 1], taken[t]);
      }
      sum += ValueOf(table[taken[t]]);
    }
    EXPECT_EQ(sum, 6) << "option " << o;
    EXPECT_TRUE(seen.insert(taken).second) << "option " << o << " listed twice";
  }
}

TEST_F(ListCapturesTest, BonusCountsKeyCardsTaken) {
  const CardOptions c = List(CardId(10, 'C'), {CardId(10, 'D'), CardId(5, 'H'), CardId(5, 'S')});
  // The pair 5 + 5 takes no key card; the ten of coins is one.
  EXPECT_EQ(AllTaken(c), (Takes{{1, 2}, {0}, {}}));
  EXPECT_EQ(c.options[0].bonus, 0);
  EXPECT_EQ(c.options[1].bonus, 1);
}

TEST_F(ListCapturesTest, PicadaForecastOnlyForTheLastCardAfterAPlayThatTookNothing) {
  g_.capture.prev_capture_size = 0;
  const CardOptions fresh = List(CardId(7, 'S'), {CardId(7, 'C'), CardId(7, 'H'), CardId(13, 'D')});
  // Neither seven is the last card on the table.
  EXPECT_EQ(fresh.options[0].bonus, 0);
  EXPECT_EQ(fresh.options[1].bonus, 0);

  g_.model = CardModel{};
  const CardOptions last = List(CardId(7, 'S'), {CardId(13, 'D'), CardId(7, 'H')});
  EXPECT_EQ(last.options[0].bonus, 1);
}

TEST_F(ListCapturesTest, NoPicadaForecastWhenThePreviousPlayCaptured) {
  g_.capture.prev_capture_size = 2;
  const CardOptions c = List(CardId(7, 'S'), {CardId(13, 'D'), CardId(7, 'H')});
  EXPECT_EQ(c.options[0].bonus, 0);
  g_.model = CardModel{};
  g_.capture.prev_capture_size = -1;  // first play after the deal
  EXPECT_EQ(List(CardId(7, 'S'), {CardId(13, 'D'), CardId(7, 'H')}).options[0].bonus, 0);
}

TEST_F(ListCapturesTest, SimiliQuadrigliaAndScuaForecasts) {
  // Three swords taken by a sword, with a king left: Simili and Quadriglia.
  const CardOptions swords =
      List(CardId(7, 'H'), {CardId(1, 'H'), CardId(2, 'H'), CardId(4, 'H'), CardId(13, 'C')});
  EXPECT_EQ(swords.options[0].take_count, 3);
  EXPECT_EQ(swords.options[0].bonus, 2);

  // The same sum of mixed suits taken by a baton: Quadriglia only.
  g_.model = CardModel{};
  const CardOptions mixed =
      List(CardId(7, 'S'), {CardId(1, 'H'), CardId(2, 'S'), CardId(4, 'H'), CardId(13, 'C')});
  EXPECT_EQ(mixed.options[0].bonus, 1);

  // The whole table: Scua.
  g_.model = CardModel{};
  const CardOptions sweep = List(CardId(7, 'C'), {CardId(3, 'H'), CardId(4, 'S')});
  EXPECT_EQ(sweep.options[0].bonus, 1);
}

}  // namespace
}  // namespace vantel
