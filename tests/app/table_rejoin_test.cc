#include "app/table_rejoin.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "autopilot.h"
#include "flow/flow_state.h"
#include "flow/human_turn.h"
#include "flow/make_game.h"
#include "flow/movement.h"
#include "flow/run_frame.h"
#include "game/clock.h"
#include "game/random.h"
#include "game/seat_view.h"
#include "game/sound.h"
#include "online/catch_up.h"
#include "server_process.h"
#include "support/seat_cards.h"

namespace vantel {
namespace {

using namespace std::chrono_literals;
using Clock = TableRejoin::Clock;

constexpr int kFrameMs = 16;

// Whether the server has said `text` `times` times, waiting up to 5 s.
bool ServerSaid(ServerProcess& server, const std::string& text, int times) {
  const auto end = Clock::now() + 5s;
  for (;;) {
    int said = 0;
    for (const std::string& line : server.Lines()) said += line.find(text) != std::string::npos;
    if (said >= times) return true;
    if (Clock::now() > end) return false;
    std::this_thread::sleep_for(10ms);
  }
}

// Ada hosts a table of three computers at a local server and follows it on a
// game of her own, set up as the game window sets it up.
struct Ada {
  explicit Ada(ServerProcess& server) : server(server) {
    OnlineRequest request;
    request.address = TableAddress{false, "127.0.0.1", server.Port()};
    request.name = "Ada";
    OnlineStart start = TakeSeat(request, [] { return true; });
    problem = start.problem;
    seat = std::move(start.seat);
    if (seat) seat->table->Follow(game);
    game.flow.think_in_background = true;
    game.aids.keep_clicks_in_flight = true;
    game.aids.hurry_deal_on_press = true;
    game.aids.score_page_settles = true;
  }

  // One frame: the table's messages read, her own turns played by the
  // autopilot, her plays sent.
  void Frame() {
    for (const std::string& text : seat->connection->TakeReceived()) seat->table->Receive(text);
    seat->table->BeforeFrame();
    RunFrame(game, pilot.NextInput(game, true), hooks);
    clock.Advance(kFrameMs);
    for (std::string& text : seat->table->TakeOutgoing()) seat->connection->Send(text);
    std::this_thread::sleep_for(1ms);
  }

  // Plays on until `until` holds, for at most 30 s.
  template <class Until>
  bool PlayOn(Until until) {
    const auto end = Clock::now() + 30s;
    while (Clock::now() < end && !seat->table->OutOfStep()) {
      if (until()) return true;
      Frame();
    }
    return false;
  }
  bool PlayToHerTurn(int cards_played) {
    return PlayOn([&] {
      return game.match.cards_played >= cards_played && seat->table->CaughtUp() &&
             HumanToPlay(game);
    });
  }

  // The connection drops without a word, and the game takes the seat back
  // and plays the hand so far out unseen, as the game window does.
  void LoseAndRejoin() {
    seat->connection->Close();
    ++losses;
    ASSERT_TRUE(ServerSaid(server, "seat 0 away", losses));
    TableRejoin rejoin(*seat, Clock::now());
    const auto end = Clock::now() + 10s;
    TableRejoin::Progress progress = rejoin.Poll(Clock::now());
    for (; progress == TableRejoin::Progress::kTrying && Clock::now() < end;
         progress = rejoin.Poll(Clock::now())) {
      std::this_thread::sleep_for(10ms);
    }
    ASSERT_EQ(progress, TableRejoin::Progress::kBack) << rejoin.Problem();
    rejoin.MoveInto(*seat);
    ASSERT_TRUE(ServerSaid(server, "seat 0 back", losses));
    seat->table->Follow(game);
    ASSERT_EQ(CatchUp(*seat->table, game, hooks, [this] { clock.Advance(kFrameMs); }), "");
  }

  ServerProcess& server;
  Chance chance{3};
  SilentSound sound;
  ManualClock clock;
  Game game{MakeGame(Options{}, {chance, sound, clock})};
  FrameHooks hooks;
  Autopilot pilot{HumanMode::kAi, 5};
  std::unique_ptr<OnlineSeat> seat;
  std::string problem;
  int losses = 0;
};

TableRejoin::Progress PollUntilDone(TableRejoin& rejoin, std::chrono::seconds most) {
  const auto end = Clock::now() + most;
  TableRejoin::Progress progress = rejoin.Poll(Clock::now());
  while (progress == TableRejoin::Progress::kTrying && Clock::now() < end) {
    std::this_thread::sleep_for(10ms);
    progress = rejoin.Poll(Clock::now());
  }
  return progress;
}

// A lost connection is made again, the seat taken back with its token, and
// the hand so far (her own plays and the computers') played out unseen to
// exactly where it was. Lost while cards fly, the game starts that hand
// afresh from its deal all the same, and plays on in step with the table.
TEST(TableRejoinTest, TakesTheSeatBackAndTheHandSoFar) {
  ServerProcess server({});
  ASSERT_TRUE(server.Started());
  Ada ada(server);
  ASSERT_TRUE(ada.seat) << ada.problem;
  ASSERT_TRUE(ada.PlayToHerTurn(9));
  const MatchState before = SeenInAnyOrder(ada.game.match, 0);
  ada.LoseAndRejoin();
  if (::testing::Test::HasFatalFailure()) return;
  EXPECT_TRUE(HumanToPlay(ada.game));
  EXPECT_EQ(SeenInAnyOrder(ada.game.match, 0), before);

  ASSERT_TRUE(ada.PlayOn([&] {
    return ada.game.match.cards_played >= 13 && ada.game.flow.state != FlowState::kNormalPlay &&
           AnyCardMoving(ada.game);
  }));
  ada.LoseAndRejoin();
  if (::testing::Test::HasFatalFailure()) return;
  const int taken_up_at = ada.game.match.cards_played;
  EXPECT_TRUE(ada.PlayToHerTurn(taken_up_at + kSeats)) << ada.seat->table->OutOfStepReason();
}

// A refusal ends the tries at once; a server that is gone is tried until the
// time runs out, and the last try says why.
TEST(TableRejoinTest, GivesUpOnARefusalAndWhenTimeRunsOut) {
  ServerProcess server({});
  ASSERT_TRUE(server.Started());
  Ada ada(server);
  ASSERT_TRUE(ada.seat) << ada.problem;
  OnlineSeat stranger;
  stranger.code = ada.seat->code;
  stranger.token = std::string(32, '0');
  stranger.settings = ada.seat->settings;
  TableRejoin refused(stranger, Clock::now());
  ASSERT_EQ(PollUntilDone(refused, 10s), TableRejoin::Progress::kGivenUp);
  EXPECT_NE(refused.Problem(), "");

  server.Signal(SIGKILL);
  ASSERT_TRUE(server.WaitForExit(5s).has_value());
  const auto lost_at = Clock::now() - std::chrono::seconds(kRejoinSeconds) + 2s;
  TableRejoin unreachable(*ada.seat, lost_at);
  ASSERT_EQ(PollUntilDone(unreachable, 10s), TableRejoin::Progress::kGivenUp);
  EXPECT_NE(unreachable.Problem().find("Cannot reach the table"), std::string::npos)
      << unreachable.Problem();
  EXPECT_GE(Clock::now(), lost_at + std::chrono::seconds(kRejoinSeconds));
}

}  // namespace
}  // namespace vantel
