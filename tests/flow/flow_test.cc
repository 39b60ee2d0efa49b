#include "flow/end_of_hand.h"
#include "flow/table_notes.h"
#include "flow_fixture.h"

namespace vantel {
namespace {

using FlowTest = FlowFixture;

TEST_F(FlowTest, EveryPlayedCardIsFollowedByTheLongWaitAndThePassClearsWaitServed) {
  NewHand(g_);
  RunUntil([&] { return g_.flow.cards_played == 1; });
  ASSERT_EQ(g_.flow.state, FlowState::kTimedWait);
  EXPECT_EQ(g_.flow.timed_wait_length, kPlayWaitMs);
  const uint32_t start = g_.flow.timed_wait_start_tick;
  RunUntil([&] { return g_.flow.state != FlowState::kTimedWait; });
  EXPECT_GT(clock_.GetTickCount(), start + kPlayWaitMs);
  // If the card captured, its gathering and banking run without a wait; the
  // next card played gets its own wait again.
  RunUntil([&] { return g_.flow.cards_played == 2; });
  EXPECT_EQ(g_.flow.state, FlowState::kTimedWait);
  EXPECT_FALSE(g_.flow.timed_wait_served);
}

// The rules know a computer's play from the moment its card leaves the hand;
// the table tells of it only once the card is down.
TEST_F(FlowTest, AComputersPlayIsMadeAsItsCardSetsOffAndShownWhenItLands) {
  NewHand(g_);
  RunUntil([&] { return !g_.decided.empty(); });
  const DecidedPlay flying = g_.decided.front();
  EXPECT_NE(flying.seat, PersonSeat(g_));
  EXPECT_FALSE(g_.match.hands[static_cast<size_t>(flying.seat)].Contains(flying.play.card));
  EXPECT_EQ(g_.match.cards_played, g_.flow.cards_played + 1);
  const NotedPlay* noted = PreviousPlay(g_.aids);
  EXPECT_TRUE(noted == nullptr || noted->card != flying.play.card);

  RunUntil([&] { return g_.decided.empty(); });
  ASSERT_NE(PreviousPlay(g_.aids), nullptr);
  EXPECT_EQ(PreviousPlay(g_.aids)->card, flying.play.card);
  EXPECT_EQ(g_.flow.cards_played, g_.match.cards_played);
}

// Seat 2 holds the hand's last card, a 7, over a 3 and a 4.
class LastCardTest : public FlowFixture {
 protected:
  void SetUp() override {
    FlowFixture::SetUp();
    NewHand(g_);
    g_.model.hand_id_count = {0, 0, 0, 0};
    g_.deal.deck_position = 52;
    for (CardSprite& d : g_.model.deck) d.shown = false;
    g_.flow.state = FlowState::kNormalPlay;
    g_.flow.cards_played = 47;
    g_.flow.turn = 1;
    last_capture_size_ = 1;
  }

  // The person's last card.
  const CardSprite& GivePerson(int16_t card) {
    CardSprite& c = g_.model.hand[0][0];
    c.card = card;
    c.shown = true;
    RebuildHandIds(g_, 0);
    return c;
  }

