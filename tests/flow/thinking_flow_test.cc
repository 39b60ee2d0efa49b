#include <optional>
#include <stdexcept>
#include <string>

#include "ai/thinker.h"
#include "flow/computer_seat.h"
#include "flow/hint.h"
#include "flow_fixture.h"
#include "game/fatal_error.h"
#include "support/gated_job.h"

namespace vantel {
namespace {

DecideFunction Failing(const char* what) {
  return [what](const SeatView&, const std::stop_token&) -> SeatDecision {
    throw std::runtime_error(what);
  };
}

// The game window's way: Expert seats think on workers while frames go on.
class ThinkingFlowTest : public FlowFixture {
 protected:
  void SetUp() override {
    FlowFixture::SetUp();
    g_.options.partner_level = PlayerLevel::kExpert;
    g_.options.opponent_level = PlayerLevel::kExpert;
    g_.flow.think_in_background = true;
    SeatComputers(g_, ComputerSeat::Thinking::kInBackground);
    NewHand(g_);
  }

  // The computer seat on turn (every seat but the person's is one here).
  ComputerSeat& SeatOnTurn() const {
    return dynamic_cast<ComputerSeat&>(*g_.seats.At(g_.flow.turn));
  }

  void ReachComputerThinking() {
    RunUntil([&] { return g_.flow.awaiting_seat; });
  }

  void ReachHumanTurn() {
    RunUntil([&] {
      // Let every worker answer, so the run is the same however fast it is.
      if (g_.flow.awaiting_seat) SeatOnTurn().WaitForWorker(kGenerousWait);
      return HumanTurnOpen(g_) && !AnyCardMoving(g_);
    });
  }

  SeatView ViewOnTurn() const { return SeatView(g_.match, g_.flow.turn); }

  // Seats a player thinking with `think` in place of the one on turn, and
  // asks it.
  ComputerSeat& ReplaceSeatOnTurn(const DecideFunction& think) {
    auto seat = std::make_unique<ComputerSeat>(PlayerLevel::kExpert,
                                               ComputerSeat::Thinking::kInBackground, think);
    ComputerSeat& placed = *seat;
    g_.seats.Seat(g_.flow.turn, std::move(seat));
    placed.Ask(ViewOnTurn());
    return placed;
  }

