#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <future>
#include <memory>
#include <numeric>
#include <optional>
#include <stdexcept>
#include <string>
#include <system_error>
#include <thread>

#include "ai/ai.h"
#include "ai/expert.h"
#include "ai/thinker.h"
#include "game/match_rules.h"
#include "game/random.h"
#include "support/gated_job.h"

namespace vantel {
namespace {

// A twelve-card hand dealt from `seed` with seat 0 first, then `plays` turns
// of the Classic player: the seat on turn's view.
SeatView PositionAfter(uint32_t seed, int plays, MatchState* whole = nullptr) {
  MatchState state = NewMatch(Options{});
  DeckOrder deck{};
  std::iota(deck.begin(), deck.end(), int16_t{0});
  MtRandom r(seed);
  for (int i = kCardCount - 1; i > 0; --i) std::swap(deck[i], deck[r.Draw(i + 1)]);
  DealHand(state, deck, 0);
  for (int p = 0; p < plays; ++p) {
    const int seat = state.turn;
    const SeatDecision d = ChooseClassicPlay(SeatView(state, seat));
    Play play{state.hands[static_cast<size_t>(seat)][d.position], {}};
    for (int16_t t : d.take.Span()) play.take.PushBack(state.table[t]);
    EXPECT_TRUE(ApplyPlay(state, seat, play).Ok());
  }
  if (whole != nullptr) *whole = state;
  return SeatView(state, state.turn);
}

// Polls as the frame thread does, never blocking on the worker, so the
// thread sanitizer sees the hand-over the game relies on.
ThinkingResult Await(PendingDecision& pending) {
  const auto give_up = std::chrono::steady_clock::now() + kGenerousWait;
  while (std::chrono::steady_clock::now() < give_up) {
    if (std::optional<ThinkingResult> result = pending.TakeIfReady()) return *result;
    std::this_thread::yield();
  }
  ADD_FAILURE() << "the worker never reported";
  return {};
}

DecideFunction Throwing(const char* what) {
  return [what](const SeatView&, const std::stop_token&) -> SeatDecision {
    throw std::runtime_error(what);
  };
}

// The worker must answer exactly what deciding at once answers, across the
// hand (a full table early, few cards late) and for either side, and its
// answer is handed over once only.
TEST(ThinkerTest, WorkerDecidesExactlyAsDecidingAtOnce) {
  struct Position {
    uint32_t seed;
    int plays;
  };
  for (const Position& p : {Position{3, 0}, Position{8, 13}, Position{21, 30}, Position{40, 45}}) {
    const SeatView view = PositionAfter(p.seed, p.plays);
    const SeatDecision want = ChooseExpertPlay(view);
    ASSERT_GE(want.position, 0);
    PendingDecision pending = ThinkAside(view);
    EXPECT_TRUE(pending.Active());
    const ThinkingResult got = Await(pending);
    ASSERT_TRUE(got.decision.has_value()) << got.failure;
    EXPECT_EQ(*got.decision, want) << p.seed;
    EXPECT_FALSE(pending.Active());
    EXPECT_FALSE(pending.TakeIfReady().has_value());
  }
}

TEST(ThinkerTest, FailuresComeBackAsTextNeverAsAnException) {
  const SeatView view = PositionAfter(7, 2);
  PendingDecision failing = ThinkAside(view, Throwing("out of room for worlds"));
  ThinkingResult got = Await(failing);
  EXPECT_FALSE(got.decision.has_value());
  EXPECT_EQ(got.failure, "out of room for worlds");

  PendingDecision odd =
      ThinkAside(view, [](const SeatView&, const std::stop_token&) -> SeatDecision {
        throw 7;  // not even a std::exception
      });
  got = Await(odd);
  EXPECT_FALSE(got.decision.has_value());
  EXPECT_EQ(got.failure, "an exception of unknown type");

  // No thread to be had: the same report, at once, and the job never ran.
  bool ran = false;
  PendingDecision refused = ThinkAside(
      view,
      [&ran](const SeatView&, const std::stop_token&) {
        ran = true;
        return SeatDecision{};
      },
      [](std::function<void()>&&) {
        throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
      });
  ASSERT_TRUE(refused.Active());
  const std::optional<ThinkingResult> now = refused.TakeIfReady();
  ASSERT_TRUE(now.has_value());
  EXPECT_FALSE(now->decision.has_value());
  EXPECT_TRUE(now->failure.starts_with("could not start a thread")) << now->failure;
  EXPECT_FALSE(ran);
}

// Cancelling returns while the worker is still held mid-thought; once let
// through, the worker finds itself told to stop and nothing is delivered.
TEST(ThinkerTest, CancelledMidThoughtNothingWaitsAndNothingIsDelivered) {
  const SeatView view = PositionAfter(9, 5);
  const auto job = GatedJob::Make();
  PendingDecision pending = ThinkAside(view, GatedJob::Hold(job));
  ASSERT_TRUE(GatedJob::Entered(job));
  pending.Cancel();  // returns with the worker still at the gate
  EXPECT_FALSE(pending.Active());
  EXPECT_EQ(GatedJob::OpenAndSawStop(job), std::optional<bool>(true));
  EXPECT_FALSE(pending.TakeIfReady().has_value());
  EXPECT_FALSE(pending.WaitFor(std::chrono::milliseconds(0)));

  // Destroying the handle lets go the same way.
  const auto dropped = GatedJob::Make();
  {
    PendingDecision held = ThinkAside(view, GatedJob::Hold(dropped));
    ASSERT_TRUE(GatedJob::Entered(dropped));
  }
  EXPECT_EQ(GatedJob::OpenAndSawStop(dropped), std::optional<bool>(true));
}

// A search with a budget it could not spend in hours gives up after the
// playout in hand once told to stop.
TEST(ThinkerTest, TheExpertSearchEndsSoonAfterAStop) {
  const SeatView view = PositionAfter(11, 0);
  std::promise<void> started;
  std::promise<SeatDecision> answered;
  PendingDecision pending =
      ThinkAside(view, [&started, &answered](const SeatView& v, const std::stop_token& stop) {
        started.set_value();
        const SeatDecision d = ChooseExpertPlay(v, {INT_MAX, 0}, stop);
        answered.set_value(d);
        return d;
      });
  ASSERT_EQ(started.get_future().wait_for(kGenerousWait), std::future_status::ready);
  pending.Cancel();
  std::future<SeatDecision> answer = answered.get_future();
  ASSERT_EQ(answer.wait_for(kGenerousWait), std::future_status::ready);
  EXPECT_EQ(answer.get().position, -1);  // the give-up answer, not a play

  // Stopped before it starts: not one playout, and no play.
  std::stop_source stopped;
  stopped.request_stop();
  EXPECT_EQ(ChooseExpertPlay(view, {INT_MAX, 0}, stopped.get_token()), SeatDecision{});
  // A stop that is possible but never asked changes nothing.
  const std::stop_source live;
  EXPECT_EQ(ChooseExpertPlay(view, {}, live.get_token()), ChooseExpertPlay(view));
}

// The worker reads its own copy of the view: the state it came from may
// change or go while it thinks.
TEST(ThinkerTest, TheWorkerOwnsWhatItReads) {
  MatchState state;
  auto view = std::make_unique<SeatView>(PositionAfter(12, 9, &state));
  const SeatDecision want = ChooseExpertPlay(*view);
  const auto job = GatedJob::Make();
  DecideFunction gated = GatedJob::Hold(job);
  PendingDecision pending =
      ThinkAside(*view, [gated](const SeatView& v, const std::stop_token& stop) {
        gated(v, stop);
        return ChooseExpertPlay(v);
      });
  ASSERT_TRUE(GatedJob::Entered(job));
  view.reset();
  state = MatchState{};
  EXPECT_EQ(GatedJob::OpenAndSawStop(job), std::optional<bool>(false));
  const ThinkingResult got = Await(pending);
  ASSERT_TRUE(got.decision.has_value()) << got.failure;
  EXPECT_EQ(*got.decision, want);
}

// One job in a handle at a time: a new one tells the old one to stop, and a
// copied handle holds nothing, so neither it nor its end cancels anything.
TEST(ThinkerTest, ANewJobStopsTheOldAndCopiesHoldNoJob) {
  const SeatView view = PositionAfter(14, 3);
  const auto first = GatedJob::Make();
  PendingDecision pending = ThinkAside(view, GatedJob::Hold(first));
  ASSERT_TRUE(GatedJob::Entered(first));

  {
    // NOLINTNEXTLINE(performance-unnecessary-copy-initialization): the copy is the point
    const PendingDecision copy(pending);
    EXPECT_FALSE(copy.Active());
    PendingDecision assigned;
    assigned = pending;
    EXPECT_FALSE(assigned.Active());
  }
  EXPECT_TRUE(pending.Active());

  const SeatDecision want = ChooseExpertPlay(view);
  pending = ThinkAside(view);
  EXPECT_EQ(GatedJob::OpenAndSawStop(first), std::optional<bool>(true));
  const ThinkingResult got = Await(pending);
  ASSERT_TRUE(got.decision.has_value()) << got.failure;
  EXPECT_EQ(*got.decision, want);
}

// Leaving the program while a worker is deep in a search neither waits for
// it nor crashes: the worker touches nothing the program's end takes away.
TEST(ThinkerDeathTest, ExitingWhileAWorkerThinksEndsAtOnce) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const SeatView view = PositionAfter(15, 0);
  EXPECT_EXIT(
      {
        const auto endless = [](const SeatView& v, const std::stop_token& stop) {
          return ChooseExpertPlay(v, {INT_MAX, 0}, stop);
        };
        PendingDecision let_go = ThinkAside(view, endless);
        let_go.Cancel();
        // Never let go of: exit() destroys no locals, so this one is still
        // thinking while the program's statics are torn down.
        const PendingDecision held = ThinkAside(view, endless);
        std::exit(held.Active() ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace vantel
