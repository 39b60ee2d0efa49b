#include "flow/end_of_hand.h"
#include "flow_fixture.h"

namespace vantel {
namespace {

using FlowTest = FlowFixture;

TEST_F(FlowTest, EveryPlayedCardIsFollowedByTheLongPauseAndThePassClearsPauseServed) {
  NewHand(g);
  RunUntil([&] { return g.flow.CardsPlayed == 1; });
  ASSERT_EQ(g.flow.State, FlowState::Paused);
  EXPECT_EQ(g.flow.PauseLength, kPlayPauseMs);
  const uint32_t start = g.flow.PauseStartTick;
  RunUntil([&] { return g.flow.State != FlowState::Paused; });
  EXPECT_GT(clock.GetTickCount(), start + kPlayPauseMs);
  // If the card captured, its gathering and banking run without a pause; the
  // next card played gets its own pause again.
  RunUntil([&] { return g.flow.CardsPlayed == 2; });
  EXPECT_EQ(g.flow.State, FlowState::Paused);
  EXPECT_FALSE(g.flow.PauseServed);
}

// Seat 2 holds the hand's last card, a 7, over a 3 and a 4.
class LastCardTest : public FlowFixture {
 protected:
  void SetUp() override {
    FlowFixture::SetUp();
    NewHand(g);
    g.model.HandIdCount = {0, 0, 0, 0};
    g.deal.DeckPosition = 52;
    for (CardSprite& d : g.model.Deck) d.Shown = false;
    g.flow.State = FlowState::NormalPlay;
    g.flow.CardsPlayed = 47;
    g.flow.Turn = 1;
    g.capture.LastCaptureSize = 1;
  }

