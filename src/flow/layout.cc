#include "flow/layout.h"

namespace vantel {

namespace {

// The hand places around the table, from the person's at the bottom on
// round in the order of play.
constexpr std::array<int16_t, kSeats> kHandPlaceX = {5, 625, 610, 5};
constexpr std::array<int16_t, kSeats> kHandPlaceY = {420, 420, 5, 5};
constexpr std::array<int16_t, kSeats> kHandPlaceStepX = {47, 6, 6, 6};

}  // namespace

void SetupLayout(const Options& options, Layout& layout) {
  const bool twelve = options.twelve_card_deal == 1;

  for (int seat = 0; seat < kSeats; ++seat) {
    const auto place = static_cast<size_t>(PlaceOfSeat(options, seat));
    const auto s = static_cast<size_t>(seat);
    layout.hand_base_x[s] = kHandPlaceX[place];
    layout.hand_base_y[s] = kHandPlaceY[place];
    layout.hand_step_x[s] = kHandPlaceStepX[place];
  }
  layout.deck_base_x = twelve ? 5 : 510;
  layout.deck_y = twelve ? 240 : 420;
  layout.deck_right_offset = 8;
  layout.deck_step = 1;

  layout.short_move_steps = options.slow_animation ? 20 : 10;
  layout.long_move_steps = options.slow_animation ? 40 : 20;
  layout.arrive_tolerance_x = 8;
  layout.arrive_tolerance_y = 8;

  layout.we_pile_x = 45;
  layout.we_pile_y = 240;
  layout.they_pile_x = 635;
  layout.they_pile_y = 240;
  layout.we_fan_base_x = 45;
  layout.fan_base_y = 240;
  layout.they_fan_base_x = 635;

  layout.play_scatter_x = 22;
  layout.play_scatter_y = 18;
  layout.deal_scatter_x = 12;
  layout.deal_scatter_y = 8;
  layout.gather_scatter_x = 8;
  layout.gather_scatter_y = 8;

  // The Trevigiane cards are narrower; both decks stand equally high.
  layout.card_width = options.deck == Deck::kTrevigiane ? 77 : 81;
  layout.card_height = 153;
}

}  // namespace vantel