  // Puts a gated job in place of the seat's own thinking.
  std::shared_ptr<GatedJob> HoldTheSeat() {
    auto job = GatedJob::Make();
    ReplaceSeatOnTurn(GatedJob::Hold(job));
    EXPECT_TRUE(GatedJob::Entered(job));
    return job;
  }
};

// A seat that cannot decide cannot play on: the worker's failure becomes the
// game's fatal error, in the worker's words, on the frame thread.
TEST_F(ThinkingFlowTest, AFailedDecisionEndsTheGameAsAFatalError) {
  ReachComputerThinking();
  ASSERT_TRUE(ReplaceSeatOnTurn(Failing("no worlds left to sample")).WaitForWorker(kGenerousWait));
  try {
    Frame();
    FAIL() << "the failure was swallowed";
  } catch (const FatalError& e) {
    EXPECT_EQ(e.Reason(), "no worlds left to sample");
    EXPECT_EQ(e.Routine(), "ComputerTurn");
  }
}

// The hint's worker is the same Expert: its failure ends the game too.
TEST_F(ThinkingFlowTest, AFailedHintEndsTheGameAsAFatalError) {
  ReachHumanTurn();
  Frame(Key(kKeyH));
  ASSERT_TRUE(g_.flow.pending_hint.Active());
  g_.flow.pending_hint = ThinkAside(SeatView(g_.match, kHumanSeat), Failing("hint went wrong"));
  ASSERT_TRUE(g_.flow.pending_hint.WaitFor(kGenerousWait));
  try {
    Frame();
    FAIL() << "the hint's failure was swallowed";
  } catch (const FatalError& e) {
    EXPECT_EQ(e.Reason(), "hint went wrong");
    EXPECT_EQ(e.Routine(), "Hint");
  }
}

// Escape ends the game at once, with the worker still held mid-thought.
TEST_F(ThinkingFlowTest, EscapeLetsGoOfTheThinkingSeatWithoutWaiting) {
  ReachComputerThinking();
  const auto job = HoldTheSeat();
  ComputerSeat& seat = SeatOnTurn();
  EXPECT_TRUE(Frame(Key(kKeyEscape)));
  EXPECT_FALSE(seat.Deciding());
  EXPECT_EQ(GatedJob::OpenAndSawStop(job), std::optional<bool>(true));
}

// A new hand, and so a new match, drops every job of the last one.
TEST_F(ThinkingFlowTest, ANewHandLetsGoOfEveryJob) {
  for (bool match_over : {false, true}) {
    ReachComputerThinking();
    const auto seat_job = HoldTheSeat();
    const auto hint_job = GatedJob::Make();
    g_.flow.pending_hint = ThinkAside(SeatView(g_.match, kHumanSeat), GatedJob::Hold(hint_job));
    ASSERT_TRUE(GatedJob::Entered(hint_job));
    g_.match.outcome = match_over ? MatchOutcome::kWeWon : MatchOutcome::kGoesOn;
    ComputerSeat& seat = SeatOnTurn();
    NewHand(g_);
    EXPECT_FALSE(seat.Deciding());
    EXPECT_FALSE(g_.flow.pending_hint.Active());
    EXPECT_EQ(GatedJob::OpenAndSawStop(seat_job), std::optional<bool>(true));
    EXPECT_EQ(GatedJob::OpenAndSawStop(hint_job), std::optional<bool>(true));
  }
}

// The human played before the suggestion came: it is not wanted any more, the
// worker is told so, and nothing shows up later.
TEST_F(ThinkingFlowTest, PlayingBeforeTheHintArrivesLetsGoOfIt) {
  ReachHumanTurn();
  const auto job = GatedJob::Make();
  g_.flow.hint_for_play = g_.flow.cards_played;
  g_.flow.pending_hint = ThinkAside(SeatView(g_.match, kHumanSeat), GatedJob::Hold(job));
  ASSERT_TRUE(GatedJob::Entered(job));
  const int16_t played_before = g_.flow.cards_played;
  Frame();
  EXPECT_TRUE(g_.flow.pending_hint.Active());  // still the play it was asked for
  RunUntil([&] { return g_.flow.cards_played > played_before; });
  EXPECT_FALSE(g_.flow.pending_hint.Active());
  EXPECT_EQ(GatedJob::OpenAndSawStop(job), std::optional<bool>(true));
  for (int n = 0; n < 10; ++n) Frame();
  EXPECT_EQ(g_.flow.hint_card, -1);
}

// A copy of a game takes none of its jobs: the copy has nothing pending, and
// letting the copy go leaves the original's worker alone.
TEST_F(ThinkingFlowTest, ACopiedGameHoldsNoPendingWork) {
  ReachComputerThinking();
  const auto job = HoldTheSeat();
  {
    const Game copy(g_);
    EXPECT_FALSE(dynamic_cast<ComputerSeat&>(*copy.seats.At(copy.flow.turn)).Deciding());
    EXPECT_FALSE(copy.flow.pending_hint.Active());
    EXPECT_EQ(copy.flow.turn, g_.flow.turn);
  }
  ComputerSeat& seat = SeatOnTurn();
  EXPECT_TRUE(seat.Deciding());
  EXPECT_EQ(GatedJob::OpenAndSawStop(job), std::optional<bool>(false));
  ASSERT_TRUE(seat.WaitForWorker(kGenerousWait));
  EXPECT_TRUE(seat.Answer().has_value());
}

}  // namespace
}  // namespace vantel
