#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "autopilot.h"
#include "flow/observer.h"
#include "flow/run_frame.h"
#include "game/clock.h"
#include "game/game.h"
#include "game/random.h"
#include "trace_writer.h"

namespace vantel {

struct SimConfig {
  uint32_t Seed = 1;
  int Hands = 0;    // stop after this many hands (if > 0)
  int Matches = 0;  // or after this many decided matches (if > 0)
  bool Six = false;
  bool Slow = false;
  std::string Deck = "Royal";
  HumanMode Human = HumanMode::Ai;
  double FrameMs = 1000.0 / 60.0;
  int64_t MaxFramesPerHand = 500000;  // a hand that takes longer is stuck
};

struct SimStats {
  int Hands = 0;
  int Matches = 0;
  int WeWins = 0;
  int TheyWins = 0;
  int64_t WePoints = 0;  // summed over hands
  int64_t TheyPoints = 0;
  int64_t Frames = 0;
  int MaxTableCount = 0;
  int UnreachableCards = 0;
  bool Stuck = false;  // a hand never ended
};

// Whole games without a screen: the real flow, a virtual clock and the
// autopilot at seat 0. The same configuration gives the same game.
class Simulation {
 public:
  explicit Simulation(const SimConfig& config, GameObserver* observer = nullptr);

  // Runs until the configured hands or matches are done. `afterFrame` (if
  // set) sees the game after every frame.
  SimStats Run(const std::function<void(const Game&)>& afterFrame = {});
  // The same, drawing every frame through `drawing`; `beforeFrame` sees each
  // frame's input before the frame runs.
  SimStats Run(const std::function<void(const Game&)>& afterFrame, FrameHooks& drawing,
               const std::function<void(const InputSnapshot&)>& beforeFrame);

  // Ends a Run after the frame in progress (asked from a frame callback).
  void Stop() { stop_ = true; }

  Game& game() { return game_; }
  LastSound& sound() { return sound_; }

 private:
  bool Done(const SimStats& stats) const;
  void CountHand(SimStats& stats) const;

  SimConfig config_;
  MtRandom random_;
  LastSound sound_;
  ManualClock clock_;
  Game game_;
  Autopilot pilot_;
  bool stop_ = false;
};

// Options for a run from the command-line values.
Options MakeOptions(const SimConfig& config);

}  // namespace vantel
