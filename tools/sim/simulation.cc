#include "simulation.h"

#include <algorithm>

#include "flow/deal.h"
#include "game/make_game.h"

namespace vantel {

Options MakeOptions(const SimConfig& config) {
  Options o;
  o.DeckName = config.Deck;
  o.SlowAnimation = config.Slow;
  o.TwelveCardDeal = config.Six ? 0 : 1;
  return o;
}

Simulation::Simulation(const SimConfig& config, GameObserver* observer)
    : config_(config),
      random_(config.Seed),
      game_(MakeGame(MakeOptions(config), {random_, sound_, clock_})),
      // The autopilot has its own generator, so its choices do not shift the
      // game's draws.
      pilot_(config.Human, config.Seed * 2654435761u + 12345u) {
  game_.observer = observer;
}

bool Simulation::Done(const SimStats& stats) const {
  if (config_.Hands > 0 && stats.Hands >= config_.Hands) return true;
  return config_.Matches > 0 && stats.Matches >= config_.Matches;
}

void Simulation::CountHand(SimStats& stats) const {
  const Scores& s = game_.score;
  stats.Hands += 1;
  stats.WePoints += s.We.HandPoints;
  stats.TheyPoints += s.They.HandPoints;
  if (!s.MatchOver) return;
  stats.Matches += 1;
  if (s.WeMatchPoints > s.TheyMatchPoints) {
    stats.WeWins += 1;
  } else {
    stats.TheyWins += 1;
  }
}

SimStats Simulation::Run(const std::function<void(const Game&)>& afterFrame) {
  FrameHooks none;
  return Run(afterFrame, none, {});
}

SimStats Simulation::Run(const std::function<void(const Game&)>& afterFrame, FrameHooks& hooks,
                         const std::function<void(const InputSnapshot&)>& beforeFrame) {
  SimStats stats;
  NewHand(game_);
  int64_t handFrames = 0;
  while (!Done(stats) && !stop_) {
    const InputSnapshot input = pilot_.NextInput(game_, true);
    if (beforeFrame) beforeFrame(input);
    const FlowState before = game_.flow.State;
    RunFrame(game_, input, hooks);
    clock_.Advance(config_.FrameMs);
    stats.Frames += 1;
    handFrames += 1;
    stats.MaxTableCount = std::max<int>(stats.MaxTableCount, game_.model.TableCount);
    if (afterFrame) afterFrame(game_);
    if (game_.flow.State == FlowState::EndOfMatch && before != FlowState::EndOfMatch) {
      CountHand(stats);
      handFrames = 0;
    }
    if (handFrames > config_.MaxFramesPerHand) {
      stats.Stuck = true;
      break;
    }
  }
  stats.UnreachableCards = pilot_.UnreachableCards();
  return stats;
}

}  // namespace vantel
