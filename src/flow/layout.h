#pragma once

#include <array>
#include <cstdint>

#include "game/options.h"

namespace vantel {

// Screen positions, step counts and sizes in the game's 800 x 600 pixels,
// filled once by SetupLayout.
struct Layout {
  // Hand place of seat s for its k-th card, the person's seat at the bottom: (hand_base_x[s] +
  // hand_step_x[s] * k, hand_base_y[s]).
  std::array<int16_t, kSeats> hand_base_x{};
  std::array<int16_t, kSeats> hand_base_y{};
  std::array<int16_t, kSeats> hand_step_x{};
  // The visible stock: card i of a lay-out from b sits at deck_base_x + deck_right_offset - (i - b)
  // * deck_step.
  int16_t deck_base_x = 0;
  int16_t deck_y = 0;
  int16_t deck_right_offset = 0;
  int16_t deck_step = 0;

  int16_t short_move_steps = 0;
  int16_t long_move_steps = 0;
  int16_t arrive_tolerance_x = 0;
  int16_t arrive_tolerance_y = 0;

  int16_t we_pile_x = 0, we_pile_y = 0;
  int16_t they_pile_x = 0, they_pile_y = 0;
  int16_t we_fan_base_x = 0, fan_base_y = 0, they_fan_base_x = 0;

  // Scatter ranges: a scatter is the whole part of (random * range), x drawn first.
  int16_t play_scatter_x = 0, play_scatter_y = 0;
  int16_t deal_scatter_x = 0, deal_scatter_y = 0;
  int16_t gather_scatter_x = 0, gather_scatter_y = 0;  // also the pile scatter

  int16_t card_width = 0;
  int16_t card_height = 0;
};

void SetupLayout(const Options& options, Layout& layout);

// Where a seat sits around the table as the person sees it: place 0 is the
// person's at the bottom, then round in the order of play (1 on the right,
// 2 opposite, 3 on the left). SeatAtPlace is the other way round.
constexpr int PlaceOfSeat(const Options& options, int seat) {
  return (seat - options.person_seat + kSeats) % kSeats;
}
constexpr int SeatAtPlace(const Options& options, int place) {
  return (place + options.person_seat) % kSeats;
}

}  // namespace vantel