  void GiveSeatTwo(int16_t card) {
    CardSprite& c = g_.model.hand[2][0];
    c.card = card;
    c.shown = true;
    c.x = 610;
    c.y = 5;
    RebuildHandIds(g_, 2);
    MatchFollowsTheModel(2);
  }
};

TEST_F(LastCardTest, ASweepByTheLastCardLeavesEmptyRemaindersAndCountsItsScuaOnce) {
  Lay({CardId(3, 'D'), CardId(4, 'H')});
  GiveSeatTwo(CardId(7, 'C'));
  int frames_in_remainders = 0;
  RunUntil([&] {
    frames_in_remainders += g_.flow.state == FlowState::kOurRemainders ? 1 : 0;
    return g_.flow.state == FlowState::kEndOfMatch;
  });
  EXPECT_EQ(frames_in_remainders, 1);  // nothing left to move: the hand ends at once
  EXPECT_EQ(g_.match.memory.last_capturer, 2);
  EXPECT_EQ(g_.model.table_count, 0);
  EXPECT_EQ(g_.model.we_taken_count, 3);
  EXPECT_EQ(g_.score.we.scua, 1);
  EXPECT_EQ(events_.hand_ends, 1);
  EXPECT_EQ(g_.score.history_rows, 1);
  EXPECT_EQ(g_.score.history[0].we, g_.score.we.points);
  EXPECT_EQ(g_.score.we, g_.match.Of(Side::kWe).hand);
}

TEST_F(LastCardTest, TheEndOfTheHandIsHeardAsTheMatchStands) {
  struct Case {
    int16_t we_before, they_before;
    SoundId heard;
  };
  // The last hand here is worth a few points to We only.
  const Case cases[] = {
      {49, 0, SoundId::kWinGame}, {0, 60, SoundId::kLoseGame}, {0, 0, SoundId::kIntro}};
  for (const Case& c : cases) {
    SetUp();  // a new game and a new hand
    sound_.played.clear();
    g_.match.Of(Side::kWe).match_points = c.we_before;
    g_.match.Of(Side::kThey).match_points = c.they_before;
    Lay({CardId(3, 'D'), CardId(4, 'H')});
    GiveSeatTwo(CardId(7, 'C'));
    RunUntil([&] { return g_.flow.state == FlowState::kEndOfMatch; });
    ASSERT_FALSE(sound_.played.empty());
    EXPECT_EQ(sound_.played.back(), c.heard) << c.we_before << " " << c.they_before;
  }
  EXPECT_EQ(SoundOfOutcome(MatchOutcome::kTied), SoundId::kIntro);
}

TEST_F(LastCardTest, ALastCardThatTakesNothingWaitsItsTimeThenTheTableGoesToTheLastCapturer) {
  Lay({CardId(12, 'D'), CardId(4, 'H')});
  GiveSeatTwo(CardId(9, 'C'));
  g_.match.memory.last_capturer = 3;
  RunUntil([&] { return g_.flow.cards_played == 48; });
  ASSERT_EQ(g_.flow.state, FlowState::kTimedWait);
  EXPECT_EQ(g_.flow.state_before_timed_wait, FlowState::kTheirRemainders);
  RunUntil([&] { return g_.flow.state == FlowState::kEndOfMatch; });
  EXPECT_EQ(g_.model.they_taken_count, 3);
  EXPECT_EQ(g_.model.we_taken_count, 0);
  EXPECT_EQ(g_.model.they_pile_count, 3);
  EXPECT_EQ(g_.model.table_count, 0);
}

TEST_F(LastCardTest, ADeclinedLastCaptureLeavesTheRemaindersToTheSideThatReallyCapturedLast) {
  Lay({CardId(5, 'D'), CardId(9, 'H')});
  GivePerson(CardId(5, 'C'));
  g_.flow.turn = 3;
  g_.match.memory.last_capturer = 1;
  MatchFollowsTheModel(0);
  RunUntil([&] { return g_.flow.state == FlowState::kEndOfMatch; });
  EXPECT_EQ(events_.declines, 1);
  EXPECT_EQ(g_.match.memory.last_capturer, 1);
  EXPECT_EQ(g_.model.they_taken_count, 3);
  EXPECT_EQ(g_.model.we_taken_count, 0);
}

TEST_F(LastCardTest, AConfirmedHumanCaptureIsTheLastCapture) {
  Lay({CardId(5, 'D'), CardId(9, 'H')});
  GivePerson(CardId(5, 'C'));
  g_.flow.turn = 3;
  g_.match.memory.last_capturer = 1;
  MatchFollowsTheModel(0);
  RunUntil([&] { return SelectionOpen(g_); });
  EXPECT_EQ(g_.match.memory.last_capturer, 1);  // not yet: the human may still decline
  ClickTable(kLeftButton, 0);
  RunUntil([&] { return g_.flow.state == FlowState::kEndOfMatch; });
  EXPECT_EQ(g_.model.we_taken_count, 3);
  EXPECT_EQ(g_.model.they_taken_count, 0);
}

// In the game window a click on a table card while the person's card still
// flies is kept and picks that card once the choice opens; the simulator's
// early clicks stay lost, as its traces have them.
TEST_F(LastCardTest, AClickOnATableCardDuringTheFlightIsKeptForTheChoice) {
  for (bool keep : {true, false}) {
    SetUp();
    events_ = CountingObserver{};
    g_.aids.keep_clicks_in_flight = keep;
    Lay({CardId(5, 'D'), CardId(9, 'H')});
    const CardSprite& c = GivePerson(CardId(5, 'C'));
    g_.flow.turn = 3;
    MatchFollowsTheModel(0);
    RunUntil([&] { return HumanMayPickHandCard(g_); });
    Frame(Click(kLeftButton, static_cast<int>(c.home_x) + 5, static_cast<int>(c.home_y) + 20));
    ASSERT_TRUE(AnyCardMoving(g_));
    const auto [x, y] = PointOn(0);
    Frame(Click(kLeftButton, x, y));
    for (int n = 0; n < 2000 && !SelectionOpen(g_) && events_.confirms == 0; ++n) Frame();
    Frame();  // the first frame of the open choice
    if (keep) {
      EXPECT_EQ(events_.confirms, 1);  // the five of coins was taken with the kept click
    } else {
      EXPECT_EQ(events_.confirms, 0);
      EXPECT_TRUE(SelectionOpen(g_));
    }
  }
}

TEST_F(FlowTest, HumanScuaBanksTheMarkerInTheFanAndCountsEveryCardAsTaken) {
  NewHand(g_);
  g_.model.hand_id_count = {0, 0, 0, 0};
  g_.flow.cards_played = 1;
  last_capture_size_ = 1;
  OpenSelection({CardId(3, 'D'), CardId(4, 'H')}, CardId(7, 'C'));
  ClickTable(kLeftButton, 0);
  ClickTable(kLeftButton, 1);
  ASSERT_EQ(events_.confirms, 1);
  RunUntil([&] { return g_.flow.state == FlowState::kNormalPlay; });
  EXPECT_EQ(g_.model.we_fan_count, 1);
  EXPECT_TRUE(g_.model.we_fan[0].shown);
  EXPECT_EQ(g_.model.we_fan[0].card, CardId(7, 'C'));
  EXPECT_EQ(g_.model.we_taken_count, 3);
  EXPECT_EQ(g_.model.we_pile_count, 2);  // the marker is not drawn in the pile
  EXPECT_EQ(g_.model.table_count, 0);
  EXPECT_EQ(g_.score.we.scua, 1);
  EXPECT_FALSE(g_.model.table_slot[0].used || g_.model.table_slot[1].used);
}

TEST_F(FlowTest, ScorePageClickStartsExactlyOneHand) {
  NewHand(g_);
  g_.flow.state = FlowState::kEndOfMatch;
  const int before = events_.hand_starts;
  for (int i = 0; i < 5; ++i) Frame(Click(kLeftButton, 400, 300));  // held down
  EXPECT_EQ(events_.hand_starts, before + 1);
  EXPECT_EQ(g_.flow.state, FlowState::kDealingCards);
}

TEST_F(FlowTest, NewHandAfterADecidedMatchStartsFromZeroAndAfterATieKeepsTheTotals) {
  // What the table shows of the last hand, and what the rules hold.
  g_.score.we_total = 53;
  g_.score.we.points = 9;
  g_.score.outcome = MatchOutcome::kWeWon;
  g_.match.Of(Side::kWe).match_points = 53;
  g_.match.Of(Side::kThey).match_points = 40;
  g_.match.Of(Side::kWe).hand.points = 9;
  g_.match.history_rows = 2;
  g_.match.outcome = MatchOutcome::kWeWon;
  NewHand(g_);
  EXPECT_EQ(g_.score.we_total, 0);
  EXPECT_EQ(g_.score.history_rows, 0);
  EXPECT_EQ(g_.score.outcome, MatchOutcome::kGoesOn);
  EXPECT_EQ(g_.score.we, HandScore{});  // nothing of the last hand's score is left showing

  g_.match.Of(Side::kWe).match_points = g_.match.Of(Side::kThey).match_points = 53;
  g_.match.history_rows = 2;
  g_.match.outcome = MatchOutcome::kTied;
  NewHand(g_);
  EXPECT_EQ(g_.score.we_total, 53);
  EXPECT_EQ(g_.score.they_total, 53);
  EXPECT_EQ(g_.score.history_rows, 0);
  EXPECT_EQ(g_.score.outcome, MatchOutcome::kGoesOn);
}

TEST_F(FlowTest, EscapeEndsTheFrameAtOnceEvenWhenFrozen) {
  NewHand(g_);
  InputSnapshot in = Key(kKeyEscape);
  in.keys[kKeyP] = 1;
  in.buttons[kLeftButton] = 1;
  EXPECT_TRUE(Frame(in));
  EXPECT_FALSE(g_.flow.game_paused);
  EXPECT_EQ(g_.deal.deck_position, 0);  // no step ran
  g_.flow.game_paused = true;
  EXPECT_TRUE(Frame(Key(kKeyEscape)));
  EXPECT_FALSE(Frame());
}

TEST_F(FlowTest, HoldingPFreezesOnceAndTheFreezeStopsTheFlow) {
  NewHand(g_);
  for (int i = 0; i < 4; ++i) Frame(Key(kKeyP));
  ASSERT_TRUE(g_.flow.game_paused);
  const int16_t dealt = g_.deal.deck_position;
  const float x = g_.model.deck[0].x;
  for (int i = 0; i < 30; ++i) Frame();
  EXPECT_EQ(g_.deal.deck_position, dealt);
  EXPECT_EQ(g_.model.deck[0].x, x);
  Frame(Key(kKeyP));  // a second press resumes
  EXPECT_FALSE(g_.flow.game_paused);
  Frame();
  EXPECT_NE(g_.model.deck[0].x, x);
}

TEST_F(FlowTest, CompactingKeepsTheUntakenCardsInOrderWithTheirPlaces) {
  Lay({CardId(2, 'C'), CardId(5, 'D'), CardId(9, 'H'), CardId(5, 'S')});
  g_.model.table[1].captured = true;
  g_.model.table[3].captured = true;
  BankToPile(g_, Side::kThey);
  EXPECT_EQ(g_.model.they_taken_count, 2);
  EXPECT_EQ(g_.model.they_taken[0], CardId(5, 'D'));
  EXPECT_EQ(g_.model.they_taken[1], CardId(5, 'S'));
  CompactTable(g_);
  ASSERT_EQ(g_.model.table_count, 2);
  EXPECT_EQ(g_.model.table_id_count, 2);
  EXPECT_EQ(g_.model.table[0].card, CardId(2, 'C'));
  EXPECT_EQ(g_.model.table[1].card, CardId(9, 'H'));
  EXPECT_EQ(g_.model.table_ids[1], CardId(9, 'H'));
  EXPECT_TRUE(g_.model.table_slot[0].used && g_.model.table_slot[2].used);
  EXPECT_FALSE(g_.model.table_slot[1].used || g_.model.table_slot[3].used);
  EXPECT_FALSE(g_.model.table[2].captured || g_.model.table[3].captured);
  EXPECT_EQ(FirstFreeSlot(g_), 1);
}

// The tick count wraps to 0 after 2^32 ms (about 49.7 days of the system's
// count). A hand whose waits end, or run, across the wrap plays frame for
// frame as it does anywhere else.
class ClockWrapTest : public FlowFixture {
 protected:
  struct HandRun {
    int frames = 0;
    bool ended = false;
    int16_t we = 0, they = 0;
    // The last millisecond of each pause, counted from the hand's start.
    std::vector<uint32_t> pause_ends;
  };

