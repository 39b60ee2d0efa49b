#pragma once

#include <array>
#include <cstdint>
#include <stop_token>
#include <vector>

#include "ai/ai.h"
#include "game/options.h"
#include "game/seat_view.h"

namespace vantel {

// Playouts one Expert decision may spend. Work is bounded by this count, never
// by a clock, so a decision is the same on every machine. Half as many played
// clearly weaker against the Classic players; twice as many cost twice the time.
inline constexpr int kExpertPlayouts = 400;

struct ExpertSettings {
  int playouts = kExpertPlayouts;
  uint64_t salt = 0;  // varies the sampled worlds without touching the game
};

// The cards the seat of `view` cannot know where they are: neither in its own
// hand, nor on the table, nor in either side's taken cards.
std::vector<int16_t> UnseenCards(const SeatView& view);

// One guess at the hidden cards: what each other seat holds now and the pack
// still to be dealt (six-card hands only). The seat's own entry stays empty.
struct SampledWorld {
  std::array<std::vector<int16_t>, kSeats> hands;
  std::vector<int16_t> stock;
};

// Deals the unseen cards at random to the other seats (as many as each holds)
// and the rest to the stock, drawing from `state` (a splitmix64 state).
SampledWorld SampleWorld(const SeatView& view, uint64_t& state);

// The seed of a decision: a hash of what the seat can see and the salt, so the
// same position always samples the same worlds and hidden cards never matter.
uint64_t ExpertSeed(const SeatView& view, uint64_t salt);

// The Expert's decision for the seat of `view`. A seat without cards gets
// position -1 and an empty capture. `stop` is looked at before each playout:
// once it is asked, the search gives up and answers position -1 too; until
// then it never changes what is decided.
SeatDecision ChooseExpertPlay(const SeatView& view, const ExpertSettings& settings = {},
                              const std::stop_token& stop = {});

// Who plays `seat`: the partner's level for We (seat 2, and seat 0 when a
// program rather than a person plays it), the opponents' level for They.
constexpr PlayerLevel LevelOfSeat(const Options& options, int seat) {
  return SideOfSeat(seat) == Side::kWe ? options.partner_level : options.opponent_level;
}

// A computer seat's decision at `level`.
SeatDecision ChoosePlayAtLevel(const SeatView& view, PlayerLevel level);

}  // namespace vantel
