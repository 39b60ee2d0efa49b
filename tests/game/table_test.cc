#include "game/table.h"

#include <gtest/gtest.h>

#include "game/layout.h"
#include "game/make_game.h"

namespace vantel {
namespace {

class TableTest : public ::testing::Test {
 protected:
  MtRandom random{1};
  SilentSound sound;
  ManualClock clock;
  Game g = MakeGame(Options{}, {random, sound, clock});
};

TEST_F(TableTest, PlacesAreScaledHalfToEven) {
  EXPECT_EQ(ScaleTo800(310), 242);  // 242.1875
  EXPECT_EQ(ScaleTo800(280), 219);  // 218.75
  EXPECT_EQ(ScaleTo800(48), 38);    // 37.5 rounds to even
  EXPECT_EQ(ScaleTo800(80), 62);    // 62.5 rounds to even
  EXPECT_EQ(g.model.TableSlot[0].X, 242);
  EXPECT_EQ(g.model.TableSlot[0].Y, 219);
  EXPECT_EQ(g.model.TableSlot[1].X, 336);
  EXPECT_EQ(g.model.TableSlot[1].Y, 47);
  EXPECT_EQ(g.model.TableSlot[13].X, 469);
  EXPECT_EQ(g.model.TableSlot[13].Y, 164);
}

TEST_F(TableTest, CrowdedPlacesStayOnTheFelt) {
  // Between the marker fans, above the human's hand, inside the screen, even
  // with the largest play scatter added.
  for (int s = 0; s <= 30; ++s) {
    const auto& p = g.model.TableSlot[s];
    EXPECT_GE(p.X, 157) << s;
    EXPECT_LE(p.X + g.layout.PlayScatterX - 1 + g.layout.CardWidth, 610) << s;
    EXPECT_GE(p.Y, 0) << s;
    EXPECT_LE(p.Y + g.layout.PlayScatterY - 1 + 153, 419) << s;
  }
}

TEST_F(TableTest, FansFollowTheirPatternAndOrder) {
  const auto& we = g.model.WeFan;
  const int xs[5] = {45, 60, 30, 75, 15};
  for (int i = 0; i < 15; ++i) {
    EXPECT_EQ(we[i].X, xs[i % 5]) << i;
    EXPECT_EQ(g.model.TheyFan[i].X, xs[i % 5] + 590) << i;
    EXPECT_EQ(g.model.TheyFan[i].Y, we[i].Y);
    EXPECT_EQ(g.model.TheyFan[i].Order, we[i].Order);
  }
  EXPECT_EQ(we[0].Y, 200);
  EXPECT_EQ(we[5].Y, 220);
  EXPECT_EQ(we[10].Y, 180);
  EXPECT_EQ(we[0].Order, 14);
  EXPECT_EQ(we[7].Order, 0);
  EXPECT_EQ(we[14].Order, 8);
}

TEST_F(TableTest, FirstFreeSlotScansInOrderAndFallsBackToTheLast) {
  EXPECT_EQ(FirstFreeSlot(g), 0);
  for (int s = 0; s < 14; ++s) g.model.TableSlot[s].Used = true;
  EXPECT_EQ(FirstFreeSlot(g), 14);
  for (auto& s : g.model.TableSlot) s.Used = true;
  EXPECT_EQ(FirstFreeSlot(g), 30);
}

TEST_F(TableTest, AddToTableListsTheCardAndCountsItsRank) {
  CardSprite c;
  c.Card = 37;  // ten of D
  c.X = 100.5f;
  c.Y = 50;
  c.Slot = 3;
  AddToTable(g, c);
  EXPECT_EQ(g.model.TableCount, 1);
  EXPECT_EQ(g.model.TableIdCount, 1);
  EXPECT_EQ(g.model.TableIds[0], 37);
  EXPECT_TRUE(g.model.Table[0].Shown);
  EXPECT_TRUE(g.model.Table[0].FaceUp);
  EXPECT_FLOAT_EQ(g.model.Table[0].X, 100.5f);
  EXPECT_TRUE(g.model.TableSlot[3].Used);
  EXPECT_EQ(g.model.RankSeen[10], 1);
}

TEST_F(TableTest, FirstSeatIsRandomOnceThenMovesOn) {
  const int first = ChooseFirstSeat(g);
  EXPECT_GE(first, 0);
  EXPECT_LE(first, 3);
  EXPECT_TRUE(g.deal.FirstHandDealt);
  const int expected[4] = {2, 3, 0, 1};
  for (int turn = 0; turn < 4; ++turn) {
    g.flow.Turn = static_cast<int16_t>(turn);
    EXPECT_EQ(ChooseFirstSeat(g), expected[turn]);
  }
}

TEST(RandomTest, SameSeedSameDrawsAndAlwaysBelowOne) {
  MtRandom a(42), b(42);
  for (int i = 0; i < 10000; ++i) {
    const double x = a.Next();
    ASSERT_EQ(x, b.Next());
    ASSERT_GE(x, 0.0);
    ASSERT_LT(x, 1.0);
  }
  MtRandom c(7);
  int counts[4] = {};
  for (int i = 0; i < 40000; ++i) counts[c.Draw(4)]++;
  for (int n : counts) EXPECT_NEAR(n, 10000, 400);
}

}  // namespace
}  // namespace vantel
