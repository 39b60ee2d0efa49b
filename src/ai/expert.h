#pragma once

#include <array>
#include <cstdint>
#include <future>
#include <optional>
#include <span>
#include <vector>

#include "game/game.h"

namespace vantel {

// Playouts one Expert decision may spend. Work is bounded by this count, never
// by a clock, so a decision is the same on every machine. Half as many played
// clearly weaker against the Classic players; twice as many cost twice the time.
inline constexpr int kExpertPlayouts = 400;

struct ExpertSettings {
  int playouts = kExpertPlayouts;
  uint64_t salt = 0;  // varies the sampled worlds without touching the game
};

// The cards `seat` cannot know where they are: neither in its own hand, nor on
// the table, nor in either side's taken list.
std::vector<int16_t> UnseenCards(const Game& g, int seat);

// One guess at the hidden cards: what each other seat holds now and the stock
// still to be dealt (six-card hands only). `seat`'s own entry stays empty.
struct SampledWorld {
  std::array<std::vector<int16_t>, kSeats> hands;
  std::vector<int16_t> stock;
};

// Deals the unseen cards at random to the other seats (as many as each holds)
// and the rest to the stock, drawing from `state` (a splitmix64 state).
SampledWorld SampleWorld(const Game& g, int seat, uint64_t& state);

// The seed of a decision: a hash of what `seat` can see and the salt, so the
// same position always samples the same worlds and hidden cards never matter.
uint64_t ExpertSeed(const Game& g, int seat, uint64_t salt);

// The Expert's decision for `seat`: the card's position in hand_ids[seat],
// and its capture written into `hand_over`. Reads only what the seat may see.
// A seat without cards gets -1 and an empty capture.
int16_t ChooseExpertPlay(const Game& g, int seat, CaptureState& hand_over,
                         const ExpertSettings& settings = {});

// The same decision as one value, for work done away from the game (a worker
// thread, the hint).
ComputerDecision ExpertDecision(const Game& g, int seat);

// Starts that decision on a worker thread, on a copy of the game, so the
// caller's frames go on while it thinks.
std::shared_future<ComputerDecision> ThinkAside(const Game& g, int seat);

// The decision once the thinking has finished, leaving `pending` empty;
// nothing while it is still thinking or when nothing was started.
std::optional<ComputerDecision> TakeIfReady(std::shared_future<ComputerDecision>& pending);

// The flow's entry: the decision above written into g.capture.
int16_t ChooseExpertComputerPlay(Game& g, int seat);

// Who plays `seat`: the partner's level for We (seat 2, and seat 0 when a
// program rather than a person plays it), the opponents' level for They.
constexpr PlayerLevel LevelOfSeat(const Options& options, int seat) {
  return SideOfSeat(seat) == Side::kWe ? options.partner_level : options.opponent_level;
}

// A computer seat's turn at the level the options give it.
int16_t ChooseSeatPlay(Game& g, int seat);

}  // namespace vantel
