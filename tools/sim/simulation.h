#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "autopilot.h"
#include "flow/game.h"
#include "flow/observer.h"
#include "flow/run_frame.h"
#include "game/clock.h"
#include "game/random.h"
#include "trace_writer.h"

namespace vantel {

struct SimConfig {
  uint32_t seed = 1;
  int hands = 0;    // stop after this many hands (if > 0)
  int matches = 0;  // or after this many decided matches (if > 0)
  bool six = false;
  bool slow = false;
  Deck deck = Deck::kBresciane;
  HumanMode human = HumanMode::kAi;
  int16_t human_seat = kHumanSeat;  // where the autopilot sits
  // Who plays each side's computer seats; with kAi the autopilot plays at its
  // side's level, so a side is one kind of player throughout.
  PlayerLevel we = PlayerLevel::kClassic;
  PlayerLevel they = PlayerLevel::kClassic;
  // Each hand after the first is dealt from a seed of its own (the seed and
  // the hand's number), so two runs of one seed deal the same cards hand by
  // hand whatever was played before: the paired runs depend on it.
  bool seed_each_hand = false;
  double frame_ms = 1000.0 / 60.0;
  int64_t max_frames_per_hand = 500000;  // a hand that takes longer is stuck
};

struct SimStats {
  int hands = 0;
  int matches = 0;
  int we_wins = 0;
  int they_wins = 0;
  int64_t we_points = 0;  // summed over hands
  int64_t they_points = 0;
  int64_t frames = 0;
  std::vector<int> hand_margins;  // each hand's We points less They's, in order
  int max_table_count = 0;
  int unreachable_cards = 0;
  bool stuck = false;  // a hand never ended
};

// Whole games without a screen: the real flow, a virtual clock and the
// autopilot at seat 0. The same configuration gives the same game.
class Simulation {
 public:
  explicit Simulation(const SimConfig& config, GameObserver* observer = nullptr);

  // Runs until the configured hands or matches are done. `after_frame` (if
  // set) sees the game after every frame.
  SimStats Run(const std::function<void(const Game&)>& after_frame = {});
  // The same, drawing every frame through `drawing`; `before_frame` sees each
  // frame's input before the frame runs.
  SimStats Run(const std::function<void(const Game&)>& after_frame, FrameHooks& drawing,
               const std::function<void(const InputSnapshot&)>& before_frame);

  // Ends a Run after the frame in progress (asked from a frame callback).
  void Stop() { stop_ = true; }

  Game& RunningGame() { return game_; }
  LastSound& Sound() { return sound_; }

 private:
  bool Done(const SimStats& stats) const;
  void CountHand(SimStats& stats) const;

  SimConfig config_;
  Chance chance_;
  LastSound sound_;
  ManualClock clock_;
  Game game_;
  Autopilot pilot_;
  bool stop_ = false;
};

// The seed of hand `hand` (0 = the first) when every hand has its own.
uint32_t HandSeed(uint32_t seed, int hand);

// Options for a run from the command-line values.
Options MakeOptions(const SimConfig& config);

}  // namespace vantel
