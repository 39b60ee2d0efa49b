#include "game/seat_view.h"

namespace vantel {

SeatView::SeatView(const MatchState& state, int seat)
    : masked_(state), seat_(static_cast<int16_t>(seat)) {
  for (int s = 0; s < kSeats; ++s) {
    if (s == seat) continue;
    HandCards& hand = masked_.hands[static_cast<size_t>(s)];
    const int held = hand.Size();
    hand.Clear();
    for (int c = 0; c < held; ++c) hand.PushBack(kHiddenCard);
  }
  masked_.deck.fill(kHiddenCard);
}

}  // namespace vantel
