#include "flow_fixture.h"

#include "game/fatal_error.h"

namespace vantel {
namespace {

using HumanTurnTest = FlowFixture;

bool Picked(const Game& g, int i) {
  return g.model.table[i].picked;
}

TEST_F(HumanTurnTest, SevenWithThreeFourTwoConfirmsOnlyWhenTheSumIsSeven) {
  // Overshooting needs a table that takes any pick, as the simulator's does.
  g_.aids.refuse_impossible_picks = false;
  OpenSelection({CardId(3, 'C'), CardId(4, 'D'), CardId(2, 'H')}, CardId(7, 'S'));
  ClickTable(kLeftButton, 0);
  ClickTable(kLeftButton, 2);  // 3 + 2 = 5: open
  EXPECT_EQ(events_.confirms, 0);
  ClickTable(kLeftButton, 1);  // 3 + 4 + 2 = 9: still open
  EXPECT_EQ(events_.confirms, 0);
  EXPECT_TRUE(Picked(g_, 0) && Picked(g_, 1) && Picked(g_, 2));
  ClickTable(kRightButton, 2);  // taking the 2 back leaves 3 + 4 = 7
  ASSERT_EQ(events_.confirms, 1);
  ASSERT_EQ(g_.capture.capture_count, 2);
  EXPECT_EQ(g_.capture.capture_idx[0], 0);
  EXPECT_EQ(g_.capture.capture_idx[1], 1);
  EXPECT_TRUE(g_.model.table[0].captured && g_.model.table[1].captured);
  EXPECT_FALSE(g_.model.table[2].captured || Picked(g_, 2));
}

TEST_F(HumanTurnTest, LeftButtonNeverSelectsThePlayedCard) {
  OpenSelection({CardId(5, 'C')}, CardId(5, 'D'));
  const CardSprite& played = g_.model.table[1];
  // A point on the played card only.
  SelectCapture(g_, kLeftButton, static_cast<int>(played.x) + played.width - 2,
                static_cast<int>(played.y) + played.height - 2);
  EXPECT_FALSE(Picked(g_, 1));
  EXPECT_FALSE(g_.flow.capture_confirmed);
}

TEST_F(HumanTurnTest, RightClickOnThePlayedCardDeclinesAndClearsTheSelection) {
  last_capture_size_ = 3;
  OpenSelection({CardId(3, 'C'), CardId(4, 'D'), CardId(9, 'H')}, CardId(7, 'S'));
  ClickTable(kLeftButton, 0);
  ASSERT_TRUE(Picked(g_, 0));
  ClickTable(kRightButton, 3);
  EXPECT_EQ(events_.declines, 1);
  EXPECT_EQ(events_.confirms, 0);
  EXPECT_FALSE(Picked(g_, 0));
  // The card was laid down: the rules remember a play that took nothing.
  EXPECT_EQ(g_.match.memory.last_size, 0);
  EXPECT_EQ(g_.match.memory.previous_size, 0);
  // The decline is taken up by the next step: play goes on with the card on the table.
  EXPECT_EQ(g_.flow.state, FlowState::kNormalPlay);
  EXPECT_FALSE(g_.flow.capture_confirmed || g_.flow.capture_declined);
  EXPECT_EQ(g_.model.table_count, 4);
  EXPECT_FALSE(AnyCardMoving(g_));
}

TEST_F(HumanTurnTest, MoreThanSixCardsThatAddUpStayOpenUntilReduced) {
  g_.aids.refuse_impossible_picks = false;
  // The ten of cups lets the ten capture at all, and then take more freely.
  OpenSelection({CardId(1, 'C'), CardId(1, 'D'), CardId(1, 'H'), CardId(1, 'S'), CardId(2, 'C'),
                 CardId(2, 'D'), CardId(2, 'H'), CardId(3, 'C'), CardId(10, 'C')},
                CardId(10, 'S'));
  for (int i = 0; i < 7; ++i) ClickTable(kLeftButton, i);  // four aces and three twos: 10
  EXPECT_EQ(events_.confirms, 0);
  EXPECT_FALSE(g_.flow.capture_confirmed);
  ClickTable(kRightButton, 6);  // 8 in six cards
  ClickTable(kRightButton, 0);  // 7 in five
  EXPECT_EQ(events_.confirms, 0);
  ClickTable(kLeftButton, 7);  // + 3 = 10 in six cards
  ASSERT_EQ(events_.confirms, 1);
  EXPECT_EQ(g_.capture.capture_count, 6);
}

// Only a scene laid by hand can open a choice for a card that cannot capture;
// the rules then refuse what the table would show taken.
TEST_F(HumanTurnTest, ACaptureTheRulesRefuseEndsTheGameInsteadOfDrifting) {
  g_.aids.refuse_impossible_picks = false;
  OpenSelection({CardId(1, 'C'), CardId(1, 'D'), CardId(1, 'H'), CardId(2, 'C'), CardId(2, 'D'),
                 CardId(3, 'C')},
                CardId(10, 'S'));
  for (int i = 0; i < 5; ++i) ClickTable(kLeftButton, i);
  EXPECT_THROW(ClickTable(kLeftButton, 5), FatalError);
}

TEST_F(HumanTurnTest, OverlappingHandCardsPickTheHigherSlotAndEdgesPickNothing) {
  NewHand(g_);
  for (int s = 0; s < 3; ++s) g_.model.hand[0][s].shown = true;
  EXPECT_EQ(PickHandCard(g_, 60, 430), 1);  // inside slots 0 and 1
  EXPECT_EQ(PickHandCard(g_, 30, 430), 0);  // slot 0 only
  EXPECT_EQ(PickHandCard(g_, 52, 430), 0);  // on slot 1's edge: not inside it
  EXPECT_EQ(PickHandCard(g_, 200, 430), -1);
  EXPECT_EQ(PickHandCard(g_, 30, 420), -1);  // top edge
}

TEST_F(HumanTurnTest, PicksAreRefusedUntilTheTurnIsOpenAndStillThenOnlyOnce) {
  NewHand(g_);
  RunUntil([&] { return g_.flow.awaiting_human && g_.flow.state == FlowState::kNormalPlay; });
  const InputSnapshot click = Click(kLeftButton, 30, 430);

  g_.flow.game_paused = true;  // frozen
  Frame(click);
  EXPECT_FALSE(g_.flow.human_picked);
  g_.flow.game_paused = false;

  g_.model.hand[1][0].moving = true;  // another card still travelling
  g_.model.hand[1][0].target_x = 1000;
  RunFrame(g_, click, hooks_);
  EXPECT_FALSE(g_.flow.human_picked);
  g_.model.hand[1][0].moving = false;

  Frame(click);
  ASSERT_TRUE(g_.flow.human_picked);
  EXPECT_TRUE(g_.model.hand[0][0].moving);
  const float target = g_.model.hand[0][0].target_x;
  Frame(click);  // a second click in the same turn does nothing
  EXPECT_FALSE(g_.model.hand[0][1].moving);
  EXPECT_EQ(g_.model.hand[0][0].target_x, target);
}

TEST_F(HumanTurnTest, ClicksDuringTheTimedWaitAfterTheLandingDoNothing) {
  OpenSelection({CardId(5, 'C')}, CardId(5, 'D'));
  StartTimedWait(g_, kPlayWaitMs);
  ClickTable(kLeftButton, 0);
  EXPECT_FALSE(Picked(g_, 0));
  RunUntil([&] { return g_.flow.state != FlowState::kTimedWait; }, 100);
  ClickTable(kLeftButton, 0);
  EXPECT_EQ(events_.confirms, 1);
}

TEST_F(HumanTurnTest, ReorderingSortsOnceBeforeTheFirstCardAndNeverAfter) {
  NewHand(g_);
  RunUntil([&] {
    return g_.flow.awaiting_human && g_.flow.state == FlowState::kNormalPlay && !AnyCardMoving(g_);
  });
  for (int i = 0; i < 3; ++i) Frame(Key(kKeyR));  // held: once
  RunUntil([&] { return g_.flow.state == FlowState::kNormalPlay; });
  ASSERT_EQ(events_.reorders, 1);
  EXPECT_TRUE(g_.flow.awaiting_human);
  ASSERT_EQ(events_.after.size(), 12u);
  for (size_t i = 1; i < events_.after.size(); ++i) {
    const int16_t a = events_.after[i - 1];
    const int16_t b = events_.after[i];
    const int va = ValueOf(a), vb = ValueOf(b);
    EXPECT_TRUE(va > vb || (va == vb && SuitOf(a) < SuitOf(b))) << i;
  }
  for (int s = 0; s < 12; ++s) {
    EXPECT_EQ(g_.model.hand[0][s].card, events_.after[s]);
    EXPECT_FALSE(g_.model.hand[0][s].moving);
  }

  RunUntil([&] { return g_.flow.cards_played >= 1 && g_.model.hand_id_count[0] == 11; });
  RunUntil([&] {
    return g_.flow.awaiting_human && g_.flow.state == FlowState::kNormalPlay && !AnyCardMoving(g_);
  });
  Frame(Key(kKeyR));
  EXPECT_EQ(g_.flow.state, FlowState::kNormalPlay);
  EXPECT_EQ(events_.reorders, 1);
}

}  // namespace
}  // namespace vantel