  // One hand from a clock at start_ms; a frame of 15.625 ms is a binary
  // fraction, so the clock steps alike from every whole-millisecond start.
  HandRun PlayHand(uint64_t start_ms) {
    chance_ = Chance(11);
    clock_ = ManualClock(static_cast<double>(start_ms));
    Configure(false, false);
    NewHand(g_);
    HandRun run;
    for (; run.frames < 100000 && !run.ended; ++run.frames) {
      const bool was_paused = g_.flow.state == FlowState::kTimedWait;
      RunFrame(g_, HumanInput(), hooks_);
      clock_.Advance(15.625);
      if (g_.flow.state == FlowState::kTimedWait && !was_paused) {
        run.pause_ends.push_back(static_cast<uint32_t>(g_.flow.timed_wait_start_tick -
                                                       static_cast<uint32_t>(start_ms) +
                                                       g_.flow.timed_wait_length));
      }
      run.ended = g_.flow.state == FlowState::kEndOfMatch;
    }
    run.we = g_.score.we.points;
    run.they = g_.score.they.points;
    return run;
  }
};

TEST_F(ClockWrapTest, AHandPlaysThroughTheWrapAsItDoesAnywhereElse) {
  constexpr uint64_t kWrap = uint64_t{1} << 32;
  const HandRun reference = PlayHand(1'000'000);
  ASSERT_TRUE(reference.ended);
  ASSERT_GE(reference.pause_ends.size(), 3u);
  // The wrap put at the last millisecond of a pause and the frame or so
  // before it (where `start + length` sits just below the wrap and the count
  // jumps over what is left), and in the middle of it (where `start + length`
  // itself wraps): of the first pause, one in the middle and the last.
  const std::vector<std::size_t> pauses = {0, reference.pause_ends.size() / 2,
                                           reference.pause_ends.size() - 1};
  for (const std::size_t pause : pauses) {
    for (int64_t before_wrap : {0, 1, 2, 3, 5, 8, 11, 14, 15, 16, 17, 300, 999}) {
      const uint64_t start = kWrap - 1 - before_wrap - reference.pause_ends[pause];
      SCOPED_TRACE(testing::Message()
                   << "pause " << pause << ", its end " << before_wrap << " ms before the wrap");
      const HandRun run = PlayHand(start);
      ASSERT_TRUE(run.ended) << "the hand never ended";
      EXPECT_EQ(run.frames, reference.frames);
      EXPECT_EQ(run.pause_ends, reference.pause_ends);
      EXPECT_EQ(run.we, reference.we);
      EXPECT_EQ(run.they, reference.they);
    }
  }
}

}  // namespace
}  // namespace vantel
