#include "flow_fixture.h"

namespace vantel {
namespace {

class MovementTest : public FlowFixture {
 protected:
  // A state whose landings book nothing, so a flight can be watched alone.
  void SetUp() override {
    FlowFixture::SetUp();
    g_.flow.state = FlowState::kEndOfMatch;
  }

  int StepsToArrive(CardSprite& c) {
    int steps = 0;
    while (c.moving && steps < 1000) {
      MoveCard(g_, c);
      ++steps;
    }
    return steps;
  }
};

TEST_F(MovementTest, LongFlightTakesExactlyTheStepCountAndStopsShortOfItsTarget) {
  CardSprite c;
  c.x = 5;
  c.y = 240;
  StartMove(g_, c, 305, 420, 10);
  EXPECT_EQ(StepsToArrive(c), 10);
  EXPECT_NEAR(c.x, 305, 0.01);

  // Eight pixels short after nine steps of 8: inside the tolerance, it stops
  // a step early and stays there.
  CardSprite d;
  StartMove(g_, d, 80, 0, 10);
  EXPECT_EQ(StepsToArrive(d), 10 - 1);
  EXPECT_FLOAT_EQ(d.x, 72);
}

TEST_F(MovementTest, ACardWithinEightPixelsArrivesAfterItsFirstStep) {
  CardSprite c;
  StartMove(g_, c, 8, -8, 20);
  EXPECT_EQ(StepsToArrive(c), 1);
  CardSprite d;  // ten pixels in ten steps: one pixel a step, in after two
  StartMove(g_, d, 10, 0, 10);
  EXPECT_EQ(StepsToArrive(d), 2);
  EXPECT_FLOAT_EQ(d.x, 2);
}

TEST_F(MovementTest, AnAxisWithoutDistanceDoesNotMove) {
  CardSprite c;
  c.x = 100;
  c.y = 50;
  StartMove(g_, c, 100, 250, 10);
  EXPECT_EQ(c.dir_x, 0);
  EXPECT_EQ(c.step_x, 0);
  EXPECT_EQ(c.dir_y, 1);
  MoveCard(g_, c);
  EXPECT_EQ(c.x, 100);
  EXPECT_FLOAT_EQ(c.y, 70);
}

TEST_F(MovementTest, SlowAnimationDoublesEveryFlight) {
  Configure(false, true);
  EXPECT_EQ(g_.layout.short_move_steps, 20);
  EXPECT_EQ(g_.layout.long_move_steps, 40);
  NewHand(g_);
  const int frames = RunUntil([&] { return g_.model.hand_id_count[g_.match.first_seat] == 1; });
  // The first card leaves on the first step and flies twenty frames.
  EXPECT_EQ(frames, 1 + 20);
}

TEST_F(MovementTest, GatheredGroupArrivesWithItsLowestMemberAndTheRestStopInPlace) {
  Lay({CardId(3, 'C'), CardId(5, 'D'), CardId(2, 'H'), CardId(10, 'S')});
  g_.flow.turn = 1;
  g_.flow.state = FlowState::kTheyGettingCardsGathering;
  g_.model.table[0].captured = true;
  g_.model.table[1].captured = true;
  g_.model.table[2].captured = true;
  GatherCaptured(g_);
  EXPECT_FALSE(g_.model.table[3].moving);  // the played card waits
  int frames = 0;
  while (g_.flow.state == FlowState::kTheyGettingCardsGathering && frames < 100) {
    StepFlow(g_);
    ++frames;
  }
  EXPECT_EQ(g_.flow.state, FlowState::kTheyGettingCards);
  EXPECT_LE(frames, g_.layout.long_move_steps);
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(g_.model.table[i].moving) << i;
}

TEST_F(MovementTest, NothingNewStartsWhileACardTravels) {
  Lay({CardId(4, 'C')});
  g_.model.hand[1][0].shown = true;
  PlayToTable(g_, g_.model.hand[1][0]);
  ASSERT_TRUE(AnyCardMoving(g_));
  const size_t sounds = sound_.played.size();
  PlayToTable(g_, g_.model.hand[2][0]);
  g_.model.table[0].captured = true;
  SendToPile(g_, 45, 240);
  GatherCaptured(g_);
  SendSpecialCaptureToFan(g_, Side::kWe);
  EXPECT_FALSE(g_.model.hand[2][0].moving);
  EXPECT_FALSE(g_.model.table[0].moving);
  EXPECT_EQ(sound_.played.size(), sounds);
}

TEST_F(MovementTest, PlayedCardTakesTheFirstFreePlaceWithItsScatter) {
  Lay({CardId(4, 'C'), CardId(9, 'D')});
  CardSprite& c = g_.model.hand[2][3];
  PlayToTable(g_, c);
  EXPECT_EQ(c.slot, 2);
  EXPECT_TRUE(g_.model.table_slot[2].used);
  const TableSlotEntry& place = g_.model.table_slot[2];
  EXPECT_GE(c.target_x, place.x);
  EXPECT_LT(c.target_x, place.x + 22);
  EXPECT_GE(c.target_y, place.y);
  EXPECT_LT(c.target_y, place.y + 18);
}

TEST_F(MovementTest, SpecialCaptureSendsThePlayedCardToTheFanAndTheRestToThePile) {
  Lay({CardId(7, 'C'), CardId(3, 'D'), CardId(4, 'D'), CardId(7, 'D')});
  g_.model.table[1].captured = true;
  g_.model.table[2].captured = true;
  g_.model.table[3].captured = true;  // the played card
  g_.model.we_fan_count = 2;
  SendSpecialCaptureToFan(g_, Side::kWe);
  EXPECT_EQ(g_.flow.marker_index, 1);
  EXPECT_EQ(g_.model.table[1].card, CardId(7, 'D'));
  EXPECT_EQ(g_.model.table[3].card, CardId(3, 'D'));
  EXPECT_TRUE(g_.model.table[1].face_up);
  EXPECT_EQ(g_.model.table[1].target_x, g_.model.we_fan[2].x);
  EXPECT_EQ(g_.model.table[1].target_y, g_.model.we_fan[2].y);
  EXPECT_FALSE(g_.model.table[3].face_up);
  EXPECT_EQ(g_.model.table[3].target_x, g_.layout.we_pile_x);
  EXPECT_FALSE(g_.model.table[0].moving);
  EXPECT_TRUE(g_.model.table[0].shown);
}

TEST_F(MovementTest, MarkersBeyondTheFanStackOnItsLastPlace) {
  Lay({CardId(5, 'C'), CardId(5, 'D')});
  g_.model.table[0].captured = true;
  g_.model.table[1].captured = true;
  g_.model.they_fan_count = 15;
  SendSpecialCaptureToFan(g_, Side::kThey);
  EXPECT_EQ(g_.model.table[0].target_x, g_.model.they_fan[14].x);
  g_.flow.marker_index = 0;
  BankSpecialCapture(g_, Side::kThey);
  EXPECT_EQ(g_.model.they_fan_count, 15);
  EXPECT_EQ(g_.model.they_fan[14].card, CardId(5, 'D'));
  EXPECT_EQ(g_.model.they_taken_count, 2);  // the marker still counts as taken
}

}  // namespace
}  // namespace vantel
