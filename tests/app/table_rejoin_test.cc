#include "app/table_rejoin.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "autopilot.h"
#include "flow/human_turn.h"
#include "flow/make_game.h"
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

// Ada hosts a table of three computers at a local server and follows it on a
// game of her own.
struct Ada {
  explicit Ada(uint16_t port) {
    OnlineRequest request;
    request.address = TableAddress{false, "127.0.0.1", port};
    request.name = "Ada";
    OnlineStart start = TakeSeat(request, [] { return true; });
    problem = start.problem;
    seat = std::move(start.seat);
    if (seat) seat->table->Follow(game);
  }

  // Plays on, her own turns by the autopilot, until it is her turn again
  // once `cards_played` are down.
  bool PlayToHerTurn(int cards_played) {
    const auto end = Clock::now() + 30s;
    while (Clock::now() < end) {
      for (const std::string& text : seat->connection->TakeReceived()) seat->table->Receive(text);
      if (game.match.cards_played >= cards_played && seat->table->CaughtUp() && HumanToPlay(game)) {
        return true;
      }
      seat->table->BeforeFrame();
      RunFrame(game, pilot.NextInput(game, true), hooks);
      clock.Advance(kFrameMs);
      for (std::string& text : seat->table->TakeOutgoing()) seat->connection->Send(text);
      std::this_thread::sleep_for(1ms);
    }
    return false;
  }

  MtRandom random{3};
  SilentSound sound;
  ManualClock clock;
  Game game{MakeGame(Options{}, {random, sound, clock})};
  FrameHooks hooks;
  Autopilot pilot{HumanMode::kAi, 5};
  std::unique_ptr<OnlineSeat> seat;
  std::string problem;
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
// exactly where it was: Ada's turn.
TEST(TableRejoinTest, TakesTheSeatBackAndTheHandSoFar) {
  ServerProcess server({});
  ASSERT_TRUE(server.Started());
  Ada ada(server.Port());
  ASSERT_TRUE(ada.seat) << ada.problem;
  ASSERT_TRUE(ada.PlayToHerTurn(9));
  const MatchState before = SeenInAnyOrder(ada.game.match, 0);

  ada.seat->connection->Close();  // gone without a word: the seat waits
  ASSERT_TRUE(server.WaitForLine("seat 0 away", 5s).has_value());
  TableRejoin rejoin(*ada.seat, Clock::now());
  ASSERT_EQ(PollUntilDone(rejoin, 10s), TableRejoin::Progress::kBack) << rejoin.Problem();
  rejoin.MoveInto(*ada.seat);
  EXPECT_TRUE(server.WaitForLine("seat 0 back", 5s).has_value());
  ada.seat->table->Follow(ada.game);
  EXPECT_EQ(CatchUp(*ada.seat->table, ada.game, ada.hooks, [&] { ada.clock.Advance(kFrameMs); }),
            "");
  EXPECT_TRUE(HumanToPlay(ada.game));
  EXPECT_EQ(SeenInAnyOrder(ada.game.match, 0), before);
}

// A refusal ends the tries at once; a server that is gone is tried until the
// time runs out, and the last try says why.
TEST(TableRejoinTest, GivesUpOnARefusalAndWhenTimeRunsOut) {
  ServerProcess server({});
  ASSERT_TRUE(server.Started());
  Ada ada(server.Port());
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
