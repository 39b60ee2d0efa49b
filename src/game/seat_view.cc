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

std::optional<Play> PlayOfDecision(const MatchState& state, int seat,
                                   const SeatDecision& decision) {
  if (seat < 0 || seat >= kSeats) return std::nullopt;
  const HandCards& hand = state.hands[static_cast<size_t>(seat)];
  if (decision.position < 0 || decision.position >= hand.Size()) return std::nullopt;
  Play play{hand[decision.position], {}};
  for (int16_t p : decision.take.Span()) {
    if (p < 0 || p >= state.table.Size()) return std::nullopt;
    play.take.PushBack(state.table[p]);
  }
  return play;
}

}  // namespace vantel
