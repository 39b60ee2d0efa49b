#include "simulation.h"

#include <algorithm>

#include "flow/deal.h"
#include "flow/make_game.h"
#include "game/random.h"

namespace vantel {

Options MakeOptions(const SimConfig& config) {
  Options o;
  o.deck = config.deck;
  o.slow_animation = config.slow;
  o.twelve_card_deal = config.six ? 0 : 1;
  o.partner_level = config.we;
  o.opponent_level = config.they;
  o.person_seat = config.human_seat;
  return o;
}

uint32_t HandSeed(uint32_t seed, int hand) {
  if (hand == 0) return seed;
  return static_cast<uint32_t>(
      SplitMix64Finish((static_cast<uint64_t>(seed) << 32) + static_cast<uint64_t>(hand)));
}

Simulation::Simulation(const SimConfig& config, GameObserver* observer)
    : config_(config),
      chance_(config.seed),
      game_(MakeGame(MakeOptions(config), {chance_, sound_, clock_})),
      // The autopilot has its own generator, so its choices do not shift the
      // game's draws.
      pilot_(config.human, config.seed * 2654435761u + 12345u,
             SideOfSeat(config.human_seat) == Side::kWe ? config.we : config.they) {
  game_.observer = observer;
  // The random player's stray clicks on cards that cannot be taken are part of
  // the recorded games; the table takes them as it always did.
  game_.aids.refuse_impossible_picks = false;
}

bool Simulation::Done(const SimStats& stats) const {
  if (config_.hands > 0 && stats.hands >= config_.hands) return true;
  return config_.matches > 0 && stats.matches >= config_.matches;
}

void Simulation::CountHand(SimStats& stats) const {
  const MatchState& m = game_.match;
  const int16_t we = m.Of(Side::kWe).hand.points;
  const int16_t they = m.Of(Side::kThey).hand.points;
  stats.hands += 1;
  stats.we_points += we;
  stats.they_points += they;
  stats.hand_margins.push_back(we - they);
  if (!m.MatchDecided()) return;
  stats.matches += 1;
  if (m.Of(Side::kWe).match_points > m.Of(Side::kThey).match_points) {
    stats.we_wins += 1;
  } else {
    stats.they_wins += 1;
  }
}

SimStats Simulation::Run(const std::function<void(const Game&)>& after_frame) {
  FrameHooks none;
  return Run(after_frame, none, {});
}

SimStats Simulation::Run(const std::function<void(const Game&)>& after_frame, FrameHooks& hooks,
                         const std::function<void(const InputSnapshot&)>& before_frame) {
  SimStats stats;
  NewHand(game_);
  int64_t hand_frames = 0;
  while (!Done(stats) && !stop_) {
    const InputSnapshot input = pilot_.NextInput(game_, true);
    if (before_frame) before_frame(input);
    const FlowState before = game_.flow.state;
    RunFrame(game_, input, hooks);
    clock_.Advance(config_.frame_ms);
    stats.frames += 1;
    hand_frames += 1;
    stats.max_table_count = std::max<int>(stats.max_table_count, game_.model.table_count);
    if (after_frame) after_frame(game_);
    if (game_.flow.state == FlowState::kEndOfMatch && before != FlowState::kEndOfMatch) {
      CountHand(stats);
      hand_frames = 0;
      if (config_.seed_each_hand) chance_ = Chance(HandSeed(config_.seed, stats.hands));
    }
    if (hand_frames > config_.max_frames_per_hand) {
      stats.stuck = true;
      break;
    }
  }
  stats.unreachable_cards = pilot_.UnreachableCards();
  return stats;
}

}  // namespace vantel
