#include "flow_fixture.h"

namespace vantel {
namespace {

using HumanTurnTest = FlowFixture;

bool Picked(const Game& g, int i) {
  return g.model.Table[i].Picked;
}

TEST_F(HumanTurnTest, SevenWithThreeFourTwoConfirmsOnlyWhenTheSumIsSeven) {
  OpenSelection({CardId(3, 'C'), CardId(4, 'D'), CardId(2, 'H')}, CardId(7, 'S'));
  ClickTable(kLeftButton, 0);
  ClickTable(kLeftButton, 2);  // 3 + 2 = 5: open
  EXPECT_EQ(events.confirms, 0);
  ClickTable(kLeftButton, 1);  // 3 + 4 + 2 = 9: still open
  EXPECT_EQ(events.confirms, 0);
  EXPECT_TRUE(Picked(g, 0) && Picked(g, 1) && Picked(g, 2));
  ClickTable(kRightButton, 2);  // taking the 2 back leaves 3 + 4 = 7
  ASSERT_EQ(events.confirms, 1);
  ASSERT_EQ(g.capture.CaptureCount, 2);
  EXPECT_EQ(g.capture.CaptureIdx[0], 0);
  EXPECT_EQ(g.capture.CaptureIdx[1], 1);
  EXPECT_TRUE(g.model.Table[0].Captured && g.model.Table[1].Captured);
  EXPECT_FALSE(g.model.Table[2].Captured || Picked(g, 2));
}

TEST_F(HumanTurnTest, LeftButtonNeverSelectsThePlayedCard) {
  OpenSelection({CardId(5, 'C')}, CardId(5, 'D'));
  const CardSprite& played = g.model.Table[1];
  // A point on the played card only.
  SelectCapture(g, kLeftButton, static_cast<int>(played.X) + played.Width - 2,
                static_cast<int>(played.Y) + played.Height - 2);
  EXPECT_FALSE(Picked(g, 1));
  EXPECT_FALSE(g.flow.CaptureConfirmed);
}

TEST_F(HumanTurnTest, RightClickOnThePlayedCardDeclinesAndClearsTheSelection) {
  OpenSelection({CardId(3, 'C'), CardId(4, 'D'), CardId(9, 'H')}, CardId(7, 'S'));
  g.capture.LastCaptureSize = 3;
  g.capture.PrevCaptureSize = 2;
  ClickTable(kLeftButton, 0);
  ASSERT_TRUE(Picked(g, 0));
  ClickTable(kRightButton, 3);
  EXPECT_EQ(events.declines, 1);
  EXPECT_EQ(events.confirms, 0);
  EXPECT_FALSE(Picked(g, 0));
  EXPECT_EQ(g.capture.LastCaptureSize, 0);
  EXPECT_EQ(g.capture.PrevCaptureSize, 0);
  // The decline is taken up by the next step: play goes on with the card on the table.
  EXPECT_EQ(g.flow.State, FlowState::NormalPlay);
  EXPECT_FALSE(g.flow.CaptureConfirmed || g.flow.CaptureDeclined);
  EXPECT_EQ(g.model.TableCount, 4);
  EXPECT_FALSE(AnyCardMoving(g));
}

TEST_F(HumanTurnTest, MoreThanSixCardsThatAddUpStayOpenUntilReduced) {
  OpenSelection({CardId(1, 'C'), CardId(1, 'D'), CardId(1, 'H'), CardId(1, 'S'), CardId(2, 'C'),
                 CardId(2, 'D'), CardId(2, 'H'), CardId(3, 'C')},
                CardId(10, 'S'));
  for (int i = 0; i < 7; ++i) ClickTable(kLeftButton, i);  // four aces and three twos: 10
  EXPECT_EQ(events.confirms, 0);
  EXPECT_FALSE(g.flow.CaptureConfirmed);
  ClickTable(kRightButton, 6);  // 8 in six cards
  ClickTable(kRightButton, 0);  // 7 in five
  EXPECT_EQ(events.confirms, 0);
  ClickTable(kLeftButton, 7);  // + 3 = 10 in six cards
  ASSERT_EQ(events.confirms, 1);
  EXPECT_EQ(g.capture.CaptureCount, 6);
}

TEST_F(HumanTurnTest, OverlappingHandCardsPickTheHigherSlotAndEdgesPickNothing) {
  NewHand(g);
  for (int s = 0; s < 3; ++s) g.model.Hand[0][s].Shown = true;
  EXPECT_EQ(PickHandCard(g, 60, 430), 1);  // inside slots 0 and 1
  EXPECT_EQ(PickHandCard(g, 30, 430), 0);  // slot 0 only
  EXPECT_EQ(PickHandCard(g, 52, 430), 0);  // on slot 1's edge: not inside it
  EXPECT_EQ(PickHandCard(g, 200, 430), -1);
  EXPECT_EQ(PickHandCard(g, 30, 420), -1);  // top edge
}

TEST_F(HumanTurnTest, PicksAreRefusedUntilTheTurnIsOpenAndStillThenOnlyOnce) {
  NewHand(g);
  RunUntil([&] { return g.flow.AwaitingHuman && g.flow.State == FlowState::NormalPlay; });
  const InputSnapshot click = Click(kLeftButton, 30, 430);

  g.flow.GamePaused = true;  // frozen
  Frame(click);
  EXPECT_FALSE(g.flow.HumanPicked);
  g.flow.GamePaused = false;

  g.model.Hand[1][0].Moving = true;  // another card still travelling
  g.model.Hand[1][0].TargetX = 1000;
  RunFrame(g, click, hooks);
  EXPECT_FALSE(g.flow.HumanPicked);
  g.model.Hand[1][0].Moving = false;

  Frame(click);
  ASSERT_TRUE(g.flow.HumanPicked);
  EXPECT_TRUE(g.model.Hand[0][0].Moving);
  const float target = g.model.Hand[0][0].TargetX;
  Frame(click);  // a second click in the same turn does nothing
  EXPECT_FALSE(g.model.Hand[0][1].Moving);
  EXPECT_EQ(g.model.Hand[0][0].TargetX, target);
}

TEST_F(HumanTurnTest, ClicksDuringThePauseAfterTheLandingDoNothing) {
  OpenSelection({CardId(5, 'C')}, CardId(5, 'D'));
  StartPause(g, kPlayPauseMs);
  ClickTable(kLeftButton, 0);
  EXPECT_FALSE(Picked(g, 0));
  RunUntil([&] { return g.flow.State != FlowState::Paused; }, 100);
  ClickTable(kLeftButton, 0);
  EXPECT_EQ(events.confirms, 1);
}

TEST_F(HumanTurnTest, ReorderingSortsOnceBeforeTheFirstCardAndNeverAfter) {
  NewHand(g);
  RunUntil([&] {
    return g.flow.AwaitingHuman && g.flow.State == FlowState::NormalPlay && !AnyCardMoving(g);
  });
  for (int i = 0; i < 3; ++i) Frame(Key(kKeyR));  // held: once
  RunUntil([&] { return g.flow.State == FlowState::NormalPlay; });
  ASSERT_EQ(events.reorders, 1);
  EXPECT_TRUE(g.flow.AwaitingHuman);
  ASSERT_EQ(events.after.size(), 12u);
  for (size_t i = 1; i < events.after.size(); ++i) {
    const int16_t a = events.after[i - 1];
    const int16_t b = events.after[i];
    const int va = ValueOf(a), vb = ValueOf(b);
    EXPECT_TRUE(va > vb || (va == vb && SuitOf(a) < SuitOf(b))) << i;
  }
  for (int s = 0; s < 12; ++s) {
    EXPECT_EQ(g.model.Hand[0][s].Card, events.after[s]);
    EXPECT_FALSE(g.model.Hand[0][s].Moving);
  }

  RunUntil([&] { return g.flow.CardsPlayed >= 1 && g.model.HandIdCount[0] == 11; });
  RunUntil([&] {
    return g.flow.AwaitingHuman && g.flow.State == FlowState::NormalPlay && !AnyCardMoving(g);
  });
  Frame(Key(kKeyR));
  EXPECT_EQ(g.flow.State, FlowState::NormalPlay);
  EXPECT_EQ(events.reorders, 1);
}

}  // namespace
}  // namespace vantel
