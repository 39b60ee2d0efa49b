#include "flow/table.h"

#include <gtest/gtest.h>

#include "flow/layout.h"
#include "flow/make_game.h"

namespace vantel {
namespace {

class TableTest : public ::testing::Test {
 protected:
  Chance chance_{1};
  SilentSound sound_;
  ManualClock clock_;
  Game g_ = MakeGame(Options{}, {chance_, sound_, clock_});
};

TEST_F(TableTest, FirstPlacesLieWhereTheTracesExpectThem) {
  EXPECT_EQ(g_.model.table_slot[0].x, 242);
  EXPECT_EQ(g_.model.table_slot[0].y, 219);
  EXPECT_EQ(g_.model.table_slot[1].x, 336);
  EXPECT_EQ(g_.model.table_slot[1].y, 47);
  EXPECT_EQ(g_.model.table_slot[13].x, 469);
  EXPECT_EQ(g_.model.table_slot[13].y, 164);
}

TEST_F(TableTest, CrowdedPlacesStayOnTheFelt) {
  // Between the marker fans, above the human's hand, inside the screen, even
  // with the largest play scatter added.
  for (int s = 0; s <= 30; ++s) {
    const auto& p = g_.model.table_slot[s];
    EXPECT_GE(p.x, 157) << s;
    EXPECT_LE(p.x + g_.layout.play_scatter_x - 1 + g_.layout.card_width, 610) << s;
    EXPECT_GE(p.y, 0) << s;
    EXPECT_LE(p.y + g_.layout.play_scatter_y - 1 + 153, 419) << s;
  }
}

TEST_F(TableTest, FansFollowTheirPatternAndOrder) {
  const auto& we = g_.model.we_fan;
  const int xs[5] = {45, 60, 30, 75, 15};
  for (int i = 0; i < 15; ++i) {
    EXPECT_EQ(we[i].x, xs[i % 5]) << i;
    EXPECT_EQ(g_.model.they_fan[i].x, xs[i % 5] + 590) << i;
    EXPECT_EQ(g_.model.they_fan[i].y, we[i].y);
    EXPECT_EQ(g_.model.they_fan[i].order, we[i].order);
  }
  EXPECT_EQ(we[0].y, 200);
  EXPECT_EQ(we[5].y, 220);
  EXPECT_EQ(we[10].y, 180);
  EXPECT_EQ(we[0].order, 14);
  EXPECT_EQ(we[7].order, 0);
  EXPECT_EQ(we[14].order, 8);
}

TEST_F(TableTest, FirstFreeSlotScansInOrderAndFallsBackToTheLast) {
  EXPECT_EQ(FirstFreeSlot(g_), 0);
  for (int s = 0; s < 14; ++s) g_.model.table_slot[s].used = true;
  EXPECT_EQ(FirstFreeSlot(g_), 14);
  for (auto& s : g_.model.table_slot) s.used = true;
  EXPECT_EQ(FirstFreeSlot(g_), 30);
}

TEST_F(TableTest, AddToTableListsTheCardAndCountsItsRank) {
  CardSprite c;
  c.card = 37;  // ten of coins
  c.x = 100.5f;
  c.y = 50;
  c.slot = 3;
  AddToTable(g_, c);
  EXPECT_EQ(g_.model.table_count, 1);
  EXPECT_EQ(g_.model.table_id_count, 1);
  EXPECT_EQ(g_.model.table_ids[0], 37);
  EXPECT_TRUE(g_.model.table[0].shown);
  EXPECT_TRUE(g_.model.table[0].face_up);
  EXPECT_FLOAT_EQ(g_.model.table[0].x, 100.5f);
  EXPECT_TRUE(g_.model.table_slot[3].used);
}

TEST_F(TableTest, FirstSeatIsRandomOnceThenMovesOn) {
  const int first = ChooseFirstSeat(g_);
  EXPECT_GE(first, 0);
  EXPECT_LE(first, 3);
  EXPECT_TRUE(g_.deal.first_hand_dealt);
  // Whoever played last, the seat after the last hand's first opens.
  for (int first = 0; first < 4; ++first) {
    g_.match.first_seat = static_cast<int16_t>(first);
    g_.flow.turn = static_cast<int16_t>((first + 1) % 4);
    EXPECT_EQ(ChooseFirstSeat(g_), (first + 1) % 4);
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

// The remainders at the end of a hand: everything goes, the played card with
// it, and the next hand finds every place free and no card still marked taken.
TEST_F(TableTest, RemaindersLeaveAnEmptyTableWithEveryPlaceFree) {
  for (int16_t id : {3, 17, 25}) LayOnTable(g_, id);
  MarkAllCaptured(g_);
  DropBankedCards(g_);
  EXPECT_EQ(g_.model.table_count, 0);
  EXPECT_EQ(g_.model.table_id_count, 0);
  for (const TableSlotEntry& place : g_.model.table_slot) EXPECT_FALSE(place.used);
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(g_.model.table[i].captured) << i;
  const CardSprite& next = LayOnTable(g_, 40);
  EXPECT_EQ(next.slot, 0);
  EXPECT_EQ(&next, &g_.model.table[0]);
  EXPECT_EQ(g_.model.table_ids[0], 40);
}

}  // namespace
}  // namespace vantel
