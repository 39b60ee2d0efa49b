#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <semaphore>
#include <stdexcept>
#include <string>
#include <vector>

#include "ai/expert.h"
#include "ai/thinker.h"
#include "flow/computer_seat.h"
#include "paired_run.h"
#include "simulation.h"
#include "support/gated_job.h"

namespace vantel {
namespace {

// The same kind on both sides plays the same game twice: whatever the first
// kind gained at We it must give back at They, so a pair is level exactly.
TEST(PairedRun, SwappingEqualPlayersLeavesEveryPairLevel) {
  SimConfig c;
  c.seed = 4;
  c.hands = 3;
  for (double margin : RunHandPairs(c, PlayerLevel::kClassic, PlayerLevel::kClassic)) {
    EXPECT_DOUBLE_EQ(margin, 0.0);
  }
  const PairResult r = RunMatchPair(c, PlayerLevel::kClassic, PlayerLevel::kClassic);
  EXPECT_DOUBLE_EQ(r.first_wins, 0.5);
  EXPECT_DOUBLE_EQ(r.first_margin, 0.0);
  EXPECT_GT(r.hands, 0);
}

// Pair i of a matches run is the pair played from seed + i.
TEST(PairedRun, EachMatchPairHasASeedOfItsOwn) {
  SimConfig c;
  c.seed = 4;
  c.matches = 2;
  c.human = HumanMode::kRandom;  // cheap, and unlike its partner: pairs differ by seed
  const std::vector<PairResult> pairs = RunMatchPairs(c);
  ASSERT_EQ(pairs.size(), 2u);
  for (int i = 0; i < 2; ++i) {
    SimConfig one = c;
    one.seed = c.seed + static_cast<uint32_t>(i);
    const PairResult alone = RunMatchPair(one, c.we, c.they);
    EXPECT_EQ(pairs[i].hands, alone.hands) << i;
    EXPECT_DOUBLE_EQ(pairs[i].first_margin, alone.first_margin) << i;
    EXPECT_DOUBLE_EQ(pairs[i].first_wins, alone.first_wins) << i;
  }
  EXPECT_TRUE(pairs[0].hands != pairs[1].hands || pairs[0].first_margin != pairs[1].first_margin);
}

// The pack of each hand a run deals; with `busy_looks` the looks'
// stream is drawn from after every frame, as a changed animation would.
std::vector<std::vector<int16_t>> DealsOf(const SimConfig& c, bool busy_looks = false) {
  Simulation sim(c);
  std::vector<std::vector<int16_t>> orders;
  FlowState last = FlowState::kEndOfMatch;
  sim.Run([&](const Game& g) {
    if (g.flow.state == FlowState::kDealingCards && last == FlowState::kEndOfMatch) {
      orders.emplace_back(g.match.deck.begin(), g.match.deck.end());
    }
    last = g.flow.state;
    if (busy_looks) sim.RunningGame().chance.looks.Next();
  });
  return orders;
}

// Every hand of a paired run is dealt from its own seed, so different players
// (and different play) before it do not change the cards of the next hand.
TEST(PairedRun, SidesSeeTheSameDealsWhoeverPlays) {
  SimConfig c;
  c.seed = 9;
  c.hands = 2;
  c.seed_each_hand = true;
  const auto classic = DealsOf(c);
  c.we = PlayerLevel::kExpert;
  const auto expert = DealsOf(c);
  ASSERT_EQ(classic.size(), 2u);
  EXPECT_EQ(classic, expert);
  EXPECT_NE(classic[0], classic[1]);
}

// Where cards land and which sound plays come from a stream of their own, so
// however often an animation draws, a seed deals the same hands.
TEST(SeededRun, WhatOnlyLooksDifferentLeavesEveryLaterDealAlone) {
  SimConfig c;
  c.seed = 9;
  c.hands = 3;
  const auto deals = DealsOf(c);
  ASSERT_EQ(deals.size(), 3u);
  EXPECT_EQ(DealsOf(c, true), deals);
}

// The game window lets an Expert seat think on a worker thread while frames
// go on; the cards it plays must be the ones it plays when deciding at once.
TEST(ExpertInTheFlow, ThinkingInTheBackgroundPlaysTheSameCards) {
  int frames_while_thinking = 0;
  auto play = [&](bool background) {
    SimConfig c;
    c.seed = 21;
    c.hands = 1;
    c.they = PlayerLevel::kExpert;
    Simulation sim(c);
    Game& game = sim.RunningGame();
    SeatComputers(
        game, background ? ComputerSeat::Thinking::kInBackground : ComputerSeat::Thinking::kAtOnce);
    // A quick worker could answer within the frame that asked, and then no
    // frame would see it deciding: each decision waits for its frame.
    auto frame_came_back = std::make_shared<std::counting_semaphore<>>(0);
    if (background) {
      auto after_the_frame = [frame_came_back](const SeatView& view, const std::stop_token& stop) {
        if (!frame_came_back->try_acquire_for(kGenerousWait)) {
          throw std::runtime_error("no frame came back while deciding");
        }
        return ExpertDecision(view, stop);
      };
      for (int seat = 0; seat < kSeats; ++seat) {
        if (seat == PersonSeat(game) || LevelOfSeat(game.options, seat) != PlayerLevel::kExpert) {
          continue;
        }
        game.seats.Seat(seat, std::make_unique<ComputerSeat>(PlayerLevel::kExpert,
                                                             ComputerSeat::Thinking::kInBackground,
                                                             after_the_frame));
      }
    }
    std::vector<int16_t> taken;
    sim.Run([&](const Game& g) {
      const auto* seat = dynamic_cast<const ComputerSeat*>(g.seats.At(g.flow.turn));
      if (g.flow.awaiting_seat && seat != nullptr && seat->Deciding()) {
        frames_while_thinking += 1;  // the frame came back before the decision
        frame_came_back->release();
        EXPECT_TRUE(seat->WaitForWorker(kGenerousWait));
      }
      if (g.flow.state != FlowState::kEndOfMatch || !taken.empty()) return;
      taken.assign(g.model.they_taken.begin(),
                   g.model.they_taken.begin() + g.model.they_taken_count);
      taken.push_back(-1);
      taken.insert(taken.end(), g.model.we_taken.begin(),
                   g.model.we_taken.begin() + g.model.we_taken_count);
    });
    return taken;
  };
  const std::vector<int16_t> at_once = play(false);
  ASSERT_GT(at_once.size(), 40u);
  EXPECT_EQ(frames_while_thinking, 0);
  EXPECT_EQ(play(true), at_once);
  EXPECT_EQ(frames_while_thinking, 24);  // each of the two Expert seats' twelve cards
}

TEST(PairedRun, IntervalsAndSummaryLines) {
  const Estimate e = MeanWithInterval({0.0, 1.0, 0.0, 1.0});
  EXPECT_DOUBLE_EQ(e.mean, 0.5);
  // sd = 0.57735, n = 4: half width 1.96 * 0.57735 / 2.
  EXPECT_NEAR(e.high - e.mean, 0.5658, 1e-3);
  EXPECT_NEAR(e.mean - e.low, 0.5658, 1e-3);
  EXPECT_DOUBLE_EQ(MeanWithInterval({2.0}).low, 2.0);

  const std::vector<PairResult> pairs = {{1.0, 2.0, 8}, {0.5, -1.0, 10}};
  EXPECT_TRUE(MatchesSummary(PlayerLevel::kExpert, PlayerLevel::kClassic, pairs)
                  .starts_with("expert-vs-classic matches=2 win_rate=0.750 ci=["));
  const std::string hands = HandsSummary(PlayerLevel::kClassic, PlayerLevel::kExpert, {-1.5, -0.5});
  EXPECT_EQ(hands, "classic-vs-expert hands=2 margin=-1.00 ci=[-1.98,-0.02]");
}

}  // namespace
}  // namespace vantel
