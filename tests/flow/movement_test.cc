#include "flow_fixture.h"

namespace vantel {
namespace {

class MovementTest : public FlowFixture {
 protected:
  // A state whose landings book nothing, so a flight can be watched alone.
  void SetUp() override {
    FlowFixture::SetUp();
    g.flow.State = FlowState::EndOfMatch;
  }

  int StepsToArrive(CardSprite& c) {
    int steps = 0;
    while (c.Moving && steps < 1000) {
      MoveCard(g, c);
      ++steps;
    }
    return steps;
  }
};

TEST_F(MovementTest, LongFlightTakesExactlyTheStepCountAndStopsShortOfItsTarget) {
  CardSprite c;
  c.X = 5;
  c.Y = 240;
  StartMove(g, c, 305, 420, 10);
  EXPECT_EQ(StepsToArrive(c), 10);
  EXPECT_NEAR(c.X, 305, 0.01);

  // Eight pixels short after nine steps of 8: inside the tolerance, it stops
  // a step early and stays there.
  CardSprite d;
  StartMove(g, d, 80, 0, 10);
  EXPECT_EQ(StepsToArrive(d), 10 - 1);
  EXPECT_FLOAT_EQ(d.X, 72);
}

TEST_F(MovementTest, ACardWithinEightPixelsArrivesAfterItsFirstStep) {
  CardSprite c;
  StartMove(g, c, 8, -8, 20);
  EXPECT_EQ(StepsToArrive(c), 1);
  CardSprite d;  // ten pixels in ten steps: one pixel a step, in after two
  StartMove(g, d, 10, 0, 10);
  EXPECT_EQ(StepsToArrive(d), 2);
  EXPECT_FLOAT_EQ(d.X, 2);
}

TEST_F(MovementTest, AnAxisWithoutDistanceDoesNotMove) {
  CardSprite c;
  c.X = 100;
  c.Y = 50;
  StartMove(g, c, 100, 250, 10);
  EXPECT_EQ(c.DirX, 0);
  EXPECT_EQ(c.StepX, 0);
  EXPECT_EQ(c.DirY, 1);
  MoveCard(g, c);
  EXPECT_EQ(c.X, 100);
  EXPECT_FLOAT_EQ(c.Y, 70);
}

TEST_F(MovementTest, SlowAnimationDoublesEveryFlight) {
  Configure(false, true);
  EXPECT_EQ(g.layout.ShortMoveSteps, 20);
  EXPECT_EQ(g.layout.LongMoveSteps, 40);
  NewHand(g);
  const int frames = RunUntil([&] { return g.model.HandIdCount[g.deal.DealOrder[0]] == 1; });
  // The first card leaves on the first step and flies twenty frames.
  EXPECT_EQ(frames, 1 + 20);
}

TEST_F(MovementTest, GatheredGroupArrivesWithItsLowestMemberAndTheRestStopInPlace) {
  Lay({CardId(3, 'C'), CardId(5, 'D'), CardId(2, 'H'), CardId(10, 'S')});
  g.flow.Turn = 1;
  g.flow.State = FlowState::TheyGettingCardsGathering;
  g.model.Table[0].Captured = true;
  g.model.Table[1].Captured = true;
  g.model.Table[2].Captured = true;
  GatherCaptured(g);
  EXPECT_FALSE(g.model.Table[3].Moving);  // the played card waits
  int frames = 0;
  while (g.flow.State == FlowState::TheyGettingCardsGathering && frames < 100) {
    StepFlow(g);
    ++frames;
  }
  EXPECT_EQ(g.flow.State, FlowState::TheyGettingCards);
  EXPECT_LE(frames, g.layout.LongMoveSteps);
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(g.model.Table[i].Moving) << i;
}

TEST_F(MovementTest, NothingNewStartsWhileACardTravels) {
  Lay({CardId(4, 'C')});
  g.model.Hand[1][0].Shown = true;
  PlayToTable(g, g.model.Hand[1][0]);
  ASSERT_TRUE(AnyCardMoving(g));
  const size_t sounds = sound.played.size();
  PlayToTable(g, g.model.Hand[2][0]);
  g.model.Table[0].Captured = true;
  SendToPile(g, 45, 240);
  GatherCaptured(g);
  SendSpecialCaptureToFan(g, Side::We);
  EXPECT_FALSE(g.model.Hand[2][0].Moving);
  EXPECT_FALSE(g.model.Table[0].Moving);
  EXPECT_EQ(sound.played.size(), sounds);
}

TEST_F(MovementTest, PlayedCardTakesTheFirstFreePlaceWithItsScatter) {
  Lay({CardId(4, 'C'), CardId(9, 'D')});
  CardSprite& c = g.model.Hand[2][3];
  PlayToTable(g, c);
  EXPECT_EQ(c.Slot, 2);
  EXPECT_TRUE(g.model.TableSlot[2].Used);
  const TableSlotEntry& place = g.model.TableSlot[2];
  EXPECT_GE(c.TargetX, place.X);
  EXPECT_LT(c.TargetX, place.X + 22);
  EXPECT_GE(c.TargetY, place.Y);
  EXPECT_LT(c.TargetY, place.Y + 18);
}

TEST_F(MovementTest, SpecialCaptureSendsThePlayedCardToTheFanAndTheRestToThePile) {
  Lay({CardId(7, 'C'), CardId(3, 'D'), CardId(4, 'D'), CardId(7, 'D')});
  g.model.Table[1].Captured = true;
  g.model.Table[2].Captured = true;
  g.model.Table[3].Captured = true;  // the played card
  g.model.WeFanCount = 2;
  SendSpecialCaptureToFan(g, Side::We);
  EXPECT_EQ(g.flow.MarkerIndex, 1);
  EXPECT_EQ(g.model.Table[1].Card, CardId(7, 'D'));
  EXPECT_EQ(g.model.Table[3].Card, CardId(3, 'D'));
  EXPECT_TRUE(g.model.Table[1].FaceUp);
  EXPECT_EQ(g.model.Table[1].TargetX, g.model.WeFan[2].X);
  EXPECT_EQ(g.model.Table[1].TargetY, g.model.WeFan[2].Y);
  EXPECT_FALSE(g.model.Table[3].FaceUp);
  EXPECT_EQ(g.model.Table[3].TargetX, g.layout.WePileX);
  EXPECT_FALSE(g.model.Table[0].Moving);
  EXPECT_TRUE(g.model.Table[0].Shown);
}

TEST_F(MovementTest, MarkersBeyondTheFanStackOnItsLastPlace) {
  Lay({CardId(5, 'C'), CardId(5, 'D')});
  g.model.Table[0].Captured = true;
  g.model.Table[1].Captured = true;
  g.model.TheyFanCount = 15;
  SendSpecialCaptureToFan(g, Side::They);
  EXPECT_EQ(g.model.Table[0].TargetX, g.model.TheyFan[14].X);
  g.flow.MarkerIndex = 0;
  BankSpecialCapture(g, Side::They);
  EXPECT_EQ(g.model.TheyFanCount, 15);
  EXPECT_EQ(g.model.TheyFan[14].Card, CardId(5, 'D'));
  EXPECT_EQ(g.model.TheyTakenCount, 2);  // the marker still counts as taken
}

}  // namespace
}  // namespace vantel