  void GiveSeatTwo(int16_t card) {
    CardSprite& c = g.model.Hand[2][0];
    c.Card = card;
    c.Shown = true;
    c.X = 610;
    c.Y = 5;
    RebuildHandIds(g, 2);
  }
};

TEST_F(LastCardTest, ASweepByTheLastCardLeavesEmptyRemaindersAndCountsItsScuaOnce) {
  Lay({CardId(3, 'D'), CardId(4, 'H')});
  GiveSeatTwo(CardId(7, 'C'));
  int framesInRemainders = 0;
  RunUntil([&] {
    framesInRemainders += g.flow.State == FlowState::OurRemainders ? 1 : 0;
    return g.flow.State == FlowState::EndOfMatch;
  });
  EXPECT_EQ(framesInRemainders, 1);  // nothing left to move: the hand ends at once
  EXPECT_EQ(g.capture.LastCapturer, 2);
  EXPECT_EQ(g.model.TableCount, 0);
  EXPECT_EQ(g.model.WeTakenCount, 3);
  EXPECT_EQ(g.score.We.ScuaCount, 1);
  EXPECT_EQ(events.handEnds, 1);
  EXPECT_EQ(g.score.HistoryRows, 1);
  EXPECT_EQ(g.score.HistoryWe[0], g.score.We.HandPoints);
}

TEST_F(LastCardTest, TheEndOfTheHandIsHeardAsTheMatchStands) {
  struct Case {
    int16_t we_before, they_before;
    SoundId heard;
  };
  // The last hand here is worth a few points to We only.
  const Case cases[] = {
      {49, 0, SoundId::WinGame}, {0, 60, SoundId::LoseGame}, {0, 0, SoundId::Intro}};
  for (const Case& c : cases) {
    SetUp();  // a new game and a new hand
    sound.played.clear();
    g.score.WeMatchPoints = c.we_before;
    g.score.TheyMatchPoints = c.they_before;
    Lay({CardId(3, 'D'), CardId(4, 'H')});
    GiveSeatTwo(CardId(7, 'C'));
    RunUntil([&] { return g.flow.State == FlowState::EndOfMatch; });
    ASSERT_FALSE(sound.played.empty());
    EXPECT_EQ(sound.played.back(), c.heard) << c.we_before << " " << c.they_before;
  }
  EXPECT_EQ(SoundOfOutcome(MatchOutcome::kTied), SoundId::Intro);
}

TEST_F(LastCardTest, ALastCardThatTakesNothingWaitsItsPauseThenTheTableGoesToTheLastCapturer) {
  Lay({CardId(12, 'D'), CardId(4, 'H')});
  GiveSeatTwo(CardId(9, 'C'));
  g.capture.LastCapturer = 3;
  RunUntil([&] { return g.flow.CardsPlayed == 48; });
  ASSERT_EQ(g.flow.State, FlowState::Paused);
  EXPECT_EQ(g.flow.StateBeforePause, FlowState::TheirRemainders);
  RunUntil([&] { return g.flow.State == FlowState::EndOfMatch; });
  EXPECT_EQ(g.model.TheyTakenCount, 3);
  EXPECT_EQ(g.model.WeTakenCount, 0);
  EXPECT_EQ(g.model.TheyPileCount, 3);
  EXPECT_EQ(g.model.TableCount, 0);
}

TEST_F(LastCardTest, ADeclinedLastCaptureLeavesTheRemaindersToTheSideThatReallyCapturedLast) {
  Lay({CardId(5, 'D'), CardId(9, 'H')});
  CardSprite& c = g.model.Hand[0][0];
  c.Card = CardId(5, 'C');
  c.Shown = true;
  RebuildHandIds(g, 0);
  g.flow.Turn = 3;
  g.capture.LastCapturer = 1;
  RunUntil([&] { return g.flow.State == FlowState::EndOfMatch; });
  EXPECT_EQ(events.declines, 1);
  EXPECT_EQ(g.capture.LastCapturer, 1);
  EXPECT_EQ(g.model.TheyTakenCount, 3);
  EXPECT_EQ(g.model.WeTakenCount, 0);
}

TEST_F(LastCardTest, AConfirmedHumanCaptureIsTheLastCapture) {
  Lay({CardId(5, 'D'), CardId(9, 'H')});
  CardSprite& c = g.model.Hand[0][0];
  c.Card = CardId(5, 'C');
  c.Shown = true;
  RebuildHandIds(g, 0);
  g.flow.Turn = 3;
  g.capture.LastCapturer = 1;
  RunUntil([&] { return SelectionOpen(g); });
  EXPECT_EQ(g.capture.LastCapturer, 1);  // not yet: the human may still decline
  ClickTable(kLeftButton, 0);
  RunUntil([&] { return g.flow.State == FlowState::EndOfMatch; });
  EXPECT_EQ(g.model.WeTakenCount, 3);
  EXPECT_EQ(g.model.TheyTakenCount, 0);
}

TEST_F(FlowTest, HumanScuaBanksTheMarkerInTheFanAndCountsEveryCardAsTaken) {
  NewHand(g);
  g.model.HandIdCount = {0, 0, 0, 0};
  g.flow.CardsPlayed = 1;
  g.capture.PrevCaptureSize = 1;
  OpenSelection({CardId(3, 'D'), CardId(4, 'H')}, CardId(7, 'C'));
  ClickTable(kLeftButton, 0);
  ClickTable(kLeftButton, 1);
  ASSERT_EQ(events.confirms, 1);
  RunUntil([&] { return g.flow.State == FlowState::NormalPlay; });
  EXPECT_EQ(g.model.WeFanCount, 1);
  EXPECT_TRUE(g.model.WeFan[0].Shown);
  EXPECT_EQ(g.model.WeFan[0].Card, CardId(7, 'C'));
  EXPECT_EQ(g.model.WeTakenCount, 3);
  EXPECT_EQ(g.model.WePileCount, 2);  // the marker is not drawn in the pile
  EXPECT_EQ(g.model.TableCount, 0);
  EXPECT_EQ(g.score.We.ScuaCount, 1);
  EXPECT_FALSE(g.model.TableSlot[0].Used || g.model.TableSlot[1].Used);
}

TEST_F(FlowTest, ScorePageClickStartsExactlyOneHand) {
  NewHand(g);
  g.flow.State = FlowState::EndOfMatch;
  const int before = events.handStarts;
  for (int i = 0; i < 5; ++i) Frame(Click(kLeftButton, 400, 300));  // held down
  EXPECT_EQ(events.handStarts, before + 1);
  EXPECT_EQ(g.flow.State, FlowState::DealingCards);
}

TEST_F(FlowTest, NewHandAfterADecidedMatchStartsFromZeroAndAfterATieKeepsTheTotals) {
  g.score.WeMatchPoints = 53;
  g.score.TheyMatchPoints = 40;
  g.score.HistoryRows = 2;
  g.score.MatchOver = true;
  NewHand(g);
  EXPECT_EQ(g.score.WeMatchPoints, 0);
  EXPECT_EQ(g.score.HistoryRows, 0);
  EXPECT_FALSE(g.score.MatchOver);

  g.score.WeMatchPoints = g.score.TheyMatchPoints = 53;
  g.score.HistoryRows = 2;
  g.score.MatchTied = true;
  NewHand(g);
  EXPECT_EQ(g.score.WeMatchPoints, 53);
  EXPECT_EQ(g.score.TheyMatchPoints, 53);
  EXPECT_EQ(g.score.HistoryRows, 0);
  EXPECT_FALSE(g.score.MatchTied);
}

TEST_F(FlowTest, EscapeEndsTheFrameAtOnceEvenWhenFrozen) {
  NewHand(g);
  InputSnapshot in = Key(kKeyEscape);
  in.Keys[kKeyP] = 1;
  in.Buttons[kLeftButton] = 1;
  EXPECT_TRUE(Frame(in));
  EXPECT_FALSE(g.flow.GamePaused);
  EXPECT_EQ(g.deal.DeckPosition, 0);  // no step ran
  g.flow.GamePaused = true;
  EXPECT_TRUE(Frame(Key(kKeyEscape)));
  EXPECT_FALSE(Frame());
}

TEST_F(FlowTest, HoldingPFreezesOnceAndTheFreezeStopsTheFlow) {
  NewHand(g);
  for (int i = 0; i < 4; ++i) Frame(Key(kKeyP));
  ASSERT_TRUE(g.flow.GamePaused);
  const int16_t dealt = g.deal.DeckPosition;
  const float x = g.model.Deck[0].X;
  for (int i = 0; i < 30; ++i) Frame();
  EXPECT_EQ(g.deal.DeckPosition, dealt);
  EXPECT_EQ(g.model.Deck[0].X, x);
  Frame(Key(kKeyP));  // a second press resumes
  EXPECT_FALSE(g.flow.GamePaused);
  Frame();
  EXPECT_NE(g.model.Deck[0].X, x);
}

TEST_F(FlowTest, CompactingKeepsTheUntakenCardsInOrderWithTheirPlaces) {
  Lay({CardId(2, 'C'), CardId(5, 'D'), CardId(9, 'H'), CardId(5, 'S')});
  g.model.Table[1].Captured = true;
  g.model.Table[3].Captured = true;
  BankToPile(g, Side::They);
  EXPECT_EQ(g.model.TheyTakenCount, 2);
  EXPECT_EQ(g.model.TheyTaken[0], CardId(5, 'D'));
  EXPECT_EQ(g.model.TheyTaken[1], CardId(5, 'S'));
  CompactTable(g);
  ASSERT_EQ(g.model.TableCount, 2);
  EXPECT_EQ(g.model.TableIdCount, 2);
  EXPECT_EQ(g.model.Table[0].Card, CardId(2, 'C'));
  EXPECT_EQ(g.model.Table[1].Card, CardId(9, 'H'));
  EXPECT_EQ(g.model.TableIds[1], CardId(9, 'H'));
  EXPECT_TRUE(g.model.TableSlot[0].Used && g.model.TableSlot[2].Used);
  EXPECT_FALSE(g.model.TableSlot[1].Used || g.model.TableSlot[3].Used);
  EXPECT_FALSE(g.model.Table[2].Captured || g.model.Table[3].Captured);
  EXPECT_EQ(FirstFreeSlot(g), 1);
}

}  // namespace
}  // namespace vantel
